#include "cli/word_reader.h"

#include "platform/core/error.h"
#include "platform/nls/nls.h"

namespace flexel::cli {

namespace {

std::string Trimmed(const std::string& line) {
  const std::size_t start = line.find_first_not_of(" \t\r");
  if (start == std::string::npos) {
    return {};
  }
  const std::size_t end = line.find_last_not_of(" \t\r");
  return line.substr(start, end - start + 1);
}

}  // namespace

bool WordReader::Next(std::string& word) {
  std::streambuf* buffer = m_in.rdbuf();
  std::string line;
  for (;;) {
    line.clear();
    bool ended = false;  // by a line feed
    bool any = false;
    for (int c = buffer->sbumpc(); c != std::char_traits<char>::eof(); c = buffer->sbumpc()) {
      any = true;
      if (c == '\n') {
        ended = true;
        break;
      }
      if (line.size() == kMaxWordLine) {
        throw FileError(m_source + ":" + std::to_string(m_line + 1) + ": a line is longer than " +
                        std::to_string(kMaxWordLine) + " bytes");
      }
      line += static_cast<char>(c);
    }
    if (!any) {
      if (m_in.bad()) {
        throw FileError(m_source + ": cannot be read");
      }
      return false;
    }
    ++m_line;
    word = Trimmed(line);
    if (!word.empty()) {
      word = nls::DecodeLegacy(word);
      return true;
    }
    if (!ended) {
      return false;
    }
  }
}

}  // namespace flexel::cli
