#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>

#include "media/mci_interpreter.h"
#include "media/virtual_tune_device.h"
#include "midi_bytes.h"

namespace velune {
namespace {

class VirtualTuneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = std::filesystem::temp_directory_path() / ("velune-tune-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
  }
  void TearDown() override { std::filesystem::remove_all(folder); }
  std::string Write(const std::string& name, const std::string& bytes) {
    const auto path = folder / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
  }
  std::string Status() {
    std::array<char, 16> reply;
    reply.fill(' ');
    mci.SendString("status MIDI mode", reply.data(), 15);
    return std::string(reply.data(), 7);
  }

  std::filesystem::path folder;
  std::int64_t now = 0;
  VirtualTuneDevice device{[this] { return now; }};
  MciInterpreter mci{device};
};

TEST_F(VirtualTuneTest, PlaysForTheTunesLengthThenStops) {
  const std::string path = Write("bgm.mid", testing::TuneOfMs(2500));
  EXPECT_EQ(mci.SendString("open \"" + path + "\" alias MIDI", nullptr, 0), 0);
  EXPECT_EQ(mci.Mode(), TuneDevice::Mode::kStopped);
  mci.SendString("play MIDI notify", nullptr, 0);
  now = 2499;
  EXPECT_EQ(Status(), "playing");
  now = 2500;
  EXPECT_EQ(Status(), "stopped");
  mci.SendString("seek MIDI to start", nullptr, 0);
  mci.SendString("play MIDI from 0", nullptr, 0);
  now = 3000;
  EXPECT_EQ(Status(), "playing");
  mci.SendString("stop MIDI notify", nullptr, 0);
  EXPECT_EQ(Status(), "stopped");
  mci.SendString("close MIDI notify", nullptr, 0);
  EXPECT_EQ(mci.Mode(), TuneDevice::Mode::kClosed);
}

TEST_F(VirtualTuneTest, AMissingOrBrokenTuneNeverOpens) {
  for (const std::string& path :
       {folder.string() + "/none.mid", Write("bad.mid", "MThd garbage")}) {
    EXPECT_NE(mci.SendString("open \"" + path + "\" alias MIDI", nullptr, 0), 0);
    EXPECT_NE(mci.SendString("play MIDI notify", nullptr, 0), 0);
    EXPECT_EQ(Status(), "       ");  // no reply: the blanks stay
    EXPECT_EQ(mci.Mode(), TuneDevice::Mode::kClosed);
  }
}

TEST_F(VirtualTuneTest, ATuneOfNoLengthIsStoppedAtOnce) {
  mci.SendString("open \"" + Write("empty.mid", testing::TuneOfMs(0)) + "\" alias MIDI", nullptr,
                 0);
  mci.SendString("play MIDI notify", nullptr, 0);
  EXPECT_EQ(Status(), "stopped");
}

TEST_F(VirtualTuneTest, TheInterpreterRefusesWhatTheGameNeverSends) {
  mci.SendString("open \"" + Write("bgm.mid", testing::TuneOfMs(100)) + "\" alias MIDI", nullptr,
                 0);
  for (const char* command :
       {"", "   ", "dance MIDI", "play", "play OTHER", "play MIDI from 5", "seek MIDI",
        "status MIDI", "open \"unclosed alias MIDI", "stop MIDI now"}) {
    EXPECT_NE(mci.SendString(command, nullptr, 0), 0) << command;
  }
  EXPECT_EQ(Status(), "stopped");                                // nothing above started it
  EXPECT_EQ(mci.SendString("PLAY midi NOTIFY", nullptr, 0), 0);  // words are not case-sensitive
  EXPECT_EQ(Status(), "playing");
}

}  // namespace
}  // namespace velune
