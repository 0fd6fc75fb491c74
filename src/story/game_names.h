#pragma once

namespace velune {

// The fixed names of the game folder: the tools take them from here.
inline constexpr char kDatFolder[] = "dat";       // scene files, the gift list, the tune
inline constexpr char kGrfFolder[] = "grf";       // pictures
inline constexpr char kDataExtension[] = ".dat";  // of scene, gift list and picture files
inline constexpr char kFirstScene[] = "00";
inline constexpr char kGiftListName[] = "lst";
inline constexpr char kTuneName[] = "bgm";
inline constexpr char kTuneExtension[] = ".mid";

}  // namespace velune
