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
  void Add(Severity severity, std::string file, std::size_t line, std::string message);
  void Error(std::string file, std::size_t line, std::string message) {
    Add(Severity::kError, std::move(file), line, std::move(message));
  }
  void Warning(std::string file, std::size_t line, std::string message) {
    Add(Severity::kWarning, std::move(file), line, std::move(message));
  }
  void Note(std::string file, std::size_t line, std::string message) {
    Add(Severity::kNote, std::move(file), line, std::move(message));
  }

  // Sorted by file, then line; findings at the same place keep the order they were added.
  std::vector<Finding> Sorted() const;
  FindingCounts Counts() const;
  const std::vector<Finding>& All() const { return all_; }

 private:
  std::vector<Finding> all_;
};

const char* SeverityName(Severity severity);

// "dat/10.dat:7: error: …", one a line, as compilers write them.
void WriteFindingLine(std::ostream& out, const Finding& finding);
// "2 errors, 1 warning, 3 notes"
std::string SummaryLine(const FindingCounts& counts);
// The findings and the summary as text, sorted.
void WriteFindingsText(std::ostream& out, const Findings& findings);
// The same as JSON lines: one object per finding, then {"errors":…,"warnings":…,"notes":…}.
void WriteFindingsJson(std::ostream& out, const Findings& findings);

}  // namespace velune
