#include "engine_fixture.h"

namespace flexel::engine::test {
namespace {

using namespace automation;

RefPtr<IEnumVARIANT> EnumeratorOf(const Dispatch& collection) {
  return collection.Get("_NewEnum").value().ToUnknown().As<IEnumVARIANT>(IID_IEnumVARIANT);
}

std::string NameOf(const Variant& item) { return Dispatch(item).Get("Name").ToString(); }

using Collections = BothEngines;

TEST_P(Collections, EnumeratorsYieldWhatItemYields) {
  const Dispatch languages = Open(GetParam());
  const Dispatch language = languages.Get("Item", {0});
  const Dispatch activeWord = language.Get("ActiveWord");
  activeWord.Put("partofspeechid", 0);
  activeWord.Put("Name", "hablar");
  // Languages last: fetching a language selects it, and the other collections show the
  // current language.
  const std::pair<const char*, Dispatch> collections[] = {
      {"PartsOfSpeech", language.Get("PartsOfSpeech")},
      {"Words", language.Get("PartsOfSpeech").Get("Item", {0}).Get("Words")},
      {"Countries", language.Get("Wherespoken")},
      {"Books", language.Get("References")},
      {"Inflections", activeWord.Get("TenseNames")},
      {"RelatedWords", activeWord.Get("RelatedWord")},
      {"Languages", languages},
  };
  for (const auto& [what, collection] : collections) {
    SCOPED_TRACE(what);
    const int count = collection.Get("Count").ToInt();
    EXPECT_GT(count, 0);
    std::vector<std::string> byItem, byEnumerator;
    for (int i = 0; i < count; ++i) {
      const Dispatch item = collection.Get("Item", {i});
      byItem.push_back(std::string(what) == "Books" ? item.Get("Author").ToString()
                                                    : item.Get("Name").ToString());
    }
    collection.Enumerate([&](const Dispatch& item) {
      byEnumerator.push_back(std::string(what) == "Books" ? item.Get("Author").ToString()
                                                          : item.Get("Name").ToString());
      return true;
    });
    EXPECT_EQ(byEnumerator, byItem);
  }
  // Every language the enumerator fetched was selected in turn.
  EXPECT_EQ(language.Get("Name").ToString(), "Deutsch");
}

TEST_P(Collections, NextSkipResetAndCloneFollowTheirRules) {
  const Dispatch countries = Open(GetParam()).Get("Item", {0}).Get("Wherespoken");
  ASSERT_EQ(countries.Get("Count").ToInt(), 3);
  RefPtr<IEnumVARIANT> items = EnumeratorOf(countries);
  ASSERT_TRUE(items);

  Variant got[5];
  std::uint32_t fetched = 99;
  EXPECT_EQ(items->Next(5, got, &fetched), S_FALSE);
  EXPECT_EQ(fetched, 3u);
  EXPECT_EQ(NameOf(got[0]), "Spain");
  EXPECT_EQ(NameOf(got[2]), "Peru");
  EXPECT_TRUE(got[3].IsEmpty());
  EXPECT_EQ(items->Next(1, got, &fetched), S_FALSE);
  EXPECT_EQ(fetched, 0u);

  EXPECT_EQ(items->Reset(), S_OK);
  EXPECT_EQ(items->Skip(1), S_OK);
  EXPECT_EQ(items->Next(1, got, nullptr), S_OK);
  EXPECT_EQ(NameOf(got[0]), "Mexico");

  // Skipping past the end stops at the last item.
  EXPECT_EQ(items->Reset(), S_OK);
  EXPECT_EQ(items->Skip(10), S_FALSE);
  EXPECT_EQ(items->Next(1, got, &fetched), S_OK);
  EXPECT_EQ(NameOf(got[0]), "Peru");

  // A clone is the same enumerator: it shares the position.
  EXPECT_EQ(items->Reset(), S_OK);
  RefPtr<IEnumVARIANT> clone;
  ASSERT_EQ(items->Clone(reinterpret_cast<IEnumVARIANT**>(clone.Receive())), S_OK);
  EXPECT_EQ(clone, items);
  EXPECT_EQ(clone->Next(2, got, &fetched), S_OK);
  EXPECT_EQ(items->Next(1, got, nullptr), S_OK);
  EXPECT_EQ(NameOf(got[0]), "Peru");

  // _NewEnum hands out the collection itself and starts again.
  RefPtr<IEnumVARIANT> again = EnumeratorOf(countries);
  EXPECT_EQ(again, items);
  EXPECT_EQ(again->Next(1, got, nullptr), S_OK);
  EXPECT_EQ(NameOf(got[0]), "Spain");
}

TEST_P(Collections, EnumerationAsksForTheCountAnew) {
  const Dispatch languages = Open(GetParam());
  RefPtr<IEnumVARIANT> items = EnumeratorOf(languages);
  Variant got;
  std::uint32_t fetched = 0;
  EXPECT_EQ(items->Next(1, &got, &fetched), S_OK);
  languages.Put("stringdata", m_folder + "missing.xml");
  EXPECT_EQ(items->Next(1, &got, &fetched), S_FALSE);
  EXPECT_EQ(fetched, 0u);
  EXPECT_EQ(items->Skip(1), S_FALSE);
}

INSTANTIATE_TEST_SUITE_P(Engine, Collections, ::testing::Values(kXml, kVlx), EngineName);

}  // namespace
}  // namespace flexel::engine::test
