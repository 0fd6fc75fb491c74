// The MCI command texts: any command text, with any reply buffer, reaches the tune device
// only as the commands that the interpreter knows, and a reply never goes past its buffer.
#include <cstring>
#include <memory>

#include "fuzz_input.h"
#include "media/mci_interpreter.h"

namespace {

using velune::TuneDevice;

// A device that keeps its state by the rules and checks that it is used by them.
class CheckedDevice : public TuneDevice {
 public:
  bool Open(const std::string& path) override {
    FUZZ_CHECK(!open_);  // the interpreter refuses a second open under an alias
    open_ = !path.empty() && path.size() % 3 != 0;
    playing_ = false;
    return open_;
  }
  void Close() override {
    FUZZ_CHECK(open_);
    open_ = false;
    playing_ = false;
  }
  void Play() override {
    FUZZ_CHECK(open_);
    playing_ = true;
  }
  void Stop() override {
    FUZZ_CHECK(open_);
    playing_ = false;
  }
  void SeekToStart() override {
    FUZZ_CHECK(open_);
    playing_ = false;
  }
  Mode GetMode() override {
    FUZZ_CHECK(open_);
    return playing_ ? Mode::kPlaying : Mode::kStopped;
  }
  bool IsOpen() const { return open_; }

 private:
  bool open_ = false;
  bool playing_ = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  velune::fuzz::FuzzInput in(data, size);
  CheckedDevice device;
  velune::MciInterpreter mci(device);
  while (!in.Empty()) {
    const int reply_length = static_cast<int>(in.Byte() % 24) - 2;  // -2 to 21
    const bool with_reply = in.Byte() % 4 != 0;
    const std::string command = in.String(200);
    // Exactly as long as promised, so that a write past it is caught.
    const std::size_t room = reply_length > 0 ? static_cast<std::size_t>(reply_length) : 0;
    auto reply = std::make_unique<char[]>(room + 1);
    reply[room] = '#';
    char* buffer = with_reply && room > 0 ? reply.get() : nullptr;
    const int result = mci.SendString(command, buffer, with_reply ? reply_length : 0);
    FUZZ_CHECK(reply[room] == '#');
    if (result == velune::MciInterpreter::kOk && buffer != nullptr) {
      FUZZ_CHECK(std::memchr(buffer, '\0', room) != nullptr);
    }
    FUZZ_CHECK((mci.Mode() == TuneDevice::Mode::kClosed) == !device.IsOpen());
  }
  return 0;
}
