#pragma once

#include <istream>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <set>
#include <string>

#include "tool/ending_search.h"
#include "tool/lsp_documents.h"
#include "tool/lsp_framing.h"
#include "tool/lsp_positions.h"
#include "tool/story_model.h"

namespace velune {

class PicturePort;

// A Language Server Protocol server for the scene files of story folders: the checker's
// findings as diagnostics while the author types, and where a line leads, what can be
// written on it, what it does and how a scene is laid out. It reads JSON-RPC messages from
// `in`, answers on `out` and tells what goes wrong with the stream on `log`.
class LspServer {
 public:
  // A message longer than `largest_message` bytes is skipped, with an error in its place.
  LspServer(std::istream& in, std::ostream& out, std::ostream& log,
            std::size_t largest_message = kLargestMessage);
  ~LspServer();
  // Serves until `exit` or the end of the input: 0 after a `shutdown` request, else 1.
  int Run();

 private:
  struct CheckedStory {
    Story story;
    EndingSearch search;
    std::set<std::string> published;  // the files with findings last time, as paths
  };
  // A story file the editor names, with its story checked.
  struct Place {
    std::string path;
    std::string key;  // relative to the game folder: "dat/10.dat"
    CheckedStory* checked = nullptr;
  };

  // Handles one message; the exit status when it ends the server.
  std::optional<int> Handle(const std::string& body);
  nlohmann::json Answer(const std::string& method, const nlohmann::json& params);
  void Notice(const std::string& method, const nlohmann::json& params);
  nlohmann::json Initialize(const nlohmann::json& params);

  std::optional<Place> PlaceOf(const nlohmann::json& params);
  CheckedStory& Check(const std::string& game_dir);
  void Publish(CheckedStory& checked);
  // The editor's line (0 for the first) of a file: its own text when it is open.
  std::string LineText(const Place& place, std::size_t line) const;
  std::size_t Utf8Column(const Place& place, const nlohmann::json& position) const;
  nlohmann::json WholeLines(const Place& place, std::size_t first, std::size_t last) const;

  nlohmann::json Definition(const nlohmann::json& params);
  nlohmann::json Completion(const nlohmann::json& params);
  nlohmann::json Hover(const nlohmann::json& params);
  nlohmann::json Symbols(const nlohmann::json& params);

  void Send(const nlohmann::json& message);
  void SendError(const nlohmann::json& id, int code, const std::string& message);

  std::istream& in_;
  std::ostream& out_;
  std::ostream& log_;
  std::size_t largest_message_;
  bool initialized_ = false;
  bool shut_down_ = false;
  PositionUnits units_ = PositionUnits::kUtf16;
  OpenDocuments documents_;
  std::unique_ptr<PicturePort> pictures_;
  std::map<std::string, CheckedStory> stories_;  // by game folder
};

}  // namespace velune
