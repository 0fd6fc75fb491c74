#pragma once

#include <string>
#include <vector>

namespace velune {

// Where `now` is `before` with one entry taken out (a gift given), the index of that
// entry, which the window takes out alone so that the list keeps its place; else -1.
inline int RemovedEntry(const std::vector<std::string>& before,
                        const std::vector<std::string>& now) {
  if (before.size() != now.size() + 1) return -1;
  std::size_t i = 0;
  while (i < now.size() && before[i] == now[i]) ++i;
  for (std::size_t j = i; j < now.size(); ++j) {
    if (before[j + 1] != now[j]) return -1;
  }
  return static_cast<int>(i);
}

}  // namespace velune
