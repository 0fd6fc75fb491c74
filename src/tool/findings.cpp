#include "tool/findings.h"

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "story/translation.h"
#include "story/utf8_paths.h"

namespace velune {

void Findings::Add(Severity severity, std::string id, std::string file, std::size_t line,
                   std::string message) {
  all_.push_back(Finding{std::move(file), line, severity, std::move(id), std::move(message)});
}

std::vector<Finding> Findings::Sorted() const {
  std::vector<Finding> sorted = all_;
  std::stable_sort(sorted.begin(), sorted.end(), [](const Finding& a, const Finding& b) {
    if (a.file != b.file) return a.file < b.file;
    return a.line < b.line;
  });
  return sorted;
}

FindingCounts Findings::Counts() const {
  FindingCounts counts;
  for (const Finding& f : all_) {
    switch (f.severity) {
      case Severity::kError:
        ++counts.errors;
        break;
      case Severity::kWarning:
        ++counts.warnings;
        break;
      case Severity::kNote:
        ++counts.notes;
        break;
    }
  }
  return counts;
}

const char* SeverityName(Severity severity) {
  switch (severity) {
    case Severity::kError:
      return "error";
    case Severity::kWarning:
      return "warning";
    case Severity::kNote:
      return "note";
  }
  return "note";
}

std::string SeverityWord(Severity severity) {
  switch (severity) {
    case Severity::kError:
      return Tr("findings", "error");
    case Severity::kWarning:
      return Tr("findings", "warning");
    case Severity::kNote:
      return Tr("findings", "note");
  }
  return Tr("findings", "note");
}

namespace {

std::string PathFrom(const std::string& folder, const std::string& file) {
  return folder.empty() ? file : Utf8FromPath(PathFromUtf8(folder) / PathFromUtf8(file));
}

}  // namespace

void WriteFindingLine(std::ostream& out, const Finding& finding, const std::string& folder) {
  out << PathFrom(folder, finding.file);
  if (finding.line > 0) out << ':' << finding.line;
  out << ": " << SeverityWord(finding.severity) << ": " << finding.message << " [" << finding.id
      << "]\n";
}

std::string FindingCount(std::size_t n, Severity severity) {
  switch (severity) {
    case Severity::kError:
      return (n == 1 ? Tr("findings", "%1 error") : Tr("findings", "%1 errors")).Arg(n);
    case Severity::kWarning:
      return (n == 1 ? Tr("findings", "%1 warning") : Tr("findings", "%1 warnings")).Arg(n);
    case Severity::kNote:
      break;
  }
  return (n == 1 ? Tr("findings", "%1 note") : Tr("findings", "%1 notes")).Arg(n);
}

std::string SummaryLine(const FindingCounts& counts) {
  return Tr("findings", "%1, %2, %3")
      .Arg(FindingCount(counts.errors, Severity::kError))
      .Arg(FindingCount(counts.warnings, Severity::kWarning))
      .Arg(FindingCount(counts.notes, Severity::kNote));
}

void WriteFindingsText(std::ostream& out, const Findings& findings, const std::string& folder) {
  for (const Finding& f : findings.Sorted()) WriteFindingLine(out, f, folder);
  out << SummaryLine(findings.Counts()) << '\n';
}

void WriteFindingsJson(std::ostream& out, const Findings& findings, const std::string& folder) {
  for (const Finding& f : findings.Sorted()) {
    nlohmann::ordered_json line = {{"file", PathFrom(folder, f.file)},
                                   {"line", nullptr},
                                   {"severity", SeverityName(f.severity)},
                                   {"id", f.id},
                                   {"message", f.message}};
    if (f.line > 0) line["line"] = f.line;
    out << line.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
  }
  const FindingCounts counts = findings.Counts();
  out << nlohmann::ordered_json{{"errors", counts.errors},
                                {"warnings", counts.warnings},
                                {"notes", counts.notes}}
             .dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
      << '\n';
}

}  // namespace velune
