#include <climits>
#include <cstdlib>

#include "engine/object_model.h"

namespace flexel::engine {

int TPartsOfSpeech::Count() { return Conjugator().PartOfSpeechCount(); }

RefPtr<IDispatch> TPartsOfSpeech::Item(int index) {
  return MakeRef<TPartOfSpeech>(Engine(), index);
}

void TPartOfSpeech::InvokeMember(const MemberInfo& member, std::span<const Variant>,
                                 Variant& result) {
  switch (MemberOf(member)) {
    case Member::kPartOfSpeechName:
      result = Conjugator().PartOfSpeechName(m_index);
      break;
    case Member::kPartOfSpeechId:
      result = m_index;
      break;
    case Member::kPartOfSpeechWords:
      result = MakeRef<Twords>(Engine(), m_index);
      break;
    case Member::kPartOfSpeechHeuristic:
      result = Conjugator().PartOfSpeechHeuristic(m_index);
      break;
    default:
      throw Error("Member " + std::string(member.name) + " is not served by PartOfSpeech");
  }
}

int Twords::Count() { return Conjugator().WordCount(m_partOfSpeech); }

RefPtr<IDispatch> Twords::Item(int index) {
  return MakeRef<Tword>(Engine(), m_partOfSpeech, index);
}

void Tword::InvokeMember(const MemberInfo& member, std::span<const Variant>, Variant& result) {
  TBaseConjugator& conjugator = Conjugator();
  switch (MemberOf(member)) {
    case Member::kWordName:
      result = conjugator.WordText(m_partOfSpeech, m_index);
      break;
    case Member::kWordNameW:
      result = conjugator.WordDisplay(conjugator.WordText(m_partOfSpeech, m_index));
      break;
    case Member::kWordTy: {
      const int type = conjugator.WordType(m_partOfSpeech, m_index);
      result = type == INT_MIN ? INT_MAX : std::abs(type);
      break;
    }
    case Member::kWordIsCommon:
      result = conjugator.WordType(m_partOfSpeech, m_index) > 0;
      break;
    default:
      throw Error("Member " + std::string(member.name) + " is not served by Word");
  }
}

void Tactiveword::InvokeMember(const MemberInfo& member, std::span<const Variant> args,
                               Variant& result) {
  TBaseConjugator& conjugator = Conjugator();
  TBaseverb& word = conjugator.ActiveWord();
  switch (MemberOf(member)) {
    case Member::kActiveWordPartOfSpeechId:
      m_partOfSpeech = args[0].ToInt();
      break;
    case Member::kActiveWordTypeId:
      result = word.ConjugationPattern();
      break;
    case Member::kActiveWordExtraInfo:
      result = word.ConjugationPattern() < 1 ? std::string() : word.ExtraInfo();
      break;
    case Member::kActiveWordName:
      if (member.kind == automation::DISPATCH_PROPERTYPUT)
        word.SetWord(conjugator.CurrentLanguage(), m_partOfSpeech, args[0].ToString());
      else
        result = word.WordName();
      break;
    case Member::kActiveWordVerbExists:
      result = conjugator.VerbExists(word.WordName());
      break;
    case Member::kActiveWordTensesRaw:
      result = word.TensesRaw();
      break;
    case Member::kActiveWordTenseNames:
      result = MakeRef<Tinflections>(Engine());
      break;
    case Member::kActiveWordSameType:
      result = MakeRef<TSameTypes>(Engine(), m_partOfSpeech);
      break;
    case Member::kActiveWordRelatedWord:
      result = MakeRef<Trelatedwords>(Engine(), m_partOfSpeech);
      break;
    case Member::kActiveWordNameW:
      result = word.WordNameW();
      break;
    case Member::kActiveWordPageExist:
      result = word.HasPage();
      break;
    case Member::kActiveWordPage:
      result = word.PageHTML();
      break;
    default:
      throw Error("Member " + std::string(member.name) + " is not served by ActiveWord");
  }
}

}  // namespace flexel::engine
