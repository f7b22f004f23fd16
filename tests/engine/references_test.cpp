#include "engine_fixture.h"

namespace flexel::engine::test {
namespace {

using namespace automation;

using References = BothEngines;

TEST_P(References, BookFieldsAndTheirNumbers) {
  const Dispatch books = Open(GetParam()).Get("Item", {0}).Get("References");
  EXPECT_EQ(books.Get("Count").ToInt(), 2);
  const Dispatch book = books.Get("Item", {0});
  const std::pair<const char*, Variant> fields[] = {
      {"Author", "Author A"}, {"Name", "Title A"},      {"Publisher", "Publisher A"},
      {"Edition", 2},         {"Printplace", "Madrid"}, {"PrintYear", 1999},
      {"Booklanguage", "0"},  {"Serie", "Serie A"},     {"ISBN", "ISBN-A"}};
  for (const auto& [name, value] : fields) EXPECT_EQ(book.Get(name).value(), value) << name;

  const Dispatch second = books.Get("Item", {1});
  EXPECT_EQ(second.Get("Edition").value(), Variant(0));
  ExpectError([&] { (void)second.Get("PrintYear"); }, E_UNEXPECTED,
              "'abc' is not a valid integer value");
  EXPECT_EQ(books.Get("Item", {5}).Get("Author").ToString(), "");
  EXPECT_EQ(books.Get("Item", {-1}).Get("Edition").ToInt(), 0);
}

TEST_P(References, BooksAreSnapshotsCountriesFollowTheCurrentLanguage) {
  const Dispatch languages = Open(GetParam());
  const Dispatch books = languages.Get("Item", {0}).Get("References");
  const Dispatch countries = languages.Get("Item", {0}).Get("Wherespoken");
  const Dispatch country = countries.Get("Item", {0});
  EXPECT_EQ(countries.Get("Count").ToInt(), 3);
  EXPECT_EQ(country.Get("Name").ToString(), "Spain");

  (void)languages.Get("Item", {1});
  EXPECT_EQ(books.Get("Count").ToInt(), 2);
  EXPECT_EQ(books.Get("Item", {0}).Get("Author").ToString(), "Author A");
  EXPECT_EQ(countries.Get("Count").ToInt(), 1);
  EXPECT_EQ(country.Get("Name").ToString(), "France");
  ExpectError([&] { (void)countries.Get("Item", {3}).Get("Name"); }, E_UNEXPECTED,
              "List index out of bounds (3)");
}

TEST_P(References, SameTypesAreClearedAndRelatedWordsReadTheirFields) {
  const Dispatch word = Open(GetParam()).Get("Item", {0}).Get("ActiveWord");
  word.Put("partofspeechid", 0);
  word.Put("Name", "hablar");
  // The engine filled one same-type line; making the collection clears it.
  EXPECT_EQ(word.Get("SameType").Get("Count").ToInt(), 0);
  EXPECT_EQ(word.Get("SameType").Get("Item", {0}).Get("NameW").ToString(), "");

  const Dispatch related = word.Get("RelatedWord");
  ASSERT_EQ(related.Get("Count").ToInt(), 2);
  const Dispatch synonym = related.Get("Item", {0});
  EXPECT_EQ(synonym.Get("WordType").ToInt(), 1);
  EXPECT_EQ(synonym.Get("TargetLanguage").ToString(), "");
  EXPECT_EQ(synonym.Get("Name").ToString(), "charlar");
  const Dispatch translation = related.Get("Item", {1});
  const std::pair<const char*, Variant> fields[] = {
      {"WordType", 0},      {"TargetLanguage", "Italiano"}, {"Name", "parlare"},
      {"NameW", "PARLARE"}, {"Meaning", "to speak"},        {"MeaningW", "TO SPEAK"}};
  for (const auto& [name, value] : fields) EXPECT_EQ(translation.Get(name).value(), value) << name;
  EXPECT_EQ(related.Get("Item", {5}).Get("WordType").ToInt(), 0);

  word.Put("Name", "nothing");
  EXPECT_EQ(related.Get("Count").ToInt(), 0);
}

TEST_P(References, MorphologyIsNotImplementedAndKeepsWhatWasWritten) {
  const Dispatch language = Open(GetParam()).Get("Item", {0});
  const Dispatch morphology = language.Get("Morphology");
  EXPECT_FALSE(morphology.Get("IsImplemented").ToBool());
  morphology.Put("PartOfSpeech", 0);
  morphology.Put("Inflection", "hablamos");
  EXPECT_FALSE(morphology.Get("IsImplemented").ToBool());
  EXPECT_EQ(language.Get("Morphology").Get("Inflection").ToString(), "hablamos");
  const Dispatch guesses = morphology.Get("Guesses");
  EXPECT_EQ(guesses.Get("Count").ToInt(), 0);
  EXPECT_TRUE(guesses.Elements().empty());
  const Dispatch guess = guesses.Get("Item", {0});
  EXPECT_EQ(guess.Get("Name").ToString(), "");
  EXPECT_EQ(guess.Get("info").ToString(), "");
  EXPECT_EQ(guess.Get("percentage").ToInt(), 0);
  EXPECT_EQ(morphology.Get("NextWord").ToString(), "");
}

INSTANTIATE_TEST_SUITE_P(Engine, References, ::testing::Values(kXml, kVlx), EngineName);

}  // namespace
}  // namespace flexel::engine::test
