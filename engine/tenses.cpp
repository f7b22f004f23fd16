#include "engine/object_model.h"

namespace flexel::engine {

int Tinflections::Count() { return Conjugator().ActiveWord().TenseListCount(); }

RefPtr<IDispatch> Tinflections::Item(int index) {
  InflectionEntry entry;
  if (Engine()->Descriptor().inflectionKeepsLine)
    entry = Conjugator().ActiveWord().Inflection(index);
  return MakeRef<Tinflection>(Engine(), index, std::move(entry));
}

InflectionEntry Tinflection::Entry() const {
  if (Engine()->Descriptor().inflectionKeepsLine) return m_entry;
  return Conjugator().ActiveWord().Inflection(m_line);
}

void Tinflection::InvokeMember(const MemberInfo& member, std::span<const Variant>,
                               Variant& result) {
  const InflectionEntry entry = Entry();
  switch (MemberOf(member)) {
    case Member::kInflectionInflections:
      result = entry.idsText;
      break;
    case Member::kInflectionIndent:
      result = entry.indent;
      break;
    case Member::kInflectionName:
      result = entry.name;
      break;
    case Member::kInflectionTenses:
      result = MakeRef<Ttenses>(Engine(), entry.idsText, entry.count);
      break;
    default:
      throw Error("Member " + std::string(member.name) + " is not served by Inflection");
  }
}

RefPtr<IDispatch> Ttenses::Item(int index) {
  return MakeRef<Ttense>(Engine(), Conjugator().ActiveWord().TenseKey(m_idsText, index));
}

void Ttense::InvokeMember(const MemberInfo& member, std::span<const Variant> args,
                          Variant& result) {
  TBaseverb& word = Conjugator().ActiveWord();
  switch (MemberOf(member)) {
    case Member::kTenseCount:
      result = word.TenseRowCount(m_key);
      break;
    case Member::kTenseCol:
      result = word.TenseCell(m_key, args[0].ToInt(), args[1].ToInt());
      break;
    case Member::kTenseColHtml:
      result = word.TenseCellHTML(m_key, args[0].ToInt(), args[1].ToInt());
      break;
    case Member::kTenseColCount:
      result = word.TenseColCount(m_key);
      break;
    case Member::kTenseHtml:
      result = word.TenseTableHTML(m_key);
      break;
    default:
      throw Error("Member " + std::string(member.name) + " is not served by Tense");
  }
}

}  // namespace flexel::engine
