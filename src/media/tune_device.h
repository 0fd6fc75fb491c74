#pragma once

#include <string>

namespace velune {

// Something that plays one tune: the sound device behind the MCI command texts.
class TuneDevice {
 public:
  enum class Mode { kClosed, kStopped, kPlaying };

  virtual ~TuneDevice() = default;
  // Opens a tune file; false (and closed) when it is missing or not a playable tune.
  virtual bool Open(const std::string& path) = 0;
  virtual void Close() = 0;
  virtual void Play() = 0;
  virtual void Stop() = 0;
  virtual void SeekToStart() = 0;
  virtual Mode GetMode() = 0;
};

}  // namespace velune
