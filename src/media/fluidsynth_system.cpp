#include "media/fluidsynth_system.h"

#include <algorithm>
#include <mutex>

#include "media/alsa_messages.h"

namespace velune {
namespace {

// General MIDI soundfonts where Debian and other systems install them; tried after the
// soundfont that FluidSynth itself loads by default.
constexpr const char* kSoundfontPlaces[] = {
    "/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf3/default-GM.sf3",
    "/usr/share/soundfonts/default.sf2",    "/usr/share/sounds/sf2/FluidR3_GM.sf2",
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
};

// Sound outputs in the order they are tried: the desktop's sound server first (PulseAudio,
// which PipeWire also serves, then PipeWire's own), then the driver that FluidSynth
// chooses by default, then the sound systems of Linux and macOS. Never the drivers that
// write a file or need a studio sound server.
constexpr const char* kSoundServers[] = {"pulseaudio", "pipewire"};
constexpr const char* kSoundSystems[] = {"alsa", "coreaudio"};
constexpr const char* kNeverTried[] = {"file", "jack"};

std::vector<std::string> AudioDrivers(fluid_settings_t* settings) {
  std::vector<std::string> drivers;
  Fluid().fluid_settings_foreach_option(
      settings, "audio.driver", &drivers, [](void* data, const char*, const char* option) {
        static_cast<std::vector<std::string>*>(data)->push_back(option);
      });
  return drivers;
}

std::string StringSetting(fluid_settings_t* settings, const char* name) {
  char value[1024] = "";
  if (Fluid().fluid_settings_copystr(settings, name, value, sizeof value) != FLUID_OK) return {};
  return value;
}

}  // namespace

const FluidSynthLibrary* LoadQuietFluidSynth() {
  const FluidSynthLibrary* library = FluidSynthLibrary::Load();
  if (library == nullptr) return nullptr;
  static std::once_flag once;
  std::call_once(once, [library] {
    for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level) {
      library->fluid_set_log_function(level, nullptr, nullptr);
    }
    SilenceAlsaMessages();
  });
  return library;
}

std::string FindSoundfont() {
  if (LoadQuietFluidSynth() == nullptr) return {};
  std::vector<std::string> places;
  if (const SettingsHandle settings{Fluid().new_fluid_settings()}) {
    places.push_back(StringSetting(settings.get(), "synth.default-soundfont"));
  }
  places.insert(places.end(), std::begin(kSoundfontPlaces), std::end(kSoundfontPlaces));
  for (const std::string& place : places) {
    if (!place.empty() && Fluid().fluid_is_soundfont(place.c_str())) return place;
  }
  return {};
}

std::vector<std::string> OutputDrivers(fluid_settings_t* settings) {
  const std::vector<std::string> built_in = AudioDrivers(settings);
  std::vector<std::string> order;
  const auto add = [&](const std::string& driver) {
    const bool known = std::find(built_in.begin(), built_in.end(), driver) != built_in.end();
    const bool listed = std::find(order.begin(), order.end(), driver) != order.end();
    const bool refused =
        std::find(std::begin(kNeverTried), std::end(kNeverTried), driver) != std::end(kNeverTried);
    if (known && !listed && !refused) order.push_back(driver);
  };
  for (const char* driver : kSoundServers) add(driver);
  add(StringSetting(settings, "audio.driver"));
  for (const char* driver : kSoundSystems) add(driver);
  return order;
}

}  // namespace velune
