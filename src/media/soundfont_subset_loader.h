#pragma once

#include <fluidsynth.h>

#include <string>
#include <vector>

#include "media/midi_length.h"
#include "media/soundfont_subset.h"

namespace velune {

// The presets that FluidSynth may choose while it plays a tune of these program changes:
// the tune's own, on the drum channel from the drum bank (128); what FluidSynth falls back
// to when one is missing (a melodic program from bank 0, else bank 0's program 0; a drum
// kit missing, the standard kit 128:0); and what every channel starts on (0:0, and 128:0
// on the drum channel).
std::vector<SoundfontPreset> TunePresets(const std::vector<MidiProgram>& programs);

// Lets `synth` load a view of the soundfont file that holds only the `wanted` presets
// (soundfont_subset.h): adds to it a SoundFont loader of FluidSynth's own kind, made with
// `settings`, that reads the view. Must come before the synth loads any soundfont: it
// ignores loaders added later. Answers the name to pass to fluid_synth_sfload: the
// view's, or `soundfont` itself when no view can be planned (then nothing is added).
// Needs FluidSynth loaded (FluidSynthLibrary::Load()).
std::string AddSubsetLoader(fluid_synth_t* synth, fluid_settings_t* settings,
                            const std::string& soundfont,
                            const std::vector<SoundfontPreset>& wanted);

}  // namespace velune
