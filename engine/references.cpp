#include "common/flexel_strings.h"
#include "engine/object_model.h"

namespace flexel::engine {
namespace detail {

std::string LineAt(const std::vector<std::string>& lines, int index) {
  return index >= 0 && static_cast<std::size_t>(index) < lines.size() ? lines[index]
                                                                      : std::string();
}

// A whole number field; an empty field is 0.
int NumberField(const std::string& line, int k) {
  const std::string text = Field(k, "\t", line);
  return text.empty() ? 0 : StrToInt(text);
}

}  // namespace detail

RefPtr<IDispatch> Tbooks::Item(int index) {
  return MakeRef<Tbook>(Engine(), detail::LineAt(m_lines, index), index);
}

void Tbook::InvokeMember(const MemberInfo& member, std::span<const Variant>, Variant& result) {
  switch (MemberOf(member)) {
    case Member::kBookAuthor:
      result = Field(0, "\t", m_line);
      break;
    case Member::kBookName:
      result = Field(1, "\t", m_line);
      break;
    case Member::kBookPublisher:
      result = Field(2, "\t", m_line);
      break;
    case Member::kBookEdition:
      result = detail::NumberField(m_line, 3);
      break;
    case Member::kBookPrintplace:
      result = Field(4, "\t", m_line);
      break;
    case Member::kBookPrintYear:
      result = detail::NumberField(m_line, 5);
      break;
    case Member::kBookBooklanguage:
      result = Field(6, "\t", m_line);
      break;
    case Member::kBookSerie:
      result = Field(7, "\t", m_line);
      break;
    case Member::kBookIsbn:
      result = Field(8, "\t", m_line);
      break;
    default:
      throw Error("Member " + std::string(member.name) + " is not served by Book");
  }
}

int TCountries::Count() { return Conjugator().CountryCount(); }

RefPtr<IDispatch> TCountries::Item(int index) { return MakeRef<TCountry>(Engine(), index); }

void TCountry::InvokeMember(const MemberInfo& member, std::span<const Variant>, Variant& result) {
  if (MemberOf(member) != Member::kCountryName)
    throw Error("Member " + std::string(member.name) + " is not served by Country");
  result = Conjugator().CountryName(m_index);
}

TSameTypes::TSameTypes(EngineRef engine, int partOfSpeech) noexcept
    : TCollection(std::move(engine), ObjectKind::kSameTypes), m_partOfSpeech(partOfSpeech) {
  Conjugator().ActiveWord().SameTypeWords().clear();
}

int TSameTypes::Count() {
  return static_cast<int>(Conjugator().ActiveWord().SameTypeWords().size());
}

RefPtr<IDispatch> TSameTypes::Item(int index) { return MakeRef<TSameType>(Engine(), index); }

void TSameType::InvokeMember(const MemberInfo& member, std::span<const Variant>, Variant& result) {
  const std::string line = detail::LineAt(Conjugator().ActiveWord().SameTypeWords(), m_index);
  switch (MemberOf(member)) {
    case Member::kSameTypeName:
      result = Field(0, "\t", line);
      break;
    case Member::kSameTypeNameW:
      result = Field(1, "\t", line);
      break;
    default:
      throw Error("Member " + std::string(member.name) + " is not served by SameType");
  }
}

int Trelatedwords::Count() {
  TBaseverb& word = Conjugator().ActiveWord();
  return word.ConjugationPattern() >= 1 ? static_cast<int>(word.RelatedWords().size()) : 0;
}

RefPtr<IDispatch> Trelatedwords::Item(int index) { return MakeRef<Trelatedword>(Engine(), index); }

void Trelatedword::InvokeMember(const MemberInfo& member, std::span<const Variant>,
                                Variant& result) {
  const std::string line = detail::LineAt(Conjugator().ActiveWord().RelatedWords(), m_index);
  const std::string kind = Field(0, "\t", line);
  const int wordType = kind == "+" ? 1 : kind == "-" ? -1 : 0;
  switch (MemberOf(member)) {
    case Member::kRelatedWordWordType:
      result = wordType;
      break;
    case Member::kRelatedWordTargetLanguage:
      result = wordType != 0 ? std::string() : kind;
      break;
    case Member::kRelatedWordName:
      result = Field(1, "\t", line);
      break;
    case Member::kRelatedWordNameW:
      result = Field(2, "\t", line);
      break;
    case Member::kRelatedWordMeaning:
      result = Field(3, "\t", line);
      break;
    case Member::kRelatedWordMeaningW:
      result = Field(4, "\t", line);
      break;
    default:
      throw Error("Member " + std::string(member.name) + " is not served by RelatedWord");
  }
}

}  // namespace flexel::engine
