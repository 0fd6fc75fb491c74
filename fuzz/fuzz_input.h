#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <numeric>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace velune::fuzz {

// Takes the parts of a fuzz input from its front; past the end numbers are 0, strings empty.
struct FuzzInput {
  bool Empty() const { return data_.empty(); }
  std::uint8_t Byte() { return Empty() ? 0 : std::exchange(data_, data_.substr(1))[0]; }
  std::uint16_t Word() { return static_cast<std::uint16_t>(Byte() | Byte() << 8); }
  // At most `max` bytes, ended by a backslash and anything but one (two stand for one).
  std::string String(std::size_t max) {
    std::string out;
    while (!Empty() && out.size() < max) {
      const char c = static_cast<char>(Byte());
      if (c == '\\' && !Empty() && Byte() != '\\') break;
      out += c;
    }
    return out;
  }
  std::string Rest() { return std::string(std::exchange(data_, {})); }
  std::string_view data_;
};

}  // namespace velune::fuzz

// A broken promise of the code under test: stop, so that the fuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                  \
  ((condition) ? (void)0                                                                       \
               : (std::fprintf(stderr, "%s:%d: broken: %s\n", __FILE__, __LINE__, #condition), \
                  std::abort()))

// Each target defines Fuzz, which takes what it needs of the input.
static void Fuzz(velune::fuzz::FuzzInput& in);
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  velune::fuzz::FuzzInput in{{reinterpret_cast<const char*>(data), size}};
  Fuzz(in);
  return 0;
}
