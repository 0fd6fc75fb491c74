#include <alsa/asoundlib.h>

#include "media/alsa_messages.h"

namespace velune {
namespace {

void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

void SilenceAlsaMessages() { snd_lib_error_set_handler(IgnoreAlsaError); }

}  // namespace velune
