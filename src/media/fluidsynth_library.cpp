#include "media/fluidsynth_library.h"

#include <dlfcn.h>

#include <optional>

namespace velune {
namespace {

// The library's name as the system's loader knows it, from the build.
constexpr const char* kLibraryName = VELUNE_FLUIDSYNTH_LIBRARY;

std::optional<FluidSynthLibrary> Open() {
  // Never closed: its threads and log handlers may outlive any owner.
  void* handle = dlopen(kLibraryName, RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) return std::nullopt;
  FluidSynthLibrary library;
  bool complete = true;
#define VELUNE_FLUIDSYNTH_RESOLVE(name)                                          \
  library.name = reinterpret_cast<decltype(library.name)>(dlsym(handle, #name)); \
  complete = complete && library.name != nullptr;
  VELUNE_FLUIDSYNTH_FUNCTIONS(VELUNE_FLUIDSYNTH_RESOLVE)
#undef VELUNE_FLUIDSYNTH_RESOLVE
  if (!complete) return std::nullopt;
  return library;
}

}  // namespace

const FluidSynthLibrary* FluidSynthLibrary::Load() {
  static const std::optional<FluidSynthLibrary> library = Open();
  return library ? &*library : nullptr;
}

}  // namespace velune
