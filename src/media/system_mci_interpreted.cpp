#include <cstdlib>

#include "media/mci_interpreter.h"
#include "media/system_mci.h"
#include "media/tune_device_choice.h"

namespace velune {
namespace {

// The game's command texts, played on the tune device that VELUNE_MUSIC names: with
// FluidSynth on the system's sound output unless told otherwise. Where no sound can be
// made the game runs without music.
class InterpretedMci : public MciPort {
 public:
  explicit InterpretedMci(const char* music)
      : device_(CreateTuneDevice(music == nullptr ? "" : music)), interpreter_(*device_) {}

  int SendString(std::string_view command, char* reply, int reply_length) override {
    return interpreter_.SendString(command, reply, reply_length);
  }

 private:
  std::unique_ptr<TuneDevice> device_;
  MciInterpreter interpreter_;
};

}  // namespace

std::unique_ptr<MciPort> CreateSystemMci() {
  return std::make_unique<InterpretedMci>(std::getenv("VELUNE_MUSIC"));
}

}  // namespace velune
