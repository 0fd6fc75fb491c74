#include "media/midi_file.h"

#include <gtest/gtest.h>

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
  const std::string as_is[] = {
      plain,
      with_aliens,
      plain + alien + "MTrk",  // all that follows the last track
      Rmid(RiffChunk("data", plain)),
      Rmid(RiffChunk("LIST", "INFOodd") + RiffChunk("data", with_aliens) + RiffChunk("DISP", "")),
  };
  for (const std::string& file : as_is) EXPECT_EQ(PlainMidiFile(file), plain) << file.size();

  const std::string broken[] = {
      "",
      alien + plain,  // an alien chunk before the header
      header + Track(first) + Chunk("XFIH", "abc").substr(0, 10),  // cut short
      header + Track(first) + alien,                               // one track of two
      Rmid(RiffChunk("LIST", "INFO")),
      Rmid(RiffChunk("data", plain)).substr(0, 30),
      RiffChunk("RIFF", "WAVE" + RiffChunk("data", plain)),
  };
  for (const std::string& file : broken)
    EXPECT_EQ(PlainMidiFile(file), std::nullopt) << file.size();
}

}  // namespace
}  // namespace velune
