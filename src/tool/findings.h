#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

namespace velune {

enum class Severity { kError, kWarning, kNote };

// One thing the checker has to say about a story, at a file and line of the game folder.
struct Finding {
  std::string file;      // relative to the game folder, as "dat/10.dat"
  std::size_t line = 0;  // 1 for the first line; 0 when the finding is about the whole file
  Severity severity = Severity::kNote;
  std::string id;  // what kind of finding it is, the same in every story: "keyword-in-text"
  std::string message;
};

struct FindingCounts {
  std::size_t errors = 0;
  std::size_t warnings = 0;
  std::size_t notes = 0;
};

// The findings of one check, collected in any order.
class Findings {
 public:
  void Add(Severity severity, std::string id, std::string file, std::size_t line,
           std::string message);
  void Error(std::string id, std::string file, std::size_t line, std::string message) {
    Add(Severity::kError, std::move(id), std::move(file), line, std::move(message));
  }
  void Warning(std::string id, std::string file, std::size_t line, std::string message) {
    Add(Severity::kWarning, std::move(id), std::move(file), line, std::move(message));
  }
  void Note(std::string id, std::string file, std::size_t line, std::string message) {
    Add(Severity::kNote, std::move(id), std::move(file), line, std::move(message));
  }

  // Sorted by file, then line; findings at the same place keep the order they were added.
  std::vector<Finding> Sorted() const;
  FindingCounts Counts() const;
  const std::vector<Finding>& All() const { return all_; }

 private:
  std::vector<Finding> all_;
};

// "error", "warning", "note": the name that machines read, as in the JSON findings.
const char* SeverityName(Severity severity);
// The same word for the author, in the language in use.
std::string SeverityWord(Severity severity);

// "mystory/dat/10.dat:7: error: … [keyword-in-text]", one a line, as compilers write
// them: the file's path starts with `folder`, the game folder as the author named it, so
// that editors and terminals open it from where the author is.
void WriteFindingLine(std::ostream& out, const Finding& finding, const std::string& folder = "");
// "1 error", "3 warnings", in the language in use.
std::string FindingCount(std::size_t n, Severity severity);
// "2 errors, 1 warning, 3 notes"
std::string SummaryLine(const FindingCounts& counts);
// The findings and the summary as text, sorted.
void WriteFindingsText(std::ostream& out, const Findings& findings, const std::string& folder);
// The same as JSON lines: one object per finding, then {"errors":…,"warnings":…,"notes":…}.
void WriteFindingsJson(std::ostream& out, const Findings& findings, const std::string& folder);

}  // namespace velune
