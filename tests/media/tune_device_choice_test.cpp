#include "media/tune_device_choice.h"

#include <gtest/gtest.h>

#include "media/fluidsynth_tune_device.h"
#include "media/null_tune_device.h"

namespace velune {
namespace {

TEST(TuneDeviceChoice, ByNameWithFluidSynthTheDefault) {
  EXPECT_NE(dynamic_cast<NullTuneDevice*>(CreateTuneDevice("null").get()), nullptr);
  for (const char* name : {"fluidsynth", "", "no-such-device"}) {
    EXPECT_NE(dynamic_cast<FluidSynthTuneDevice*>(CreateTuneDevice(name).get()), nullptr) << name;
  }
}

}  // namespace
}  // namespace velune
