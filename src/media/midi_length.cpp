#include "media/midi_length.h"

#include <algorithm>
#include <array>
#include <map>

#include "media/midi_file.h"

namespace velune {
namespace {

constexpr std::uint32_t kDefaultTempo = 500000;  // microseconds per quarter note (120 bpm)

class Bytes {
 public:
  explicit Bytes(std::string_view data) : data_(data) {}
  bool AtEnd() const { return pos_ >= data_.size(); }
  std::size_t Left() const { return data_.size() - pos_; }
  std::optional<std::uint8_t> U8() {
    if (AtEnd()) return std::nullopt;
    return static_cast<std::uint8_t>(data_[pos_++]);
  }
  std::optional<std::uint32_t> BigEndian(int size) {
    std::uint32_t value = 0;
    for (int i = 0; i < size; ++i) {
      const auto b = U8();
      if (!b) return std::nullopt;
      value = (value << 8) | *b;
    }
    return value;
  }
  // A variable-length quantity: at most four bytes of seven bits.
  std::optional<std::uint32_t> Vlq() {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
      const auto b = U8();
      if (!b) return std::nullopt;
      value = (value << 7) | (*b & 0x7F);
      if ((*b & 0x80) == 0) return value;
    }
    return std::nullopt;
  }
  bool Skip(std::size_t n) {
    if (n > Left()) return false;
    pos_ += n;
    return true;
  }
  std::string_view Take(std::size_t n) {
    const std::string_view out = data_.substr(pos_, n);
    pos_ += out.size();
    return out;
  }

 private:
  std::string_view data_;
  std::size_t pos_ = 0;
};

struct TrackScan {
  std::uint64_t last_tick = 0;
  std::multimap<std::uint64_t, std::uint32_t> tempos;  // tick -> microseconds per quarter
  std::vector<MidiProgram> programs;
  std::uint16_t channels = 0;
};

bool ScanTrack(std::string_view track, TrackScan& scan) {
  Bytes in(track);
  std::uint64_t tick = 0;
  std::uint8_t running = 0;
  std::array<int, 16> banks{};  // controller 0 of each channel, as far as read
  while (!in.AtEnd()) {
    const auto delta = in.Vlq();
    if (!delta) return false;
    tick += *delta;
    scan.last_tick = std::max(scan.last_tick, tick);
    auto status = in.U8();
    if (!status) return false;
    if (*status == 0xFF) {  // meta event
      const auto type = in.U8();
      const auto length = in.Vlq();
      if (!type || !length || *length > in.Left()) return false;
      const std::string_view body = in.Take(*length);
      if (*type == 0x51 && body.size() == 3) {
        Bytes tempo(body);
        scan.tempos.emplace(tick, *tempo.BigEndian(3));
      }
      if (*type == 0x2F) return true;  // end of track
      continue;
    }
    if (*status == 0xF0 || *status == 0xF7) {  // system exclusive
      const auto length = in.Vlq();
      if (!length || !in.Skip(*length)) return false;
      continue;
    }
    std::size_t data_bytes = 0;
    if (*status & 0x80) {
      running = *status;
    } else {
      if (running == 0) return false;
      data_bytes = 1;  // the byte read was already the first data byte
    }
    const std::uint8_t kind = running & 0xF0;
    const std::size_t needed = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
    std::array<std::uint8_t, 2> data{};
    if (data_bytes == 1) data[0] = *status;
    for (std::size_t i = data_bytes; i < needed; ++i) {
      const auto byte = in.U8();
      if (!byte) return false;
      data[i] = *byte;
    }
    const int channel = running & 0x0F;
    scan.channels |= static_cast<std::uint16_t>(1U << channel);
    if (kind == 0xB0 && data[0] == 0) banks[channel] = data[1] & 0x7F;
    if (kind == 0xC0) {
      const MidiProgram program{channel, banks[channel], data[0] & 0x7F};
      if (std::find(scan.programs.begin(), scan.programs.end(), program) == scan.programs.end()) {
        scan.programs.push_back(program);
      }
    }
  }
  return true;  // a track without an end-of-track event ends with its data
}

}  // namespace

std::optional<std::int64_t> MidiLengthMs(std::string_view file) {
  const auto facts = ReadMidiFacts(file);
  if (!facts) return std::nullopt;
  return facts->length_ms;
}

std::optional<MidiFacts> ReadMidiFacts(std::string_view file) {
  const auto plain = PlainMidiFile(file);
  if (!plain) return std::nullopt;
  Bytes in(*plain);
  if (in.Take(4) != "MThd") return std::nullopt;
  const auto header_length = in.BigEndian(4);
  if (!header_length || *header_length < 6) return std::nullopt;
  const auto format = in.BigEndian(2);
  const auto tracks = in.BigEndian(2);
  const auto division = in.BigEndian(2);
  if (!format || !tracks || !division || *format > 1 || *division == 0) return std::nullopt;
  if (!in.Skip(*header_length - 6)) return std::nullopt;

  TrackScan scan;
  for (std::uint32_t i = 0; i < *tracks; ++i) {
    if (in.Take(4) != "MTrk") return std::nullopt;
    const auto length = in.BigEndian(4);
    if (!length || *length > in.Left()) return std::nullopt;
    if (!ScanTrack(in.Take(*length), scan)) return std::nullopt;
  }

  // Exact integer arithmetic: tick counts times tempos, divided once at the end.
  std::uint64_t numerator = 0;
  std::uint64_t denominator = 0;
  bool overflow = false;
  const auto add_product = [&](std::uint64_t a, std::uint64_t b) {
    std::uint64_t product = 0;
    overflow = overflow || __builtin_mul_overflow(a, b, &product) ||
               __builtin_add_overflow(numerator, product, &numerator);
  };
  if (*division & 0x8000) {
    // SMPTE time: every tick lasts as long, whatever the tempo events say.
    const auto quarters = SmpteInQuarters(static_cast<std::uint16_t>(*division));
    if (!quarters) return std::nullopt;
    add_product(scan.last_tick, quarters->us_per_quarter);
    denominator = std::uint64_t{quarters->ticks_per_quarter} * 1000;  // microseconds to ms
  } else {
    std::uint64_t at = 0;
    std::uint64_t tempo = kDefaultTempo;
    for (const auto& [tick, new_tempo] : scan.tempos) {
      if (tick >= scan.last_tick) break;
      add_product(tick - at, tempo);
      at = tick;
      tempo = new_tempo;
    }
    add_product(scan.last_tick - at, tempo);
    denominator = static_cast<std::uint64_t>(*division) * 1000;  // microseconds to ms
  }
  if (overflow) return std::nullopt;
  MidiFacts facts;
  facts.length_ms =
      static_cast<std::int64_t>(numerator / denominator + (numerator % denominator != 0 ? 1 : 0));
  facts.length_ticks = scan.last_tick;
  facts.programs = std::move(scan.programs);
  facts.channels = scan.channels;
  return facts;
}

}  // namespace velune
