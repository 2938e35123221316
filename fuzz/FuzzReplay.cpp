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

namespace {
using Inputs = std::vector<std::filesystem::path>;

bool RunFile(const std::filesystem::path &file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return false;
    std::cout << "running " << file.string() << std::endl;
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t *>(bytes.data()), bytes.size());
    return true;
}

void AddPath(const std::filesystem::path &path, Inputs &inputs)
{
    std::error_code error;
    if (!std::filesystem::is_directory(path, error)) {
        inputs.push_back(path);
        return;
    }
    Inputs folder;
    for (const std::filesystem::directory_entry &entry : std::filesystem::directory_iterator(path, error))
        if (entry.is_regular_file(error))
            folder.push_back(entry.path());
    std::sort(folder.begin(), folder.end(),
              [](const auto &left, const auto &right) { return left.native() < right.native(); });
    inputs.insert(inputs.end(), folder.begin(), folder.end());
}

// Fisher-Yates on the engine's raw output: std::shuffle's use of the engine
// differs between standard libraries, mt19937's own sequence does not.
void Shuffle(Inputs &inputs, std::uint32_t nSeed)
{
    std::mt19937 engine(nSeed);
    for (std::size_t i = inputs.size(); i > 1; --i)
        std::swap(inputs[i - 1], inputs[engine() % i]);
}

bool Reorder(std::string_view order, Inputs &inputs)
{
    constexpr std::string_view kShuffled = "shuffled:";
    if (order == "sorted")
        return true;
    if (order == "reversed") {
        std::reverse(inputs.begin(), inputs.end());
        return true;
    }
    if (order.substr(0, kShuffled.size()) != kShuffled)
        return false;
    const std::string_view seed = order.substr(kShuffled.size());
    std::uint32_t nSeed = 0;
    const auto [pEnd, error] = std::from_chars(seed.data(), seed.data() + seed.size(), nSeed);
    if (error != std::errc() || pEnd != seed.data() + seed.size())
        return false;
    Shuffle(inputs, nSeed);
    return true;
}
}

int main(int argc, char **argv)
{
    if (LLVMFuzzerInitialize != nullptr)
        LLVMFuzzerInitialize(&argc, &argv);
    constexpr std::string_view kOrder = "--order=";
    std::string_view order = "sorted";
    Inputs inputs;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument.substr(0, kOrder.size()) == kOrder)
            order = argument.substr(kOrder.size());
        else
            AddPath(argument, inputs);
    }
    if (!Reorder(order, inputs)) {
        std::cerr << "unknown order '" << order << "': sorted, reversed or shuffled:<seed>\n";
        return 2;
    }
    int nRun = 0;
    for (const std::filesystem::path &input : inputs)
        nRun += RunFile(input) ? 1 : 0;
    std::cout << nRun << " inputs run\n";
    return nRun > 0 ? 0 : 1;
}
