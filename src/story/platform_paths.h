#pragma once

namespace velune {

// The separator of folder names in the paths this platform's files are opened by.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

}  // namespace velune
