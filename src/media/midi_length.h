#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace velune {

// The playing time of a Standard MIDI File (format 0 or 1): the time of its latest event
// in any track, end-of-track included, with the file's tempo changes applied, in ms
// rounded up. Nothing when the bytes are not such a file.
std::optional<std::int64_t> MidiLengthMs(std::string_view file);

}  // namespace velune
