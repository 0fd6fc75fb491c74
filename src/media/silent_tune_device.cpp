#include "media/system_tune_device.h"

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

}  // namespace

std::unique_ptr<TuneDevice> CreateSystemTuneDevice() { return std::make_unique<SilentTuneDevice>(); }

}  // namespace velune
