#pragma once
// The reading rules of a project source, shared by the project model and the compiler, which
// act differently on what is read. Lines are taken from the front: header lines until a line
// carrying "#TENSES", tense lines until "#WORDS", then word blocks (a word line, form lines, the
// end line "#"). The reader never goes back to an earlier section.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace flexel {

enum class HeaderField { Author, Email, Family, Summary, Sil, Copyright, Name, Description };

// The tags of the header lines, in the order the writer emits them.
inline constexpr std::array<std::pair<HeaderField, std::string_view>, 8> kHeaderTags{{
    {HeaderField::Author, "#AUTHOR:"},
    {HeaderField::Email, "#EMAIL:"},
    {HeaderField::Family, "#FAMILY:"},
    {HeaderField::Summary, "#SUMMARY:"},
    {HeaderField::Sil, "#SIL:"},
    {HeaderField::Copyright, "#COPYRIGHT:"},
    {HeaderField::Name, "#NAME:"},
    {HeaderField::Description, "#DESCRIPTION:"},
}};
inline constexpr std::string_view kTensesTag = "#TENSES";
inline constexpr std::string_view kWordsTag = "#WORDS";
inline constexpr std::string_view kEndOfWord = "#";

// Whether line starts with tag, both upper-cased.
[[nodiscard]] bool CarriesTag(std::string_view line, std::string_view tag);
// line without the first occurrence of tag as written (upper case): a tag written in lower case
// stays part of the value.
[[nodiscard]] std::string TagValue(std::string_view line, std::string_view tag);
// The number before the first colon: blanks and a sign may lead, "$" or "0x" mark hexadecimal,
// anything else means the line has none.
[[nodiscard]] std::optional<int> TenseNumber(std::string_view line);
// line without the first occurrence of id in decimal followed by a colon.
[[nodiscard]] std::string RemoveTenseNumber(std::string_view line, int id);

class TProjectReader {
 public:
  virtual ~TProjectReader() = default;

  // Reads lines in order, calling the handlers below. Throws ListIndexError (0) when the lines
  // run out inside a word block or there are none at all; what was handled before stays.
  void Read(const std::vector<std::string>& lines);

 protected:
  virtual void HeaderLine(HeaderField /*field*/, std::string /*value*/) {}
  virtual void TensesSection() {}
  // line is the whole tense line; name is it without "id:".
  virtual void TenseLine(int /*id*/, std::string /*name*/, const std::string& /*line*/) {}
  virtual void WordsSection() {}
  virtual void WordLine(const std::string& /*word*/) {}
  // line is the whole form line; page is it without "id:".
  virtual void FormLine(int /*id*/, std::string /*page*/, const std::string& /*line*/) {}
};

}  // namespace flexel
