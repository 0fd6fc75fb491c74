#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

namespace velune::fuzz {

inline std::string Text(const std::uint8_t* data, std::size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

// Takes the parts of a fuzz input from its front: small numbers and strings. Past the end
// every number is 0 and every string empty, so any input is a whole test.
class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size)
      : data_(reinterpret_cast<const char*>(data), size) {}

  bool Empty() const { return data_.empty(); }
  std::uint8_t Byte() {
    if (Empty()) return 0;
    const auto byte = static_cast<std::uint8_t>(data_[0]);
    data_.remove_prefix(1);
    return byte;
  }
  std::uint16_t Word() { return static_cast<std::uint16_t>(Byte() | Byte() << 8); }

  // A string of at most `max` bytes. A backslash followed by anything but a backslash ends
  // it; two backslashes stand for one. So a mutation can lengthen or end a string without
  // moving everything after it, and a seed can be written by hand.
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

 private:
  std::string_view data_;
};

}  // namespace velune::fuzz

// A broken promise of the code under test: report it and stop, so that the fuzzer keeps
// the input.
#define FUZZ_CHECK(condition)                                                                  \
  ((condition) ? (void)0                                                                       \
               : (std::fprintf(stderr, "%s:%d: broken: %s\n", __FILE__, __LINE__, #condition), \
                  std::abort()))
