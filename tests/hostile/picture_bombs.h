#pragma once

#include <cstdint>
#include <string>

namespace velune::testing {

// Picture files of a few bytes whose headers claim an enormous picture.

inline std::string LittleEndian(std::uint32_t value, int size) {
  std::string out;
  for (int i = 0; i < size; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
  return out;
}

inline std::string BigEndianBytes(std::uint32_t value, int size) {
  std::string out;
  for (int i = size - 1; i >= 0; --i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
  return out;
}

// A 24-bit Windows bitmap header for width × height and a few bytes of pixels.
inline std::string BitmapClaiming(std::uint32_t width, std::uint32_t height) {
  const std::string pixels(64, '\x11');
  return "BM" + LittleEndian(54 + 64, 4) + LittleEndian(0, 4) + LittleEndian(54, 4) +
         LittleEndian(40, 4) + LittleEndian(width, 4) + LittleEndian(height, 4) +
         LittleEndian(1, 2) + LittleEndian(24, 2) + LittleEndian(0, 4) + LittleEndian(0, 4) +
         LittleEndian(2835, 4) + LittleEndian(2835, 4) + LittleEndian(0, 4) + LittleEndian(0, 4) +
         pixels;
}

// A GIF whose screen is width × height, with one pixel of picture in it.
inline std::string GifClaiming(std::uint16_t width, std::uint16_t height) {
  return "GIF89a" + LittleEndian(width, 2) + LittleEndian(height, 2) +
         std::string("\x80\x00\x00\xFF\x00\x00\x00\x00\x00", 9) + "," + LittleEndian(0, 2) +
         LittleEndian(0, 2) + LittleEndian(1, 2) + LittleEndian(1, 2) +
         std::string("\x00\x02\x02\x44\x01\x00;", 7);
}

inline std::uint32_t Crc32(const std::string& bytes) {
  std::uint32_t crc = 0xFFFFFFFF;
  for (const char c : bytes) {
    crc ^= static_cast<unsigned char>(c);
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
  }
  return ~crc;
}

inline std::string PngChunk(const std::string& type, const std::string& data) {
  return BigEndianBytes(static_cast<std::uint32_t>(data.size()), 4) + type + data +
         BigEndianBytes(Crc32(type + data), 4);
}

// A PNG of width × height, 8-bit RGB, with one short row of stored (uncompressed) data.
inline std::string PngClaiming(std::uint32_t width, std::uint32_t height) {
  const std::string row = std::string(1, '\0') + std::string(30, '\0');
  const std::string deflate = std::string("\x78\x01\x01", 3) +
                              LittleEndian(static_cast<std::uint32_t>(row.size()), 2) +
                              LittleEndian(static_cast<std::uint32_t>(~row.size()) & 0xFFFF, 2) +
                              row + std::string(4, '\0');
  return "\x89PNG\r\n\x1a\n" +
         PngChunk("IHDR", BigEndianBytes(width, 4) + BigEndianBytes(height, 4) +
                              std::string("\x08\x02\x00\x00\x00", 5)) +
         PngChunk("IDAT", deflate) + PngChunk("IEND", "");
}

// A JPEG (any, as Qt writes one) made to claim width × height in its frame header.
inline std::string JpegClaiming(std::string jpeg, std::uint16_t width, std::uint16_t height) {
  const std::size_t frame = jpeg.find("\xFF\xC0");
  if (frame == std::string::npos) return jpeg;
  jpeg.replace(frame + 5, 2, BigEndianBytes(height, 2));
  jpeg.replace(frame + 7, 2, BigEndianBytes(width, 2));
  return jpeg;
}

}  // namespace velune::testing
