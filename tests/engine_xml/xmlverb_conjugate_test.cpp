// Word lookup, check rules, variables, macros and the forms computed from code records.

#include <gtest/gtest.h>

#include "engine_xml/flexel_xmlverb.h"
#include "platform/core/error.h"
#include "xml_fixture.h"

namespace flexel {
namespace {

using testing::XmlFixture;
using Variables = std::map<std::string, std::string>;

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Error& e) {
    return e.what();
  }
  return "(no error)";
}

struct LookupCase {
  const char* name;
  const char* word;
  int pattern;
  bool found;
  const char* root;
  Variables variables;
  const char* forms;  // of tense 1
};

class XmlLookup : public ::testing::TestWithParam<LookupCase> {};

TEST_P(XmlLookup, PatternRootVariablesAndForms) {
  const LookupCase& c = GetParam();
  TXMLVerb reader;
  reader.OpenFile(XmlFixture("lookup.xml"));
  reader.SelectLanguage("Lookish", "verbs");
  bool found = !c.found;
  EXPECT_EQ(reader.SetVerb(c.word, -1, found), c.pattern);
  EXPECT_EQ(found, c.found);
  EXPECT_EQ(reader.Record().root, c.root);
  EXPECT_EQ(reader.Variables(), c.variables);
  EXPECT_EQ(reader.ConjugateTense(1, c.word, false), c.forms);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, XmlLookup,
    ::testing::Values(
        // Not listed: the first rule with a result type decides and cuts the ending.
        LookupCase{"UnlistedByEnding", "hablar", 1, false, "habl", {}, "habl|1/"},
        // A rule without result type rewrites the root; later rules see the new root.
        LookupCase{"RootRewrittenFirst", "unhablar", 1, false, "habl", {{"#p", "pre"}}, "habl|1/"},
        LookupCase{"ListedAgreeingRule", "comer", 2, true, "com", {}, "com|2/"},
        // Pattern 2 skips the matching rules of result type 1; the one without type applies.
        LookupCase{"ListedDisagreeingRulesSkipped",
                   "mirar",
                   2,
                   true,
                   "mirar",
                   {{"#z", "late"}},
                   "mirar|2/"},
        // "check=5" reaches a private rule; the item's assignments come after the rule's.
        LookupCase{"CheckDirectiveReachesPrivateRule",
                   "ir",
                   3,
                   true,
                   "ir",
                   {{"#x", "five"}, {"#y", "item"}},
                   "ir|3/"},
        LookupCase{"CharacterGroup", "alfa", 1, true, "alfa", {{"#z", "late"}}, "alfa|1/"},
        // Several items of one text: the first without a chooser.
        LookupCase{"HomonymFirst", "ser", 1, true, "se", {}, "se|1/"},
        LookupCase{"HomonymNumbered", "2@ser", 2, true, "s", {}, "s|2/"},
        LookupCase{"HomonymThird", "3@ser", 3, true, "ser", {{"#z", "late"}}, "ser|3/"},
        LookupCase{"HomonymBeyondTheRun", "4@ser", 2, false, "s", {}, "s|2/"},
        LookupCase{"NoNumberBeforeAt", "x@ser", 2, false, "x@s", {}, "x@s|2/"},
        LookupCase{"NoRuleGivesAPattern", "xyz", 0, false, "xyz", {{"#z", "late"}}, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(XmlLookupState, ChooserDecidesBetweenHomonyms) {
  TXMLVerb reader;
  reader.OpenFile(XmlFixture("lookup.xml"));
  reader.SelectLanguage("Lookish", "verbs");
  std::vector<std::string> offered;
  int answer = 2;
  reader.SetHomonymChooser([&](const std::vector<std::string>& candidates) {
    offered = candidates;
    return answer;
  });
  bool found = false;
  EXPECT_EQ(reader.SetVerb("ser", -1, found), 2);
  EXPECT_EQ(offered, (std::vector<std::string>{"ser\tto be", "ser\tbeing", "ser\tsheer"}));
  // An answer outside the list takes the first candidate.
  answer = 7;
  EXPECT_EQ(reader.SetVerb("ser", -1, found), 1);
  // A numbered word or an item position never asks.
  offered.clear();
  EXPECT_EQ(reader.SetVerb("3@ser", -1, found), 3);
  EXPECT_EQ(reader.SetVerb("2@ser", 5, found), 2);
  EXPECT_TRUE(offered.empty());
}

TEST(XmlLookupState, WithoutCheckRulesNothingIsConjugated) {
  TXMLVerb reader;
  reader.OpenFile(XmlFixture("lookup.xml"));
  reader.SelectLanguage("Lookish", "verbs");
  bool found = false;
  ASSERT_EQ(reader.SetVerb("unhablar", -1, found), 1);
  reader.SelectGroup("nouns");
  // Listed, but the group has no check rules: pattern 0 and the word before stays current.
  EXPECT_EQ(reader.SetVerb("casa", -1, found), 0);
  EXPECT_TRUE(found);
  EXPECT_EQ(reader.Record().word, "unhablar");
  EXPECT_EQ(reader.Variables(), (Variables{{"#p", "pre"}}));
}

TEST(XmlLookupState, PreprocessingBeforeLookup) {
  TXMLVerb reader;
  reader.OpenFile(XmlFixture("lookup.xml"));
  reader.SelectLanguage("Prep", "verbs");
  bool found = false;
  EXPECT_EQ(reader.SetVerb("ab c", -1, found), 1);
  EXPECT_TRUE(found);
  EXPECT_EQ(reader.ConjugateTense(1, "", false), "[1b_c]/");
}

TEST(XmlLookupState, TenseMaskChangesAreReported) {
  TXMLVerb reader;
  reader.OpenFile(XmlFixture("records.xml"));
  reader.SelectLanguage("Recordish", "verbs");
  int changes = 0;
  reader.SetTenseMaskChangeHandler([&] { ++changes; });
  bool found = false;
  for (const char* word : {"laufen", "rennen", "sitzen", "sitzen", "gehen"}) {
    (void)reader.SetVerb(word, -1, found);
  }
  EXPECT_EQ(changes, 3);  // "" -> "01" -> "10" -> ""
}

struct FormsCase {
  const char* name;
  const char* word;
  int tense;
  const char* forms;
};

class XmlForms : public ::testing::TestWithParam<FormsCase> {};

TEST_P(XmlForms, ComputesTheTense) {
  const FormsCase& c = GetParam();
  TXMLVerb reader;
  reader.OpenFile(
      XmlFixture(std::string(c.name).rfind("Inherit", 0) == 0 ? "inherit.xml" : "records.xml"));
  reader.SelectLanguageAt(0, "verbs");
  bool found = false;
  (void)reader.SetVerb(c.word, -1, found);
  EXPECT_EQ(reader.ConjugateTense(c.tense, c.word, false), c.forms);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, XmlForms,
    ::testing::Values(
        FormsCase{"Masks", "laufen", 1, "laufe/l\u00e4ufst/l\u00e4uft/"},
        // Same number: A, then R, then C (slot 2 only), then the transducer over the word.
        FormsCase{"OrderARCT", "laufen", 2, "Rlaufen/claufen/"},
        FormsCase{"SecondRunNeverReached", "laufen", 3, "selten/"},
        FormsCase{"MaskSkipsMiddleSlot", "laufen", 4, "x//x/"},
        FormsCase{"RootTransducerAlternatives", "laufen", 5, "lauv/"},
        FormsCase{"Heading", "laufen", 0, ""}, FormsCase{"UnknownTense", "laufen", 99, ""},
        FormsCase{"UnlistedWord", "gehen", 1, "gehe/gehst/geht/"},
        FormsCase{"InheritAdd", "zwei", 1, "a1b1x2/"},
        FormsCase{"InheritTransducerThatFails", "zwei", 2, "c1/"},
        FormsCase{"InheritClear", "drei", 3, "z3w3/"},
        FormsCase{"InheritFromHigher", "vier", 2, "p5/"},
        FormsCase{"InheritFromHigherOnlyOwn", "vier", 1, "/"},
        FormsCase{"InheritChained", "fuenf", 2, "c1p5/"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(XmlFormsState, UnknownTenseNeverShowsThePreviousOne) {
  TXMLVerb reader;
  reader.OpenFile(XmlFixture("records.xml"));
  reader.SelectLanguage("Recordish", "verbs");
  bool found = false;
  (void)reader.SetVerb("laufen", -1, found);
  ASSERT_EQ(reader.ConjugateTense(1, "", false), "laufe/l\u00e4ufst/l\u00e4uft/");
  EXPECT_EQ(reader.ConjugateTense(42, "", false), "");
  EXPECT_EQ(reader.CurrentTense(), 1);
  // relookup sets the word anew first.
  EXPECT_EQ(reader.ConjugateTense(1, "gehen", true), "gehe/gehst/geht/");
}

TEST(XmlFormsState, TenseListFollowsTheTenseMask) {
  TXMLVerb reader;
  reader.OpenFile(XmlFixture("records.xml"));
  reader.SelectLanguage("Recordish", "verbs");
  bool found = false;
  (void)reader.SetVerb("laufen", -1, found);
  EXPECT_EQ(reader.TenseListText(),
            "Indicative\r  Present(1)\r  Order(2)\r  Rare(3)\rMasked(4)\rRoot(5)");
  (void)reader.SetVerb("rennen", -1, found);
  EXPECT_EQ(reader.TenseListText(), "Indicative\r  Present(1)\r  Order(2)\rMasked(4)\rRoot(5)");
  (void)reader.SetVerb("sitzen", -1, found);
  EXPECT_EQ(reader.TenseListText(), "Indicative\r  Present(1)\r  Order(2)\r  Rare(3)\rRoot(5)");
}

struct MacroCase {
  const char* name;
  const char* word;
  int tense;
  const char* forms;  // or the message when error is set
  bool error;
};

class XmlMacros : public ::testing::TestWithParam<MacroCase> {};

TEST_P(XmlMacros, Expands) {
  const MacroCase& c = GetParam();
  TXMLVerb reader;
  reader.OpenFile(XmlFixture("macros.xml"));
  reader.SelectLanguage("Macro", "verbs");
  bool found = false;
  ASSERT_EQ(reader.SetVerb(c.word, -1, found), 1);
  if (c.error) {
    EXPECT_EQ(ErrorOf([&] { (void)reader.ConjugateTense(c.tense, c.word, false); }), c.forms);
  } else {
    EXPECT_EQ(reader.ConjugateTense(c.tense, c.word, false), c.forms);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, XmlMacros,
    ::testing::Values(
        MacroCase{"RootCharacterAndTab", "singen", 1, "sing/i/x\ty/", false},
        // "i" is the slot; nested brackets and IF inside the reference; the last item wins.
        MacroCase{"CrossReference", "singen", 2, "[gesungen]/[sung]/", false},
        MacroCase{"RootIndexNotANumber", "singen", 3, "'x' is not a valid integer value", true},
        // Variables of the rule, then of the item (which replaces #a); unset ones vanish.
        MacroCase{"Variables", "singen", 4, "over-overover-item-/", false},
        MacroCase{"RootTransducerWithVariablesAndMacros", "singen", 5, "siitem/sis/", false},
        MacroCase{"CrossReferenceMissingExpression", "singen", 6,
                  "Invalid expression '': unexpected end", true},
        MacroCase{"UnsetVariable", "singen", 7, "/", false},
        MacroCase{
            "VariableThatNeverResolves", "loopen", 7,
            "The variables in 'xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"
            "x#l' do not resolve",
            true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(XmlExpand, BoundsAndErrors) {
  TXMLVerb reader;
  reader.OpenFile(XmlFixture("macros.xml"));
  reader.SelectLanguage("Macro", "verbs");
  bool found = false;
  (void)reader.SetVerb("singen", -1, found);
  EXPECT_EQ(reader.Expand("%root[2]%", 1), "i");
  EXPECT_EQ(reader.Expand("%participles(2*5, 1)%!", 3), "gesungen!");
  EXPECT_EQ(reader.Expand("<%participles(99,1)%>", 1), "<>");
  EXPECT_EQ(ErrorOf([&] { (void)reader.Expand("a%participles(1,1", 1); }),
            "The cross reference in 'a%participles(1,1' has no closing bracket");
  EXPECT_EQ(ErrorOf([&] { (void)reader.Expand("%participles(1,2,3)%", 1); }),
            "The reference to 'participles' needs two expressions: '1,2,3'");

  // "%root%" is put in first, over the whole text, and "%tab%" after it: texts where that
  // order shows (a "%root%" read across the end of a "%tab%", a "%tab%" made by the root's
  // neighbours) come out as the replacements one after the other give them.
  const std::pair<const char*, const char*> orderCases[] = {
      {"yo%tab%%root%o", "yo\tsingo"},
      {"%root%%root%-%tab%", "singsing-\t"},
      {"%tab%root%tab%", "%tabsingtab%"},
      {"%t%root%b%", "%tsingb%"},
      {"%root%root%", "singroot%"},
      {"%tab%%tab%", "\t\t"},
      {"100%", "100%"},
  };
  for (const auto& [text, expanded] : orderCases) {
    EXPECT_EQ(reader.Expand(text, 1), expanded) << text;
  }

  // A variable that contains itself grows each round; the rounds are bounded.
  (void)reader.SetVerb("loopen", -1, found);
  EXPECT_EQ(ErrorOf([&] { (void)reader.ConjugateTense(7, "loopen", false); }),
            "The variables in '" + std::string(TXMLVerb::kMaxSubstitutionRounds, 'x') +
                "#l' do not resolve");
  // Variables that multiply each other are stopped before the form becomes huge.
  (void)reader.SetVerb("growen", -1, found);
  EXPECT_EQ(ErrorOf([&] { (void)reader.ConjugateTense(8, "growen", false); }),
            "A form grows beyond 1048576 bytes");
}

}  // namespace
}  // namespace flexel
