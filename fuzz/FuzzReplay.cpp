// Runs a fuzz target's inputs once, without libFuzzer: every file named on
// the command line and every file in every folder named. It fails when there
// was no input at all, so that a missing corpus is not taken for a clean run.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int *argc, char ***argv);

namespace {
bool RunFile(const std::filesystem::path &file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return false;
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t *>(bytes.data()), bytes.size());
    return true;
}

int RunPath(const std::filesystem::path &path)
{
    std::error_code error;
    if (!std::filesystem::is_directory(path, error))
        return RunFile(path) ? 1 : 0;
    int nRun = 0;
    for (const std::filesystem::directory_entry &entry : std::filesystem::directory_iterator(path, error))
        if (entry.is_regular_file(error) && RunFile(entry.path()))
            ++nRun;
    return nRun;
}
}

int main(int argc, char **argv)
{
    if (LLVMFuzzerInitialize != nullptr)
        LLVMFuzzerInitialize(&argc, &argv);
    int nRun = 0;
    for (int i = 1; i < argc; ++i)
        nRun += RunPath(argv[i]);
    std::cout << nRun << " inputs run\n";
    return nRun > 0 ? 0 : 1;
}
