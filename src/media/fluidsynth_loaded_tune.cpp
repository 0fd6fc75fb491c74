#include "media/fluidsynth_loaded_tune.h"

#include <cstdlib>

#include "media/fluidsynth_system.h"
#include "media/rendered_tune_synth.h"
#include "media/soundfont_subset_loader.h"

namespace velune {
namespace {

// With dynamic sample loading an instrument is read from the soundfont when a channel
// first chooses it, and dropped when no channel holds it any more. The tune's program
// changes would do that on the audio thread, while it plays. So before the tune starts,
// the channels that it leaves unused hold its instruments, and their samples stay loaded.
constexpr int kChannels = 16;  // FluidSynth's player knows no more
constexpr int kDrumChannel = 9;
constexpr int kDrumBank = 128;

// FluidSynth's default of 0.2 leaves General MIDI tunes rather faint.
constexpr double kGain = 0.5;

// Background music needs no short latency: FluidSynth's largest periods wake the audio
// thread and the sound server's client least. The tune's own commands are not delayed: a
// stop or close drops what the sound server still holds.
constexpr int kPeriodFrames = 8192;
constexpr int kPeriods = 2;

// A background tune of a few instruments sounds a few dozen voices at once; FluidSynth's
// default of 256 holds memory for voices that never sound.
constexpr int kPolyphony = 128;

void Apply(fluid_settings_t* settings, const std::string& name, const std::string& value) {
  switch (Fluid().fluid_settings_get_type(settings, name.c_str())) {
    case FLUID_NUM_TYPE:
      Fluid().fluid_settings_setnum(settings, name.c_str(), std::strtod(value.c_str(), nullptr));
      break;
    case FLUID_INT_TYPE:
      Fluid().fluid_settings_setint(settings, name.c_str(),
                                    static_cast<int>(std::strtol(value.c_str(), nullptr, 10)));
      break;
    case FLUID_STR_TYPE:
      Fluid().fluid_settings_setstr(settings, name.c_str(), value.c_str());
      break;
    default:
      break;
  }
}

}  // namespace

std::optional<LoadedTune> MakeSynthesizer(const FluidSynthTuneDevice::Options& options,
                                          const TuneToLoad& tune, handle_midi_tick_func_t on_tick,
                                          void* data) {
  LoadedTune loaded;
  loaded.settings.reset(Fluid().new_fluid_settings());
  fluid_settings_t* settings = loaded.settings.get();
  if (settings == nullptr) return std::nullopt;
  Fluid().fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
  Fluid().fluid_settings_setint(settings, "synth.midi-channels", kChannels);
  // A reset between rounds of the tune would drop the instruments held ready.
  Fluid().fluid_settings_setint(settings, "player.reset-synth", 0);
  Fluid().fluid_settings_setnum(settings, "synth.gain", kGain);
  Fluid().fluid_settings_setnum(settings, "synth.sample-rate", options.sample_rate);
  Fluid().fluid_settings_setint(settings, "synth.polyphony", kPolyphony);
  Fluid().fluid_settings_setint(settings, "audio.period-size", kPeriodFrames);
  Fluid().fluid_settings_setint(settings, "audio.periods", kPeriods);
  for (const auto& [name, value] : options.settings) Apply(settings, name, value);
  loaded.synth.reset(Fluid().new_fluid_synth(settings));
  if (!loaded.synth) return std::nullopt;
  loaded.player.reset(Fluid().new_fluid_player(loaded.synth.get()));
  fluid_player_t* player = loaded.player.get();
  if (player == nullptr) return std::nullopt;
  Fluid().fluid_player_set_tick_callback(player, on_tick, data);
  if (Fluid().fluid_player_add_mem(player, tune.bytes.data(), tune.bytes.size()) != FLUID_OK) {
    return std::nullopt;
  }
  if (tune.fixed_tempo) {
    Fluid().fluid_player_set_tempo(player, FLUID_PLAYER_TEMPO_EXTERNAL_MIDI, *tune.fixed_tempo);
  }
  return loaded;
}

bool ReadyInstruments(LoadedTune& loaded, const TuneToLoad& tune, const std::string& soundfont) {
  // Checked first: a file that is no soundfont at all can make a loader complain.
  if (!Fluid().fluid_is_soundfont(soundfont.c_str())) return false;
  fluid_synth_t* synth = loaded.synth.get();
  // The synthesizer reads every preset of the soundfont it loads; it is shown only those
  // that the tune can choose.
  const std::string view =
      AddSubsetLoader(synth, loaded.settings.get(), soundfont, TunePresets(tune.programs));
  const int font = Fluid().fluid_synth_sfload(synth, view.c_str(), 1);
  if (font == FLUID_FAILED) return false;
  int spare = 0;
  for (const MidiProgram& program : tune.programs) {
    while (spare < kChannels && (spare == kDrumChannel || (tune.channels >> spare) & 1)) ++spare;
    if (spare == kChannels) break;
    const int bank = program.channel == kDrumChannel ? kDrumBank : program.bank;
    Fluid().fluid_synth_program_select(synth, spare++, font, bank, program.program);
  }
  return true;
}

bool RenderAhead(LoadedTune& loaded, std::int64_t length_ms, double sample_rate,
                 const std::function<bool()>& go_on) {
  loaded.rendered =
      RenderWholeTune(loaded.synth.get(), loaded.player.get(), length_ms, sample_rate, go_on);
  // Their work is done: what they hold goes before the sound output comes.
  loaded.player.reset();
  loaded.synth.reset();
  return loaded.rendered != nullptr;
}

std::optional<std::string> StartOutput(LoadedTune& loaded,
                                       const FluidSynthTuneDevice::Options& options) {
  if (options.offline) return std::string();
  fluid_settings_t* settings = loaded.settings.get();
  const std::vector<std::string> drivers =
      options.drivers.empty() ? OutputDrivers(settings) : options.drivers;
  for (const std::string& name : drivers) {
    // A driver that this FluidSynth lacks is refused here, and then not tried.
    if (Fluid().fluid_settings_setstr(settings, "audio.driver", name.c_str()) != FLUID_OK) {
      continue;
    }
    loaded.driver.reset(
        loaded.rendered
            ? Fluid().new_fluid_audio_driver2(settings, FillFromRenderedTune, loaded.rendered.get())
            : Fluid().new_fluid_audio_driver(settings, loaded.synth.get()));
    if (loaded.driver) return name;
  }
  return std::nullopt;
}

}  // namespace velune
