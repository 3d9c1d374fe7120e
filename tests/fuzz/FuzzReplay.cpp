// The main() of a fuzz target outside libFuzzer: runs every file of the given
// directories (by default the target's committed corpus) through the target once.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace fs = std::filesystem;

namespace {

std::vector<fs::path> inputsBelow(const fs::path& path)
{
    std::vector<fs::path> inputs;
    if (fs::is_regular_file(path)) {
        inputs.push_back(path);
        return inputs;
    }
    for (const fs::directory_entry& entry : fs::directory_iterator(path)) {
        if (entry.is_regular_file())
            inputs.push_back(entry.path());
    }
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> roots(argv + 1, argv + argc);
    if (roots.empty())
        roots.push_back(QUORVANTA_FUZZ_CORPUS_DIR);

    std::size_t count = 0;
    for (const std::string& root : roots) {
        std::error_code error;
        if (!fs::exists(root, error)) {
            std::fprintf(stderr, "No such corpus: %s\n", root.c_str());
            return 1;
        }
        for (const fs::path& input : inputsBelow(root)) {
            std::ifstream file(input, std::ios::binary);
            const std::vector<char> bytes((std::istreambuf_iterator<char>(file)),
                                          std::istreambuf_iterator<char>());
            // Named first, so a crash below shows which input it was.
            std::fprintf(stderr, "Replaying %s (%zu bytes)\n", input.c_str(), bytes.size());
            std::fflush(stderr);
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
            ++count;
        }
    }
    std::printf("Replayed %zu inputs\n", count);
    // An empty corpus would pass without testing anything.
    return count > 0 ? 0 : 1;
}
