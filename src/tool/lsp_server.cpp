#include "tool/lsp_server.h"

#include <map>
#include <stdexcept>

#include "story/utf8_paths.h"
#include "tool/findings.h"
#include "tool/headless_pictures.h"
#include "tool/lsp_framing.h"
#include "tool/story_check.h"
#include "tool/story_navigation.h"

namespace velune {
namespace {

using nlohmann::json;

// The error codes of JSON-RPC and of the Language Server Protocol.
constexpr int kParseError = -32700;
constexpr int kInvalidRequest = -32600;
constexpr int kMethodNotFound = -32601;
constexpr int kInvalidParams = -32602;
constexpr int kInternalError = -32603;
constexpr int kServerNotInitialized = -32002;

// The kinds of symbols and completion items that the editor draws.
constexpr int kStringSymbol = 15;
constexpr int kEventSymbol = 24;
constexpr int kFileItem = 17;
constexpr int kValueItem = 12;

struct UnknownMethod {};
struct BadParams {};

json Position(std::size_t line, std::size_t character) {
  return {{"line", line}, {"character", character}};
}

int DiagnosticSeverity(Severity severity) {
  switch (severity) {
    case Severity::kError:
      return 1;
    case Severity::kWarning:
      return 2;
    case Severity::kNote:
      break;
  }
  return 3;
}

// The editor's text after one change: the whole text, or a range of it replaced.
std::string Changed(const std::string& text, const json& change, PositionUnits units) {
  if (!change.contains("range")) return change.at("text").get<std::string>();
  const auto offset = [&](const json& position) {
    const auto line = position.at("line").get<std::size_t>();
    const auto character = position.at("character").get<std::size_t>();
    std::size_t start = 0;
    const std::vector<std::string_view> lines = EditorLines(text);
    for (std::size_t i = 0; i < line && i < lines.size(); ++i) {
      start = static_cast<std::size_t>(lines[i].data() - text.data()) + lines[i].size();
      start += text.compare(start, 2, "\r\n") == 0 ? 2 : 1;
    }
    if (line >= lines.size()) return text.size();
    return start + ByteOfCharacter(lines[line], character, units);
  };
  const std::size_t from = offset(change.at("range").at("start"));
  const std::size_t to = std::max(from, offset(change.at("range").at("end")));
  return text.substr(0, from) + change.at("text").get<std::string>() +
         text.substr(std::min(to, text.size()));
}

}  // namespace

LspServer::LspServer(std::istream& in, std::ostream& out, std::ostream& log,
                     std::size_t largest_message)
    : in_(in),
      out_(out),
      log_(log),
      largest_message_(largest_message),
      pictures_(std::make_unique<HeadlessPictures>()) {}

LspServer::~LspServer() = default;

int LspServer::Run() {
  for (;;) {
    const FramedMessage message = ReadFramedMessage(in_, largest_message_);
    switch (message.status) {
      case FramedMessage::Status::kMessage:
        if (const auto status = Handle(message.body)) return *status;
        break;
      case FramedMessage::Status::kTooLarge:
        log_ << "velune-tool lsp: " << message.problem << "\n";
        SendError(nullptr, kInvalidRequest, message.problem);
        break;
      case FramedMessage::Status::kEnd:
        return shut_down_ ? 0 : 1;
      case FramedMessage::Status::kBroken:
        log_ << "velune-tool lsp: " << message.problem << "\n";
        return 1;
    }
  }
}

std::optional<int> LspServer::Handle(const std::string& body) {
  const json message = json::parse(body, nullptr, false);
  if (message.is_discarded()) {
    SendError(nullptr, kParseError, "Parse error");
    return std::nullopt;
  }
  if (!message.is_object()) {
    SendError(nullptr, kInvalidRequest, "a message must be an object");
    return std::nullopt;
  }
  const bool request = message.contains("id");
  const json id = request ? message["id"] : json();
  if (request && !id.is_number_integer() && !id.is_string()) {
    SendError(nullptr, kInvalidRequest, "a request's id must be a number or a string");
    return std::nullopt;
  }
  const auto method = message.find("method");
  if (method == message.end() || !method->is_string()) {
    // An answer to a request of ours: the server sends none, so there is nothing to do.
    if (request && method == message.end() &&
        (message.contains("result") || message.contains("error"))) {
      return std::nullopt;
    }
    SendError(id, kInvalidRequest, "a message without a method");
    return std::nullopt;
  }
  const std::string name = method->get<std::string>();
  const json params = message.value("params", json::object());
  if (!request) {
    if (name == "exit") return shut_down_ ? 0 : 1;
    if (!initialized_) return std::nullopt;
    try {
      Notice(name, params);
    } catch (const std::exception& e) {
      log_ << "velune-tool lsp: " << name << ": " << e.what() << "\n";
    }
    return std::nullopt;
  }
  if (shut_down_) {
    SendError(id, kInvalidRequest, "the server is shut down");
  } else if (!initialized_ && name != "initialize") {
    SendError(id, kServerNotInitialized, "the server is not initialized");
  } else if (initialized_ && name == "initialize") {
    SendError(id, kInvalidRequest, "the server is initialized already");
  } else {
    try {
      Send({{"jsonrpc", "2.0"}, {"id", id}, {"result", Answer(name, params)}});
    } catch (const UnknownMethod&) {
      SendError(id, kMethodNotFound, "no such method: " + name);
    } catch (const BadParams&) {
      SendError(id, kInvalidParams, "params must be an object");
    } catch (const json::exception& e) {
      SendError(id, kInvalidParams, e.what());
    } catch (const std::exception& e) {
      SendError(id, kInternalError, e.what());
    }
  }
  return std::nullopt;
}

json LspServer::Answer(const std::string& method, const json& params) {
  if (!params.is_object()) throw BadParams{};
  if (method == "initialize") return Initialize(params);
  if (method == "shutdown") {
    shut_down_ = true;
    return nullptr;
  }
  if (method == "textDocument/definition") return Definition(params);
  if (method == "textDocument/completion") return Completion(params);
  if (method == "textDocument/hover") return Hover(params);
  if (method == "textDocument/documentSymbol") return Symbols(params);
  throw UnknownMethod{};
}

json LspServer::Initialize(const json& params) {
  const json encodings = params.value("capabilities", json::object())
                             .value("general", json::object())
                             .value("positionEncodings", json::array());
  if (encodings.is_array()) {
    for (const json& encoding : encodings) {
      if (encoding == "utf-8") units_ = PositionUnits::kUtf8;
    }
  }
  initialized_ = true;
  return {{"capabilities",
           {{"positionEncoding", units_ == PositionUnits::kUtf8 ? "utf-8" : "utf-16"},
            {"textDocumentSync", {{"openClose", true}, {"change", 1}, {"save", true}}},
            {"definitionProvider", true},
            {"completionProvider", {{"triggerCharacters", {">"}}}},
            {"hoverProvider", true},
            {"documentSymbolProvider", true}}},
          {"serverInfo", {{"name", "velune-tool"}}}};
}

void LspServer::Notice(const std::string& method, const json& params) {
  const bool open = method == "textDocument/didOpen";
  if (!open && method != "textDocument/didChange" && method != "textDocument/didSave" &&
      method != "textDocument/didClose") {
    return;  // "initialized", "$/…" and whatever else the server does not need
  }
  const json& document = params.at("textDocument");
  const std::string uri = document.at("uri").get<std::string>();
  const std::optional<std::string> path = PathOfUri(uri);
  if (!path) return;
  if (open) {
    documents_.Open(*path, uri, document.at("text").get<std::string>());
  } else if (method == "textDocument/didChange") {
    const std::string* text = documents_.Text(*path);
    if (text == nullptr) return;
    std::string changed = *text;
    for (const json& change : params.at("contentChanges"))
      changed = Changed(changed, change, units_);
    documents_.Change(*path, changed);
  } else if (method == "textDocument/didSave") {
    documents_.Saved(*path);
  } else {
    documents_.Close(*path);
  }
  if (const std::optional<std::string> game_dir = GameFolderOf(*path)) {
    Publish(Check(*game_dir));
  }
}

LspServer::CheckedStory& LspServer::Check(const std::string& game_dir) {
  CheckedStory& checked = stories_[game_dir];
  checked.story = LoadStory(documents_, *pictures_, game_dir);
  checked.search = SearchEndings(checked.story);
  return checked;
}

void LspServer::Publish(CheckedStory& checked) {
  std::map<std::string, json> diagnostics;  // by path
  for (const Finding& finding : CheckStory(checked.story, checked.search).Sorted()) {
    if (finding.file.empty()) continue;
    const Place place{NormalPath(checked.story.app_dir + finding.file), finding.file, &checked};
    const std::size_t line = finding.line == 0 ? 0 : finding.line - 1;
    const std::string text = LineText(place, line);
    json& list = diagnostics.try_emplace(place.path, json::array()).first->second;
    list.push_back({{"range",
                     {{"start", Position(line, 0)},
                      {"end", Position(line, CharacterOfByte(text, text.size(), units_))}}},
                    {"severity", DiagnosticSeverity(finding.severity)},
                    {"code", finding.id},
                    {"source", "velune"},
                    {"message", finding.message}});
  }
  for (const std::string& path : checked.published) diagnostics.try_emplace(path, json::array());
  checked.published.clear();
  for (const auto& [path, list] : diagnostics) {
    if (!list.empty()) checked.published.insert(path);
    Send({{"jsonrpc", "2.0"},
          {"method", "textDocument/publishDiagnostics"},
          {"params", {{"uri", documents_.Uri(path)}, {"diagnostics", list}}}});
  }
}

std::optional<LspServer::Place> LspServer::PlaceOf(const json& params) {
  const std::optional<std::string> path =
      PathOfUri(params.at("textDocument").at("uri").get<std::string>());
  if (!path) return std::nullopt;
  const std::optional<std::string> game_dir = GameFolderOf(*path);
  if (!game_dir) return std::nullopt;
  const auto known = stories_.find(*game_dir);
  CheckedStory& checked = known != stories_.end() ? known->second : Check(*game_dir);
  const std::string key = Utf8FromPath(PathFromUtf8(NormalPath(*path))
                                           .lexically_relative(PathFromUtf8(NormalPath(*game_dir)))
                                           .make_preferred());
  return Place{NormalPath(*path), key, &checked};
}

std::string LspServer::LineText(const Place& place, std::size_t line) const {
  if (const std::string* text = documents_.Text(place.path)) {
    const std::vector<std::string_view> lines = EditorLines(*text);
    return line < lines.size() ? std::string(lines[line]) : std::string();
  }
  const Story& story = place.checked->story;
  const std::vector<TextLine>* lines = nullptr;
  if (const Scene* scene = FindScene(story, place.key)) {
    lines = &scene->text.lines;
  } else if (story.gift_list.file.Exists() && story.gift_list.file.file.display == place.key) {
    lines = &story.gift_list.text.lines;
  }
  return lines != nullptr && line < lines->size() ? (*lines)[line].text : std::string();
}

std::size_t LspServer::Utf8Column(const Place& place, const json& position) const {
  return ByteOfCharacter(LineText(place, position.at("line").get<std::size_t>()),
                         position.at("character").get<std::size_t>(), units_);
}

json LspServer::WholeLines(const Place& place, std::size_t first, std::size_t last) const {
  const std::string text = LineText(place, last);
  return {{"start", Position(first, 0)},
          {"end", Position(last, CharacterOfByte(text, text.size(), units_))}};
}

json LspServer::Definition(const json& params) {
  const auto line = params.at("position").at("line").get<std::size_t>();
  const std::optional<Place> place = PlaceOf(params);
  json locations = json::array();
  if (!place) return locations;
  for (const std::string& file : FilesOpenedBy(place->checked->story, place->key, line + 1)) {
    locations.push_back({{"uri", documents_.Uri(NormalPath(file))},
                         {"range", {{"start", Position(0, 0)}, {"end", Position(0, 0)}}}});
  }
  return locations;
}

json LspServer::Completion(const json& params) {
  const json& position = params.at("position");
  const auto line = position.at("line").get<std::size_t>();
  const std::optional<Place> place = PlaceOf(params);
  json items = json::array();
  if (!place) return items;
  const std::string text = LineText(*place, line);
  const std::size_t cursor = Utf8Column(*place, position);
  const NamesToWrite names =
      NamesToComplete(place->checked->story, place->key, line + 1, text.substr(0, cursor));
  const bool items_of_list = names.typed_from == 1;
  const json range = {{"start", Position(line, CharacterOfByte(text, names.typed_from, units_))},
                      {"end", Position(line, CharacterOfByte(text, cursor, units_))}};
  for (const std::string& name : names.names) {
    items.push_back({{"label", name},
                     {"kind", items_of_list ? kValueItem : kFileItem},
                     {"textEdit", {{"range", range}, {"newText", name}}}});
  }
  return items;
}

json LspServer::Hover(const json& params) {
  const auto line = params.at("position").at("line").get<std::size_t>();
  const std::optional<Place> place = PlaceOf(params);
  if (!place) return nullptr;
  const std::string text =
      LineExplanation(place->checked->story, place->checked->search, place->key, line + 1);
  if (text.empty()) return nullptr;
  return {{"contents", {{"kind", "markdown"}, {"value", text}}},
          {"range", WholeLines(*place, line, line)}};
}

json LspServer::Symbols(const json& params) {
  const std::optional<Place> place = PlaceOf(params);
  json symbols = json::array();
  if (!place) return symbols;
  const Scene* scene = FindScene(place->checked->story, place->key);
  if (scene == nullptr) return symbols;
  for (const ScenePart& part : SceneParts(*scene)) {
    symbols.push_back(
        {{"name", part.name},
         {"kind", part.gift_block ? kEventSymbol : kStringSymbol},
         {"range", WholeLines(*place, part.first_line - 1, part.last_line - 1)},
         {"selectionRange", WholeLines(*place, part.first_line - 1, part.first_line - 1)}});
  }
  return symbols;
}

void LspServer::Send(const json& message) {
  WriteFramedMessage(out_, message.dump(-1, ' ', false, json::error_handler_t::replace));
}

void LspServer::SendError(const json& id, int code, const std::string& message) {
  Send({{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", message}}}});
}

}  // namespace velune
