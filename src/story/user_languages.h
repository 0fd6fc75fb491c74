#pragma once

#include <string>
#include <vector>

#include "story/translation.h"

namespace velune {

// The user's languages in their order of preference, as the system reports them
// ("ja-JP", "en-US"): from the locale's settings, or the user's display languages on
// Windows and macOS. One file per platform.
std::vector<std::string> UserLanguages();

// Every program of ours starts with this: its messages speak the user's language.
inline void SpeakUserLanguage() { UseLanguage(ChooseLanguage(UserLanguages())); }

}  // namespace velune
