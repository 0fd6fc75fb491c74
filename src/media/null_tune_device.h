#pragma once

#include "media/midi_length.h"
#include "media/tune_device.h"

namespace velune {

// The tune device of a machine that cannot sound: no sound output, no soundfont, no
// FluidSynth. It opens what is a tune and plays nothing, and it answers as if the tune
// played on from a play until it is stopped, so that nobody restarts it in vain; only a
// tune of no length is over at once.
class NullTuneDevice : public TuneDevice {
 public:
  bool Open(const std::string& path) override;
  // Opens a tune already read, of these facts.
  void OpenTune(const MidiFacts& facts);
  void Close() override;
  void Play() override;
  void Stop() override;
  void SeekToStart() override;
  Mode GetMode() override;

 private:
  bool open_ = false;
  bool playing_ = false;  // from a play until a stop or seek
  bool endless_ = false;  // the open tune has a length: it plays on
};

}  // namespace velune
