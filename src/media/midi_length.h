#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace velune {

// The instrument that a program change chooses on one MIDI channel.
struct MidiProgram {
  int channel = 0;  // 0 to 15
  int bank = 0;     // the bank select (controller 0) in force on the channel
  int program = 0;  // 0 to 127
  bool operator==(const MidiProgram&) const = default;
};

// What a player needs to know of a Standard MIDI File before playing it.
struct MidiFacts {
  std::int64_t length_ms = 0;         // as MidiLengthMs
  std::uint64_t length_ticks = 0;     // the tick of the latest event in any track
  std::vector<MidiProgram> programs;  // every distinct program change, in order of first use
  std::uint16_t channels = 0;         // the channels that its events address, one bit each
};

// The playing time of a Standard MIDI File (format 0 or 1), read as PlainMidiFile makes
// it plain: the time of its latest event in any track, end-of-track included, with the
// file's tempo changes applied, in ms rounded up. Nothing when the bytes are not such a
// file.
std::optional<std::int64_t> MidiLengthMs(std::string_view file);

// The same reading of the file, with its length in ticks and the instruments it uses.
// Nothing when the bytes are not a Standard MIDI File of format 0 or 1.
std::optional<MidiFacts> ReadMidiFacts(std::string_view file);

}  // namespace velune
