#include <regex>

#include "engine_fixture.h"
#include "platform/automation/error_info.h"

namespace flexel::engine::test {
namespace {

using namespace automation;

TEST_P(BothEngines, CountIsZeroUntilAFileIsGivenAndForAMissingFile) {
  automation::RegisterServer(GetParam().plugin);
  const Dispatch languages = CreateObject(GetParam().progid);
  EXPECT_EQ(languages.Get("Count").ToInt(), 0);
  languages.Put("stringdata", kThreeLanguages);
  EXPECT_EQ(languages.Get("Count").ToInt(), 3);
  languages.Put("stringdata", m_folder + "missing.xml");
  EXPECT_EQ(languages.Get("Count").ToInt(), 0);
}

TEST_P(BothEngines, AFileTheReaderRejectsFailsWithItsMessageAndTheProgId) {
  const Dispatch languages = Open(GetParam(), m_folder + "missing.xml");
  const std::string broken = std::string(FLEXEL_TEST_DATA) + "/engine/broken.txt";
  RefPtr<IDispatch> object = languages.Object();
  DISPID id = 0;
  ASSERT_EQ(object->GetIDsOfNames("STRINGDATA", &id), S_OK);
  const Variant args[] = {Variant(broken)};
  EXPECT_EQ(object->Invoke(id, DISPATCH_PROPERTYPUT, args, nullptr), E_UNEXPECTED);
  const auto info = GetErrorInfo();
  ASSERT_TRUE(info.has_value());
  EXPECT_EQ(info->guid, GetParam().library().Interface(ObjectKind::kLanguages).iid);
  EXPECT_EQ(info->description, broken + ":1: not a language file");
  EXPECT_EQ(info->source, GetParam().progid);
}

TEST_P(BothEngines, ItemOutsideTheListFailsAndKeepsTheCurrentLanguage) {
  const Dispatch languages = Open(GetParam());
  const Dispatch language = languages.Get("Item", {1});
  for (int index : {3, -1}) {
    ExpectError([&] { (void)languages.Get("Item", {index}); }, E_UNEXPECTED,
                "List index out of bounds (" + std::to_string(index) + ")");
  }
  EXPECT_EQ(language.Get("Name").ToString(), "Français");

  // A failed call leaves its result empty and reports the Languages interface.
  RefPtr<IDispatch> object = languages.Object();
  Variant result = "stale";
  const Variant args[] = {Variant(7)};
  EXPECT_EQ(object->Invoke(DISPID_VALUE, DISPATCH_PROPERTYGET, args, &result), E_UNEXPECTED);
  EXPECT_TRUE(result.IsEmpty());
  RefPtr<ISupportErrorInfo> support = object.As<ISupportErrorInfo>(IID_ISupportErrorInfo);
  ASSERT_TRUE(support);
  EXPECT_EQ(support->InterfaceSupportsErrorInfo(
                GetParam().library().Interface(ObjectKind::kLanguages).iid),
            S_OK);
  EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IDispatch), S_FALSE);
}

TEST_P(BothEngines, EveryLanguageObjectShowsTheCurrentLanguage) {
  const Dispatch languages = Open(GetParam());
  const Dispatch first = languages.Get("Item", {0});
  const Dispatch second = languages.Get("Item", {1});
  EXPECT_EQ(first.Get("Name").ToString(), "Français");
  EXPECT_EQ(second.Get("Name").ToString(), "Français");
  EXPECT_EQ(first.Get("id").ToInt(), 1);
  EXPECT_NE(first.Object(), second.Object());
}

TEST_P(BothEngines, GetIndexIgnoresCaseAndLeavesTheLastTriedLanguageCurrent) {
  const Dispatch languages = Open(GetParam());
  const Dispatch language = languages.Get("Item", {0});
  EXPECT_EQ(languages.Get("GetIndex", {"frn"}).ToInt(), 1);
  EXPECT_EQ(language.Get("silcode").ToString(), "FRN");
  EXPECT_EQ(languages.Get("GetIndex", {"XYZ"}).ToInt(), -1);
  EXPECT_EQ(language.Get("Name").ToString(), "Deutsch");
}

TEST_P(BothEngines, FixedValuesAndFilterByEitherSpelling) {
  const Dispatch languages = Open(GetParam());
  const bool xml = GetParam().xml;
  EXPECT_EQ(languages.Get("ListColor").ToInt(), xml ? 6723840 : 13369497);
  const std::string filter =
      xml ? "Flexel XML language extension|*.xml" : "Flexel visual language extension|*.vlx";
  for (const char* name : {"filter", "Filter", "FILTER"})
    EXPECT_EQ(languages.Get(name).ToString(), filter) << name;
  EXPECT_EQ(languages.Get("Copyright").ToString(),
            "\tJane Doe\tjane@example.org\thttp://example.org");

  const Dispatch language = languages.Get("Item", {2});
  EXPECT_EQ(language.Get("id").ToInt(), 2);
  EXPECT_EQ(language.Get("family").ToString(), "Germanic");
  for (const char* name : {"population", "NLSlangid", "NLSsortid", "NLSsublangid"})
    EXPECT_EQ(language.Get(name).value(), Variant(0)) << name;
  EXPECT_EQ(language.Get("issorted").value(), Variant(true));
  EXPECT_EQ(language.Get("HTML").ToString(), "<p>Deutsch</p>");
}

TEST_P(BothEngines, MembersOfOneEngineOnlyAreUnknownNamesInTheOther) {
  const Dispatch languages = Open(GetParam());
  const Dispatch language = languages.Get("Item", {0});
  // "summary" reaches Summary in the VLX library: names are matched without regard to case.
  EXPECT_EQ(language.Get("summary").ToString(), "Summary of Español");
  const Dispatch word = language.Get("ActiveWord");
  if (GetParam().xml) {
    EXPECT_EQ(language.Get("date").value(), Variant(43831.5));
    EXPECT_EQ(language.Get("isRTL").value(), Variant(false));
    EXPECT_EQ(word.Get("pageexist").value(), Variant(false));
    ExpectError([&] { (void)languages.Get("Item", {1}).Get("date"); }, E_UNEXPECTED,
                "'31.02.x' is not a valid date");
  } else {
    for (const char* name : {"date", "isRTL"})
      ExpectError([&] { (void)language.Get(name); }, DISP_E_UNKNOWNNAME,
                  std::string("Unknown name: ") + name);
    for (const char* name : {"pageexist", "page"})
      ExpectError([&] { (void)word.Get(name); }, DISP_E_UNKNOWNNAME,
                  std::string("Unknown name: ") + name);
  }
}

TEST_P(BothEngines, AFailingLanguageMemberReportsTheLanguageInterfaceWithoutSource) {
  const Dispatch languages = Open(GetParam());
  const Dispatch country = languages.Get("Item", {1}).Get("Wherespoken").Get("Item", {4});
  RefPtr<IDispatch> object = country.Object();
  Variant result;
  EXPECT_EQ(object->Invoke(201, DISPATCH_PROPERTYGET, {}, &result), E_UNEXPECTED);
  const auto info = GetErrorInfo();
  ASSERT_TRUE(info.has_value());
  EXPECT_EQ(info->guid, GetParam().library().Interface(ObjectKind::kCountry).iid);
  EXPECT_EQ(info->description, "List index out of bounds (4)");
  EXPECT_EQ(info->source, "");
}

INSTANTIATE_TEST_SUITE_P(Engine, BothEngines, ::testing::Values(kXml, kVlx), EngineName);

using FlagImageTest = EngineTest;

TEST_F(FlagImageTest, WritesANewBitmapFilePerReadAndNoneWithoutAFlag) {
  const Dispatch languages = Open(kXml);
  const std::string first = languages.Get("Item", {0}).Get("flagimage").ToString();
  const std::string second = languages.Get("Item", {0}).Get("flagimage").ToString();
  const std::regex name(std::regex_replace(m_html, std::regex(R"([.^$|()\[\]{}*+?\\])"), R"(\$&)") +
                        R"(flexel5(\d+)\.\$\$\$)");
  std::smatch match;
  ASSERT_TRUE(std::regex_match(first, match, name)) << first;
  EXPECT_LE(std::stoi(match[1]), 1233);
  ASSERT_TRUE(std::regex_match(second, name)) << second;
  EXPECT_NE(first, second);
  EXPECT_EQ(ReadFile(first).substr(0, 2), "BM");

  const auto filesBefore = std::distance(std::filesystem::directory_iterator(m_html), {});
  EXPECT_EQ(languages.Get("Item", {1}).Get("flagimage").ToString(), "");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_html), {}), filesBefore);
}

TEST_F(FlagImageTest, WithoutAnHtmlFolderTheDataFolderIsUsedAndMade) {
  const Dispatch languages = Open(kXml);
  languages.Put("htmldir", m_folder + "no-such-folder/");
  const std::string path = languages.Get("Item", {0}).Get("flagimage").ToString();
  const std::string dataFolder =
      std::filesystem::canonical(kXml.plugin).parent_path().string() + "/Lexoro5xml/";
  EXPECT_EQ(path.substr(0, dataFolder.size()), dataFolder);
  EXPECT_TRUE(std::filesystem::is_regular_file(path));
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace flexel::engine::test
