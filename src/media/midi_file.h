#pragma once

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

}  // namespace velune
