#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace velune::fuzz {

// The whole input as text.
inline std::string Text(const std::uint8_t* data, std::size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

// Takes the parts of a fuzz input from its front: small numbers and strings. Past the end
// every number is 0 and every string empty, so any input is a whole test.
class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size)
      : data_(reinterpret_cast<const char*>(data), size) {}

  bool Empty() const { return pos_ >= data_.size(); }
  std::uint8_t Byte() { return Empty() ? 0 : static_cast<std::uint8_t>(data_[pos_++]); }
  std::uint16_t Word() { return static_cast<std::uint16_t>(Byte() | Byte() << 8); }

  // A string of at most `max` bytes. A backslash followed by anything but a backslash ends
  // it; two backslashes stand for one. So a mutation can lengthen or end a string without
  // moving everything after it, and a seed can be written by hand.
  std::string String(std::size_t max) {
    std::string out;
    while (!Empty() && out.size() < max) {
      const char c = data_[pos_++];
      if (c == '\\' && !Empty()) {
        if (data_[pos_++] != '\\') break;
      }
      out += c;
    }
    return out;
  }

  std::string Rest() {
    std::string out(data_.substr(pos_ < data_.size() ? pos_ : data_.size()));
    pos_ = data_.size();
    return out;
  }

 private:
  std::string_view data_;
  std::size_t pos_ = 0;
};

// A broken promise of the code under test: report it and stop, so that the fuzzer keeps
// the input.
[[noreturn]] inline void Broken(const char* what, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: broken: %s\n", file, line, what);
  std::abort();
}

}  // namespace velune::fuzz

#define FUZZ_CHECK(condition) \
  ((condition) ? (void)0 : ::velune::fuzz::Broken(#condition, __FILE__, __LINE__))
