// velune-tool lsp as an editor drives it: framed JSON-RPC in, diagnostics and answers out.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "tool/lsp_documents.h"
#include "tool/lsp_positions.h"
#include "tool/lsp_server.h"
#include "tool/story_folder.h"

namespace velune::testing {
namespace {

using nlohmann::json;

std::string Framed(const std::string& body) {
  return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

json Request(int id, const std::string& method, json params = json::object()) {
  return {{"jsonrpc", "2.0"}, {"id", id}, {"method", method}, {"params", std::move(params)}};
}

json Notification(const std::string& method, json params) {
  return {{"jsonrpc", "2.0"}, {"method", method}, {"params", std::move(params)}};
}

struct Session {
  int status = 0;
  std::vector<json> out;
  // The answer to the request `id`.
  json Answer(int id) const {
    for (const json& m : out) {
      if (m.contains("id") && m["id"] == id) return m;
    }
    return nullptr;
  }
  // The diagnostics last published for the file that `uri` names.
  json Diagnostics(const std::string& file) const {
    json last;
    for (const json& m : out) {
      if (m.value("method", "") == "textDocument/publishDiagnostics" &&
          m["params"]["uri"].get<std::string>().ends_with(file)) {
        last = m["params"]["diagnostics"];
      }
    }
    return last;
  }
};

Session Serve(const std::string& input, std::size_t largest_message = kLargestMessage) {
  std::istringstream in(input);
  std::ostringstream out, log;
  Session session;
  session.status = LspServer(in, out, log, largest_message).Run();
  std::istringstream answers(out.str());
  for (FramedMessage m = ReadFramedMessage(answers); m.status == FramedMessage::Status::kMessage;
       m = ReadFramedMessage(answers)) {
    session.out.push_back(json::parse(m.body));
  }
  return session;
}

std::string Script(const std::vector<json>& messages) {
  std::string input;
  for (const json& m : messages) input += Framed(m.dump());
  return input;
}

TEST(LspServer, ChecksAndExplainsTheStoryAsTheAuthorTypes) {
  ToolStory story;
  story.WriteCleanStory();
  const std::string uri = UriOfPath(story.Path() + "/dat/00.dat");
  const auto doc = [&](const std::string& file) {
    return json{{"uri", UriOfPath(story.Path() + "/dat/" + file)}};
  };
  const auto at = [&](const std::string& file, int line, int character) {
    return json{{"textDocument", doc(file)},
                {"position", {{"line", line}, {"character", character}}}};
  };
  const std::string broken = ">img>room\r\n雨が降っていた。\r\n-p\r\n>ive>11\r\n";
  const std::string fixed = ">img>room\r\n雨が降っていた。\r\n-p\r\n>ive>10\r\n";
  const Session first = Serve(
      Script({Request(1, "initialize", {{"capabilities", json::object()}}),
              Notification("textDocument/didOpen",
                           {{"textDocument", {{"uri", uri}, {"version", 1}, {"text", broken}}}})}));
  const json found = first.Diagnostics("dat/00.dat");
  ASSERT_EQ(found.size(), 1u) << found;
  EXPECT_EQ(found[0]["code"], "missing-scene");
  EXPECT_EQ(found[0]["severity"], 1);
  EXPECT_EQ(found[0]["source"], "velune");
  EXPECT_EQ(found[0]["range"]["end"], json({{"line", 3}, {"character", 7}}));
  EXPECT_EQ(first.status, 1);  // the input ended without shutdown

  const Session session = Serve(Script({
      Request(1, "initialize", {{"capabilities", json::object()}}),
      Notification("textDocument/didOpen",
                   {{"textDocument", {{"uri", uri}, {"version", 1}, {"text", broken}}}}),
      Notification("textDocument/didChange", {{"textDocument", {{"uri", uri}, {"version", 2}}},
                                              {"contentChanges", {{{"text", fixed}}}}}),
      Request(2, "textDocument/definition", at("00.dat", 3, 6)),
      Request(3, "textDocument/definition", at("30.dat", 1, 0)),
      Request(4, "textDocument/definition", at("00.dat", 0, 0)),
      Request(5, "textDocument/completion", at("00.dat", 3, 6)),
      Request(6, "textDocument/completion", at("10.dat", 1, 1)),
      Request(7, "textDocument/hover", at("10.dat", 1, 0)),
      Request(8, "textDocument/hover", at("30.dat", 1, 0)),
      Request(9, "textDocument/documentSymbol", {{"textDocument", doc("10.dat")}}),
      Request(10, "shutdown"),
      Notification("exit", json::object()),
  }));
  EXPECT_EQ(session.Diagnostics("dat/00.dat"), json::array());
  const auto targets = [&](int id) {
    std::string files;
    const json answer = session.Answer(id);
    for (const json& location : answer["result"]) {
      const std::string target = location["uri"];
      files += target.substr(target.rfind('/', target.rfind('/') - 1) + 1) + " ";
    }
    return files;
  };
  EXPECT_EQ(targets(2), "dat/10.dat ");
  EXPECT_EQ(targets(3), "dat/end1.dat dat/end2.dat dat/end3.dat ");
  EXPECT_EQ(targets(4), "grf/room.dat ");
  const auto labels = [&](int id) {
    std::string names;
    const json answer = session.Answer(id);
    for (const json& item : answer["result"]) names += item["label"].get<std::string>() + " ";
    return names;
  };
  EXPECT_EQ(labels(5), "10 ");  // ">ive>1": the scenes whose names start with 1
  EXPECT_EQ(labels(6), "手紙 指輪 花 ");
  EXPECT_NE(session.Answer(7)["result"]["contents"]["value"].dump().find("20 love points"),
            std::string::npos);
  const std::string ending = session.Answer(8)["result"]["contents"]["value"];
  EXPECT_NE(ending.find("`end3` opens with 30 love points or more. Some play reaches it"),
            std::string::npos)
      << ending;
  const json symbols = session.Answer(9)["result"];
  ASSERT_EQ(symbols.size(), 2u) << symbols;
  EXPECT_EQ(symbols[0]["name"], "Page 1");
  EXPECT_EQ(symbols[1]["name"], ">花");
  EXPECT_EQ(symbols[1]["range"]["end"], json({{"line", 4}, {"character", 2}}));
  EXPECT_EQ(session.Answer(10)["result"], nullptr);
  EXPECT_EQ(session.status, 0);
}

TEST(LspServer, AnswersBrokenMessagesAndGoesOn) {
  const std::string initialize = Framed(Request(1, "initialize").dump());
  const std::string shutdown = Framed(Request(99, "shutdown").dump());
  struct Case {
    std::string input;
    int code;    // the error expected; 0 for none
    bool alive;  // the server still answers the shutdown after it
    int status;
  } cases[] = {
      {initialize + Framed("{"), -32700, true, 0},
      {initialize + Framed("[1]"), -32600, true, 0},
      {initialize + Framed(R"({"jsonrpc":"2.0","id":1})"), -32600, true, 0},
      {initialize + Framed(R"({"id":{},"method":"shutdown"})"), -32600, true, 0},
      {initialize + Framed(R"({"id":2,"method":"frob"})"), -32601, true, 0},
      {initialize + Framed(R"({"method":"frob"})") + Framed(R"({"method":"$/cancelRequest"})"), 0,
       true, 0},
      {initialize + Framed(R"({"id":2,"method":"textDocument/hover","params":[]})"), -32602, true,
       0},
      {initialize + Framed(R"({"id":2,"method":"textDocument/hover","params":{}})"), -32602, true,
       0},
      {initialize + Framed(R"({"method":"textDocument/didOpen","params":{"textDocument":1}})"), 0,
       true, 0},
      {Framed(R"({"id":2,"method":"textDocument/hover"})") + initialize, -32002, true, 0},
      {initialize + initialize, -32600, true, 0},
      {initialize + "Content-Length: 100\r\n\r\n" + std::string(100, '[') + "\r\n", -32600, true,
       0},
      {initialize + shutdown + Framed(Request(2, "shutdown").dump()), -32600, true, 0},
      {initialize + Framed(R"({"method":"exit"})"), 0, false, 1},
      {initialize + "Content-Length: x\r\n\r\n{}", 0, false, 1},
      {initialize + "Content-Type: json\r\n\r\n{}", 0, false, 1},
      {initialize + "Content-Length: 99999999999999999999999\r\n\r\n", 0, false, 1},
      {initialize + "Content-Length: 10\r\n\r\n{}", -32700, false, 1},
      {initialize + std::string(10000, 'x'), 0, false, 1},
  };
  for (const Case& c : cases) {
    const Session session = Serve(c.input + shutdown + Framed(R"({"method":"exit"})"), 64);
    bool errs = c.code == 0;
    for (const json& m : session.out) {
      if (m.contains("error")) errs = errs || m["error"]["code"] == c.code;
      if (m.contains("error") && c.code == 0) errs = false;
    }
    EXPECT_TRUE(errs) << c.input;
    EXPECT_EQ(session.Answer(99).contains("result"), c.alive) << c.input;
    EXPECT_EQ(session.status, c.status) << c.input;
  }
}

TEST(LspServer, CountsPositionsAndNamesFilesAsEditorsDo) {
  // "a", "あ" (3 bytes, 1 unit), "😀" (4 bytes, 2 units)
  const std::string line = "aあ😀b";
  const struct {
    std::size_t utf16, utf8;
  } positions[] = {{0, 0}, {1, 1}, {2, 4}, {4, 8}, {5, 9}, {9, 9}};
  for (const auto& p : positions) {
    EXPECT_EQ(ByteOfCharacter(line, p.utf16, PositionUnits::kUtf16), p.utf8) << p.utf16;
    EXPECT_EQ(CharacterOfByte(line, p.utf8, PositionUnits::kUtf16),
              std::min<std::size_t>(p.utf16, 5));
    EXPECT_EQ(ByteOfCharacter(line, p.utf8, PositionUnits::kUtf8), p.utf8);
  }
  EXPECT_EQ(ByteOfCharacter(line, 3, PositionUnits::kUtf16), 4u);  // inside the pair
  EXPECT_EQ(ByteOfCharacter(line, 2, PositionUnits::kUtf8), 1u);   // inside あ

  EXPECT_EQ(UriOfPath("/home/a/物語 1/dat/00.dat"),
            "file:///home/a/%E7%89%A9%E8%AA%9E%201/dat/00.dat");
  EXPECT_EQ(PathOfUri("file:///home/a/%E7%89%A9%E8%AA%9E%201/dat/00.dat"),
            "/home/a/物語 1/dat/00.dat");
  EXPECT_EQ(PathOfUri("file://localhost/a%2fb"), "/a/b");
  EXPECT_EQ(PathOfUri("file:///a%2"), std::nullopt);
  EXPECT_EQ(PathOfUri("file:///a%FF"), std::nullopt);
  EXPECT_EQ(PathOfUri("untitled:1"), std::nullopt);
  EXPECT_EQ(GameFolderOf("/s/Dat/ch2/01.dat"), "/s");
  EXPECT_EQ(GameFolderOf("/s/grf/01.dat"), std::nullopt);

  // The unsaved text as the game would read it saved in the file's own encoding.
  const std::string bom = "\xEF\xBB\xBF";
  const struct {
    std::optional<std::string> disk;
    std::string text, bytes;
  } saves[] = {
      {bom + "x", "雨\r\n", bom + "雨\r\n"}, {"雨", "雪\n", "雪\n"},
      {"\x89\x4A", "雪\n", "\x90\xE1\n"},    {std::nullopt, "雪😀é\r", "\x90\xE1??\r"},
      {"ascii", "雪", "\x90\xE1"},
  };
  for (const auto& s : saves) EXPECT_EQ(SavedBytes(s.text, s.disk), s.bytes) << s.text;
}

}  // namespace
}  // namespace velune::testing
