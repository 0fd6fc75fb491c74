#pragma once

#include <cstdint>
#include <string>

#include "media/tune_device.h"
#include "story/game.h"

namespace velune {

// What the window shows at time `t`, as one JSON line of the scripted player.
std::string SnapshotLine(std::int64_t t, const Game& game, TuneDevice::Mode music);

// The reader's mode as the scripted player names it: idle, reading, skipping, waiting.
std::string ReaderMode(const Timer& tim_ive);

}  // namespace velune
