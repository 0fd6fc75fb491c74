#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "fake_ports.h"
#include "memory_files.h"
#include "story/game.h"

namespace velune::testing {

// A game in a folder in memory, with its timers driven by hand.
class GameTest : public ::testing::Test {
 protected:
  static constexpr char kDir[] = "/g";

  // Writes a story text file as UTF-8 with a byte-order mark, CR LF after each line.
  void Write(const std::string& relative, std::initializer_list<std::string> lines) {
    std::string bytes = "\xEF\xBB\xBF";
    for (const auto& line : lines) bytes += line + "\r\n";
    files.Add(std::string(kDir) + "/" + relative, bytes);
  }
  void Scene(const std::string& name, std::initializer_list<std::string> lines) {
    Write("dat/" + name + ".dat", lines);
  }
  void Gifts(std::initializer_list<std::string> lines) { Write("dat/lst.dat", lines); }

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
                                          std::initializer_list<std::string> next) {
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
  RecordingTimers timers;
  Game game{GamePorts{files, pictures, mci, timers}};
};

}  // namespace velune::testing
