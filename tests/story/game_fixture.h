#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "memory_files.h"
#include "story/game.h"
#include "story/mci_port.h"
#include "story/picture_port.h"
#include "story/timers.h"

namespace velune::testing {

// Pictures that load when their path is in `loadable`.
class FakePictures : public PicturePort {
 public:
  bool Load(const std::string& path) override {
    loads.push_back(path);
    if (loadable.count(path) == 0) return false;
    current = path;
    return true;
  }
  void StretchToArea() override { drawn.push_back(current); }

  std::set<std::string> loadable;
  std::vector<std::string> loads;
  std::vector<std::string> drawn;  // what each redraw showed ("" before any picture)
  std::string current;
};

// Records every command and answers the status query with `status`.
class FakeMci : public MciPort {
 public:
  int SendString(std::string_view command, char* reply, int reply_length) override {
    commands.emplace_back(command);
    if (reply != nullptr && !status.empty()) {
      const std::size_t n = std::min(status.size(), static_cast<std::size_t>(reply_length));
      status.copy(reply, n);
      reply[n] = '\0';
    }
    return 0;
  }
  std::vector<std::string> commands;
  std::string status;
};

// Timers whose ticks the tests run by hand.
class HandTimers : public TimerPort {
 public:
  void Arm(TimerId, bool, int) override {}
};

// A game in a folder in memory, with its timers driven by hand.
class GameTest : public ::testing::Test {
 protected:
  static constexpr char kDir[] = "/g";

  // Writes a story text file as UTF-8 with a byte-order mark, CR LF after each line.
  void Write(const std::string& relative, const std::vector<std::string>& lines) {
    std::string bytes = "\xEF\xBB\xBF";
    for (const auto& line : lines) bytes += line + "\r\n";
    files.Add(std::string(kDir) + "/" + relative, bytes);
  }
  void Scene(const std::string& name, const std::vector<std::string>& lines) {
    Write("dat/" + name + ".dat", lines);
  }
  void Gifts(const std::vector<std::string>& lines) { Write("dat/lst.dat", lines); }

  // Start-up as the window does it.
  void Start() {
    game.Form_Load(kDir);
    game.ShowPicture("");
    game.Form_Activate();
  }
  // Runs n ticks of the scene reader, as its timer would while it is enabled.
  void Ticks(int n) {
    for (int i = 0; i < n && game.TimIve().Enabled() && game.TimIve().Interval() > 0; ++i) {
      game.TimIve_Timer();
    }
  }
  void PromptTicks(int n) {
    for (int i = 0; i < n && game.TimQst().Enabled(); ++i) game.TimQst_Timer();
  }
  // A fresh game in a fresh folder whose first scene asks for 花 worth `points`, given
  // rightly at once; scene 10, which follows, holds `next`.
  std::unique_ptr<Game> GiveRightlyAtOnce(const std::string& points,
                                          const std::vector<std::string>& next) {
    files = MemoryFiles();
    Gifts({"花"});
    Scene("00", {">花", points, "10", "10"});
    Scene("10", next);
    for (const char* ending : {"end1", "end2", "end3"}) Scene(ending, {"fin", ">end"});
    auto fresh = std::make_unique<Game>(GamePorts{files, pictures, mci, timers});
    fresh->Form_Load(kDir);
    fresh->Form_Activate();
    fresh->TimIve_Timer();
    fresh->Lst_Select(0);
    fresh->AddCom_Click();
    return fresh;
  }

  const std::string& Text() const { return game.Controls().lbl.caption; }
  const std::vector<std::string>& Items() const { return game.Controls().lst.entries; }
  std::string Error() const { return game.Error().value_or(""); }

  MemoryFiles files;
  FakePictures pictures;
  FakeMci mci;
  HandTimers timers;
  Game game{GamePorts{files, pictures, mci, timers}};
};

}  // namespace velune::testing
