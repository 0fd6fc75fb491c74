// Velune: the game window on the story beside the program. Its one option is --version;
// Qt takes its own options, and any other argument is ignored.
#include <cstdio>
#include <string_view>

#include "game/play_window.h"
#include "story/user_languages.h"

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::string_view(argv[i]) == "--version") {
      std::puts("velune " VELUNE_VERSION);
      return 0;
    }
  }
  velune::SpeakUserLanguage();
  return velune::PlayInWindow(argc, argv, std::nullopt);
}
