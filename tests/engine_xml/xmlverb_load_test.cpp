// Opening language files, language information, groups and their derived tables.

#include <gtest/gtest.h>

#include "engine_xml/flexel_xmlverb.h"
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

TEST(XmlLoad, ListsNamedLanguagesAndReadsTheFileElement) {
  TXMLVerb reader;
  reader.OpenFile(XmlFixture("info.xml"));
  // The language without info/name is left out; the others keep document order.
  EXPECT_EQ(reader.LanguageNamesText(), "Alpha\rBeta\rGamma\rDelta\rEpsilon");
  const TFileInfo& file = reader.FileInfo();
  EXPECT_EQ(file.description, "Test file");
  EXPECT_EQ(file.created, "1.2.2003");
  EXPECT_EQ(file.modified, "05.06.2007");
  EXPECT_EQ(file.firstName, "Ana");
  EXPECT_EQ(file.lastName, "Bell");
  EXPECT_EQ(file.email, "ana@example.org");
  EXPECT_EQ(file.web, "http://example.org/");
  EXPECT_FALSE(reader.HasLanguage());
}

TEST(XmlLoad, ReadsLanguageInformation) {
  TXMLVerb reader;
  reader.OpenFile(XmlFixture("info.xml"));
  reader.SelectLanguage("Alpha");
  ASSERT_TRUE(reader.HasLanguage());
  const TXMLLanguage& alpha = reader.Language();
  EXPECT_EQ(alpha.name, "Alpha");
  EXPECT_EQ(alpha.code, "abc");
  EXPECT_EQ(alpha.family, "Fam");
  EXPECT_EQ(alpha.statusText, "Under construction");
  EXPECT_DOUBLE_EQ(alpha.statusFraction, 0.4);
  EXPECT_DOUBLE_EQ(reader.StatusFraction(), 0.4);
  EXPECT_EQ(alpha.languageId, 786);
  EXPECT_EQ(alpha.created, (TDate{2005, 4, 3}));
  // An unparsable language date takes the file's date.
  EXPECT_EQ(alpha.modified, (TDate{2007, 6, 5}));
  EXPECT_EQ(alpha.whereSpoken, (std::vector<std::string>{"Aland", "Bland"}));
  EXPECT_EQ(alpha.speakers, 1000);
  EXPECT_EQ(alpha.secondSpeakers, 50);
  EXPECT_EQ(alpha.books, (std::vector<std::string>{"Au\tTitle one\tPub\t2\tPlace\t1999\tS\t123",
                                                   "Bu\tTitle two\t\t\t\t\t\t"}));
  EXPECT_EQ(alpha.parserMajor, 1);
  EXPECT_EQ(alpha.parserMinor, 2);
  EXPECT_EQ(alpha.parserSub, 3);
  EXPECT_EQ(alpha.extraInfo,
            (std::vector<std::string>{"Summary\tThe summary.", "Notes\tSome notes."}));
  // No words element: one group "verbs" with nothing in it.
  EXPECT_EQ(reader.GroupName(), "verbs");
  EXPECT_EQ(reader.GroupsText(), "");

  reader.SelectLanguage("Beta");
  EXPECT_EQ(reader.Language().created, (TDate{2010, 1, 1}));
  EXPECT_EQ(reader.Language().modified, (TDate{2007, 6, 5}));
  EXPECT_EQ(reader.Language().languageId, -1);  // upper-case letters have no letter value
}

TEST(XmlLoad, MissingFileElementAndDuplicateNames) {
  TXMLVerb reader;
  reader.OpenFile(XmlFixture("info_nofile.xml"));
  EXPECT_EQ(reader.FileInfo().created, "");
  EXPECT_EQ(reader.FileInfo().modified, FormatDate(Today()));
  reader.SelectLanguage("Solo");
  EXPECT_EQ(reader.Language().code, "sol");
  // Only character groups: no part of speech.
  EXPECT_EQ(reader.PublishedGroupsText(), "");
  EXPECT_EQ(reader.GroupsText(), "groups\t0\t");
  EXPECT_EQ(reader.Language().characterGroups, (std::vector<std::string>{"[V]\ta,e"}));
  EXPECT_EQ(reader.Language().created, std::nullopt);
  EXPECT_EQ(reader.Language().modified, Today());
  // The second language of the same name is reachable by position.
  reader.SelectLanguageAt(2);
  EXPECT_EQ(reader.Language().code, "second");
  reader.SelectLanguage("Nobody");
  EXPECT_FALSE(reader.HasLanguage());
}

struct InfoErrorCase {
  const char* name;
  const char* file;
  const char* before;  // selected first; stays selected
  const char* language;
  const char* message;
};

class XmlInfoError : public ::testing::TestWithParam<InfoErrorCase> {};

TEST_P(XmlInfoError, SelectingTheLanguageFails) {
  TXMLVerb reader;
  reader.OpenFile(XmlFixture(GetParam().file));
  reader.SelectLanguage(GetParam().before);
  EXPECT_EQ(ErrorOf([&] { reader.SelectLanguage(GetParam().language); }), GetParam().message);
  EXPECT_EQ(reader.HasLanguage() ? reader.Language().name : "", GetParam().before);
  // Not remembered as read: the next try fails the same way.
  EXPECT_EQ(ErrorOf([&] { reader.SelectLanguage(GetParam().language); }), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, XmlInfoError,
    ::testing::Values(InfoErrorCase{"Speakers", "info.xml", "Alpha", "Gamma",
                                    "'many' is not a valid integer value"},
                      InfoErrorCase{"ParserVersion", "info.xml", "Alpha", "Delta",
                                    "'x' is not a valid integer value"},
                      InfoErrorCase{"BrokenFlag", "pictures.xml", "Pictured", "BrokenFlag",
                                    "Picture data is not hexadecimal: 'Z'"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(XmlLoad, AbortedGroupKeepsWhatWasReadAndZeroesTheStatus) {
  TXMLVerb reader;
  reader.OpenFile(XmlFixture("info.xml"));
  reader.SelectLanguage("Epsilon");
  EXPECT_DOUBLE_EQ(reader.StatusFraction(), 0.5);

  reader.SelectGroup("verbs");
  EXPECT_FALSE(reader.Group().Complete());
  EXPECT_EQ(reader.Group().LoadError(), "'x' is not a valid integer value");
  EXPECT_DOUBLE_EQ(reader.StatusFraction(), 0);
  EXPECT_EQ(reader.Group().Tenses().size(), 2u);
  EXPECT_EQ(reader.WordListText(0), "word");
  EXPECT_EQ(reader.Group().Code().Text(1), "1A!001[]{>one}/");

  // The tenses stop at the bad number; the items after them are not read.
  reader.SelectGroup("nouns");
  ASSERT_EQ(reader.Group().Tenses().size(), 1u);
  EXPECT_EQ(reader.Group().Tenses()[0].Format(), "One\t1\t1\t0\t0");
  EXPECT_EQ(reader.WordListText(0), "");

  // A rule with a bad number fails every lookup of the group.
  reader.SelectGroup("adjectives");
  bool found = false;
  EXPECT_EQ(ErrorOf([&] { (void)reader.SetVerb("big", -1, found); }),
            "'one' is not a valid integer value");

  // Selecting the language again restores its status until a bad group is loaded.
  reader.SelectLanguage("Epsilon");
  EXPECT_DOUBLE_EQ(reader.StatusFraction(), 0.5);
}

TEST(XmlLoad, GroupListsAndHeuristic) {
  TXMLVerb reader;
  reader.OpenFile(XmlFixture("lookup.xml"));
  reader.SelectLanguage("Lookish", "verbs");
  EXPECT_EQ(reader.GroupsText(),
            "groups\t0\t\rverbs\t1\tVerbs\rnouns\t1\tNouns\rhidden\t0\tNot exactly yes");
  EXPECT_EQ(reader.PublishedGroupsText(), "verbs\t1\tVerbs\rnouns\t1\tNouns");
  EXPECT_TRUE(reader.Language().moreThanOneGroup);
  EXPECT_EQ(reader.GroupName(), "verbs");
  EXPECT_FALSE(reader.Group().Heuristic());  // "No" in any letter case
  reader.SelectGroup("nouns");
  EXPECT_TRUE(reader.Group().Heuristic());
  EXPECT_EQ(reader.WordListText(0), "casa");
  // A name no group has gives an empty group, not the previous one's words.
  reader.SelectGroup("adverbs");
  EXPECT_EQ(reader.WordListText(0), "");
  EXPECT_TRUE(reader.Group().Tenses().empty());
}

TEST(XmlLoad, ItemsAreSortedAndHomonymsNumbered) {
  TXMLVerb reader;
  reader.OpenFile(XmlFixture("lookup.xml"));
  reader.SelectLanguage("Lookish", "verbs");
  EXPECT_EQ(reader.WordListText(0), "alfa\rcomer\rir\rmirar\r1@ser\r2@ser\r3@ser\rZeta");
  // Numbers stay those of the whole list, so "2@ser" always names the same item.
  EXPECT_EQ(reader.WordListText(2), "comer\rmirar\r2@ser");
  const std::vector<TItem>& items = reader.Group().Items();
  ASSERT_EQ(items.size(), 8u);
  EXPECT_EQ(items[2].Format(), "ir\t0\tcheck=5/\t\t#y>item\t0\t\t");
  EXPECT_EQ(items[4].Format(), "ser\t1\t/\t\t\t0\tto be\t");
  EXPECT_EQ(items[5].Format(), "ser\t2\t/\t\t\t0\tbeing\t");
}

TEST(XmlLoad, TensesAndCompiledCode) {
  TXMLVerb reader;
  reader.OpenFile(XmlFixture("records.xml"));
  reader.SelectLanguage("Recordish", "verbs");
  const std::vector<TTenseLine>& tenses = reader.Group().Tenses();
  ASSERT_EQ(tenses.size(), 6u);
  EXPECT_EQ(tenses[0].Format(), "Indicative\t0\t0\t0\t0");
  EXPECT_EQ(tenses[3].Format(), "Rare\t3\t1\t1\t1");
  const TCodeTable& code = reader.Group().Code();
  // Numbering restarts whenever the tense changes, so a split tense reuses its numbers.
  EXPECT_EQ(code.Text(1),
            "1A!001[]{>%root%}/1A!002[100]{>e}/1A!003[01]{>st}/1A!004[001]{>t}/"
            "1R!005[011]{au>\u00e4u}/2T!001[]{*}/3A!001[]{>selten}/2R!001[]{a>R}/"
            "5T!001[]{%root%*(x:y)|*(f:v)}/2A!001[]{>a}/4A!001[101]{>x}/2C!001[01]{>c}/"
            "3A!001[]{>nie}/2A!001[]{>zzz}/5?!001[]{q}/");
  EXPECT_EQ(code.Text(0), "");
  EXPECT_EQ(code.PatternCount(), 2);
  EXPECT_EQ(code.MaxNumber(), 5);
  // Lookup finds the first record with a key.
  ASSERT_NE(code.Find(1, 2, 'A', 1), nullptr);
  EXPECT_EQ(code.Find(1, 2, 'A', 1)->Target(), "a");
  EXPECT_EQ(code.Find(1, 1, 'R', 5)->Source(), "au");
  EXPECT_EQ(code.Find(1, 1, 'R', 5)->Target(), "\u00e4u");
  EXPECT_EQ(code.Find(1, 1, 'A', 5), nullptr);
}

struct InheritCase {
  const char* name;
  int pattern;
  const char* text;
};

class XmlInherit : public ::testing::TestWithParam<InheritCase> {};

TEST_P(XmlInherit, MergedRecords) {
  TXMLVerb reader;
  reader.OpenFile(XmlFixture("inherit.xml"));
  reader.SelectLanguage("Inherit", "verbs");
  EXPECT_EQ(reader.Group().Code().Text(GetParam().pattern), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, XmlInherit,
    ::testing::Values(
        InheritCase{"Parent", 1,
                    "1A!001[]{>a1}/1A!002[]{>b1}/2A!001[]{>c1}/2T!002[]{x}/3A!001[]{>d1}/"},
        InheritCase{"AddMode", 2,
                    "1A!001[]{>a1}/1A!002[]{>b1}/1A!003[]{>x2}/2A!001[]{>c1}/2T!002[]{x}/"
                    "3A!001[]{>d1}/3A!002[]{>y2}/"},
        InheritCase{"ClearModeDropsWhatCameBeforeAClear", 3,
                    "1A!001[]{>a1}/1A!002[]{>b1}/1A!003[]{>v3}/2A!001[]{>c1}/2T!002[]{x}/"
                    "3C!001[]{>z3}/3A!002[]{>w3}/"},
        InheritCase{"FromAHigherPatternGetsItsOwnRecordsOnly", 4, "2A!001[]{>p5}/"},
        InheritCase{"Chained", 5,
                    "1A!001[]{>a1}/1A!002[]{>b1}/2A!001[]{>c1}/2T!002[]{x}/2A!003[]{>p5}/"
                    "3A!001[]{>d1}/"},
        InheritCase{"ReplaceModeHasNoEffect", 6, "3A!001[]{>r6}/"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(XmlLoad, PicturesByTypeAndNumber) {
  TXMLVerb reader;
  reader.OpenFile(XmlFixture("pictures.xml"));
  reader.SelectLanguage("Pictured");
  // Selecting a language loads its flag.
  ASSERT_TRUE(reader.HasCurrentPicture());
  EXPECT_EQ(reader.CurrentPicture().description, "The flag");
  EXPECT_EQ(reader.CurrentPictureBytes(), std::string("BM\x01\x02", 4));
  EXPECT_EQ(reader.PictureCount(), 2);

  // Ordinary pictures are numbered without the flag.
  reader.LoadPicture("0");
  ASSERT_TRUE(reader.HasCurrentPicture());
  EXPECT_EQ(reader.CurrentPicture().type, "map");
  EXPECT_EQ(reader.CurrentPictureBytes(), "GIF89a");
  reader.LoadPicture("1");
  EXPECT_EQ(reader.CurrentPictureBytes(), std::string("\x00\xff\x10", 3));  // white space skipped
  reader.LoadPicture("2");
  EXPECT_FALSE(reader.HasCurrentPicture());
  EXPECT_EQ(reader.CurrentPictureBytes(), "");

  reader.SelectLanguage("FlagOnly");
  EXPECT_EQ(reader.PictureCount(), 0);
  reader.SelectLanguage("Plain");
  EXPECT_FALSE(reader.HasCurrentPicture());
  EXPECT_EQ(reader.PictureCount(), 0);
}

TEST(XmlLoad, PreprocessTakesTheFirstEntryThatMatches) {
  TXMLVerb reader;
  reader.OpenFile(XmlFixture("lookup.xml"));
  reader.SelectLanguage("Prep");
  // "a" comes before "ab"; an entry that looks empty stands for a blank.
  EXPECT_EQ(reader.Preprocess("ab c"), "1b_c");
  EXPECT_EQ(reader.Preprocess("\u00e4b"), "\u00e4b");
  reader.SelectLanguage("Lookish");
  EXPECT_EQ(reader.Preprocess("ab c"), "ab c");
}

TEST(XmlLoad, NewFileForgetsTheOldOne) {
  TXMLVerb reader;
  reader.OpenFile(XmlFixture("lookup.xml"));
  reader.SelectLanguage("Lookish", "verbs");
  EXPECT_EQ(ErrorOf([&] { reader.OpenFile(XmlFixture("dom_malformed.xml")); }),
            XmlFixture("dom_malformed.xml") +
                ":4: Opening and ending tag mismatch: info line 4 and language");
  EXPECT_TRUE(reader.LanguageNames().empty());
  EXPECT_FALSE(reader.HasLanguage());
  EXPECT_EQ(reader.WordListText(0), "");
}

TEST(XmlDates, ParseAndConvert) {
  EXPECT_EQ(ParseDate("5.6.2007"), (TDate{2007, 6, 5}));
  EXPECT_EQ(ParseDate("05.06.2007"), (TDate{2007, 6, 5}));
  EXPECT_EQ(ParseDate("29.2.2001"), std::nullopt);
  EXPECT_EQ(ParseDate("1/2/2003"), std::nullopt);
  EXPECT_EQ(ParseDate("1.2"), std::nullopt);
  EXPECT_EQ(ParseDate(""), std::nullopt);
  EXPECT_EQ(ParseDate("1.2.03"), (TDate{2003, 2, 1}));
  EXPECT_EQ(FormatDate(TDate{2026, 1, 9}), "9.1.2026");
  EXPECT_DOUBLE_EQ(OleDate(TDate{1899, 12, 30}), 0);
  EXPECT_DOUBLE_EQ(OleDate(TDate{2007, 6, 5}), 39238);
}

}  // namespace
}  // namespace flexel
