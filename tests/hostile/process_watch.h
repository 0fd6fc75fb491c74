#pragma once

#include <malloc.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define VELUNE_HEAP_FROM_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELUNE_HEAP_FROM_SANITIZER 1
#endif
#endif

#ifdef VELUNE_HEAP_FROM_SANITIZER
// AddressSanitizer keeps the heap itself; its runtime tells how much is in use.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace velune::testing {

// Bytes of heap memory in use by this process right now.
inline std::int64_t HeapInUse() {
#ifdef VELUNE_HEAP_FROM_SANITIZER
  return static_cast<std::int64_t>(__sanitizer_get_current_allocated_bytes());
#else
  const struct mallinfo2 info = ::mallinfo2();
  return static_cast<std::int64_t>(info.uordblks + info.hblkhd);
#endif
}

// The files that this process has open under `folder`, as the system lists them.
inline std::vector<std::string> OpenFilesUnder(const std::string& folder) {
  std::vector<std::string> open;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", error)) {
    const auto target = std::filesystem::read_symlink(entry.path(), error);
    if (!error && target.string().rfind(folder, 0) == 0) open.push_back(target.string());
  }
  return open;
}

// How many file descriptors this process has open.
inline int OpenDescriptors() {
  int count = 0;
  std::error_code error;
  for (auto it = std::filesystem::directory_iterator("/proc/self/fd", error);
       !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
    ++count;
  }
  return count;
}

}  // namespace velune::testing
