#pragma once
// The project source: the editable text form of a table-based language extension (header
// fields, the tense list, and for every word one HTML page per tense). The constructor's window
// edits it; TCompileForm compiles the same file into a VLX file.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace flexel {

// Larger project sources are refused rather than read into memory.
inline constexpr std::size_t kMaxProjectBytes = std::size_t(1) << 30;
inline constexpr std::string_view kCopyrightPlaceholder =
    "E.g. Copyright (c) YourCompany 2001-2004";
inline constexpr std::string_view kAllTenses = "All tenses";
inline constexpr std::string_view kEmptyPage =
    "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">"
    "<link rel=\"stylesheet\" href=\"style.css\"><title></title></head><body></body></html>";

struct ProjectTense {
  int id = 0;
  std::string name;
};

struct ProjectWord {
  std::string word;
  // Form lines as in the file: tense ID, ":" and the page.
  std::vector<std::string> formLines;
};

class TProjectSource {
 public:
  TProjectSource() = default;

  // A new standard project (the one tense "All tenses" with ID 0) or advanced project (no
  // tenses): fields emptied, the copyright at its placeholder; the description becomes the
  // empty page only when clearDescription is set.
  void ResetProject(bool standard, bool clearDescription);
  // Opens a project source: reset as an advanced project keeping the description, then read.
  // A file that ends inside a word block keeps what was read (and an empty copyright gets the
  // placeholder) before ListIndexError is thrown. FileError when the file cannot be read.
  void Open(const std::string& path);
  // Applies lines on top of the current fields, as Open does after loading the file.
  void ReadLines(const std::vector<std::string>& lines);

  // The lines of the file: the eight header lines, "#TENSES", the tense lines, "#WORDS", the
  // word blocks. Every value is made a single line.
  [[nodiscard]] std::vector<std::string> Lines() const;
  // UTF-16 little endian with a mark, every line ended by CR LF.
  [[nodiscard]] std::string SaveToBytes() const;
  // Replaces the file whole. Throws FileError.
  void Save(const std::string& path) const;

  // Exactly one tense, named "All tenses".
  [[nodiscard]] bool IsStandard() const;

  // Summary as written: line breaks become one blank each, then pairs of blanks become one
  // blank in one left-to-right pass.
  [[nodiscard]] static std::string FlattenSummary(std::string_view text);
  // Pages as written: line breaks removed.
  [[nodiscard]] static std::string FlattenPage(std::string_view text);

  std::string author;
  std::string email;
  std::string family;
  std::string summary;
  std::string sil;
  std::string copyright;
  std::string name;
  std::string description;
  std::vector<ProjectTense> tenses;  // in order of creation
  std::vector<ProjectWord> words;    // in the order of the word list
};

}  // namespace flexel
