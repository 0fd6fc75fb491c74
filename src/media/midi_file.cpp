#include "media/midi_file.h"

#include <algorithm>
#include <cstdint>

namespace velune {
namespace {

struct Chunk {
  std::string_view type;   // four letters
  std::string_view whole;  // type, length and body
  std::string_view body;
};

std::uint32_t Number(std::string_view bytes, bool big_endian) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    value = (value << 8) | static_cast<unsigned char>(bytes[big_endian ? i : bytes.size() - 1 - i]);
  }
  return value;
}

// Takes the next chunk off the front of `rest`: its type, a length of four bytes and as
// many bytes of body. A MIDI file writes the length big-endian; a RIFF file writes it
// little-endian and pads the body to an even length. Nothing when the body is cut short.
std::optional<Chunk> NextChunk(std::string_view& rest, bool riff) {
  if (rest.size() < 8) return std::nullopt;
  const std::uint64_t length = Number(rest.substr(4, 4), !riff);
  if (length > rest.size() - 8) return std::nullopt;
  const Chunk chunk{rest.substr(0, 4), rest.substr(0, 8 + length), rest.substr(8, length)};
  rest.remove_prefix(std::min<std::uint64_t>(rest.size(), 8 + length + (riff ? length % 2 : 0)));
  return chunk;
}

// The body of the "data" chunk of a RIFF MIDI file; any other bytes as they are.
std::string_view Unwrap(std::string_view file) {
  if (file.size() < 12 || file.substr(0, 4) != "RIFF" || file.substr(8, 4) != "RMID") return file;
  std::string_view rest = file.substr(12);
  while (const auto chunk = NextChunk(rest, true)) {
    if (chunk->type == "data") return chunk->body;
  }
  return {};
}

// A quarter note of one second's frames at a tick a frame, by the high byte of an SMPTE
// division: minus the frames a second.
std::optional<QuarterTime> SecondOfFrames(std::int8_t minus_rate) {
  switch (minus_rate) {
    case -24:
    case -25:
    case -30:
      return QuarterTime{static_cast<std::uint32_t>(-minus_rate), 1'000'000};
    case -29:  // 30 drop-frame: 30 frames in 1.001 s
      return QuarterTime{30, 1'001'000};
    default:
      return std::nullopt;
  }
}

}  // namespace

std::optional<QuarterTime> SmpteInQuarters(std::uint16_t division) {
  if ((division & 0x8000) == 0 || (division & 0xFF) == 0) return std::nullopt;
  auto time = SecondOfFrames(static_cast<std::int8_t>(division >> 8));
  if (time) time->ticks_per_quarter *= division & 0xFFU;
  return time;
}

std::optional<QuarterNoteTune> QuarterNoteMidiFile(std::string_view file) {
  auto plain = PlainMidiFile(file);
  if (!plain) return std::nullopt;
  QuarterNoteTune tune{std::move(*plain), std::nullopt};
  constexpr std::size_t kDivision = 12;  // after the header's type, length, format and tracks
  const auto division = static_cast<std::uint16_t>(Number(tune.bytes.substr(kDivision, 2), true));
  if ((division & 0x8000) == 0) return tune;
  const auto quarters = SmpteInQuarters(division);
  if (!quarters) return std::nullopt;
  tune.bytes[kDivision] = static_cast<char>(quarters->ticks_per_quarter >> 8);
  tune.bytes[kDivision + 1] = static_cast<char>(quarters->ticks_per_quarter & 0xFF);
  tune.fixed_us_per_quarter = quarters->us_per_quarter;
  return tune;
}

std::optional<std::string> PlainMidiFile(std::string_view file) {
  std::string_view rest = Unwrap(file);
  const auto header = NextChunk(rest, false);
  if (!header || header->type != "MThd" || header->body.size() < 6) return std::nullopt;
  std::string plain(header->whole);
  for (std::uint32_t tracks = Number(header->body.substr(2, 2), true); tracks > 0;) {
    const auto chunk = NextChunk(rest, false);
    if (!chunk) return std::nullopt;
    if (chunk->type == "MTrk") {
      plain += chunk->whole;
      --tracks;
    }
  }
  return plain;
}

}  // namespace velune
