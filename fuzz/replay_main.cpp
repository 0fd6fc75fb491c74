// Runs a fuzz target without libFuzzer on each file in the folders named.
#include <set>

#include "common/story_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
  std::set<std::filesystem::path> files;  // in order
  std::error_code none;                   // a folder that is not there holds none
  for (int i = 1; i < argc; ++i)
    for (const auto& entry : std::filesystem::directory_iterator(argv[i], none))
      files.insert(entry.path());
  for (const auto& file : files) {
    const std::string bytes = velune::testing::ReadFile(file);
    std::fprintf(stderr, "%s (%zu bytes)\n", file.c_str(), bytes.size());
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }
  std::fprintf(stderr, "%zu inputs, no finding\n", files.size());
}
