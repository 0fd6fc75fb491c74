#pragma once

// The Japanese catalogue, compiled from translations/velune_ja.ts at build time
// (cmake/ts_catalogue.py): finished translations only, sorted by context, then source.

#include <span>

namespace velune {

struct CatalogueEntry {
  const char* context;
  const char* source;
  const char* translation;
};

std::span<const CatalogueEntry> JapaneseCatalogue();

}  // namespace velune
