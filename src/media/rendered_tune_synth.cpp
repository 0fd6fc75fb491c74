#include "media/rendered_tune_synth.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "media/fluidsynth_library.h"

namespace velune {
namespace {

// The echo of the last notes that is rendered after the tune's end, at most.
constexpr double kLongestEchoS = 3;
constexpr int kRenderBlock = 512;

}  // namespace

std::unique_ptr<RenderedTune> RenderWholeTune(fluid_synth_t* synth, fluid_player_t* player,
                                              std::int64_t length_ms, double sample_rate,
                                              const std::function<bool()>& go_on) {
  const FluidSynthLibrary& fluid = *FluidSynthLibrary::Load();
  const auto end = static_cast<std::size_t>(std::ceil(length_ms * sample_rate / 1000));
  const auto most = end + static_cast<std::size_t>(kLongestEchoS * sample_rate);
  std::vector<std::int16_t> frames;
  frames.reserve(2 * (most + kRenderBlock));  // all at once: growing would copy it
  float left[kRenderBlock];
  float right[kRenderBlock];
  fluid.fluid_player_play(player);
  while (frames.size() / 2 < most) {
    if (!go_on()) return nullptr;
    fluid.fluid_synth_write_float(synth, kRenderBlock, left, 0, 1, right, 0, 1);
    bool silent = true;
    for (int i = 0; i < kRenderBlock; ++i) {
      for (const float sample : {left[i], right[i]}) {
        const auto value =
            static_cast<std::int16_t>(std::lrint(std::clamp(sample, -1.0F, 1.0F) * 32767));
        silent = silent && value == 0;
        frames.push_back(value);
      }
    }
    if (silent && frames.size() / 2 >= end) break;  // the echo has died away
  }
  return std::make_unique<RenderedTune>(std::move(frames), end);
}

int FillFromRenderedTune(void* tune, int count, int, float**, int outputs, float** out) {
  if (outputs < 2) return FLUID_FAILED;
  static_cast<RenderedTune*>(tune)->Fill(out[0], out[1], count);
  return FLUID_OK;
}

}  // namespace velune
