// Runs a fuzz target's inputs once, without libFuzzer: every file named on
// the command line and every file in every folder named. It fails when there
// was no input at all, so that a missing corpus is not taken for a clean run.
//
// A folder's files run in byte order of their names, never in the order the
// file system lists them: the inputs share one process, so a fault that needs
// one input before another would otherwise come and go from one machine to
// the next. --order=reversed and --order=shuffled:<seed> run the same inputs
// in another fixed order, to bring such faults out on purpose. Each input's
// name is printed before it runs, so a failing sequence can be replayed.

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int *argc, char ***argv);

namespace fs = std::filesystem;

namespace {
using Inputs = std::vector<fs::path>;

void AddPath(const fs::path &path, Inputs &inputs)
{
    if (!fs::is_directory(path))
        return inputs.push_back(path);
    Inputs folder(fs::directory_iterator(path), {});
    std::erase_if(folder, [](const fs::path &file) { return !fs::is_regular_file(file); });
    // Paths in one folder compare as their names do, byte by byte.
    std::sort(folder.begin(), folder.end());
    inputs.insert(inputs.end(), folder.begin(), folder.end());
}

bool Reorder(std::string_view order, Inputs &inputs)
{
    if (order == "reversed")
        std::reverse(inputs.begin(), inputs.end());
    if (!order.starts_with("shuffled:"))
        return order == "sorted" || order == "reversed";
    const std::string_view seed = order.substr(9);
    std::uint32_t nSeed = 0;
    const auto [pEnd, error] = std::from_chars(seed.data(), seed.data() + seed.size(), nSeed);
    if (error != std::errc() || pEnd != seed.data() + seed.size())
        return false;
    // Fisher-Yates on the engine's raw output: std::shuffle's use of the
    // engine differs between standard libraries, mt19937's own sequence does not.
    std::mt19937 engine(nSeed);
    for (std::size_t i = inputs.size(); i > 1; --i)
        std::swap(inputs[i - 1], inputs[engine() % i]);
    return true;
}
}

int main(int argc, char **argv)
{
    if (LLVMFuzzerInitialize != nullptr)
        LLVMFuzzerInitialize(&argc, &argv);
    std::string_view order = "sorted";
    Inputs inputs;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument.starts_with("--order="))
            order = argument.substr(8);
        else
            AddPath(argument, inputs);
    }
    if (!Reorder(order, inputs)) {
        std::cerr << "unknown order '" << order << "': sorted, reversed or shuffled:<seed>\n";
        return 2;
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
