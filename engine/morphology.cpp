#include "engine/object_model.h"

namespace flexel::engine {

void TMorphology::InvokeMember(const MemberInfo& member, std::span<const Variant> args,
                               Variant& result) {
  TBaseMorpho& morphology = Conjugator().Morphology();
  switch (MemberOf(member)) {
    case Member::kMorphologyPartOfSpeech:
      morphology.SetPartOfSpeech(args[0].ToInt());
      break;
    case Member::kMorphologyInflection:
      if (member.kind == automation::DISPATCH_PROPERTYPUT)
        morphology.SetInflection(args[0].ToString());
      else
        result = morphology.Inflection();
      break;
    case Member::kMorphologyGuesses:
      result = MakeRef<Tguesses>(Engine());
      break;
    case Member::kMorphologyNextWord:
      result = morphology.NextWord();
      break;
    case Member::kMorphologyIsImplemented:
      result = morphology.Implemented();
      break;
    default:
      throw Error("Member " + std::string(member.name) + " is not served by Morphology");
  }
}

// Line 0 of the guesses text is not a guess.
int Tguesses::Count() {
  const auto lines = TextLines(Conjugator().Morphology().GuessesText());
  return lines.empty() ? 0 : static_cast<int>(lines.size()) - 1;
}

RefPtr<IDispatch> Tguesses::Item(int index) {
  const auto lines = TextLines(Conjugator().Morphology().GuessesText());
  const std::size_t line = static_cast<std::size_t>(index) + 1;
  return MakeRef<Tguess>(Engine(), index >= 0 && line < lines.size() ? lines[line] : std::string());
}

void Tguess::InvokeMember(const MemberInfo& member, std::span<const Variant>, Variant& result) {
  TBaseMorpho& morphology = Conjugator().Morphology();
  switch (MemberOf(member)) {
    case Member::kGuessName:
      result = morphology.GuessName(m_line);
      break;
    case Member::kGuessInfo:
      result = morphology.GuessInfo(m_line);
      break;
    case Member::kGuessPercentage:
    case Member::kGuessPartOfSpeech:
      result = 0;
      break;
    default:
      throw Error("Member " + std::string(member.name) + " is not served by Guess");
  }
}

}  // namespace flexel::engine
