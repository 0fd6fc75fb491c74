// The whole game on a fuzzed story folder, clicks, gifts and waits: by its rules or one error,
// one scene file open at most, and none once the window closes.

#include "story/game.h"
#include "fuzz_input.h"
#include "story/memory_files.h"
#include "story/text_decoding.h"
#include "tool/virtual_clock.h"

using velune::testing::MemoryFiles;

// Pictures "load" when their file exists and is not empty.
struct Pictures : velune::PicturePort {
  explicit Pictures(MemoryFiles& files) : folder(files) {}
  bool Load(const std::string& p) override { return folder.Find(p) && !folder.Find(p)->empty(); }
  void StretchToArea() override {}
  MemoryFiles& folder;
};

// A tune that answers the status query from the input: stopped, playing, or nothing.
struct Tune : velune::MciPort {
  explicit Tune(std::uint8_t bits) : pattern(bits) {}
  int SendString(std::string_view command, char* reply, int reply_length) override {
    FUZZ_CHECK(!command.empty());
    if (reply == nullptr) return 0;
    FUZZ_CHECK(reply_length > 0);
    static constexpr std::array<const char*, 4> kReplies{"stopped", "playing", "", "STOPPED!!!"};
    const std::string_view answer = kReplies[(pattern >> (2 * (polls++ % 4))) & 3];
    reply[answer.copy(reply, std::min<std::size_t>(answer.size(), reply_length - 1))] = '\0';
    return 0;
  }
  std::uint8_t pattern;
  unsigned polls = 0;
};

static std::string FileName(velune::fuzz::FuzzInput& in) {
  static constexpr std::array<const char*, 12> kNames{
      "dat/00.dat",   "dat/10.dat",  "dat/11.dat", "dat/12.dat", "dat/end1.dat", "dat/end2.dat",
      "dat/end3.dat", "dat/lst.dat", "grf/a.dat",  "grf/b.dat",  "dat/bgm.mid",  "dat/.dat"};
  const std::uint8_t pick = in.Byte();
  return pick < 240 ? kNames[pick % kNames.size()] : "dat/" + in.String(12) + ".dat";
}

static void CheckWhilePlaying(const velune::Game& game, const MemoryFiles& folder) {
  const auto& c = game.Controls();
  FUZZ_CHECK(folder.OpenNow() <= 1);  // one scene file at a time, the gift list only inside
  FUZZ_CHECK(!(game.TimIve().Enabled() && game.TimQst().Enabled()));
  FUZZ_CHECK(c.add_com.visible == game.TimQst().Enabled());
  FUZZ_CHECK(game.PageLines() >= 0 && game.PageLines() <= 5);
  FUZZ_CHECK(c.lst.selected >= -1 && c.lst.selected < static_cast<int>(c.lst.entries.size()));
  if (game.TimQst().Enabled()) FUZZ_CHECK(game.QstGlow() >= 1 && game.QstGlow() < 250);
  FUZZ_CHECK(velune::SanitizeUtf8(c.lbl.caption) == c.lbl.caption);
  FUZZ_CHECK(velune::SanitizeUtf8(c.love_lbl.caption) == c.love_lbl.caption);
  for (const auto& entry : c.lst.entries) FUZZ_CHECK(velune::SanitizeUtf8(entry) == entry);
}

static void Fuzz(velune::fuzz::FuzzInput& in) {
  MemoryFiles folder;
  for (int files = in.Byte() % 10; files > 0; --files) {
    const std::string name = FileName(in);
    folder.Add("/g/" + name, in.String(1024));
  }
  Pictures pictures(folder);
  Tune tune(in.Byte());
  velune::VirtualClock clock;
  velune::Game game({folder, pictures, tune, clock});
  game.Form_Load("/g");
  game.ShowPicture("");
  game.Form_Activate();
  std::optional<std::string> error = game.Error();

  while (!in.Empty() && clock.Now() < 60'000) {  // ms of play per input
    const std::uint8_t action = in.Byte();
    const int kind = action % 8;
    if (kind == 0) {
      clock.AdvanceTo(clock.Now() + 1 + in.Word() % 2000, [&](velune::TimerId id) {
        if (id == velune::TimerId::kTimIve) game.TimIve_Timer();
        if (id == velune::TimerId::kTimQst) game.TimQst_Timer();
        if (id == velune::TimerId::kBgmCheck) game.Bgm_Check_Timer();
        if (!game.Error()) CheckWhilePlaying(game, folder);
        return !game.Error();
      });
    }
    if (kind == 1) game.Lbl_MouseDown(1 << (in.Byte() % 3));  // 1 left, 2 right, 4 middle
    if (kind == 2) game.Lst_Select(in.Byte() % 8 - 1);
    if (kind == 3 || kind == 4) game.AddCom_Click();
    if (kind == 5) game.ShowPicture("");  // the window's layout pass
    if (kind == 6) FUZZ_CHECK(!game.Img_Click().empty());
    if (kind == 7) game.Lbl_MouseDown(action >> 3);  // any button number at all
    if (error) FUZZ_CHECK(game.Error() == error);    // the first error ends the game for good
    if (!error && (error = game.Error()))
      FUZZ_CHECK(!error->empty() && velune::SanitizeUtf8(*error) == *error);
    if (!error) CheckWhilePlaying(game, folder);
  }
  game.Form_Unload();
  FUZZ_CHECK(game.Ended());
  FUZZ_CHECK(folder.OpenNow() == 0);
}
