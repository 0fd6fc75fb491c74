// Runs a fuzz target once on each file named, and on each file in each folder named: the
// seeds and the kept findings, in the ordinary test suite, without libFuzzer.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

void RunOn(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), {}};
  std::fprintf(stderr, "%s (%zu bytes)\n", file.string().c_str(), bytes.size());
  LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
  int inputs = 0;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path place(argv[i]);
    std::vector<std::filesystem::path> files;
    if (std::filesystem::is_directory(place)) {
      for (const auto& entry : std::filesystem::directory_iterator(place)) {
        if (entry.is_regular_file()) files.push_back(entry.path());
      }
      std::sort(files.begin(), files.end());
    } else if (std::filesystem::exists(place)) {
      files.push_back(place);
    }
    for (const auto& file : files) RunOn(file);
    inputs += static_cast<int>(files.size());
  }
  std::fprintf(stderr, "%d inputs, no finding\n", inputs);
  return 0;
}
