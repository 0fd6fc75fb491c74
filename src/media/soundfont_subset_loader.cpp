#include "media/soundfont_subset_loader.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>

#include "media/fluidsynth_library.h"
#include "story/utf8_paths.h"

namespace velune {
namespace {

constexpr int kDrumChannel = 9;  // FluidSynth's default drum channel, counted from 0
constexpr int kDrumBank = 128;

// FluidSynth's file callbacks get a file name and nothing else, so the views are kept
// here under names made up for them. With dynamic sample loading a synthesizer opens its
// soundfont again by that name whenever a channel chooses an instrument, for as long as
// it lives; so a view is never forgotten. An equal view keeps the name of the first, so
// the registry holds one view for each soundfont and tune, a few kB each.
struct Registry {
  std::mutex mutex;
  std::map<std::string, std::unique_ptr<const SoundfontSubset>> views;
};

Registry& Views() {
  static Registry& registry = *new Registry;  // never destroyed: synths may outlive it
  return registry;
}

// The name under which the view is registered.
std::string Register(SoundfontSubset subset) {
  Registry& registry = Views();
  std::lock_guard lock(registry.mutex);
  for (const auto& [name, view] : registry.views) {
    if (*view == subset) return name;
  }
  std::string name =
      "velune-subset-" + std::to_string(registry.views.size() + 1) + ":" + subset.Path();
  registry.views.emplace(name, std::make_unique<const SoundfontSubset>(std::move(subset)));
  return name;
}

const SoundfontSubset* Find(const char* name) {
  Registry& registry = Views();
  std::lock_guard lock(registry.mutex);
  const auto found = registry.views.find(name);
  return found == registry.views.end() ? nullptr : found->second.get();
}

// An open view, as FluidSynth's file callbacks see it.
struct OpenView {
  const SoundfontSubset* view;
  std::ifstream original;
  std::uint64_t position = 0;
};

void* OpenFile(const char* name) {
  const SoundfontSubset* view = name == nullptr ? nullptr : Find(name);
  if (view == nullptr) return nullptr;
  const std::string& path = view->Path();
  auto file = std::make_unique<OpenView>(
      OpenView{view, std::ifstream(PathFromUtf8(path), std::ios::binary)});
  return file->original ? file.release() : nullptr;
}

int ReadFile(void* buffer, fluid_long_long_t count, void* handle) {
  auto* file = static_cast<OpenView*>(handle);
  if (count < 0 || !file->view->Read(file->original, file->position, static_cast<char*>(buffer),
                                     static_cast<std::size_t>(count))) {
    return FLUID_FAILED;
  }
  file->position += static_cast<std::uint64_t>(count);
  return FLUID_OK;
}

int SeekFile(void* handle, fluid_long_long_t offset, int origin) {
  auto* file = static_cast<OpenView*>(handle);
  const auto size = static_cast<fluid_long_long_t>(file->view->Size());
  fluid_long_long_t base = 0;
  if (origin == SEEK_CUR) {
    base = static_cast<fluid_long_long_t>(file->position);
  } else if (origin == SEEK_END) {
    base = size;
  } else if (origin != SEEK_SET) {
    return FLUID_FAILED;
  }
  if (offset < -base || offset > size - base) return FLUID_FAILED;
  file->position = static_cast<std::uint64_t>(base + offset);
  return FLUID_OK;
}

fluid_long_long_t TellFile(void* handle) {
  return static_cast<fluid_long_long_t>(static_cast<OpenView*>(handle)->position);
}

int CloseFile(void* handle) {
  delete static_cast<OpenView*>(handle);
  return FLUID_OK;
}

}  // namespace

std::vector<SoundfontPreset> TunePresets(const std::vector<MidiProgram>& programs) {
  std::vector<SoundfontPreset> wanted = {{0, 0}, {kDrumBank, 0}};
  for (const MidiProgram& program : programs) {
    if (program.channel == kDrumChannel) {
      wanted.push_back({kDrumBank, program.program});
    } else {
      wanted.push_back({program.bank, program.program});
      wanted.push_back({0, program.program});
    }
  }
  std::sort(wanted.begin(), wanted.end());
  wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());
  return wanted;
}

std::string AddSubsetLoader(fluid_synth_t* synth, fluid_settings_t* settings,
                            const std::string& soundfont,
                            const std::vector<SoundfontPreset>& wanted) {
  const FluidSynthLibrary* fluid = FluidSynthLibrary::Load();
  // A synth that holds a soundfont already would ignore the loader.
  if (fluid == nullptr || synth == nullptr || fluid->fluid_synth_sfcount(synth) != 0) {
    return soundfont;
  }
  std::optional<SoundfontSubset> subset = SoundfontSubset::Plan(soundfont, wanted);
  if (!subset) return soundfont;
  fluid_sfloader_t* loader = fluid->new_fluid_defsfloader(settings);
  if (loader == nullptr) return soundfont;
  if (fluid->fluid_sfloader_set_callbacks(loader, OpenFile, ReadFile, SeekFile, TellFile,
                                          CloseFile) != FLUID_OK) {
    fluid->delete_fluid_sfloader(loader);
    return soundfont;
  }
  // The synth owns the loader from here, and tries it before its own.
  fluid->fluid_synth_add_sfloader(synth, loader);
  return Register(std::move(*subset));
}

}  // namespace velune
