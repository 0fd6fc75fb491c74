// Velune: the game window on the story beside the program. It takes no command line.
#include "game/play_window.h"

int main(int argc, char** argv) { return velune::PlayInWindow(argc, argv, std::nullopt); }
