#include "media/alsa_messages.h"

namespace velune {

void SilenceAlsaMessages() {}

}  // namespace velune
