// Any MCI command text reaches the tune device only as a known command, a refused one not at
// all (but a failing open) and leaving the reply as it was; no reply goes past its buffer.

#include "fuzz_input.h"
#include "media/mci_interpreter.h"

// A device that keeps its state, checks that it is used by the rules, counts its calls.
struct CheckedDevice : velune::TuneDevice {
  bool Open(const std::string& path) override {
    playing = Call(!open, false);  // the interpreter refuses a second open under an alias
    return open = !path.empty() && path.size() % 3 != 0;
  }
  void Close() override { open = playing = Call(open, false); }
  void Play() override { playing = Call(open, true); }
  void Stop() override { playing = Call(open, false); }
  void SeekToStart() override { playing = Call(open, false); }
  Mode GetMode() override { return Call(open, playing) ? Mode::kPlaying : Mode::kStopped; }
  bool Call(bool allowed, bool answer) { return FUZZ_CHECK(allowed), ++calls, answer; }
  bool open = false, playing = false;
  int calls = 0;
};

static void Fuzz(velune::fuzz::FuzzInput& in) {
  CheckedDevice device;
  velune::MciInterpreter mci(device);
  while (!in.Empty()) {
    const int reply_length = static_cast<int>(in.Byte() % 24) - 2;  // -2 to 21
    const bool with_reply = in.Byte() % 4 != 0;
    const std::string command = in.String(200);
    // Exactly as long as promised, so that a write past it is caught.
    const std::size_t room = reply_length > 0 ? static_cast<std::size_t>(reply_length) : 0;
    auto reply = std::make_unique<char[]>(room + 1);
    std::memset(reply.get(), '#', room + 1);
    char* buffer = with_reply && room > 0 ? reply.get() : nullptr;
    const int calls = device.calls;
    const int result = mci.SendString(command, buffer, with_reply ? reply_length : 0);
    FUZZ_CHECK(reply[room] == '#');
    if (result != velune::MciInterpreter::kOk) {
      // Only an open that the device could not carry out reached it.
      FUZZ_CHECK(device.calls == calls + (result == velune::MciInterpreter::kCannotOpen));
      FUZZ_CHECK(std::string_view(reply.get(), room) == std::string(room, '#'));
    } else if (buffer != nullptr) {
      FUZZ_CHECK(std::memchr(buffer, '\0', room) != nullptr || reply[0] == '#');
    }
    FUZZ_CHECK((mci.Mode() == velune::TuneDevice::Mode::kClosed) == !device.open);
  }
}
