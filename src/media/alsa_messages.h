#pragma once

namespace velune {

// Keeps the ALSA library from printing its errors on the console (it does when a sound
// output is tried on a machine without a sound card). Nothing where there is no ALSA.
void SilenceAlsaMessages();

}  // namespace velune
