#include "tool/scripted_player.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <optional>

#include "media/mci_interpreter.h"
#include "media/virtual_tune_device.h"
#include "story/disk_file_system.h"
#include "story/game.h"
#include "story/translation.h"
#include "tool/headless_pictures.h"
#include "tool/snapshot.h"
#include "tool/virtual_clock.h"

namespace velune {
namespace {

std::string JsonLine(std::int64_t t, const char* key, const std::string& value) {
  nlohmann::ordered_json j;
  j["t"] = t;
  j[key] = value;
  return j.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

// Passes music commands on, printing each one first when asked to.
class TracingMci : public MciPort {
 public:
  TracingMci(MciPort& inner, const VirtualClock& clock, std::ostream* trace)
      : inner_(inner), clock_(clock), trace_(trace) {}
  int SendString(std::string_view command, char* reply, int reply_length) override {
    if (trace_ != nullptr) *trace_ << JsonLine(clock_.Now(), "mci", std::string(command)) << '\n';
    return inner_.SendString(command, reply, reply_length);
  }

 private:
  MciPort& inner_;
  const VirtualClock& clock_;
  std::ostream* trace_;
};

class Run {
 public:
  Run(bool trace_mci, std::ostream& out)
      : out_(out), trace_mci_(trace_mci), tracing_(mci_, clock_, trace_mci ? &out : nullptr) {}

  // Start-up as the window does it: load, the first layout pass, the first new game.
  bool Start(const std::string& game_dir) {
    game_.Form_Load(game_dir);
    game_.ShowPicture("");
    game_.Form_Activate();
    return Alive();
  }

  bool Wait(std::int64_t ms) {
    const std::int64_t until = clock_.Now() + ms;
    restart_due_.reset();
    SkipIdlePolls(until);
    return clock_.AdvanceTo(until, [&](TimerId id) {
      game_.Tick(id);
      if (id != TimerId::kBgmCheck) restart_due_.reset();
      if (!Alive()) return false;
      SkipIdlePolls(until);
      return true;
    });
  }

  // False once the game has hit an error; the error line is then printed.
  bool Alive() {
    if (!game_.Error()) return true;
    if (!reported_) out_ << JsonLine(clock_.Now(), "error", *game_.Error()) << '\n';
    reported_ = true;
    return false;
  }

  // While the tune's poll is the only timer that ticks, a wait of years would run a poll
  // a second, nearly all for nothing: a poll that finds the tune playing, or no tune open,
  // does nothing, and one that finds it stopped starts it again, so that the restarts
  // come at a fixed period. The polls that do nothing are skipped, and so are whole
  // periods of restarts up to the last restart before `until`, which runs: the tune then
  // stands exactly as though every poll had run. Nothing is skipped while the music
  // commands are traced, since every poll prints its command.
  void SkipIdlePolls(std::int64_t until) {
    constexpr TimerId kPoll = TimerId::kBgmCheck;
    if (trace_mci_ || clock_.Fires(TimerId::kTimIve) || clock_.Fires(TimerId::kTimQst) ||
        !clock_.Fires(kPoll) || clock_.Due(kPoll) > until) {
      restart_due_.reset();
      return;
    }
    const std::int64_t interval = clock_.Interval(kPoll);
    const auto polls_due = [&] { return (until - clock_.Due(kPoll)) / interval + 1; };
    const TuneDevice::Mode mode = mci_.Mode();
    if (mode == TuneDevice::Mode::kClosed) {
      clock_.SkipTicks(kPoll, polls_due());
      return;
    }
    if (mode == TuneDevice::Mode::kPlaying) {
      const std::int64_t due = clock_.Due(kPoll);
      const std::int64_t end = tune_.PlaysUntil().value_or(due);
      const std::int64_t playing = end > due ? (end - due + interval - 1) / interval : 0;
      clock_.SkipTicks(kPoll, std::min(playing, polls_due()));
      if (clock_.Due(kPoll) > until) return;
    }
    // The poll due finds the tune stopped and starts it again. Once one such restart is
    // known, every later one comes a period after the one before: on to the last of them
    // before `until`.
    const std::int64_t due = clock_.Due(kPoll);
    if (restart_due_ && *restart_due_ < due) {
      const std::int64_t period = (due - *restart_due_) / interval;
      clock_.SkipTicks(kPoll, (polls_due() - 1) / period * period);
    }
    restart_due_ = clock_.Due(kPoll);
  }

  std::int64_t Now() const { return clock_.Now(); }
  Game& game() { return game_; }
  TuneDevice::Mode Music() { return mci_.Mode(); }

 private:
  std::ostream& out_;
  bool trace_mci_;
  std::optional<std::int64_t> restart_due_;  // when the last known restart of the tune came
  VirtualClock clock_;
  VirtualTuneDevice tune_{[this] { return clock_.Now(); }};
  MciInterpreter mci_{tune_};
  TracingMci tracing_;
  DiskFileSystem files_;
  HeadlessPictures pictures_;
  Game game_{GamePorts{files_, pictures_, tracing_, clock_}};
  bool reported_ = false;
};

}  // namespace

int PlayScript(const std::string& game_dir, const std::vector<Action>& script, bool trace_mci,
               std::ostream& out, std::ostream& err) {
  Run run(trace_mci, out);
  if (!run.Start(game_dir)) return kRunGameError;
  Game& game = run.game();
  for (const Action& action : script) {
    switch (action.kind) {
      case Action::Kind::kWait:
        if (!run.Wait(action.value)) return kRunGameError;
        continue;
      case Action::Kind::kClick:
        game.Lbl_MouseDown(static_cast<int>(action.value));
        break;
      case Action::Kind::kSelect:
        if (!game.Lst_Select(static_cast<int>(action.value))) {
          out.flush();
          err << Tr("run", "script line %1: select %2: the gift list has %3 entries at this moment")
                     .Arg(action.line)
                     .Arg(action.value)
                     .Arg(game.Controls().lst.entries.size())
                     .Text()
              << "\n";
          return kRunBadScript;
        }
        break;
      case Action::Kind::kGive:
        game.AddCom_Click();
        break;
      case Action::Kind::kAbout:
        out << JsonLine(run.Now(), "about", game.Img_Click()) << '\n';
        break;
      case Action::Kind::kShow:
        out << SnapshotLine(run.Now(), game, run.Music()) << '\n';
        break;
      case Action::Kind::kClose:
        game.Form_Unload();
        return kRunOk;
    }
    if (!run.Alive()) return kRunGameError;
  }
  game.Form_Unload();  // the end of the script closes the window
  return kRunOk;
}

}  // namespace velune
