#pragma once
// The type libraries of the two engines: every interface of the object model with its members,
// DISPIDs, read/write kinds and types in vtable order, and per engine the library name, LIBID,
// interface IIDs and class CLSIDs. Both engines agree on names and DISPIDs, not on identities;
// a few members exist in one engine only (Language.date/isRTL/summary vs Summary,
// ActiveWord.pageexist/page, Languages.filter vs Filter).

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/automation/type_info.h"

namespace flexel::engine {

using automation::GUID;
using automation::InterfaceInfo;
using automation::MemberInfo;

enum class ObjectKind {
  kLanguages,
  kLanguage,
  kPartsOfSpeech,
  kPartOfSpeech,
  kWords,
  kWord,
  kActiveWord,
  kMorphology,
  kGuesses,
  kGuess,
  kInflections,
  kInflection,
  kTenses,
  kTense,
  kBooks,
  kBook,
  kCountries,
  kCountry,
  kSameTypes,
  kSameType,
  kRelatedWords,
  kRelatedWord,
};
inline constexpr std::size_t kObjectKinds = 22;

// What a member does, independent of its DISPID (the XML date and the VLX Summary share 216).
// The tables put it into MemberInfo::tag.
enum class Member {
  kCollectionCount,
  kCollectionItem,
  kCollectionNewEnum,
  kLanguagesGetIndex,
  kLanguagesStringData,
  kLanguagesListColor,
  kLanguagesHtmlDir,
  kLanguagesFilter,
  kLanguagesCopyright,
  kLanguageName,
  kLanguageId,
  kLanguageSilCode,
  kLanguagePopulation,
  kLanguageFamily,
  kLanguagePartsOfSpeech,
  kLanguageWherespoken,
  kLanguageActiveWord,
  kLanguageMorphology,
  kLanguageNlsLangId,
  kLanguageNlsSortId,
  kLanguageIsSorted,
  kLanguageNlsSubLangId,
  kLanguageFlagImage,
  kLanguageReferences,
  kLanguageHtml,
  kLanguageDate,
  kLanguageSummary,
  kLanguageIsRtl,
  kPartOfSpeechName,
  kPartOfSpeechId,
  kPartOfSpeechWords,
  kPartOfSpeechHeuristic,
  kWordName,
  kWordTy,
  kWordNameW,
  kWordIsCommon,
  kActiveWordPartOfSpeechId,
  kActiveWordTypeId,
  kActiveWordExtraInfo,
  kActiveWordName,
  kActiveWordVerbExists,
  kActiveWordTensesRaw,
  kActiveWordTenseNames,
  kActiveWordSameType,
  kActiveWordRelatedWord,
  kActiveWordNameW,
  kActiveWordPageExist,
  kActiveWordPage,
  kMorphologyPartOfSpeech,
  kMorphologyInflection,
  kMorphologyGuesses,
  kMorphologyNextWord,
  kMorphologyIsImplemented,
  kGuessName,
  kGuessPercentage,
  kGuessInfo,
  kGuessPartOfSpeech,
  kInflectionInflections,
  kInflectionIndent,
  kInflectionName,
  kInflectionTenses,
  kTenseCount,
  kTenseCol,
  kTenseColHtml,
  kTenseColCount,
  kTenseHtml,
  kBookAuthor,
  kBookName,
  kBookPublisher,
  kBookEdition,
  kBookPrintplace,
  kBookPrintYear,
  kBookBooklanguage,
  kBookSerie,
  kBookIsbn,
  kCountryName,
  kSameTypeName,
  kSameTypeNameW,
  kRelatedWordWordType,
  kRelatedWordTargetLanguage,
  kRelatedWordName,
  kRelatedWordNameW,
  kRelatedWordMeaning,
  kRelatedWordMeaningW,
};

[[nodiscard]] constexpr Member MemberOf(const MemberInfo& member) noexcept {
  return static_cast<Member>(member.tag);
}

struct CoClassInfo {
  std::string_view name;  // "Languages"
  GUID clsid;
  const InterfaceInfo* defaultInterface;
  std::string_view doc;
  bool listsEnumerator;  // IEnumVARIANT named as a second interface of the class
};

struct TypeLibrary {
  std::string_view name;  // "Lexoro5xml": data folder name and ProgID prefix
  GUID libid;
  std::string_view helpString;
  int majorVersion;
  int minorVersion;
  std::uint32_t lcid;
  std::array<CoClassInfo, kObjectKinds> classes;

  [[nodiscard]] const CoClassInfo& Class(ObjectKind kind) const noexcept {
    return classes[static_cast<std::size_t>(kind)];
  }
  [[nodiscard]] const InterfaceInfo& Interface(ObjectKind kind) const noexcept {
    return *Class(kind).defaultInterface;
  }
  // "Lexoro5xml.Languages".
  [[nodiscard]] std::string ProgID() const { return std::string(name) + ".Languages"; }
};

[[nodiscard]] const TypeLibrary& XmlTypeLibrary() noexcept;
[[nodiscard]] const TypeLibrary& VlxTypeLibrary() noexcept;

}  // namespace flexel::engine
