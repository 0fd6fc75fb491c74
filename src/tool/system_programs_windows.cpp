#include "win32/windows_api.h"
// windows.h first.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "story/translation.h"
#include "story/utf8_paths.h"
#include "story/wide_text.h"
#include "tool/system_programs.h"

namespace velune {
namespace fs = std::filesystem;
namespace {

// One argument of a command line as Windows' programs split it again: in quotes, with
// the backslashes before a quote doubled.
std::wstring Quoted(const std::wstring& arg) {
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(2 * backslashes, L'\\');
  return quoted + L"\"";
}

}  // namespace

std::optional<std::string> FindProgram(const std::string& name) {
  const wchar_t* path = _wgetenv(L"PATH");
  const std::wstring folders = path ? path : L"";
  std::size_t start = 0;
  while (start < folders.size()) {
    std::size_t end = folders.find(L';', start);
    if (end == std::wstring::npos) end = folders.size();
    const fs::path candidate = fs::path(folders.substr(start, end - start)) / (name + ".exe");
    std::error_code error;
    if (end > start && fs::is_regular_file(candidate, error)) return Utf8FromPath(candidate);
    start = end + 1;
  }
  return std::nullopt;
}

int RunProgram(const std::vector<std::string>& args) {
  std::wstring command;
  for (const std::string& arg : args)
    command += (command.empty() ? L"" : L" ") + Quoted(WideFromUtf8(arg));
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(WideFromUtf8(args[0]).c_str(), command.data(), nullptr, nullptr, FALSE, 0,
                      nullptr, nullptr, &startup, &process)) {
    const DWORD error = GetLastError();
    throw std::runtime_error(
        Tr("tool", "cannot run %1 (Windows error %2)").Arg(args[0]).Arg(error));
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 1;
  GetExitCodeProcess(process.hProcess, &status);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(status);
}

TemporaryFile::TemporaryFile(const std::string& text) {
  wchar_t name[MAX_PATH];
  if (GetTempFileNameW(fs::temp_directory_path().wstring().c_str(), L"vel", 0, name) == 0) {
    const DWORD error = GetLastError();
    throw std::runtime_error(
        Tr("tool", "cannot create a temporary file (Windows error %1)").Arg(error));
  }
  path_ = Utf8FromPath(fs::path(name));
  std::ofstream file(PathFromUtf8(path_), std::ios::binary);
  file << text;
  if (!file.flush()) {
    DeleteFileW(name);
    throw std::runtime_error(Tr("tool", "cannot write the temporary file %1").Arg(path_));
  }
}

TemporaryFile::~TemporaryFile() {
  std::error_code ignored;
  fs::remove(PathFromUtf8(path_), ignored);
}

}  // namespace velune
