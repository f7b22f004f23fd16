#pragma once
// TXMLLanguage is what the loader knows about one `language` element of an open language file
// once it is selected: its information, its part-of-speech groups, its pictures, and the
// language-wide tables (character groups, transliteration, preprocessing). It is read from the
// DOM once and then kept by TXMLVerb for as long as the file stays open.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine_xml/flexel_dates.h"
#include "engine_xml/flexel_transliterator.h"
#include "platform/xml/xml_document.h"

namespace flexel {

// `file` element of the document.
struct TFileInfo {
  std::string created;   // as written
  std::string modified;  // as written, else the day the file was opened ("d.m.yyyy")
  std::string description;
  std::string firstName;
  std::string lastName;
  std::string email;
  std::string web;
};

// One child of `info/picture`, its data still hexadecimal.
struct TPicture {
  std::string type;
  std::string description;
  std::string format;
  std::string hexData;
};

// The bytes of hexadecimal picture data; throws flexel::Error when the text is not pairs of
// hexadecimal digits.
[[nodiscard]] std::string DecodePictureData(const std::string& hexData);

class TXMLLanguage {
 public:
  // ReadInfo and the language-wide tables. Throws ConvertError when a `speakers` entry or a
  // `parser/version` number is not a whole number.
  [[nodiscard]] static TXMLLanguage Read(xml::XmlElement language, const TFileInfo& file);

  xml::XmlElement element;
  xml::XmlElement words;  // null when the language has none

  std::string name;
  std::string code;
  std::string family;
  std::string statusText;
  double statusFraction = 0;
  std::optional<TDate> created;
  std::optional<TDate> modified;
  int languageId = -1;
  std::vector<std::string> whereSpoken;
  std::vector<std::string> extraInfo;  // "NAME<TAB>TEXT"
  int speakers = 0;
  int secondSpeakers = 0;
  std::vector<std::string> books;  // author, title, publisher, edition, printplace,
                                   // printyear, serie, id
  int parserMajor = 0;
  int parserMinor = 0;
  int parserSub = 0;

  std::vector<std::string> groups;           // "NAME<TAB>PUBLISHED<TAB>DESCRIPTION"
  std::vector<std::string> publishedGroups;  // the lines with PUBLISHED 1
  bool moreThanOneGroup = false;

  bool hasWhereSpoken = false;
  bool hasSpeakers = false;
  bool hasPicture = false;
  bool hasBooks = false;
  bool hasParser = false;
  bool hasExtraInfo = false;
  bool hasWordChildren = false;
  bool hasCharacterGroups = false;
  bool hasPreprocess = false;
  bool hasIme = false;
  bool hasImeNative = false;

  std::vector<TPicture> pictures;
  std::vector<std::string> characterGroups;  // "ID<TAB>MEMBERS"
  std::vector<std::string> imeLines;         // "SOURCE<TAB>VALUE<TAB>PUBLISHED"
  std::string imeProcessor;
  std::vector<std::string> imeNativeLines;
  std::string imeNativeProcessor;
  std::vector<std::pair<std::string, std::string>> preprocess;  // find, replacement

  TTransliterator display;
  TTransliterator native;
};

}  // namespace flexel
