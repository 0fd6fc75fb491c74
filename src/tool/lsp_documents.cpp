#include "tool/lsp_documents.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "story/ascii.h"
#include "story/cp932.h"
#include "story/text_decoding.h"
#include "story/utf8_paths.h"
#include "tool/text_file.h"

namespace velune {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kFileScheme = "file://";

bool Unreserved(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
         std::strchr("-._~/", c) != nullptr;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

class MemorySource : public ByteSource {
 public:
  explicit MemorySource(std::string bytes) : bytes_(std::move(bytes)) {}
  std::size_t Read(char* buffer, std::size_t size) override {
    const std::size_t n = std::min(size, bytes_.size() - at_);
    std::memcpy(buffer, bytes_.data() + at_, n);
    at_ += n;
    return n;
  }

 private:
  std::string bytes_;
  std::size_t at_ = 0;
};

}  // namespace

std::optional<std::string> PathOfUri(std::string_view uri) {
  if (uri.size() < kFileScheme.size() ||
      AsciiLowered(uri.substr(0, kFileScheme.size())) != kFileScheme) {
    return std::nullopt;
  }
  uri.remove_prefix(kFileScheme.size());
  const std::size_t slash = uri.find('/');
  if (slash == std::string_view::npos) return std::nullopt;
  const std::string_view host = uri.substr(0, slash);
  if (!host.empty() && AsciiLowered(host) != "localhost") return std::nullopt;
  uri.remove_prefix(slash);
  uri = uri.substr(0, uri.find_first_of("?#"));
  std::string path;
  for (std::size_t i = 0; i < uri.size(); ++i) {
    if (uri[i] != '%') {
      path += uri[i];
      continue;
    }
    if (i + 2 >= uri.size() || HexValue(uri[i + 1]) < 0 || HexValue(uri[i + 2]) < 0) {
      return std::nullopt;
    }
    path += static_cast<char>(HexValue(uri[i + 1]) * 16 + HexValue(uri[i + 2]));
    i += 2;
  }
  if (path.find('\0') != std::string::npos || SanitizeUtf8(path) != path) return std::nullopt;
#ifdef _WIN32
  // "/C:/story" names C:\story.
  if (path.size() > 2 && path[2] == ':') path.erase(0, 1);
#endif
  return path;
}

std::string UriOfPath(const std::string& path) {
  std::string generic = Utf8FromPath(PathFromUtf8(path).generic_u8string());
  if (generic.empty() || generic.front() != '/') generic.insert(0, "/");
  std::string uri(kFileScheme);
  constexpr char kHex[] = "0123456789ABCDEF";
  for (const char c : generic) {
    const auto byte = static_cast<unsigned char>(c);
    if (c != '\0' && Unreserved(c)) {
      uri += c;
    } else {
      uri += '%';
      uri += kHex[byte >> 4];
      uri += kHex[byte & 0xF];
    }
  }
  return uri;
}

std::string NormalPath(const std::string& path) {
  return Utf8FromPath(PathFromUtf8(path).lexically_normal().make_preferred());
}

std::optional<std::string> GameFolderOf(const std::string& path) {
  const std::filesystem::path file = PathFromUtf8(NormalPath(path));
  for (std::filesystem::path folder = file.parent_path();
       folder.has_relative_path() && folder != folder.parent_path();
       folder = folder.parent_path()) {
    if (AsciiLowered(Utf8FromPath(folder.filename())) == "dat") {
      return Utf8FromPath(folder.parent_path());
    }
  }
  return std::nullopt;
}

std::vector<std::string_view> EditorLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\n' && text[i] != '\r') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  lines.push_back(text.substr(start));
  return lines;
}

std::string SavedBytes(const std::string& text, const std::optional<std::string>& disk) {
  if (text.starts_with(kByteOrderMark)) return text;
  if (disk && disk->starts_with(kByteOrderMark)) return std::string(kByteOrderMark) + text;
  const bool ascii = disk && std::all_of(disk->begin(), disk->end(), [](char c) {
                       return static_cast<unsigned char>(c) < 0x80;
                     });
  if (disk && !ascii && SanitizeUtf8(*disk) == *disk) return text;
  return EncodeCp932(text);
}

void OpenDocuments::Open(const std::string& path, const std::string& uri, const std::string& text) {
  Document document{uri, text, DiskBytes(path), {}};
  document.bytes = SavedBytes(text, document.disk);
  documents_[NormalPath(path)] = std::move(document);
}

void OpenDocuments::Change(const std::string& path, const std::string& text) {
  const auto it = documents_.find(NormalPath(path));
  if (it == documents_.end()) return;
  it->second.text = text;
  it->second.bytes = SavedBytes(text, it->second.disk);
}

void OpenDocuments::Saved(const std::string& path) {
  const auto it = documents_.find(NormalPath(path));
  if (it == documents_.end()) return;
  it->second.disk = DiskBytes(path);
  it->second.bytes = SavedBytes(it->second.text, it->second.disk);
}

void OpenDocuments::Close(const std::string& path) { documents_.erase(NormalPath(path)); }

const OpenDocuments::Document* OpenDocuments::Find(const std::string& path) const {
  const auto it = documents_.find(NormalPath(path));
  return it == documents_.end() ? nullptr : &it->second;
}

const std::string* OpenDocuments::Text(const std::string& path) const {
  const Document* document = Find(path);
  return document ? &document->text : nullptr;
}

std::string OpenDocuments::Uri(const std::string& path) const {
  const Document* document = Find(path);
  return document ? document->uri : UriOfPath(path);
}

std::optional<std::string> OpenDocuments::DiskBytes(const std::string& path) {
  try {
    return ReadFileBytes(disk_, path);
  } catch (const std::runtime_error&) {
    return std::nullopt;
  }
}

std::unique_ptr<ByteSource> OpenDocuments::OpenRead(const std::string& path) {
  if (const Document* document = Find(path)) return std::make_unique<MemorySource>(document->bytes);
  return disk_.OpenRead(path);
}

bool OpenDocuments::IsFile(const std::string& path) {
  return Find(path) != nullptr || disk_.IsFile(path);
}

bool OpenDocuments::IsFolder(const std::string& path) { return disk_.IsFolder(path); }

std::vector<std::string> OpenDocuments::List(const std::string& folder) {
  std::vector<std::string> names = disk_.List(folder);
  std::filesystem::path parent = PathFromUtf8(NormalPath(folder));
  if (!parent.has_filename()) parent = parent.parent_path();
  for (const auto& [path, document] : documents_) {
    const std::filesystem::path file = PathFromUtf8(path);
    const std::string name = Utf8FromPath(file.filename());
    if (file.parent_path() == parent &&
        std::find(names.begin(), names.end(), name) == names.end()) {
      names.push_back(name);
    }
  }
  return names;
}

}  // namespace velune
