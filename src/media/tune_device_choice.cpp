#include "media/tune_device_choice.h"

#include "media/fluidsynth_tune_device.h"
#include "media/null_tune_device.h"

namespace velune {

std::unique_ptr<TuneDevice> CreateTuneDevice(std::string_view name) {
  if (name == "null") return std::make_unique<NullTuneDevice>();
  return std::make_unique<FluidSynthTuneDevice>(FluidSynthTuneDevice::WindowOptions());
}

}  // namespace velune
