#include <gtest/gtest.h>

#include <iterator>
#include <ostream>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "common/flexel_transducer.h"
#include "platform/nls/nls.h"

namespace flexel {
namespace {

struct MatchCase {
  const char* name;
  std::string pattern;
  std::string input;
  std::vector<std::string> groups;
  bool ok;
  std::string output;
};

void PrintTo(const MatchCase& c, std::ostream* os) { *os << c.pattern << " on " << c.input; }

std::string Show(const MatchCase& c) { return std::string(c.name); }

class MatchTest : public ::testing::TestWithParam<MatchCase> {};

TEST_P(MatchTest, Match) {
  const MatchCase& c = GetParam();
  TTransducer transducer;
  transducer.SetGroups(c.groups);
  std::string output = "stale";
  EXPECT_EQ(transducer.Match(c.pattern, c.input, output), c.ok);
  EXPECT_EQ(output, c.ok ? c.output : "");
  EXPECT_FALSE(transducer.BudgetExhausted());
}

const std::vector<std::string> kVowels = {"[V]\ta,e,i,o,u"};

INSTANTIATE_TEST_SUITE_P(
    Transducer, MatchTest,
    ::testing::Values(
        MatchCase{"EmptyPatternEmptyInput", "", "", {}, true, ""},
        MatchCase{"EmptyPatternWord", "", "a", {}, false, ""},
        MatchCase{"LiteralsExact", "hablar", "hablar", {}, true, "hablar"},
        MatchCase{"LiteralsCaseSensitive", "hablar", "Hablar", {}, false, ""},
        MatchCase{"WordLongerThanPattern", "hab", "hablar", {}, false, ""},
        MatchCase{"StarThenEnding", "*en", "aen", {}, true, "aen"},
        MatchCase{"StarNeedsOneCharacter", "*en", "en", {}, false, ""},
        MatchCase{"StarOnEmptyInput", "*", "", {}, false, ""},
        MatchCase{"StarLeavesNothingOfFailedTries", "*ab", "aaab", {}, true, "aaab"},
        MatchCase{"StarShortestFirst", "*a*", "banana", {}, true, "banana"},
        MatchCase{"QuestionCopies", "h?blar", "hablar", {}, true, "hablar"},
        MatchCase{"QuestionAtEndOfInput", "ab?", "ab", {}, true, "ab"},
        MatchCase{"QuestionThenLiteralOnEmpty", "a?b", "a", {}, false, ""},
        MatchCase{"RootByRewrite", "*(en:)", "laufen", {}, true, "lauf"},
        MatchCase{"WholeWordRewrite", "(a:b)", "a", {}, true, "b"},
        MatchCase{"WholeWordRewriteOtherWord", "(ser:fu)i", "seri", {}, true, "fui"},
        MatchCase{"RewriteWithoutColonDropsSource", "(ab)c", "abc", {}, true, "c"},
        MatchCase{"RewriteSecondColonEndsTarget", "(a:b:c)", "a", {}, true, "b"},
        MatchCase{"RewriteTargetBeforeWildcardCopy", "(*en:X)", "laufen", {}, true, "Xlauf"},
        // The skip count is the source's length; "?" copies without using it up, so the
        // literal after the rewrite is swallowed.
        MatchCase{"SkipCountIsSourceLength", "(?b:X)c", "abc", {}, true, "Xa"},
        MatchCase{"RewriteSourceMismatch", "*(en:)", "laufe", {}, false, ""},
        MatchCase{"UnclosedBracketIsLiteral", "a[b", "a[b", {}, true, "a[b"},
        MatchCase{"UnclosedParenIsLiteral", "(x", "(x", {}, true, "(x"},
        MatchCase{"ClosersAloneAreLiterals", "a]:)", "a]:)", {}, true, "a]:)"},
        MatchCase{"GroupMember", "[V]x", "ex", {"[V]\ta,e"}, true, "ex"},
        MatchCase{"GroupNoMemberFits", "[V]x", "ix", {"[V]\ta,e"}, false, ""},
        MatchCase{"GroupWithoutTable", "[V]x", "ex", {}, false, ""},
        MatchCase{"GroupMissingFromTable", "[W]", "a", kVowels, false, ""},
        MatchCase{"GroupIdNeedsBrackets", "[V]", "a", {"V\ta"}, false, ""},
        MatchCase{"GroupDuplicateFirstWins", "[V]", "e", {"[V]\ta", "[V]\te"}, false, ""},
        MatchCase{"GroupEmptyMemberEndsList", "[V]", "e", {"[V]\ta,,e"}, false, ""},
        MatchCase{"GroupEmptyFirstMember", "[V]", "a", {"[V]\t,a"}, false, ""},
        MatchCase{"GroupInsideWord", "h[V]bl[V]r", "hablar", kVowels, true, "hablar"},
        MatchCase{"GroupOutputRestoredBetweenMembers", "[G]b", "ab", {"[G]\t(a:Z)x,a"}, true, "ab"},
        MatchCase{"GroupMemberRefersToGroup", "[C]", "en", {"[C]\t[V]n", "[V]\ta,e"}, true, "en"},
        MatchCase{"ReferenceClosedAfterMember", "[O]V]", "e", {"[O]\t[", "[V]\te"}, true, "e"},
        MatchCase{"RewriteGroup", "*[(E)]", "vivir", {"[E]\tar:o,er:o,ir:o"}, true, "vivo"},
        MatchCase{"RewriteGroupNoPairFits", "*[(E)]", "vivuz", {"[E]\tar:o,er:o,ir:o"}, false, ""},
        MatchCase{"RewriteGroupFirstPairWins", "[(R)]*", "abc", {"[R]\ta:1,ab:2"}, true, "1bc"},
        MatchCase{"RewriteGroupMissing", "[(R)]", "a", kVowels, false, ""},
        MatchCase{"RewriteGroupSkipsRestLiterals", "[(R)]x", "ax", {"[R]\ta:1"}, true, "1x"},
        MatchCase{"QuestionTakesOneUmlaut", "?", "ä", {}, true, "ä"},
        MatchCase{"QuestionTakesOneCyrillicLetter", "Ж?к", "Жук", {}, true, "Жук"},
        MatchCase{"QuestionsCountCodePoints", "??", "ñu", {}, true, "ñu"},
        MatchCase{"TooFewForQuestions", "???a", "ñua", {}, false, ""},
        MatchCase{"StarOverMultiByte", "*ñ", "añ", {}, true, "añ"},
        MatchCase{"CyrillicRoot", "*(ть:)", "читать", {}, true, "чита"},
        MatchCase{"CyrillicRewriteGroup", "*[(E)]", "читать", {"[E]\tать:аю,ить:ю"}, true, "читаю"},
        MatchCase{"MultiByteGroupMembers", "[U]", "ö", {"[U]\tä,ö,ü"}, true, "ö"},
        MatchCase{"SupplementaryCharacter", "?x", "😀x", {}, true, "😀x"},
        MatchCase{"HundredStarsNestWithinBound",
                  std::string(100, '*'),
                  std::string(100, 'a'),
                  {},
                  true,
                  std::string(100, 'a')}),
    [](const auto& info) { return Show(info.param); });

struct AlternativesCase {
  const char* name;
  std::string patterns;
  std::string input;
  bool ok;
  std::string output;
};

void PrintTo(const AlternativesCase& c, std::ostream* os) {
  *os << c.patterns << " on " << c.input;
}

class AlternativesTest : public ::testing::TestWithParam<AlternativesCase> {};

TEST_P(AlternativesTest, MatchAlternatives) {
  const AlternativesCase& c = GetParam();
  TTransducer transducer;
  std::string output;
  EXPECT_EQ(transducer.MatchAlternatives(c.patterns, c.input, output), c.ok);
  EXPECT_EQ(output, c.ok ? c.output : "");
}

INSTANTIATE_TEST_SUITE_P(
    Transducer, AlternativesTest,
    ::testing::Values(AlternativesCase{"SecondSucceeds", "xa|*", "b", true, "b"},
                      AlternativesCase{"FirstWins", "*|(b:c)", "b", true, "b"},
                      AlternativesCase{"NoneSucceeds", "x|y", "b", false, ""},
                      AlternativesCase{"EmptyAlternativeEndsList", "a||b", "b", false, ""},
                      AlternativesCase{"TrailingBarEndsList", "a|", "b", false, ""},
                      AlternativesCase{"EmptyFirstIsTried", "|b", "", true, ""},
                      AlternativesCase{"EmptyFirstThenNext", "|b", "b", true, "b"},
                      AlternativesCase{"BarIsNoLiteral", "a|b", "a|b", false, ""},
                      AlternativesCase{"MultiByte", "*(ar:o)|*(er:o)", "comer", true, "como"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Transducer, BarIsLiteralInMatch) {
  TTransducer transducer;
  std::string output;
  EXPECT_TRUE(transducer.Match("a|b", "a|b", output));
  EXPECT_EQ(output, "a|b");
}

TEST(Transducer, FindGroup) {
  TTransducer transducer;
  transducer.SetGroups({"[V]\ta,e", "[(E)]\tx", "[V]\to", "[N]"});
  std::string members = "stale";
  EXPECT_TRUE(transducer.FindGroup("V", members));
  EXPECT_EQ(members, "a,e");
  EXPECT_TRUE(transducer.FindGroup("(E)", members));
  EXPECT_EQ(members, "x");
  EXPECT_TRUE(transducer.FindGroup("N", members));
  EXPECT_EQ(members, "");
  EXPECT_FALSE(transducer.FindGroup("E", members));
  EXPECT_EQ(members, "");
}

TEST(Transducer, SetGroupsReplacesTable) {
  TTransducer transducer;
  std::string output;
  transducer.SetGroups({"[V]\ta"});
  EXPECT_TRUE(transducer.Match("[V]", "a", output));
  transducer.SetGroups({"[V]\te"});
  EXPECT_FALSE(transducer.Match("[V]", "a", output));
  EXPECT_TRUE(transducer.Match("[V]", "e", output));
  transducer.SetGroups({});
  EXPECT_FALSE(transducer.Match("[V]", "e", output));
}

TEST(Transducer, CopyKeepsGroupsAndBudget) {
  TTransducer original;
  original.SetGroups({"[V]\ta,e"});
  original.SetStepBudget(500);
  TTransducer copy(original);
  std::string output;
  EXPECT_TRUE(copy.Match("[V]x", "ex", output));
  EXPECT_EQ(copy.StepBudget(), 500u);
  TTransducer assigned;
  assigned = original;
  EXPECT_TRUE(assigned.Match("[V]x", "ex", output));
  TTransducer moved(std::move(copy));
  EXPECT_TRUE(moved.Match("[V]x", "ax", output));
}

struct BudgetCase {
  const char* name;
  std::string pattern;
  std::string input;
  std::vector<std::string> groups;
};

void PrintTo(const BudgetCase& c, std::ostream* os) { *os << c.name; }

class BudgetTest : public ::testing::TestWithParam<BudgetCase> {};

TEST_P(BudgetTest, EndsAsFailure) {
  const BudgetCase& c = GetParam();
  TTransducer transducer;
  transducer.SetGroups(c.groups);
  std::string output;
  EXPECT_FALSE(transducer.Match(c.pattern, c.input, output));
  EXPECT_TRUE(transducer.BudgetExhausted());
  EXPECT_EQ(output, "");
  // The next call starts with a fresh budget.
  EXPECT_TRUE(transducer.Match("*", "a", output));
  EXPECT_FALSE(transducer.BudgetExhausted());
}

INSTANTIATE_TEST_SUITE_P(
    Transducer, BudgetTest,
    ::testing::Values(
        BudgetCase{"NestedStars", "*a*a*a*a*a*a*a*a*a*a*a*a*b", std::string(60, 'a'), {}},
        BudgetCase{"StarsBeforeWildcards", "*?*?*?*?*?*?*?*?*?*?x", std::string(80, 'y'), {}},
        BudgetCase{"GroupAlternativesExplode",
                   "[A][A][A][A][A][A][A][A][A][A][A][A]b",
                   std::string(40, 'a'),
                   {"[A]\ta,aa,aaa,aaaa"}},
        BudgetCase{"SelfReferringGroup", "[L]", "x", {"[L]\t[L]x"}},
        BudgetCase{"MutuallyReferringGroups", "[A]", "x", {"[A]\t[B]", "[B]\t[A]"}},
        BudgetCase{"StarsNestDeeperThanBound",
                   std::string(TTransducer::kMaxDepth + 5, '*'),
                   std::string(TTransducer::kMaxDepth + 5, 'a'),
                   {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Transducer, BudgetCoversAlternativesTogether) {
  TTransducer transducer;
  std::string output;
  transducer.SetStepBudget(20);
  EXPECT_TRUE(transducer.MatchAlternatives("x|abc", "abc", output));
  EXPECT_EQ(output, "abc");
  const std::string word(30, 'a');
  EXPECT_FALSE(transducer.MatchAlternatives("x|" + word, word, output));
  EXPECT_TRUE(transducer.BudgetExhausted());
  transducer.SetStepBudget(TTransducer::kDefaultStepBudget);
  EXPECT_TRUE(transducer.MatchAlternatives("x|" + word, word, output));
}

TEST(Transducer, OrdinaryFailureIsNoBudgetExhaustion) {
  TTransducer transducer;
  std::string output;
  EXPECT_FALSE(transducer.Match("*x", std::string(200, 'a'), output));
  EXPECT_FALSE(transducer.BudgetExhausted());
}

// The matching rules read literally: every splice builds a new string. Slow but plainly right;
// the transducer must agree with it on every pattern.
class ReferenceMatcher {
 public:
  explicit ReferenceMatcher(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
      const std::u32string text = nls::ToUtf32(line);
      const std::size_t tab = text.find(U'\t');
      m_groups.emplace_back(text.substr(0, tab), text.substr(tab + 1));
    }
  }

  bool Match(const std::u32string& pattern, const std::u32string& input, std::u32string& out) {
    out.clear();
    return Run(pattern, input, 0, out);
  }

 private:
  using U = std::u32string;

  std::vector<U> Members(const U& name) const {
    std::vector<U> members;
    for (const auto& [id, text] : m_groups) {
      if (id != U"[" + name + U"]") {
        continue;
      }
      std::size_t start = 0;
      for (;;) {
        const std::size_t comma = text.find(U',', start);
        U member = text.substr(start, comma == U::npos ? U::npos : comma - start);
        if (member.empty()) {
          break;
        }
        members.push_back(member);
        if (comma == U::npos) {
          break;
        }
        start = comma + 1;
      }
      break;
    }
    return members;
  }

  bool Run(const U& p, const U& s, std::size_t k, U& o) {
    if (p.empty()) {
      return s.empty();
    }
    const U saved = o;
    const std::size_t bracket = p[0] == U'[' ? p.find(U']', 1) : U::npos;
    const std::size_t paren = p[0] == U'(' ? p.find(U')', 1) : U::npos;
    if (bracket != U::npos) {
      const U ref = p.substr(1, bracket - 1);
      const U rest = p.substr(bracket + 1);
      const bool rewrite = !ref.empty() && ref[0] == U'(' && ref.find(U')') != U::npos;
      for (const U& m : Members(rewrite ? ref.substr(1, ref.find(U')') - 1) : ref)) {
        o = saved;
        if (Run(rewrite ? U"(" + m + U")" + rest : m + rest, s, k, o)) {
          return true;
        }
      }
      o = saved;
      return false;
    }
    if (paren != U::npos) {
      const U inner = p.substr(1, paren - 1);
      const std::size_t colon = inner.find(U':');
      const U source = inner.substr(0, colon);
      U target;
      if (colon != U::npos) {
        const std::size_t second = inner.find(U':', colon + 1);
        target = inner.substr(colon + 1, second == U::npos ? U::npos : second - colon - 1);
      }
      o += target;
      if (Run(source + p.substr(paren + 1), s, source.size(), o)) {
        return true;
      }
      o = saved;
      return false;
    }
    if (p[0] == U'*') {
      for (std::size_t n = 1; n <= s.size(); ++n) {
        o = saved + s.substr(0, n);
        if (Run(p.substr(1), s.substr(n), k, o)) {
          return true;
        }
      }
      o = saved;
      return false;
    }
    if (p[0] == U'?') {
      if (s.empty()) {
        return Run(p.substr(1), s, k, o);
      }
      o += s[0];
      if (Run(p.substr(1), s.substr(1), k, o)) {
        return true;
      }
      o = saved;
      return false;
    }
    if (s.empty() || s[0] != p[0]) {
      return false;
    }
    if (k > 0) {
      --k;
    } else {
      o += p[0];
    }
    if (Run(p.substr(1), s.substr(1), k, o)) {
      return true;
    }
    o = saved;
    return false;
  }

  std::vector<std::pair<U, U>> m_groups;
};

TEST(Transducer, AgreesWithLiteralReadingOnRandomPatterns) {
  // Groups whose members leave brackets open or close them early, so splices matter.
  const std::vector<std::string> groups = {"[V]\ta,ñ,b",  "[E]\ta:x,ab:y,ñ:", "[O]\t[",
                                           "[P]\t(a:",    "[Q]\ta)b,a",       "[(E)]\ta",
                                           "[R]\t[V]a,*b"};
  const char32_t letters[] = U"abñ[]():*?VE";
  const char32_t* const references[] = {U"[V]", U"[(E)]", U"[O]", U"[P]", U"[Q]", U"[R]", U"[(Q)]"};
  const char32_t inputLetters[] = U"abñ";
  std::mt19937 random(20240611);
  TTransducer transducer;
  transducer.SetGroups(groups);
  ReferenceMatcher reference(groups);
  for (int i = 0; i < 20000; ++i) {
    std::u32string pattern;
    for (int n = static_cast<int>(random() % 12); n > 0; --n) {
      if (random() % 5 == 0) {
        pattern += references[random() % std::size(references)];
      } else {
        pattern += letters[random() % (std::size(letters) - 1)];
      }
    }
    std::u32string input;
    for (int n = static_cast<int>(random() % 8); n > 0; --n) {
      input += inputLetters[random() % (std::size(inputLetters) - 1)];
    }
    std::u32string expected;
    const bool expectedOk = reference.Match(pattern, input, expected);
    std::string output;
    const bool ok = transducer.Match(nls::ToUtf8(pattern), nls::ToUtf8(input), output);
    ASSERT_EQ(ok, expectedOk) << nls::ToUtf8(pattern) << " on " << nls::ToUtf8(input);
    ASSERT_EQ(output, expectedOk ? nls::ToUtf8(expected) : "")
        << nls::ToUtf8(pattern) << " on " << nls::ToUtf8(input);
  }
}

}  // namespace
}  // namespace flexel
