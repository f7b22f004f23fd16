// The XML facade as the object model uses it: open a file, pick a language and a part of
// speech, list words, set a word and read every tense.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine_xml/flexel_conjugator.h"
#include "platform/core/error.h"
#include "xml_fixture.h"

namespace flexel {
namespace {

using testing::XmlFixture;

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Error& e) {
    return e.what();
  }
  return "(no error)";
}

std::unique_ptr<TConjugator> Open(const std::string& fixture) {
  auto conjugator = std::make_unique<TConjugator>("/nonexistent/lib/Lexoro5xml/");
  conjugator->OpenLanguageFile(XmlFixture(fixture));
  return conjugator;
}

TEST(XmlConjugator, ClientConjugatesListedAndUnlistedWords) {
  auto conjugator = Open("records.xml");
  ASSERT_EQ(conjugator->LanguageCount(), 1);
  conjugator->SelectLanguage(0);
  EXPECT_EQ(conjugator->LanguageName(), "Recordish");
  ASSERT_EQ(conjugator->PartOfSpeechCount(), 1);
  EXPECT_EQ(conjugator->PartOfSpeechName(0), "verbs");
  ASSERT_EQ(conjugator->WordCount(0), 3);
  EXPECT_EQ(conjugator->WordText(0, 0), "laufen");
  EXPECT_EQ(conjugator->WordText(0, 2), "sitzen");
  EXPECT_EQ(conjugator->WordText(0, 3), "");
  EXPECT_EQ(conjugator->WordText(0, -1), "");
  EXPECT_EQ(conjugator->WordType(0, 1), 1);

  TBaseverb& word = conjugator->ActiveWord();
  EXPECT_EQ(word.ConjugationPattern(), -1);
  EXPECT_EQ(word.TensesRaw(), "");
  word.SetWord(0, 0, "laufen");
  EXPECT_EQ(word.ConjugationPattern(), 1);
  EXPECT_TRUE(word.Found());
  EXPECT_TRUE(conjugator->VerbExists("laufen"));
  EXPECT_EQ(word.TensesRaw(),
            "0\tIndicative\t0\r\n1\tPresent\t1\t1|\r\n1\tOrder\t1\t2|\r\n1\tRare\t1\t3|\r\n"
            "0\tMasked\t1\t4|\r\n0\tRoot\t1\t5|\r\n");

  // Every tense as the object model reads it: line -> ids text -> key -> forms.
  const std::map<std::string, std::string> expected = {{"Present", "laufe/l\u00e4ufst/l\u00e4uft/"},
                                                       {"Order", "Rlaufen/claufen/"},
                                                       {"Rare", "selten/"},
                                                       {"Masked", "x//x/"},
                                                       {"Root", "lauv/"}};
  std::map<std::string, std::string> seen;
  auto& verb = static_cast<TMyVerb&>(word);
  for (int line = 0; line < word.TenseListCount(); ++line) {
    const InflectionEntry entry = word.Inflection(line);
    if (entry.count < 1) {
      EXPECT_EQ(entry.name, "Indicative");
      EXPECT_EQ(entry.idsText, "");
      continue;
    }
    const int key = word.TenseKey(entry.idsText, 0);
    seen[entry.name] = verb.TenseForms(key);
    EXPECT_EQ(word.TenseRowCount(key),
              static_cast<int>(std::count(seen[entry.name].begin(), seen[entry.name].end(), '/')));
  }
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(word.Inflection(1).indent, 1);
  EXPECT_EQ(word.Inflection(99).count, -1);
  EXPECT_EQ(word.Inflection(99).indent, -1);
  EXPECT_EQ(ErrorOf([&] { (void)word.TenseKey("1|", 1); }), "'' is not a valid integer value");

  EXPECT_EQ(word.TenseCell(1, 2, 0), "l\u00e4ufst");
  EXPECT_EQ(word.TenseCellHTML(1, 2, 0), "<span class=pronoun>l\u00e4ufst</span>");
  EXPECT_EQ(word.TenseColCount(1), 1);
  EXPECT_EQ(word.TenseRowCount(99), 0);
  EXPECT_NE(word.TenseTableHTML(4).find("<span class=pronoun>x</span>"), std::string::npos);
  EXPECT_FALSE(word.HasPage());

  // A word the dictionary does not have, recognised by a check rule.
  word.SetWord(0, 0, "gehen");
  EXPECT_EQ(word.ConjugationPattern(), 1);
  EXPECT_FALSE(word.Found());
  EXPECT_FALSE(conjugator->VerbExists("gehen"));
  EXPECT_EQ(verb.TenseForms(1), "gehe/gehst/geht/");

  word.SetWord(0, 0, "rennen");
  EXPECT_EQ(word.TenseListCount(), 5);  // its tense mask hides "Rare"
}

TEST(XmlConjugator, WordReadsInBetweenDoNotChangeTheActiveWord) {
  auto conjugator = Open("records.xml");
  conjugator->SelectLanguage(0);
  auto& verb = static_cast<TMyVerb&>(conjugator->ActiveWord());
  verb.SetWord(0, 0, "laufen");
  EXPECT_EQ(conjugator->WordType(0, 2), 1);  // looks "sitzen" up in the reader
  EXPECT_EQ(conjugator->WordCount(0), 3);    // reloads the group
  EXPECT_EQ(verb.TenseForms(1), "laufe/l\u00e4ufst/l\u00e4uft/");
}

TEST(XmlConjugator, HomonymsPartsOfSpeechAndVerbExists) {
  auto conjugator = Open("lookup.xml");
  conjugator->SelectLanguage(0);
  EXPECT_EQ(conjugator->PartOfSpeechCount(), 2);
  EXPECT_EQ(conjugator->PartOfSpeechName(1), "nouns");
  EXPECT_EQ(conjugator->PartOfSpeechName(2), "");
  EXPECT_FALSE(conjugator->PartOfSpeechHeuristic(0));
  EXPECT_TRUE(conjugator->PartOfSpeechHeuristic(1));
  EXPECT_EQ(conjugator->WordCount(5), 0);

  ASSERT_EQ(conjugator->WordCount(0), 8);
  EXPECT_EQ(conjugator->WordText(0, 4), "1@ser");
  EXPECT_EQ(conjugator->WordText(0, 5), "2@ser");
  // Each homonym answers with its own pattern, without asking anybody.
  int asked = 0;
  conjugator->SetHomonymChooser([&](const std::vector<std::string>&) { return ++asked, 3; });
  EXPECT_EQ(conjugator->WordType(0, 4), 1);
  EXPECT_EQ(conjugator->WordType(0, 5), 2);
  EXPECT_EQ(conjugator->WordType(0, 6), 3);
  EXPECT_EQ(conjugator->WordType(0, 8), 0);
  EXPECT_EQ(asked, 0);

  TBaseverb& word = conjugator->ActiveWord();
  word.SetWord(0, 0, "ser");
  EXPECT_EQ(word.ConjugationPattern(), 3);
  // The same text again is not looked up again.
  word.SetWord(0, 0, "ser");
  EXPECT_EQ(asked, 1);

  word.SetWord(0, 0, "xyz");
  EXPECT_EQ(word.ConjugationPattern(), 0);
  EXPECT_EQ(word.TensesRaw(), "");
  EXPECT_EQ(word.TenseListCount(), 0);
  EXPECT_EQ(static_cast<TMyVerb&>(word).TenseForms(1), "");
  // Unknown to the rules, but in the word list when letter case is ignored.
  EXPECT_TRUE(conjugator->VerbExists("ZETA"));
  EXPECT_FALSE(conjugator->VerbExists("xyz"));

  // Another language resets the word; coming back, the same text is set anew.
  conjugator->SelectLanguage(1);
  EXPECT_EQ(word.ConjugationPattern(), -1);
  EXPECT_EQ(word.TensesRaw(), "");
  conjugator->SelectLanguage(0);
  word.SetWord(0, 0, "ser");
  EXPECT_EQ(word.ConjugationPattern(), 3);
  EXPECT_EQ(asked, 2);
}

TEST(XmlConjugator, FindLanguageByCode) {
  auto conjugator = Open("lookup.xml");
  EXPECT_EQ(conjugator->FindLanguageByCode("LoK"), 0);
  EXPECT_EQ(conjugator->FindLanguageByCode("nope"), -1);
  EXPECT_EQ(conjugator->CurrentLanguage(), 1);  // the last one tried
}

TEST(XmlConjugator, LanguageInformation) {
  auto conjugator = Open("info.xml");
  ASSERT_EQ(conjugator->LanguageCount(), 5);
  conjugator->SelectLanguage(0);
  EXPECT_EQ(conjugator->LanguageCode(), "abc");
  EXPECT_EQ(conjugator->LanguageFamily(), "Fam");
  EXPECT_EQ(conjugator->LanguageSummary(), "The summary.");
  EXPECT_EQ(conjugator->CreatorText(), "\tAna Bell\tana@example.org\thttp://example.org/");
  EXPECT_EQ(conjugator->BooksText(),
            "Au\tTitle one\tPub\t2\tPlace\t1999\t0\tS\t123\r\nBu\tTitle two\t\t\t\t\t0\t\t");
  EXPECT_EQ(conjugator->CountryCount(), 2);
  EXPECT_EQ(conjugator->CountryName(1), "Bland");
  EXPECT_EQ(ErrorOf([&] { (void)conjugator->CountryName(2); }), "List index out of bounds (2)");
  EXPECT_DOUBLE_EQ(conjugator->LanguageDate(), 39238);  // 5.6.2007, the file's modified date

  conjugator->SelectLanguage(1);
  EXPECT_EQ(conjugator->LanguageSummary(), "Only comments.");
  EXPECT_DOUBLE_EQ(conjugator->LanguageDate(), 40179);  // 1.1.2010, the language's created date

  // A language that does not read leaves the selection where it was.
  EXPECT_EQ(ErrorOf([&] { conjugator->SelectLanguage(2); }), "'many' is not a valid integer value");
  EXPECT_EQ(conjugator->CurrentLanguage(), 1);
  EXPECT_EQ(conjugator->LanguageName(), "Beta");
  EXPECT_EQ(ErrorOf([&] { conjugator->SelectLanguage(7); }), "List index out of bounds (7)");
}

TEST(XmlConjugator, FailedLookupLeavesNoWord) {
  auto conjugator = Open("info.xml");
  conjugator->SelectLanguage(4);
  ASSERT_EQ(conjugator->PartOfSpeechName(2), "adjectives");
  TBaseverb& word = conjugator->ActiveWord();
  word.SetWord(4, 0, "word");
  ASSERT_EQ(word.ConjugationPattern(), 1);
  EXPECT_EQ(ErrorOf([&] { word.SetWord(4, 2, "big"); }), "'one' is not a valid integer value");
  EXPECT_EQ(word.ConjugationPattern(), -1);
  EXPECT_EQ(word.TensesRaw(), "");
}

TEST(XmlConjugator, FileWithoutFileElement) {
  auto conjugator = Open("info_nofile.xml");
  conjugator->SelectLanguage(0);
  EXPECT_EQ(conjugator->CreatorText(), "\t\t\t");
  EXPECT_EQ(conjugator->LanguageSummary(), "File \"info_nofile.xml\": ");
  EXPECT_EQ(conjugator->PartOfSpeechCount(), 0);
  EXPECT_EQ(ErrorOf([&] { (void)conjugator->LanguageDate(); }), "'' is not a valid date");
  // Two languages of one name stay two languages.
  conjugator->SelectLanguage(2);
  EXPECT_EQ(conjugator->LanguageCode(), "second");
}

TEST(XmlConjugator, MissingAndBrokenFiles) {
  TConjugator conjugator("/nonexistent/lib/Lexoro5xml/");
  conjugator.OpenLanguageFile(XmlFixture("no_such_file.xml"));
  EXPECT_EQ(conjugator.LanguageCount(), 0);
  const std::string broken = XmlFixture("dom_malformed.xml");
  EXPECT_EQ(ErrorOf([&] { conjugator.OpenLanguageFile(broken); }),
            broken + ":4: Opening and ending tag mismatch: info line 4 and language");
  EXPECT_EQ(conjugator.LanguageCount(), 0);
}

TEST(XmlConjugator, PicturesAndInformationPage) {
  const std::filesystem::path html =
      std::filesystem::temp_directory_path() /
      ("flexel_xml_info_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  std::filesystem::remove_all(html);
  std::filesystem::create_directories(html);
  auto conjugator = Open("pictures.xml");
  conjugator->SetHtmlDirectory(html.string() + "/");

  conjugator->SelectLanguage(0);
  EXPECT_EQ(conjugator->FlagPicture(), std::string("BM\x01\x02", 4));
  EXPECT_EQ(conjugator->LanguageInfoHTML(),
            "<h2>Additional information</h2><h3>History</h3><p>Old.</p>\r\n<hr>"
            "<h2>Images</h2><p><img src=\"xmlverb0.gif\"><br>A map</p>"
            "<p><img src=\"xmlverb1.evilx\"><br>Other</p><hr>");
  std::ifstream gif(html / "xmlverb0.gif", std::ios::binary);
  std::stringstream bytes;
  bytes << gif.rdbuf();
  EXPECT_EQ(bytes.str(), "GIF89a");
  EXPECT_TRUE(std::filesystem::exists(html / "xmlverb1.evilx"));

  // Only a flag: no images section.
  conjugator->SelectLanguage(1);
  EXPECT_EQ(conjugator->LanguageInfoHTML(), "");
  conjugator->SelectLanguage(3);
  EXPECT_EQ(conjugator->FlagPicture(), "");
  std::filesystem::remove_all(html);
}

TEST(XmlConjugator, TransliterationAndVerbPage) {
  auto conjugator = Open("script.xml");
  conjugator->SelectLanguage(0);
  const TXMLLanguage& language = static_cast<TConjugator&>(*conjugator).Reader().Language();
  // Four-digit groups without "\u" get one each; blanks between them do not count.
  EXPECT_EQ(language.imeLines, (std::vector<std::string>{"k\t\\u043A\t0", "a\t\\u0430\\u0431\t1"}));
  EXPECT_EQ(language.imeNativeLines, (std::vector<std::string>{"k\t\\u0915\t0", "a\t\\u0905\t0"}));
  EXPECT_EQ(language.imeNativeProcessor, "none");
  EXPECT_EQ(conjugator->WordDisplay("ka"), "\u0915\u0905 (\u043a\u0430\u0431)");

  TBaseverb& word = conjugator->ActiveWord();
  word.SetWord(0, 0, "ka");
  EXPECT_EQ(word.WordNameW(), "\u0915\u0905 (\u043a\u0430\u0431)");
  EXPECT_EQ(static_cast<TMyVerb&>(word).TenseForms(1), "ka\tka*/\\\\ka\t\\\\\\k/");
  EXPECT_EQ(word.TenseCellHTML(1, 1, 1), "<span class=irregular>\u043a\u0430\u0431</span>");
  // "\\" cells are native; a "\" alternative goes through the word's converter first.
  EXPECT_EQ(word.TenseCellHTML(1, 2, 0), "<span class=pronoun>\u0915\u0905</span>");
  EXPECT_EQ(word.TenseCellHTML(1, 2, 1), "<span class=normal>\u0915\u0905</span>");
  // Plain cells are always display text.
  EXPECT_EQ(word.TenseCell(1, 1, 1), "\u043a\u0430\u0431");

  EXPECT_TRUE(word.HasPage());
  EXPECT_EQ(word.PageHTML(), "<h1>" + word.TenseTableHTML(1) + "</h1><flexel:{150}>");
  EXPECT_NE(word.TenseTableHTML(1), "");
}

}  // namespace
}  // namespace flexel
