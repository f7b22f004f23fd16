// The shipped XML engine plug-in, created by ProgID, over a small language extension.

#include "engine_fixture.h"

namespace flexel::engine::test {
namespace {

using namespace automation;

const EngineKind kXmlPlugin{"XmlPlugin", FLEXEL_XML_ENGINE, "Lexoro5xml.Languages", true,
                            &XmlTypeLibrary};
const std::string kTwoLanguages = std::string(FLEXEL_TEST_DATA) + "/engine/two_languages.xml";

using XmlPlugin = EngineTest;

TEST_F(XmlPlugin, ServesTheNamedLanguagesOfAFile) {
  const Dispatch languages = Open(kXmlPlugin, kTwoLanguages);
  EXPECT_EQ(languages.Get("Count").ToInt(), 2);
  EXPECT_EQ(languages.Get("ListColor").ToInt(), 6723840);
  EXPECT_EQ(languages.Get("Filter").ToString(), "Flexel XML language extension|*.xml");
  EXPECT_EQ(languages.Get("Copyright").ToString(),
            "\tAna Bell\tana@example.org\thttp://example.org/");

  const Dispatch first = languages.Get("Item", {0});
  EXPECT_EQ(first.Get("summary").ToString(), "The summary.");
  EXPECT_EQ(first.Get("date").ToDouble(), 39238.0);  // 5 June 2007, the file's modified date
  const Dispatch second = languages.Get("Item", {1});
  EXPECT_EQ(first.Get("Name").ToString(), "Beta");
  EXPECT_EQ(second.Get("summary").ToString(), "Only comments.");

  EXPECT_EQ(languages.Get("GetIndex", {"ALP"}).ToInt(), 0);
  EXPECT_EQ(languages.Get("GetIndex", {"xyz"}).ToInt(), -1);
  EXPECT_EQ(first.Get("silcode").ToString(), "BET");
  ExpectError([&] { (void)languages.Get("Item", {2}); }, E_UNEXPECTED,
              "List index out of bounds (2)");
}

TEST_F(XmlPlugin, ConjugatesThroughTheObjectModel) {
  const Dispatch language = Open(kXmlPlugin, kTwoLanguages).Get("Item", {0});
  EXPECT_EQ(language.Get("Wherespoken").Get("Item", {1}).Get("Name").ToString(), "Bland");
  const Dispatch book = language.Get("References").Get("Item", {0});
  EXPECT_EQ(book.Get("Author").ToString(), "Au");
  EXPECT_EQ(book.Get("Edition").ToInt(), 2);
  EXPECT_EQ(book.Get("Booklanguage").ToString(), "0");
  EXPECT_EQ(book.Get("ISBN").ToString(), "123");
  EXPECT_EQ(language.Get("flagimage").ToString(), "");

  const Dispatch verbs = language.Get("PartsOfSpeech").Get("Item", {0});
  EXPECT_EQ(verbs.Get("Name").ToString(), "verbs");
  EXPECT_TRUE(verbs.Get("heuristic").ToBool());
  const Dispatch entry = verbs.Get("Words").Get("Item", {0});
  EXPECT_EQ(entry.Get("Name").ToString(), "hablar");
  EXPECT_EQ(entry.Get("ty").ToInt(), 1);

  const Dispatch word = language.Get("ActiveWord");
  word.Put("partofspeechid", 0);
  word.Put("Name", "hablar");
  EXPECT_TRUE(word.Get("VerbExists").ToBool());
  EXPECT_EQ(word.Get("typeid").ToInt(), 1);
  EXPECT_EQ(word.Get("TensesRaw").ToString(), "0\tHead\t0\r\n1\tPresent\t1\t1|\r\n");
  const Dispatch inflections = word.Get("TenseNames");
  EXPECT_EQ(inflections.Get("Item", {0}).Get("Tenses").Get("Count").ToInt(), 0);
  const Dispatch tense = inflections.Get("Item", {1}).Get("Tenses").Get("Item", {0});
  EXPECT_EQ(tense.Get("Count").ToInt(), 2);
  EXPECT_EQ(tense.Get("ColCount").ToInt(), 1);
  EXPECT_EQ(tense.Get("Col", {2, 0}).ToString(), "hablas");
  EXPECT_NE(tense.Get("HTML").ToString().find("hablo"), std::string::npos);

  word.Put("Name", "cantar");
  EXPECT_FALSE(word.Get("VerbExists").ToBool());
  EXPECT_EQ(tense.Get("Col", {1, 0}).ToString(), "canto");
}

}  // namespace
}  // namespace flexel::engine::test
