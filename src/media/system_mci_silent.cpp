#include "media/mci_interpreter.h"
#include "media/system_mci.h"

namespace velune {
namespace {

// Plays nothing and never opens: the game runs quietly.
class SilentTuneDevice : public TuneDevice {
 public:
  bool Open(const std::string&) override { return false; }
  void Close() override {}
  void Play() override {}
  void Stop() override {}
  void SeekToStart() override {}
  Mode GetMode() override { return Mode::kClosed; }
};

class SilentMci : public MciPort {
 public:
  int SendString(std::string_view command, char* reply, int reply_length) override {
    return interpreter_.SendString(command, reply, reply_length);
  }

 private:
  SilentTuneDevice device_;
  MciInterpreter interpreter_{device_};
};

}  // namespace

std::unique_ptr<MciPort> CreateSystemMci() { return std::make_unique<SilentMci>(); }

}  // namespace velune
