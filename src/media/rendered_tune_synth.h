#pragma once

#include <fluidsynth.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "media/rendered_tune.h"

namespace velune {

// Renders with FluidSynth the tune that `player` holds, from its start to its end,
// `length_ms` later, and the echo of its last notes after that until it dies away.
// Nothing when `go_on` turns false meanwhile. Needs FluidSynth loaded.
std::unique_ptr<RenderedTune> RenderWholeTune(fluid_synth_t* synth, fluid_player_t* player,
                                              std::int64_t length_ms, double sample_rate,
                                              const std::function<bool()>& go_on);

// A sound output's call for more of a rendered tune (new_fluid_audio_driver2's
// fluid_audio_func_t), with the RenderedTune as its data.
int FillFromRenderedTune(void* tune, int count, int, float**, int outputs, float** out);

}  // namespace velune
