#include "media/fluidsynth_tune_device.h"
#include "media/mci_interpreter.h"
#include "media/system_mci.h"

namespace velune {
namespace {

// The game's command texts, played with FluidSynth on the system's sound output. Where no
// sound can be made the device stays quiet and the game runs without music.
class FluidSynthMci : public MciPort {
 public:
  FluidSynthMci() : device_(FluidSynthTuneDevice::WindowOptions()), interpreter_(device_) {}

  int SendString(std::string_view command, char* reply, int reply_length) override {
    return interpreter_.SendString(command, reply, reply_length);
  }

 private:
  FluidSynthTuneDevice device_;
  MciInterpreter interpreter_;
};

}  // namespace

std::unique_ptr<MciPort> CreateSystemMci() { return std::make_unique<FluidSynthMci>(); }

}  // namespace velune
