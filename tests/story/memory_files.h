#pragma once

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "story/file_system.h"

namespace velune::testing {

// A game folder in memory. Paths use '/', as the game builds them on this platform.
class MemoryFiles : public FileSystem {
 public:
  void Add(const std::string& path, std::string bytes) { files_[path] = std::move(bytes); }
  void Remove(const std::string& path) { files_.erase(path); }
  const std::string* Find(const std::string& path) const {
    const auto it = files_.find(path);
    return it == files_.end() ? nullptr : &it->second;
  }
  // Files open at this moment.
  int OpenNow() const { return *open_; }
  // Opens so far, to check that a picture redraw reads no file, for instance.
  int opens = 0;
  // Bytes handed out per Read call, to cross the reader's buffer edges in tests.
  std::size_t chunk = 1 << 20;

  std::unique_ptr<ByteSource> OpenRead(const std::string& path) override {
    ++opens;
    const auto it = files_.find(path);
    if (it == files_.end())
      throw std::runtime_error(IsFolder(path) ? "it is a folder" : "no such file");
    return std::make_unique<Source>(it->second, chunk, open_);
  }
  bool IsFile(const std::string& path) override { return files_.count(path) != 0; }
  bool IsFolder(const std::string& path) override {
    const std::string prefix = !path.empty() && path.back() == '/' ? path : path + "/";
    return std::any_of(files_.begin(), files_.end(),
                       [&](const auto& f) { return f.first.rfind(prefix, 0) == 0; });
  }
  std::vector<std::string> List(const std::string& folder) override {
    const std::string prefix = !folder.empty() && folder.back() == '/' ? folder : folder + "/";
    std::set<std::string> names;
    for (const auto& [path, bytes] : files_) {
      if (path.rfind(prefix, 0) != 0) continue;
      const std::string rest = path.substr(prefix.size());
      names.insert(rest.substr(0, rest.find('/')));
    }
    return {names.rbegin(), names.rend()};  // out of order, as a disk may list them
  }

 private:
  class Source : public ByteSource {
   public:
    Source(const std::string& bytes, std::size_t chunk, std::shared_ptr<int> open)
        : bytes_(bytes), chunk_(chunk), open_(std::move(open)) {
      ++*open_;
    }
    ~Source() override { --*open_; }
    Source(const Source&) = delete;
    Source& operator=(const Source&) = delete;
    std::size_t Read(char* buffer, std::size_t size) override {
      const std::size_t n = std::min({size, chunk_, bytes_.size() - pos_});
      std::memcpy(buffer, bytes_.data() + pos_, n);
      pos_ += n;
      return n;
    }

   private:
    std::string bytes_;
    std::size_t chunk_;
    std::shared_ptr<int> open_;
    std::size_t pos_ = 0;
  };
  std::map<std::string, std::string> files_;
  std::shared_ptr<int> open_ = std::make_shared<int>(0);
};

// Files as `Files` has them, except that those whose path holds `failing` fail when they
// are read past their bytes, as a bad sector would make them.
template <class Files>
struct FailingReads : Files {
  std::string failing = "\n";  // none, unless told: no path holds a line end
  std::unique_ptr<ByteSource> OpenRead(const std::string& path) override {
    struct Failing : ByteSource {
      std::unique_ptr<ByteSource> bytes;
      std::size_t Read(char* buffer, std::size_t size) override {
        if (const std::size_t n = bytes->Read(buffer, size)) return n;
        throw std::runtime_error("I/O error");
      }
    };
    auto failing_source = std::make_unique<Failing>();
    failing_source->bytes = Files::OpenRead(path);
    if (path.find(failing) == std::string::npos) return std::move(failing_source->bytes);
    return failing_source;
  }
};

}  // namespace velune::testing
