// Runs a fuzz target once on each file named, and on each file in each folder named: the
// seeds and the kept findings, in the ordinary test suite, without libFuzzer.
#include <cstdint>
#include <filesystem>
#include <set>

#include "common/story_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
  std::set<std::filesystem::path> files;  // in order
  for (int i = 1; i < argc; ++i) {
    if (std::filesystem::is_regular_file(argv[i])) files.insert(argv[i]);
    if (!std::filesystem::is_directory(argv[i])) continue;
    for (const auto& entry : std::filesystem::directory_iterator(argv[i]))
      if (entry.is_regular_file()) files.insert(entry.path());
  }
  for (const auto& file : files) {
    const std::string bytes = velune::testing::ReadFile(file);
    std::fprintf(stderr, "%s (%zu bytes)\n", file.c_str(), bytes.size());
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }
  std::fprintf(stderr, "%zu inputs, no finding\n", files.size());
}
