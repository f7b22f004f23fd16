#include "engine_xml/flexel_xmllanguage.h"

#include <cstdlib>

#include "common/flexel_strings.h"
#include "platform/core/error.h"
#include "platform/nls/nls.h"

namespace flexel {
namespace detail {

int HexDigit(char c) noexcept {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "percentage" as a fraction; a missing or unreadable value counts as 0.
double StatusFraction(const std::optional<std::string>& percentage) {
  if (!percentage || percentage->empty()) return 0;
  char* end = nullptr;
  const double value = std::strtod(percentage->c_str(), &end);
  while (end != nullptr && *end == ' ') ++end;
  if (end == nullptr || *end != '\0') return 0;
  return value / 100;
}

// A whole number written as an element's text; an empty text reads as 0.
int NumberText(const xml::XmlElement& element) {
  const std::string text = element.Text();
  return text.empty() ? 0 : StrToInt(text);
}

// A parser version part: absent is 0, present must be a whole number.
int VersionPart(const xml::XmlElement& version, const char* name) {
  const xml::XmlElement part = version.Child(name);
  return part ? StrToInt(part.Text()) : 0;
}

void ReadImeTable(const xml::XmlElement& table, std::vector<std::string>& lines,
                  std::string& processor) {
  lines.clear();
  processor.clear();
  if (!table) return;
  processor = table.AttributeOr("processor", "");
  for (const xml::XmlElement& entry : table.Children()) {
    const bool published = nls::ToLower(entry.AttributeOr("published", "")) == "yes";
    lines.push_back(entry.Text() + "\t" + ImeValueText(entry.AttributeOr("value", "")) + "\t" +
                    (published ? "1" : "0"));
  }
}

}  // namespace detail

std::string DecodePictureData(const std::string& hexData) {
  std::string bytes;
  bytes.reserve(hexData.size() / 2);
  int high = -1;
  for (char c : hexData) {
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
    const int digit = detail::HexDigit(c);
    if (digit < 0) throw Error("Picture data is not hexadecimal: '" + std::string(1, c) + "'");
    if (high < 0) {
      high = digit;
    } else {
      bytes.push_back(static_cast<char>(high * 16 + digit));
      high = -1;
    }
  }
  if (high >= 0) throw Error("Picture data has an odd number of hexadecimal digits");
  return bytes;
}

TXMLLanguage TXMLLanguage::Read(xml::XmlElement language, const TFileInfo& file) {
  TXMLLanguage result;
  result.element = language;
  const xml::XmlElement info = language.Child("info");

  for (const xml::XmlElement& child : info.Children()) {
    const std::string tag = child.Name();
    if (tag == "name") {
      result.name = child.Text();
    } else if (tag == "code") {
      result.code = child.Text();
    } else if (tag == "family") {
      result.family = child.Text();
    } else if (tag == "status") {
      result.statusText = child.Text();
      result.statusFraction = detail::StatusFraction(child.Attribute("percentage"));
    } else if (tag == "created") {
      result.created = ParseDate(child.Text());
    } else if (tag == "modified") {
      result.modified = ParseDate(child.Text());
    }
  }
  if (!result.created) result.created = ParseDate(file.created);
  if (!result.modified) result.modified = ParseDate(file.modified);
  if (!result.modified) result.modified = result.created;
  result.languageId = CodeIndex(result.code);

  if (const xml::XmlElement where = info.Child("wherespoken")) {
    result.hasWhereSpoken = true;
    for (const xml::XmlElement& place : where.Children())
      result.whereSpoken.push_back(place.Text());
  }
  if (const xml::XmlElement extra = info.Child("extrainfo")) {
    result.hasExtraInfo = true;
    for (const xml::XmlElement& item : extra.Children()) {
      result.extraInfo.push_back(item.AttributeOr("name", "") + "\t" + item.Text());
    }
  }
  if (const xml::XmlElement speakers = info.Child("speakers")) {
    result.hasSpeakers = true;
    for (const xml::XmlElement& count : speakers.Children()) {
      const int value = detail::NumberText(count);
      (count.Attribute("type") ? result.secondSpeakers : result.speakers) = value;
    }
  }
  if (const xml::XmlElement books = info.Child("books")) {
    result.hasBooks = true;
    for (const xml::XmlElement& book : books.Children()) {
      result.books.push_back(
          book.AttributeOr("author", "") + "\t" + book.Text() + "\t" +
          book.AttributeOr("publisher", "") + "\t" + book.AttributeOr("edition", "") + "\t" +
          book.AttributeOr("printplace", "") + "\t" + book.AttributeOr("printyear", "") + "\t" +
          book.AttributeOr("serie", "") + "\t" + book.AttributeOr("id", ""));
    }
  }
  if (const xml::XmlElement parser = info.Child("parser")) {
    result.hasParser = true;
    const xml::XmlElement version = parser.Child("version");
    result.parserMajor = detail::VersionPart(version, "major");
    result.parserMinor = detail::VersionPart(version, "minor");
    result.parserSub = detail::VersionPart(version, "sub");
  }
  if (const xml::XmlElement pictures = info.Child("picture")) {
    result.hasPicture = true;
    for (const xml::XmlElement& picture : pictures.Children()) {
      result.pictures.push_back(TPicture{picture.AttributeOr("type", ""),
                                         picture.AttributeOr("description", ""),
                                         picture.AttributeOr("format", ""), picture.Text()});
    }
  }

  // Parts of speech; "groups" holds character groups and is never offered.
  result.words = language.Child("words");
  if (result.words) {
    result.hasWordChildren = result.words.ChildCount() > 0;
    for (const xml::XmlElement& group : result.words.Children()) {
      const std::string tag = group.Name();
      const bool published = tag != "groups" && group.Attribute("published") == "yes";
      const std::string line =
          tag + "\t" + (published ? "1" : "0") + "\t" + group.AttributeOr("description", "");
      result.groups.push_back(line);
      if (published) result.publishedGroups.push_back(line);
    }
    result.moreThanOneGroup = result.publishedGroups.size() > 1;
    if (const xml::XmlElement characterGroups = result.words.Child("groups")) {
      result.hasCharacterGroups = true;
      for (const xml::XmlElement& group : characterGroups.Children()) {
        result.characterGroups.push_back(group.AttributeOr("id", "") + "\t" + group.Text());
      }
    }
  }

  const xml::XmlElement ime = language.Child("ime");
  const xml::XmlElement imeNative = language.Child("imenative");
  result.hasIme = static_cast<bool>(ime);
  result.hasImeNative = static_cast<bool>(imeNative);
  detail::ReadImeTable(ime, result.imeLines, result.imeProcessor);
  detail::ReadImeTable(imeNative, result.imeNativeLines, result.imeNativeProcessor);
  result.display.Load(result.imeLines, result.imeProcessor);
  result.native.Load(result.imeNativeLines, result.imeNativeProcessor);

  if (const xml::XmlElement preprocess = language.Child("preprocess")) {
    result.hasPreprocess = true;
    for (const xml::XmlElement& entry : preprocess.Children()) {
      std::string find = entry.Text();
      // A blank is what an empty-looking entry stands for.
      if (find.empty()) find = " ";
      result.preprocess.emplace_back(std::move(find), entry.AttributeOr("value", ""));
    }
  }
  return result;
}

}  // namespace flexel
