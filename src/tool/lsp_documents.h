#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "story/disk_file_system.h"
#include "story/file_system.h"

namespace velune {

// The UTF-8 path that a file:// URI names, percent-encoding decoded; nothing for another
// scheme or a malformed URI.
std::optional<std::string> PathOfUri(std::string_view uri);
// The file:// URI of a path, every byte but letters, digits, "-._~" and "/" percent-encoded.
std::string UriOfPath(const std::string& path);
// The path in one spelling, so that the paths of the game and of the editor compare equal.
std::string NormalPath(const std::string& path);

// The game folder that a story file lies in: the folder that holds the nearest folder
// named dat (in any letter case) above it. Nothing when there is none.
std::optional<std::string> GameFolderOf(const std::string& path);

// The lines of an editor's text, split at CR LF, LF or a lone CR as the game splits them;
// a line end at the end adds an empty last line, as editors count lines.
std::vector<std::string_view> EditorLines(std::string_view text);

// The bytes the game would read if the editor's `text` were saved as the file `disk`
// (its bytes on disk, nothing for a new file) is encoded: UTF-8 with its byte-order mark
// after one, UTF-8 without it when the file is UTF-8 without it, and code page 932 else.
std::string SavedBytes(const std::string& text, const std::optional<std::string>& disk);

// The files the editor has open, with their unsaved text, over the files of the disk: the
// checker reads an open file as the bytes it would have if it were saved now.
class OpenDocuments : public FileSystem {
 public:
  // `uri` is kept as the editor wrote it, to answer in its own spelling.
  void Open(const std::string& path, const std::string& uri, const std::string& text);
  void Change(const std::string& path, const std::string& text);
  // The file was saved: its encoding is read from the disk afresh.
  void Saved(const std::string& path);
  void Close(const std::string& path);
  // The editor's text of an open file; nothing for a file it does not have open.
  const std::string* Text(const std::string& path) const;
  // The URI of a file: the editor's own for an open file.
  std::string Uri(const std::string& path) const;

  std::unique_ptr<ByteSource> OpenRead(const std::string& path) override;
  bool IsFile(const std::string& path) override;
  bool IsFolder(const std::string& path) override;
  std::vector<std::string> List(const std::string& folder) override;

 private:
  struct Document {
    std::string uri;
    std::string text;
    std::optional<std::string> disk;  // the bytes on disk when the encoding was chosen
    std::string bytes;
  };
  const Document* Find(const std::string& path) const;
  std::optional<std::string> DiskBytes(const std::string& path);

  std::map<std::string, Document> documents_;  // by NormalPath
  DiskFileSystem disk_;
};

}  // namespace velune
