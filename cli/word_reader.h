#pragma once
// Reading lists of words, one per line, from a file or standard input, for commands that run a
// whole batch through one engine object.

#include <cstddef>
#include <istream>
#include <string>

namespace flexel::cli {

// The next word: blanks around it removed, CR LF or LF ending it, empty lines skipped, text in
// the old 8-bit code page read as such. False at the end of the input. Throws FileError naming
// source and line for a line longer than kMaxWordLine bytes or a read failure.
class WordReader {
 public:
  static constexpr std::size_t kMaxWordLine = 64 * 1024;

  WordReader(std::istream& in, std::string source) : m_in(in), m_source(std::move(source)) {}
  [[nodiscard]] bool Next(std::string& word);

 private:
  std::istream& m_in;
  std::string m_source;
  std::size_t m_line = 0;
};

}  // namespace flexel::cli
