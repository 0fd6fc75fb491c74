#pragma once

#include <fluidsynth.h>

#include <string>
#include <vector>

#include "media/fluidsynth_library.h"

namespace velune {

// What this system offers FluidSynth: the library itself, a General MIDI soundfont and
// the sound outputs to try.

// FluidSynth's library, kept with the ALSA library from printing on the console (they do
// when a sound output is tried where there is none); nullptr without FluidSynth.
const FluidSynthLibrary* LoadQuietFluidSynth();

// FluidSynth's functions, once LoadQuietFluidSynth() has found them.
inline const FluidSynthLibrary& Fluid() { return *FluidSynthLibrary::Load(); }

// The soundfont that FluidSynth loads by default, or else the first General MIDI
// soundfont in the usual places; empty when there is none, or no FluidSynth.
std::string FindSoundfont();

// The audio drivers to try for sound output with these settings, best first.
std::vector<std::string> OutputDrivers(fluid_settings_t* settings);

}  // namespace velune
