#include "constructor/project_reader.h"

#include <cctype>

#include "platform/core/error.h"
#include "platform/nls/nls.h"

namespace flexel {

bool CarriesTag(std::string_view line, std::string_view tag) {
  // Upper-casing never shortens a code point, so the first tag.size() code points suffice.
  std::size_t end = 0;
  bool ascii = true;
  for (std::size_t points = 0; end < line.size() && points < tag.size(); ++points) {
    const auto lead = static_cast<unsigned char>(line[end]);
    ascii &= lead < 0x80;
    ++end;
    while (end < line.size() && (static_cast<unsigned char>(line[end]) & 0xC0) == 0x80) ++end;
  }
  const std::string_view prefix = line.substr(0, end);
  if (ascii) {
    if (prefix.size() < tag.size()) return false;
    for (std::size_t i = 0; i < tag.size(); ++i) {
      if (std::toupper(static_cast<unsigned char>(prefix[i])) != tag[i]) return false;
    }
    return true;
  }
  return nls::ToUpper(prefix).starts_with(tag);
}

std::string TagValue(std::string_view line, std::string_view tag) {
  std::string value(line);
  const std::size_t at = value.find(tag);
  if (at != std::string::npos) value.erase(at, tag.size());
  return value;
}

std::optional<int> TenseNumber(std::string_view line) {
  const std::size_t colon = line.find(':');
  if (colon == std::string_view::npos || colon == 0) return std::nullopt;
  const std::string_view number = line.substr(0, colon);
  // Blanks may lead the number but not follow it.
  if (number.back() == ' ') return std::nullopt;
  try {
    return StrToInt(std::string(number));
  } catch (const ConvertError&) {
    return std::nullopt;  // no number: the line is not a tense or form line
  }
}

std::string RemoveTenseNumber(std::string_view line, int id) {
  std::string text(line);
  const std::string prefix = std::to_string(id) + ":";
  const std::size_t at = text.find(prefix);
  if (at != std::string::npos) text.erase(at, prefix.size());
  return text;
}

void TProjectReader::Read(const std::vector<std::string>& lines) {
  std::size_t next = 0;
  auto take = [&]() -> const std::string& {
    if (next >= lines.size()) throw ListIndexError(0);
    return lines[next++];
  };
  enum class Section { Header, Tenses, Words } section = Section::Header;
  do {
    const std::string& line = take();
    switch (section) {
      case Section::Header: {
        if (CarriesTag(line, kTensesTag)) {
          section = Section::Tenses;
          TensesSection();
          break;
        }
        for (const auto& [field, tag] : kHeaderTags) {
          if (CarriesTag(line, tag)) {
            HeaderLine(field, TagValue(line, tag));
            break;
          }
        }
        break;
      }
      case Section::Tenses: {
        if (CarriesTag(line, kWordsTag)) {
          section = Section::Words;
          WordsSection();
        } else if (const auto id = TenseNumber(line)) {
          TenseLine(*id, RemoveTenseNumber(line, *id), line);
        }
        break;
      }
      case Section::Words: {
        WordLine(line);
        for (;;) {
          const std::string& form = take();
          if (form == kEndOfWord) break;
          if (const auto id = TenseNumber(form)) FormLine(*id, RemoveTenseNumber(form, *id), form);
        }
        break;
      }
    }
  } while (next < lines.size());
}

}  // namespace flexel
