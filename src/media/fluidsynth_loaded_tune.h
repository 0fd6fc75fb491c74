#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "media/fluidsynth_library.h"
#include "media/fluidsynth_tune_device.h"
#include "media/midi_length.h"
#include "media/rendered_tune.h"

namespace velune {

// A tune file as the FluidSynth device loads it.
struct TuneToLoad {
  std::string bytes;                         // a plain MIDI file in ticks per quarter note
  std::vector<MidiProgram> programs;         // the instruments that it uses
  std::uint64_t length_ticks = 0;            // its length
  std::int64_t length_ms = 0;                // the same in ms
  std::uint16_t channels = 0;                // the channels that it uses, one bit each
  std::optional<std::uint32_t> fixed_tempo;  // µs a quarter note held throughout, if any
};

// A tune loaded into FluidSynth. The members are deleted in the reverse order of their
// declaration: the sound output first, after which nothing renders any more.
struct LoadedTune {
  SettingsHandle settings;
  SynthHandle synth;                       // none once the tune is rendered whole
  PlayerHandle player;                     // the same
  std::unique_ptr<RenderedTune> rendered;  // the tune in memory, or none
  DriverHandle driver;                     // none without a sound output
};

// The steps of loading a tune, in order; each needs FluidSynth loaded.

// Makes the settings and the synthesizer as the options ask, and the player that drives
// it, holding the tune and calling `on_tick` with `data` as it moves on. Nothing when
// FluidSynth refuses any of them.
std::optional<LoadedTune> MakeSynthesizer(const FluidSynthTuneDevice::Options& options,
                                          const TuneToLoad& tune, handle_midi_tick_func_t on_tick,
                                          void* data);

// Loads the soundfont, showing the synthesizer only the presets that the tune can choose,
// and holds the tune's instruments ready. False when the file is no soundfont.
bool ReadyInstruments(LoadedTune& loaded, const TuneToLoad& tune, const std::string& soundfont);

// Renders the tune whole, and lets go of the synthesizer and the player; false when
// `go_on` turns false meanwhile.
bool RenderAhead(LoadedTune& loaded, std::int64_t length_ms, double sample_rate,
                 const std::function<bool()>& go_on);

// Starts the sound output of the options, trying the drivers in turn: of the rendered
// tune, or else of the synthesizer. Answers the driver that started, empty for an offline
// device; nothing when none starts.
std::optional<std::string> StartOutput(LoadedTune& loaded,
                                       const FluidSynthTuneDevice::Options& options);

}  // namespace velune
