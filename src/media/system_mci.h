#pragma once

#include <memory>

#include "story/mci_port.h"

namespace velune {

// The MCI port of this platform, for the window: the game's command texts played on the
// platform's tune device, or on nothing where no sound can be made.
std::unique_ptr<MciPort> CreateSystemMci();

}  // namespace velune
