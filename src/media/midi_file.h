#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velune {

// A tune file made plain for a MIDI player: the header chunk of its Standard MIDI File
// and the track chunks that the header announces, in order, as one Standard MIDI File.
// Chunks of any other type after the header are left out (readers of the format are to
// skip them as if they were not there), and so is whatever follows the last track. A RIFF
// MIDI file ("RMID", which Windows plays as a .mid file) is unwrapped first: its Standard
// MIDI File is the body of its "data" chunk. Nothing when the bytes hold no header chunk,
// or fewer whole track chunks than it announces.
std::optional<std::string> PlainMidiFile(std::string_view file);

// A tune's time as ticks per quarter note at a tempo in microseconds per quarter note.
struct QuarterTime {
  std::uint32_t ticks_per_quarter = 0;
  std::uint32_t us_per_quarter = 0;
};

// An SMPTE time division (its high byte minus the frames a second, its low byte the ticks
// a frame) in quarter notes at a fixed tempo that gives every tick its length: frames a
// second times ticks a frame to the quarter note, which fits 15 bits, and a second to the
// quarter note (1.001 s at 29.97 frames a second). Nothing for a metrical division, a
// frame rate other than 24, 25, 29.97 and 30, or no ticks a frame.
std::optional<QuarterTime> SmpteInQuarters(std::uint16_t division);

// A tune for a MIDI player that counts ticks per quarter note only: the plain tune, with
// an SMPTE division rewritten as SmpteInQuarters says.
struct QuarterNoteTune {
  std::string bytes;
  // Set for a tune in SMPTE time: the tempo that the player is to hold, whatever tempo
  // events the tune holds (SMPTE time knows no tempo).
  std::optional<std::uint32_t> fixed_us_per_quarter;
};
std::optional<QuarterNoteTune> QuarterNoteMidiFile(std::string_view file);

}  // namespace velune
