#pragma once

#include <memory>
#include <string_view>

#include "media/tune_device.h"

namespace velune {

// The window's tune device, chosen by name: "null" plays nothing (null_tune_device.h);
// "fluidsynth", the default, plays with FluidSynth and falls back on the null device where
// it cannot sound. An empty or unknown name gets the default.
std::unique_ptr<TuneDevice> CreateTuneDevice(std::string_view name);

}  // namespace velune
