#include "tool/text_checks.h"

#include <algorithm>

#include "story/ascii.h"
#include "story/love_points.h"
#include "story/text_decoding.h"
#include "story/translation.h"
#include "tool/check_words.h"
#include "tool/line_look.h"
#include "tool/near_names.h"

namespace velune {
namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

bool HasNonAscii(std::string_view bytes) {
  for (const char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  }
  return false;
}

// UTF-16 starts with its byte-order mark FF FE or FE FF, and its ASCII characters, line
// ends among them, have a zero byte each; no text of code page 932 has zero bytes.
bool LooksLikeUtf16(const TextFile& text) {
  if (text.lines.empty()) return false;
  const std::string_view first = text.lines.front().bytes;
  if (first.starts_with("\xFF\xFE") || first.starts_with("\xFE\xFF")) return true;
  std::size_t bytes = 0;
  std::size_t zeros = 0;
  for (const TextLine& line : text.lines) {
    bytes += line.bytes.size();
    zeros += static_cast<std::size_t>(std::count(line.bytes.begin(), line.bytes.end(), '\0'));
  }
  return zeros > 0 && zeros * 4 >= bytes;
}

std::size_t CountOf(std::string_view text, std::string_view part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string_view::npos;
       at = text.find(part, at + part.size())) {
    ++n;
  }
  return n;
}

// What the game does instead of showing a story line of kind `kind`.
std::string EffectOf(LineKind kind, std::string_view line) {
  const auto name = NameOnCommandLine(line);
  switch (kind) {
    case LineKind::kIgnored:
      return Tr("check", "it is skipped and never shown");
    case LineKind::kPicture:
      return Tr("check", "it is not shown, and the game looks for the picture %1 instead")
          .Arg(Quoted(name ? *name : std::string_view()));
    case LineKind::kEnding:
      return Tr("check", "the game goes to an ending here");
    case LineKind::kRestart:
      return Tr("check", "the game starts over here");
    case LineKind::kJump:
      if (!name) {
        return Tr("check", "the game stops with an error here (the line is too short for a jump)");
      }
      return Tr("check", "the game jumps to the scene %1 here").Arg(Quoted(*name));
    case LineKind::kPrompt:
      return Tr("check", "the game asks for the present %1 here").Arg(Quoted(PromptItem(line)));
    case LineKind::kPageBreak:
      return Tr("check", "it is not shown, and the page ends here");
    case LineKind::kText:
      return Tr("check", "it is shown as story text");
  }
  return "";
}

// A command line as it looks written, for a report: "a jump line to \"10\"".
std::string LineAsWritten(LineKind looks, std::string_view line) {
  const auto name = NameOnCommandLine(line);
  const std::string named = Quoted(name ? *name : "");
  switch (looks) {
    case LineKind::kJump:
      return Tr("check", "a jump line to %1").Arg(named);
    case LineKind::kPicture:
      return Tr("check", "a picture line for %1").Arg(named);
    case LineKind::kPrompt:
      return Tr("check", "a gift prompt for %1").Arg(Quoted(PromptItem(line)));
    case LineKind::kIgnored:
      return Tr("check", "an ignored line %1").Arg(Quoted(line));
    case LineKind::kEnding:
      return Tr("check", "an ending line %1").Arg(Quoted(line));
    case LineKind::kRestart:
      return Tr("check", "a restart line %1").Arg(Quoted(line));
    case LineKind::kPageBreak:
      return Tr("check", "a page break %1").Arg(Quoted(line));
    case LineKind::kText:
      return Tr("check", "story text %1").Arg(Quoted(line));
  }
  return Quoted(line);
}

Severity SeverityOfMisreadText(LineKind kind) {
  switch (kind) {
    case LineKind::kEnding:
    case LineKind::kRestart:
    case LineKind::kJump:
    case LineKind::kPrompt:
      return Severity::kError;  // the story goes somewhere else
    default:
      return Severity::kWarning;  // the line only disappears
  }
}

bool IsWholeNumber(std::string_view s) {
  s = TrimmedBlanks(s);
  if (!s.empty() && (s.front() == '-' || s.front() == '+')) s.remove_prefix(1);
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

void CheckPointsLine(const std::string& file, std::size_t line, const std::string& text,
                     Findings& findings) {
  if (IsWholeNumber(text)) return;
  const double points = LeadingNumber(text);
  const std::string ascii = AsciiForms(text);
  if (ascii != text && IsWholeNumber(ascii)) {
    findings.Warning("full-width-digits", file, line,
                     Tr("check",
                        "the points line %1 is written with full-width digits, which the game "
                        "does not take for a number: it reads %2; write %3")
                         .Arg(Quoted(text))
                         .Arg(PointsText(points))
                         .Arg(Quoted(TrimmedBlanks(ascii))));
    return;
  }
  const bool rounded = points != static_cast<double>(static_cast<long long>(points));
  findings.Warning("points-not-whole", file, line,
                   (rounded ? Tr("check",
                                 "the points line %1 is not a plain whole number: the game reads "
                                 "it as %2 and rounds the love points to a whole number (halves "
                                 "to the even one)")
                            : Tr("check",
                                 "the points line %1 is not a plain whole number: the game reads "
                                 "it as %2"))
                       .Arg(Quoted(text))
                       .Arg(PointsText(points)));
}

bool CheckEncoding(const TextFile& text, Findings& findings) {
  const std::string& file = text.file.display;
  if (LooksLikeUtf16(text)) {
    findings.Error("utf16-file", file, 0,
                   Tr("check",
                      "this file is saved as UTF-16 (Notepad's \"Unicode\"), which the game "
                      "cannot read: it sees none of its lines as written; save it as Shift-JIS or "
                      "as UTF-8 with a byte-order mark, which Notepad calls \"ANSI\" on a "
                      "Japanese Windows and \"UTF-8 with BOM\""));
    return false;
  }
  if (!text.byte_order_mark) {
    std::size_t first_non_ascii = 0;
    bool all_utf8 = true;
    for (std::size_t i = 0; i < text.lines.size(); ++i) {
      const std::string& bytes = text.lines[i].bytes;
      if (!HasNonAscii(bytes)) continue;
      if (first_non_ascii == 0) first_non_ascii = i + 1;
      if (SanitizeUtf8(bytes) != bytes) all_utf8 = false;
    }
    if (first_non_ascii > 0 && all_utf8) {
      findings.Warning("utf8-without-bom", file, first_non_ascii,
                       Tr("check",
                          "this file looks like UTF-8 without a byte-order mark: the game reads "
                          "it as code page 932 (Shift-JIS) and shows garbled text; save it as "
                          "Shift-JIS, or as UTF-8 with a byte-order mark"));
      return true;
    }
  }
  for (std::size_t i = 0; i < text.lines.size(); ++i) {
    const TextLine& line = text.lines[i];
    const std::size_t replaced = CountOf(line.text, kReplacementCharacter);
    const std::size_t written =
        text.byte_order_mark ? CountOf(line.bytes, kReplacementCharacter) : 0;
    if (replaced <= written) continue;
    findings.Warning("undecodable-bytes", file, i + 1,
                     (text.byte_order_mark
                          ? Tr("check",
                               "this line holds bytes that are not UTF-8: the game shows them as "
                               "� (%1); save the file as Shift-JIS, or as UTF-8 with a "
                               "byte-order mark")
                          : Tr("check",
                               "this line holds bytes that code page 932 cannot decode: the game "
                               "shows them as � (%1); save the file as Shift-JIS, or as "
                               "UTF-8 with a byte-order mark"))
                         .Arg(Quoted(line.text)));
  }
  return true;
}

void CheckLineLooks(const TextFile& text, const SceneWalk& walk, Findings& findings) {
  const std::string& file = text.file.display;
  for (std::size_t i = 0; i < walk.kinds.size(); ++i) {
    if (!walk.kinds[i]) continue;
    const LineKind kind = *walk.kinds[i];
    const std::string& line = text.lines[i].text;
    const LineKind looks = LooksLike(line);
    if (kind == looks) continue;
    if (looks == LineKind::kText) {
      findings.Add(SeverityOfMisreadText(kind), "keyword-in-text", file, i + 1,
                   Tr("check", "the story line %1 is read as %2, because of %3: %4")
                       .Arg(Quoted(line))
                       .Arg(KindNoun(kind))
                       .Arg(KeywordPlace(line, kind))
                       .Arg(EffectOf(kind, line)));
      continue;
    }
    const std::string_view meant = KeywordOf(looks);
    Message message =
        meant.empty() ? Tr("check", "%1 is read as %2, because %3 is tested before a prompt: %4")
                      : Tr("check", "%1 is read as %2, because %3 is tested before \"%4\": %5");
    message.Arg(LineAsWritten(looks, line)).Arg(KindNoun(kind)).Arg(KeywordPlace(line, kind));
    if (!meant.empty()) message.Arg(meant);
    findings.Error("command-shadowed", file, i + 1, message.Arg(EffectOf(kind, line)));
  }
}

}  // namespace velune
