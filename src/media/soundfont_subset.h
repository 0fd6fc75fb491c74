#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace velune {

// A preset of a soundfont as MIDI selects it.
struct SoundfontPreset {
  int bank = 0;     // 0 to 16383; 128 holds the drum kits
  int program = 0;  // 0 to 127
  bool operator==(const SoundfontPreset&) const = default;
  auto operator<=>(const SoundfontPreset&) const = default;
};

// A smaller view of an SF2 or SF3 soundfont that holds only some of its presets, for a
// synthesizer that reads every preset and instrument zone of the file it loads, however
// few of them a tune plays.
//
// The view is a file of its own: the original's bytes up to the end of its sample data,
// with the RIFF size patched, followed by a new preset data list that holds only the
// wanted presets, the instruments and sample headers that they use, renumbered. The
// sample headers keep their offsets: the samples are read from the original file, and
// sound exactly as there.
class SoundfontSubset {
 public:
  // Reads the RIFF headers and the preset data of the soundfont at `path` (never its
  // samples) and plans the view of the `wanted` presets that it holds. Nothing when the
  // file is no soundfont with its lists in the usual order (INFO, sdta, pdta), when it is
  // inconsistent in any way, or when it holds none of the wanted presets: then the whole
  // file is loaded as it is.
  static std::optional<SoundfontSubset> Plan(const std::string& path,
                                             const std::vector<SoundfontPreset>& wanted);

  const std::string& Path() const { return path_; }
  // The size of the view in bytes.
  std::uint64_t Size() const { return original_part_ + pdta_.size(); }
  // How many presets the view holds, and how many the original.
  int KeptPresets() const { return kept_presets_; }
  int OriginalPresets() const { return original_presets_; }

  // Copies `count` bytes at `offset` of the view to `buffer`: those of the original part
  // from `original`, a binary stream of Path(); the rest from memory. False when the range
  // goes past the end of the view or the original cannot be read.
  bool Read(std::istream& original, std::uint64_t offset, char* buffer, std::size_t count) const;

  bool operator==(const SoundfontSubset&) const = default;

 private:
  std::string path_;
  std::uint64_t original_part_ = 0;  // bytes from the start of the file to the end of sdta
  std::uint32_t riff_size_ = 0;      // the view's RIFF size field, at offset 4
  std::string pdta_;                 // the new preset data LIST, its header included
  int kept_presets_ = 0;
  int original_presets_ = 0;
};

}  // namespace velune
