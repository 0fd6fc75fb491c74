#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace velune::bench {

// The bundled story and its playthroughs, where the sources lie.
std::filesystem::path SampleFolder();
std::filesystem::path PlaysFolder();

// A story folder with a gift list and a scene "00" of `lines` lines of story text in
// code page 932, CR LF at their ends, in pages of four lines and a page break. The text
// lines are those of the bundled story, over and over. Returns the scene file's path.
std::filesystem::path WriteLongScene(const std::filesystem::path& folder, std::size_t lines);

// A story folder whose scene "00" opens with a picture of width × height pixels, saved as
// a JPEG in grf/big.dat, then a page of text and a page break.
void WriteBigPictureStory(const std::filesystem::path& folder, int width, int height);

// The folder for the generated data: $VELUNE_BENCH_DATA, or a folder under the system's
// temporary folder.
std::filesystem::path DataFolder();

}  // namespace velune::bench
