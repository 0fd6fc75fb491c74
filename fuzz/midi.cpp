// The tune's length and instruments, read from any bytes at all.
#include "fuzz_input.h"
#include "media/midi_length.h"

static void Fuzz(velune::fuzz::FuzzInput& in) {
  const std::string bytes = in.Rest();
  const auto facts = velune::ReadMidiFacts(bytes);
  const auto length = velune::MidiLengthMs(bytes);
  FUZZ_CHECK(facts.has_value() == length.has_value());
  if (!facts) return;
  FUZZ_CHECK(facts->length_ms == *length);
  FUZZ_CHECK(facts->length_ms >= 0);
  if (facts->length_ticks == 0) FUZZ_CHECK(facts->length_ms == 0);
  for (const auto& program : facts->programs) {
    FUZZ_CHECK(program.channel >= 0 && program.channel < 16);
    FUZZ_CHECK(program.program >= 0 && program.program < 128);
    FUZZ_CHECK(program.bank >= 0 && program.bank < 128);
    FUZZ_CHECK((facts->channels >> program.channel) & 1);
  }
}
