// Feeds files to a fuzz entry point once each, in name order, without a fuzzing engine:
// the corpus replayed as a test. A folder stands for every file in it. A failing input
// ends the process the way it would end the fuzzer (abort or sanitizer report); the
// name printed just before it says which file it was.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);
extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) __attribute__((weak));

namespace fs = std::filesystem;

namespace {

std::vector<fs::path> inputsOf(const fs::path &argument)
{
    std::vector<fs::path> files;
    if (fs::is_directory(argument)) {
        for (const fs::directory_entry &entry : fs::directory_iterator(argument)) {
            if (entry.is_regular_file())
                files.push_back(entry.path());
        }
        std::sort(files.begin(), files.end());
    } else {
        files.push_back(argument);
    }
    return files;
}

} // namespace

int main(int argc, char **argv)
{
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);
    std::size_t fed = 0;
    for (int i = 1; i < argc; ++i) {
        for (const fs::path &file : inputsOf(argv[i])) {
            std::ifstream in(file, std::ios::binary);
            if (!in) {
                std::fprintf(stderr, "cannot read %s\n", file.c_str());
                return 1;
            }
            const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
            std::printf("%s\n", file.c_str());
            std::fflush(stdout);
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
            ++fed;
        }
    }
    // An empty or misnamed corpus folder must not pass as a clean replay.
    if (fed == 0) {
        std::fprintf(stderr, "no inputs found\n");
        return 1;
    }
    std::printf("%zu inputs replayed\n", fed);
    return 0;
}
