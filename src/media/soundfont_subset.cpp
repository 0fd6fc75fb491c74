#include "media/soundfont_subset.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <string_view>

#include "story/utf8_paths.h"

namespace velune {
namespace {

// More preset data than any General MIDI soundfont holds (FluidR3_GM's is under 1 MB).
constexpr std::uint64_t kLargestPdta = 64 * 1024 * 1024;

// The generators that name a record of the level below: a preset zone's instrument, an
// instrument zone's sample.
constexpr std::uint16_t kInstrument = 41;
constexpr std::uint16_t kSampleId = 53;

// Sample types whose wSampleLink names the other sample of a stereo pair (right, left,
// linked); the ROM and Ogg Vorbis flags may come with them.
constexpr std::uint16_t kLinkedTypes = 2 | 4 | 8;

std::uint16_t Word(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                    static_cast<unsigned char>(bytes[at + 1]) << 8);
}

std::uint32_t Dword(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint32_t>(Word(bytes, at)) |
         static_cast<std::uint32_t>(Word(bytes, at + 2)) << 16;
}

void SetWord(std::string& bytes, std::size_t at, std::size_t value) {
  bytes[at] = static_cast<char>(value & 0xFF);
  bytes[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

void AppendDword(std::string& bytes, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>((value >> shift) & 0xFF);
}

// One sub-chunk of the preset data: records of a fixed size, the terminal one last.
struct Records {
  std::string_view bytes;
  std::size_t size = 1;

  std::size_t Count() const { return bytes.size() / size; }
  std::string_view At(std::size_t index) const { return bytes.substr(index * size, size); }
  std::uint16_t WordOf(std::size_t index, std::size_t at) const { return Word(At(index), at); }
};

// The preset data's sub-chunks, in the order that the format requires.
enum Chunk { kPhdr, kPbag, kPmod, kPgen, kInst, kIbag, kImod, kIgen, kShdr, kChunks };
constexpr std::array<std::string_view, kChunks> kChunkIds = {"phdr", "pbag", "pmod", "pgen", "inst",
                                                             "ibag", "imod", "igen", "shdr"};
constexpr std::array<std::size_t, kChunks> kRecordSizes = {38, 4, 10, 4, 22, 4, 10, 4, 46};

// Splits the body of the pdta LIST (after its type) into its nine sub-chunks; false unless
// they come in order, each of whole records with at least the terminal one, and fill it.
bool Split(std::string_view body, std::array<Records, kChunks>& chunks) {
  std::size_t at = 0;
  for (int chunk = 0; chunk < kChunks; ++chunk) {
    if (body.size() - at < 8 || body.substr(at, 4) != kChunkIds[chunk]) return false;
    const std::uint32_t size = Dword(body, at + 4);
    at += 8;
    if (size > body.size() - at || size % kRecordSizes[chunk] != 0 || size == 0) return false;
    chunks[chunk] = {body.substr(at, size), kRecordSizes[chunk]};
    at += size;
  }
  return at == body.size();
}

// A level of the soundfont's hierarchy: the presets or the instruments, each a header
// whose zones (bags) hold generators and modulators.
struct Level {
  Records headers, bags, mods, gens;
  std::size_t bag_at;  // where a header holds the index of its first bag
  std::uint16_t link;  // the generator that names a record of the level below

  std::size_t FirstBag(std::size_t header) const { return headers.WordOf(header, bag_at); }
  std::size_t FirstGen(std::size_t bag) const { return bags.WordOf(bag, 0); }
  std::size_t FirstMod(std::size_t bag) const { return bags.WordOf(bag, 2); }

  // True when every index runs forward and stays in range, terminal records included.
  bool Consistent() const {
    const auto forward = [](const Records& records, std::size_t at, std::size_t limit) {
      for (std::size_t i = 0; i < records.Count(); ++i) {
        const std::size_t index = records.WordOf(i, at);
        if (index >= limit || (i > 0 && index < records.WordOf(i - 1, at))) return false;
      }
      return true;
    };
    return forward(headers, bag_at, bags.Count()) && forward(bags, 0, gens.Count()) &&
           forward(bags, 2, mods.Count());
  }

  // Marks the records of the level below that the chosen headers' zones name; false when
  // one is out of range (`below` holds one entry per record, the terminal one left out).
  bool MarkBelow(const std::vector<bool>& chosen, std::vector<bool>& below) const {
    for (std::size_t header = 0; header < chosen.size(); ++header) {
      if (!chosen[header]) continue;
      for (std::size_t bag = FirstBag(header); bag < FirstBag(header + 1); ++bag) {
        for (std::size_t gen = FirstGen(bag); gen < FirstGen(bag + 1); ++gen) {
          if (gens.WordOf(gen, 0) != link) continue;
          const std::size_t index = gens.WordOf(gen, 2);
          if (index >= below.size()) return false;
          below[index] = true;
        }
      }
    }
    return true;
  }

  // Appends the sub-chunks of the chosen headers to `out` (headers, bags, mods, gens),
  // each link renumbered to `renumbered`[its old index], and the terminal records.
  void Copy(const std::vector<bool>& chosen, const std::vector<std::size_t>& renumbered,
            std::array<std::string, 4>& out) const {
    // Plain references, not a structured binding: the lambda below captures them.
    std::string& new_headers = out[0];
    std::string& new_bags = out[1];
    std::string& new_mods = out[2];
    std::string& new_gens = out[3];
    const auto append = [](std::string& to, std::string_view record) {
      to.append(record.data(), record.size());
    };
    const auto append_bag = [&] {
      append(new_bags, std::string_view("\0\0\0\0", 4));
      SetWord(new_bags, new_bags.size() - 4, new_gens.size() / gens.size);
      SetWord(new_bags, new_bags.size() - 2, new_mods.size() / mods.size);
    };
    for (std::size_t header = 0; header < chosen.size(); ++header) {
      if (!chosen[header]) continue;
      append(new_headers, headers.At(header));
      SetWord(new_headers, new_headers.size() - headers.size + bag_at, new_bags.size() / 4);
      for (std::size_t bag = FirstBag(header); bag < FirstBag(header + 1); ++bag) {
        append_bag();
        for (std::size_t gen = FirstGen(bag); gen < FirstGen(bag + 1); ++gen) {
          append(new_gens, gens.At(gen));
          if (gens.WordOf(gen, 0) == link) {
            SetWord(new_gens, new_gens.size() - 2, renumbered[gens.WordOf(gen, 2)]);
          }
        }
        for (std::size_t mod = FirstMod(bag); mod < FirstMod(bag + 1); ++mod) {
          append(new_mods, mods.At(mod));
        }
      }
    }
    append(new_headers, headers.At(headers.Count() - 1));
    SetWord(new_headers, new_headers.size() - headers.size + bag_at, new_bags.size() / 4);
    append_bag();
    append(new_mods, mods.At(mods.Count() - 1));
    append(new_gens, gens.At(gens.Count() - 1));
  }
};

// The new index of each marked record: its rank among the marked ones.
std::vector<std::size_t> Renumber(const std::vector<bool>& marked) {
  std::vector<std::size_t> renumbered(marked.size());
  std::size_t next = 0;
  for (std::size_t i = 0; i < marked.size(); ++i) {
    if (marked[i]) renumbered[i] = next++;
  }
  return renumbered;
}

// Adds to the marked samples the other samples of their stereo pairs; false when a link
// is out of range.
bool MarkPartners(const Records& samples, std::vector<bool>& marked) {
  std::vector<std::size_t> todo;
  for (std::size_t i = 0; i < marked.size(); ++i) {
    if (marked[i]) todo.push_back(i);
  }
  while (!todo.empty()) {
    const std::size_t sample = todo.back();
    todo.pop_back();
    if ((samples.WordOf(sample, 44) & kLinkedTypes) == 0) continue;
    const std::size_t partner = samples.WordOf(sample, 42);
    if (partner >= marked.size()) return false;
    if (!marked[partner]) todo.push_back(partner);
    marked[partner] = true;
  }
  return true;
}

// The chunk header at `offset` of the file: its id, size and (for a LIST) type.
struct ChunkHeader {
  std::string id;
  std::uint32_t size = 0;
  std::string type;
};

std::optional<ChunkHeader> ReadChunkHeader(std::istream& file, std::uint64_t offset) {
  char bytes[12];
  file.seekg(static_cast<std::streamoff>(offset));
  if (!file.read(bytes, sizeof bytes)) return std::nullopt;
  const std::string_view view(bytes, sizeof bytes);
  return ChunkHeader{std::string(view.substr(0, 4)), Dword(view, 4), std::string(view.substr(8))};
}

}  // namespace

std::optional<SoundfontSubset> SoundfontSubset::Plan(const std::string& path,
                                                     const std::vector<SoundfontPreset>& wanted) {
  const std::filesystem::path file_path = PathFromUtf8(path);
  std::error_code error;
  const std::uint64_t file_size = std::filesystem::file_size(file_path, error);
  std::ifstream file(file_path, std::ios::binary);
  if (error || !file) return std::nullopt;

  // RIFF sfbk holding exactly LIST INFO, LIST sdta and LIST pdta, in this order, to the
  // end of the file (FluidSynth itself refuses a RIFF size other than the file's).
  const auto riff = ReadChunkHeader(file, 0);
  if (!riff || riff->id != "RIFF" || riff->type != "sfbk" ||
      std::uint64_t{riff->size} + 8 != file_size) {
    return std::nullopt;
  }
  std::uint64_t offset = 12;
  std::uint64_t pdta_size = 0;
  for (const char* type : {"INFO", "sdta", "pdta"}) {
    const auto list = ReadChunkHeader(file, offset);
    if (!list || list->id != "LIST" || list->type != type || list->size % 2 != 0 ||
        list->size < 4 || list->size > file_size - offset - 8) {
      return std::nullopt;
    }
    if (list->type == "pdta") {
      pdta_size = list->size;
      break;
    }
    offset += 8 + std::uint64_t{list->size};
  }
  if (offset + 8 + pdta_size != file_size || pdta_size > kLargestPdta) return std::nullopt;

  std::string body(static_cast<std::size_t>(pdta_size - 4), '\0');
  file.seekg(static_cast<std::streamoff>(offset + 12));
  if (!file.read(body.data(), static_cast<std::streamsize>(body.size()))) return std::nullopt;
  std::array<Records, kChunks> chunks;
  if (!Split(body, chunks)) return std::nullopt;
  const Level presets{chunks[kPhdr], chunks[kPbag], chunks[kPmod], chunks[kPgen], 24, kInstrument};
  const Level instruments{chunks[kInst], chunks[kIbag], chunks[kImod], chunks[kIgen], 20,
                          kSampleId};
  const Records& samples = chunks[kShdr];
  if (!presets.Consistent() || !instruments.Consistent()) return std::nullopt;

  // The wanted presets, then what they use down to the samples.
  const std::set<SoundfontPreset> wanted_set(wanted.begin(), wanted.end());
  std::vector<bool> chosen(presets.headers.Count() - 1);
  SoundfontSubset subset;
  for (std::size_t i = 0; i < chosen.size(); ++i) {
    const SoundfontPreset preset{presets.headers.WordOf(i, 22), presets.headers.WordOf(i, 20)};
    chosen[i] = wanted_set.contains(preset);
    subset.kept_presets_ += chosen[i] ? 1 : 0;
  }
  std::vector<bool> used_instruments(instruments.headers.Count() - 1);
  std::vector<bool> used_samples(samples.Count() - 1);
  if (subset.kept_presets_ == 0 || !presets.MarkBelow(chosen, used_instruments) ||
      !instruments.MarkBelow(used_instruments, used_samples) ||
      !MarkPartners(samples, used_samples)) {
    return std::nullopt;
  }

  std::array<std::string, 4> preset_chunks, instrument_chunks;
  presets.Copy(chosen, Renumber(used_instruments), preset_chunks);
  instruments.Copy(used_instruments, Renumber(used_samples), instrument_chunks);
  std::string new_samples;
  const std::vector<std::size_t> sample_numbers = Renumber(used_samples);
  for (std::size_t i = 0; i <= used_samples.size(); ++i) {
    if (i < used_samples.size() && !used_samples[i]) continue;
    new_samples.append(samples.At(i).data(), samples.size);
    if (i < used_samples.size() && (samples.WordOf(i, 44) & kLinkedTypes) != 0) {
      SetWord(new_samples, new_samples.size() - 4, sample_numbers[samples.WordOf(i, 42)]);
    }
  }

  // Indices are 16 bits wide: the terminal records' must fit too.
  const auto fits = [](const std::string& chunk, std::size_t record) {
    return chunk.size() / record - 1 <= 0xFFFF;
  };
  for (const auto* level : {&preset_chunks, &instrument_chunks}) {
    if (!fits((*level)[1], 4) || !fits((*level)[2], 10) || !fits((*level)[3], 4)) {
      return std::nullopt;
    }
  }
  if (!fits(instrument_chunks[0], 22)) return std::nullopt;

  const std::array<const std::string*, kChunks> parts = {
      &preset_chunks[0],     &preset_chunks[1],     &preset_chunks[2],
      &preset_chunks[3],     &instrument_chunks[0], &instrument_chunks[1],
      &instrument_chunks[2], &instrument_chunks[3], &new_samples};
  std::string lists = "pdta";
  for (int chunk = 0; chunk < kChunks; ++chunk) {
    lists += kChunkIds[chunk];
    AppendDword(lists, static_cast<std::uint32_t>(parts[chunk]->size()));
    lists += *parts[chunk];
  }
  subset.pdta_ = "LIST";
  AppendDword(subset.pdta_, static_cast<std::uint32_t>(lists.size()));
  subset.pdta_ += lists;

  subset.path_ = path;
  subset.original_part_ = offset;
  subset.riff_size_ = static_cast<std::uint32_t>(subset.Size() - 8);
  subset.original_presets_ = static_cast<int>(chosen.size());
  return subset;
}

bool SoundfontSubset::Read(std::istream& original, std::uint64_t offset, char* buffer,
                           std::size_t count) const {
  if (offset > Size() || count > Size() - offset) return false;
  std::size_t done = 0;
  if (offset < original_part_) {
    done = static_cast<std::size_t>(std::min<std::uint64_t>(count, original_part_ - offset));
    original.clear();
    original.seekg(static_cast<std::streamoff>(offset));
    if (!original.read(buffer, static_cast<std::streamsize>(done))) return false;
    // The RIFF size field, bytes 4 to 7.
    for (std::uint64_t at = std::max<std::uint64_t>(offset, 4); at < 8 && at < offset + done;
         ++at) {
      buffer[at - offset] = static_cast<char>((riff_size_ >> (8 * (at - 4))) & 0xFF);
    }
  }
  if (done < count) {
    std::memcpy(buffer + done, pdta_.data() + (offset + done - original_part_), count - done);
  }
  return true;
}

}  // namespace velune
