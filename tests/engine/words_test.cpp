#include "engine_fixture.h"

namespace flexel::engine::test {
namespace {

using namespace automation;

using Words = BothEngines;

TEST_P(Words, PartsOfSpeechAndWordsAreViewsByIndex) {
  const Dispatch parts = Open(GetParam()).Get("Item", {0}).Get("PartsOfSpeech");
  EXPECT_EQ(parts.Get("Count").ToInt(), 2);
  const Dispatch verbs = parts.Get("Item", {0});
  EXPECT_EQ(verbs.Get("Name").ToString(), "verbs");
  EXPECT_EQ(verbs.Get("id").ToInt(), 0);
  EXPECT_EQ(verbs.Get("heuristic").value(), Variant(true));
  EXPECT_EQ(parts.Get("Item", {5}).Get("Name").ToString(), "");
  EXPECT_EQ(parts.Get("Item", {5}).Get("id").ToInt(), 5);

  const Dispatch words = verbs.Get("Words");
  EXPECT_EQ(words.Get("Count").ToInt(), 3);
  struct Row {
    int index;
    const char* name;
    const char* nameW;
    int ty;
    bool isCommon;
  };
  for (const Row& row :
       {Row{0, "hablar", "HABLAR (hablar)", 1, true}, Row{1, "1@ser", "1@ser", 2, false},
        Row{2, "2@ser", "2@ser", 3, true}, Row{9, "", "", 0, false}}) {
    const Dispatch word = words.Get("Item", {row.index});
    SCOPED_TRACE(row.index);
    EXPECT_EQ(word.Get("Name").ToString(), row.name);
    EXPECT_EQ(word.Get("NameW").ToString(), row.nameW);
    EXPECT_EQ(word.Get("ty").ToInt(), row.ty);
    EXPECT_EQ(word.Get("IsCommon").ToBool(), row.isCommon);
  }
}

TEST_P(Words, TheActiveWordLivesInTheEngine) {
  const Dispatch language = Open(GetParam()).Get("Item", {0});
  const Dispatch first = language.Get("ActiveWord");
  EXPECT_EQ(first.Get("typeid").ToInt(), -1);
  EXPECT_EQ(first.Get("TensesRaw").ToString(), "");
  EXPECT_EQ(first.Get("Name").ToString(), "");

  first.Put("partofspeechid", 0);
  first.Put("Name", "hablar");
  const Dispatch second = language.Get("ActiveWord");
  EXPECT_EQ(second.Get("Name").ToString(), "hablar");
  EXPECT_EQ(second.Get("NameW").ToString(), "HABLAR (hablar)");
  EXPECT_EQ(second.Get("typeid").ToInt(), 1);
  EXPECT_TRUE(second.Get("VerbExists").ToBool());
  EXPECT_EQ(second.Get("extrainfo").ToString(), "");
  EXPECT_EQ(second.Get("TensesRaw").ToString(),
            "0\tIndicative\t0\r\n1\tPresent\t1\t7|\r\n1\tPast hablar\t1\t8|\r\n");

  first.Put("Name", "Hablarx");
  EXPECT_EQ(second.Get("Name").ToString(), "Hablarx");
  EXPECT_FALSE(second.Get("VerbExists").ToBool());
  EXPECT_EQ(second.Get("typeid").ToInt(), 0);
  EXPECT_EQ(second.Get("TenseNames").Get("Count").ToInt(), 0);
}

TEST_P(Words, TheWordIsSetInThePartOfSpeechWrittenToThisObject) {
  const Dispatch language = Open(GetParam()).Get("Item", {0});
  const Dispatch nouns = language.Get("ActiveWord");
  nouns.Put("partofspeechid", 1);
  const Dispatch verbs = language.Get("ActiveWord");
  verbs.Put("partofspeechid", 0);
  nouns.Put("Name", "hablar");
  EXPECT_EQ(nouns.Get("typeid").ToInt(), 0);
  verbs.Put("Name", "casa");
  EXPECT_EQ(verbs.Get("typeid").ToInt(), 0);
  verbs.Put("Name", "hablar");
  EXPECT_EQ(verbs.Get("typeid").ToInt(), 1);
}

TEST_P(Words, InflectionsTensesAndCells) {
  const Dispatch word = Open(GetParam()).Get("Item", {0}).Get("ActiveWord");
  word.Put("partofspeechid", 0);
  word.Put("Name", "hablar");
  const Dispatch inflections = word.Get("TenseNames");
  ASSERT_EQ(inflections.Get("Count").ToInt(), 3);

  const Dispatch heading = inflections.Get("Item", {0});
  EXPECT_EQ(heading.Get("Name").ToString(), "Indicative");
  EXPECT_EQ(heading.Get("indent").ToInt(), 0);
  EXPECT_EQ(heading.Get("Inflections").ToString(), "");
  EXPECT_EQ(heading.Get("Tenses").Get("Count").ToInt(), 0);

  const Dispatch present = inflections.Get("Item", {1});
  EXPECT_EQ(present.Get("indent").ToInt(), 1);
  EXPECT_EQ(present.Get("Inflections").ToString(), "7|");
  const Dispatch tenses = present.Get("Tenses");
  EXPECT_EQ(tenses.Get("Count").ToInt(), 1);
  ExpectError([&] { (void)tenses.Get("Item", {1}); }, E_UNEXPECTED,
              "'' is not a valid integer value");
  const Dispatch tense = tenses.Get("Item", {0});
  EXPECT_EQ(tense.Get("Count").ToInt(), 2);
  EXPECT_EQ(tense.Get("ColCount").ToInt(), 2);
  EXPECT_EQ(tense.Get("Col", {2, 1}).ToString(), "hablaramos");
  EXPECT_EQ(tense.Get("Col", {0, 0}).ToString(), tense.Get("Col", {1, 0}).ToString());
  EXPECT_EQ(tense.Get("Col", {"1", "0"}).ToString(), "hablaro");
  EXPECT_EQ(tense.Get("ColHTML", {1, 1}).ToString(), "<span>hablaras</span>");
  EXPECT_EQ(tense.Get("HTML").ToString(), "<table>hablaro\thablaras/hablara\thablaramos/</table>");
  ExpectError([&] { (void)tense.Get("Col", {1}); }, DISP_E_BADPARAMCOUNT,
              "Invalid number of parameters: Col");

  const Dispatch missing = inflections.Get("Item", {7});
  EXPECT_EQ(missing.Get("indent").ToInt(), -1);
  EXPECT_EQ(missing.Get("Name").ToString(), "");
  EXPECT_EQ(missing.Get("Tenses").Get("Count").ToInt(), -1);

  // Objects read the engine's word at every call; an XML Inflection keeps its copied line.
  const Dispatch past = inflections.Get("Item", {2});
  word.Put("Name", "2@ser");
  EXPECT_EQ(tense.Get("Col", {1, 0}).ToString(), "2@sero");
  EXPECT_EQ(past.Get("Name").ToString(), GetParam().xml ? "Past hablar" : "Past 2@ser");
  if (GetParam().xml) {
    EXPECT_EQ(word.Get("page").ToString(), "<html>2@ser</html>");
  }
}

INSTANTIATE_TEST_SUITE_P(Engine, Words, ::testing::Values(kXml, kVlx), EngineName);

}  // namespace
}  // namespace flexel::engine::test
