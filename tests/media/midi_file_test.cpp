#include "media/midi_file.h"

#include <gtest/gtest.h>

#include <tuple>

#include "midi_bytes.h"

namespace velune {
namespace {

using namespace velune::testing;

TEST(PlainMidiFile, LeavesOutAlienChunksAndUnwrapsRiffMidiFiles) {
  const std::string first = NoteOn(0, 60) + EndOfTrack(10);
  const std::string second = NoteOn(5, 62) + EndOfTrack(0);
  const std::string plain = Midi(1, 96, {first, second});
  const std::string header = plain.substr(0, 14);
  const std::string alien = Chunk("XFIH", "odd") + Chunk("\x01\xFE\xFF\x80", "");
  const std::string with_aliens = header + alien + Track(first) + alien + Track(second);
  // Files and the plain file that they hold; nothing when none.
  const std::tuple<const char*, std::string, std::optional<std::string>> cases[] = {
      {"plain", plain, plain},
      {"alien chunks between", with_aliens, plain},
      {"all that follows the last track", plain + alien + "MTrk", plain},
      {"RIFF", Rmid(RiffChunk("data", plain)), plain},
      {"RIFF with other chunks",
       Rmid(RiffChunk("LIST", "INFOodd") + RiffChunk("data", with_aliens) + RiffChunk("DISP", "")),
       plain},
      {"nothing", "", std::nullopt},
      {"an alien chunk before the header", alien + plain, std::nullopt},
      {"cut short", header + Track(first) + Chunk("XFIH", "abc").substr(0, 10), std::nullopt},
      {"one track of two", header + Track(first) + alien, std::nullopt},
      {"RIFF without data", Rmid(RiffChunk("LIST", "INFO")), std::nullopt},
      {"RIFF cut short", Rmid(RiffChunk("data", plain)).substr(0, 30), std::nullopt},
      {"RIFF of a WAVE", RiffChunk("RIFF", "WAVE" + RiffChunk("data", plain)), std::nullopt},
  };
  for (const auto& [name, file, held] : cases) EXPECT_EQ(PlainMidiFile(file), held) << name;
}

}  // namespace
}  // namespace velune
