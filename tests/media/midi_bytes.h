#pragma once

// Standard MIDI Files and RIFF MIDI files, byte by byte.

#include <cstdint>
#include <initializer_list>
#include <string>

#include "common/story_folder.h"

namespace velune::testing {

inline std::string Vlq(std::uint32_t value, int more = 0) {
  return (value > 0x7F ? Vlq(value >> 7, 0x80) : "") + std::string(1, (value & 0x7F) | more);
}
inline std::string Chunk(const std::string& type, const std::string& body) {
  return type + BigEndian(body.size(), 4) + body;
}
inline std::string Track(const std::string& events) { return Chunk("MTrk", events); }
inline std::string Midi(int format, int division, std::initializer_list<std::string> tracks) {
  std::string out = "MThd" + BigEndian(6, 4) + BigEndian(format, 2) + BigEndian(tracks.size(), 2) +
                    BigEndian(division, 2);
  for (const auto& track : tracks) out += Track(track);
  return out;
}
inline std::string Tempo(std::uint32_t delta, std::uint32_t micros_per_quarter) {
  return Vlq(delta) + "\xFF\x51\x03" + BigEndian(micros_per_quarter, 3);
}
inline std::string NoteOn(std::uint32_t delta, int key) {
  return Vlq(delta) + std::string{'\x90', static_cast<char>(key), '\x40'};
}
inline std::string EndOfTrack(std::uint32_t delta) { return Vlq(delta) + "\xFF\x2F" + '\0'; }
inline std::string RiffChunk(const std::string& type, const std::string& body) {
  return type + LittleEndian(body.size(), 4) + body + std::string(body.size() % 2, '\0');
}
inline std::string Rmid(const std::string& chunks) { return RiffChunk("RIFF", "RMID" + chunks); }
// At 120 beats a minute and 1000 ticks a quarter.
inline std::string TuneOfMs(std::uint32_t ms) {
  return Midi(0, 1000, {NoteOn(0, 60) + EndOfTrack(ms * 2)});
}

}  // namespace velune::testing
