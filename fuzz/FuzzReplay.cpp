// Runs a fuzz target's inputs once, without libFuzzer: every file named on
// the command line and every file in every folder named. It fails when there
// was no input at all, so that a missing corpus is not taken for a clean run.
//
// A folder's files run in byte order of their names, never in the order the
// file system lists them: the inputs share one process, so a fault that needs
// one input before another would otherwise come and go from one machine to
// the next. The skin and key map seeds are named so that in this order a
// refused input follows a taken one and a taken one a refused one. Each
// input's name is printed before it runs, so a failing sequence can be replayed.

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int *argc, char ***argv);

namespace fs = std::filesystem;

int main(int argc, char **argv)
{
    if (LLVMFuzzerInitialize != nullptr)
        LLVMFuzzerInitialize(&argc, &argv);
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i) {
        if (!fs::is_directory(argv[i])) {
            inputs.emplace_back(argv[i]);
            continue;
        }
        std::vector<fs::path> folder(fs::directory_iterator(argv[i]), {});
        std::erase_if(folder, [](const fs::path &file) { return !fs::is_regular_file(file); });
        // Paths in one folder compare as their names do, byte by byte.
        std::sort(folder.begin(), folder.end());
        inputs.insert(inputs.end(), folder.begin(), folder.end());
    }
    int nRun = 0;
    for (const fs::path &input : inputs) {
        std::ifstream in(input, std::ios::binary);
        if (!in)
            continue;
        std::cout << "running " << input.string() << std::endl;
        const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t *>(bytes.data()), bytes.size());
        ++nRun;
    }
    std::cout << nRun << " inputs run\n";
    return nRun > 0 ? 0 : 1;
}
