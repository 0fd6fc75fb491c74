// Code page 932 through Windows' own converter.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include "story/cp932.h"
#include "story/text_decoding.h"
#include "story/wide_text.h"

namespace velune {
namespace {

constexpr UINT kShiftJis = 932;

// The UTF-16 of one character of code page 932, or nothing when the bytes are not one.
std::wstring OneCharacter(const char* bytes, int size) {
  wchar_t wide[2];
  const int n = MultiByteToWideChar(kShiftJis, MB_ERR_INVALID_CHARS, bytes, size, wide, 2);
  return std::wstring(wide, n > 0 ? static_cast<std::size_t>(n) : 0);
}

}  // namespace

struct Cp932Converter::Platform {};

Cp932Converter::Cp932Converter() : platform_(std::make_unique<Platform>()) {}

Cp932Converter::~Cp932Converter() = default;

std::string Cp932Converter::Convert(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 3);
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte < 0x80) {
      out += bytes[i++];
      continue;
    }
    const bool lead = IsCp932LeadByte(byte);
    const bool pair =
        lead && i + 1 < bytes.size() && IsCp932TrailByte(static_cast<unsigned char>(bytes[i + 1]));
    // A lead byte that nothing can trail is U+FFFD alone; the byte after it is read afresh.
    const std::wstring wide =
        lead && !pair ? std::wstring() : OneCharacter(bytes.data() + i, pair ? 2 : 1);
    if (wide.empty()) {
      out += kUtf8Replacement;
    } else {
      out += Utf8FromWide(wide);
    }
    i += pair ? 2 : 1;
  }
  return out;
}

}  // namespace velune

namespace velune {

std::string EncodeCp932(std::string_view utf8) {
  const std::wstring wide = WideFromUtf8(utf8);
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  char unknown[] = "?";
  const int n = WideCharToMultiByte(kShiftJis, 0, wide.data(), size, nullptr, 0, unknown, nullptr);
  std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) {
    WideCharToMultiByte(kShiftJis, 0, wide.data(), size, out.data(), n, unknown, nullptr);
  }
  return out;
}

}  // namespace velune
