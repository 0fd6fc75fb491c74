#pragma once

#include <memory>

#include "media/tune_device.h"

namespace velune {

// The tune device of this platform, for the window; silent where no sound can be made.
std::unique_ptr<TuneDevice> CreateSystemTuneDevice();

}  // namespace velune
