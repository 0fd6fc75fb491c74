#pragma once

#include <fluidsynth.h>

#include <memory>

namespace velune {

// The FluidSynth functions that the tune device calls.
#define VELUNE_FLUIDSYNTH_FUNCTIONS(F) \
  F(new_fluid_settings)                \
  F(delete_fluid_settings)             \
  F(fluid_settings_setint)             \
  F(fluid_settings_setnum)             \
  F(fluid_settings_setstr)             \
  F(fluid_settings_copystr)            \
  F(fluid_settings_get_type)           \
  F(fluid_settings_foreach_option)     \
  F(fluid_set_log_function)            \
  F(fluid_is_soundfont)                \
  F(new_fluid_synth)                   \
  F(delete_fluid_synth)                \
  F(fluid_synth_sfload)                \
  F(fluid_synth_sfcount)               \
  F(new_fluid_defsfloader)             \
  F(delete_fluid_sfloader)             \
  F(fluid_sfloader_set_callbacks)      \
  F(fluid_synth_add_sfloader)          \
  F(fluid_synth_program_select)        \
  F(fluid_synth_noteon)                \
  F(fluid_synth_noteoff)               \
  F(fluid_synth_bank_select)           \
  F(fluid_synth_program_change)        \
  F(fluid_synth_write_float)           \
  F(new_fluid_player)                  \
  F(delete_fluid_player)               \
  F(fluid_player_add_mem)              \
  F(fluid_player_set_tick_callback)    \
  F(fluid_player_play)                 \
  F(fluid_player_stop)                 \
  F(fluid_player_seek)                 \
  F(fluid_player_set_tempo)            \
  F(new_fluid_audio_driver)            \
  F(new_fluid_audio_driver2)           \
  F(delete_fluid_audio_driver)

// FluidSynth's shared library, loaded when the first tune is opened, on the tune device's
// worker: the program starts without it and the many libraries that it pulls in (sound
// servers, sound file codecs, GLib), which would slow the window's start; and a system
// without it plays without music.
struct FluidSynthLibrary {
#define VELUNE_FLUIDSYNTH_POINTER(name) decltype(&::name) name = nullptr;
  VELUNE_FLUIDSYNTH_FUNCTIONS(VELUNE_FLUIDSYNTH_POINTER)
#undef VELUNE_FLUIDSYNTH_POINTER

  // The library's functions, loaded by the first caller on any thread; nullptr when the
  // library or one of its functions is missing.
  static const FluidSynthLibrary* Load();
};

// Deletes a FluidSynth object with the library's own function for it.
template <auto kDelete>
struct FluidSynthDeleter {
  template <typename Object>
  void operator()(Object* object) const {
    (FluidSynthLibrary::Load()->*kDelete)(object);
  }
};

// FluidSynth's objects, each deleted with its owner.
using SettingsHandle =
    std::unique_ptr<fluid_settings_t, FluidSynthDeleter<&FluidSynthLibrary::delete_fluid_settings>>;
using SynthHandle =
    std::unique_ptr<fluid_synth_t, FluidSynthDeleter<&FluidSynthLibrary::delete_fluid_synth>>;
using PlayerHandle =
    std::unique_ptr<fluid_player_t, FluidSynthDeleter<&FluidSynthLibrary::delete_fluid_player>>;
using DriverHandle =
    std::unique_ptr<fluid_audio_driver_t,
                    FluidSynthDeleter<&FluidSynthLibrary::delete_fluid_audio_driver>>;

}  // namespace velune
