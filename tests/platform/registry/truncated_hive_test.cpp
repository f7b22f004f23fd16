// A hive cut off mid-file (a full disk, a crash of another writer) is reported, never read as
// something else and never replaced by a writer.

#include <gtest/gtest.h>

#include <string>

#include "platform/core/error.h"
#include "platform/registry/registry.h"

namespace flexel::registry {
namespace {

std::string SampleHive() {
  Key root("HKEY_CLASSES_ROOT");
  Key& clsid = root.Create("CLSID/{5A3C2E11-0000-4000-8000-000000000001}");
  clsid.SetDefault("Languages");
  clsid.Create("InprocServer32").SetDefault("/usr/lib/flexel/lexoro5xml.so");
  clsid.SetInteger("Flags", 7);
  root.Create("Lexoro5xml.Languages/CLSID").SetDefault("{5A3C2E11-0000-4000-8000-000000000001}");
  return FormatHive(root, "HKEY_CLASSES_ROOT");
}

struct CutCase {
  const char* label;
  const char* cutAfter;  // the hive is cut just after the first occurrence of this text
  const char* message;   // after "hive.reg:"
};

class TruncatedHive : public ::testing::TestWithParam<CutCase> {};

TEST_P(TruncatedHive, IsReportedWithItsLine) {
  const std::string hive = SampleHive();
  const std::size_t at = hive.find(GetParam().cutAfter);
  ASSERT_NE(at, std::string::npos) << hive;
  const std::string cut = hive.substr(0, at + std::string(GetParam().cutAfter).size());
  try {
    (void)ParseHive(cut, "HKEY_CLASSES_ROOT", "hive.reg");
    ADD_FAILURE() << "no error for\n" << cut;
  } catch (const FileError& e) {
    EXPECT_EQ(std::string(e.what()), std::string("hive.reg:") + GetParam().message);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cuts, TruncatedHive,
    ::testing::Values(CutCase{"InTheHeader", "REGED", "1: expected \"REGEDIT4\""},
                      CutCase{"InAKeyName", "[HKEY_CLASSES_ROOT\\CLSID\\{5A3C",
                              "5: key line without closing \"]\""},
                      CutCase{"InAString", "@=\"/usr/lib/flex", "10: unterminated string"},
                      CutCase{"AfterAValueName", "\"Flags\"",
                              "7: expected \"=\" after the value name"}),
    [](const auto& info) { return std::string(info.param.label); });

// Every cut either fails naming the file and a line, or reads as a hive whose texts are texts of
// the whole file: a cut string is never taken for a shorter one. (A dword written short is
// accepted on purpose, so a cut inside one is not caught.)
TEST(TruncatedHiveSweep, EveryCutIsAnErrorOrKeepsTheTextsWhole) {
  const std::string hive = SampleHive();
  const Key whole = ParseHive(hive, "HKEY_CLASSES_ROOT", "hive.reg");
  const char* const paths[] = {"CLSID/{5A3C2E11-0000-4000-8000-000000000001}",
                               "CLSID/{5A3C2E11-0000-4000-8000-000000000001}/InprocServer32",
                               "Lexoro5xml.Languages/CLSID"};
  int errors = 0;
  for (std::size_t length = 0; length < hive.size(); ++length) {
    SCOPED_TRACE(length);
    try {
      const Key part = ParseHive(hive.substr(0, length), "HKEY_CLASSES_ROOT", "hive.reg");
      for (const char* path : paths) {
        const Key* key = part.Find(path);
        if (key && key->GetString("")) {
          EXPECT_EQ(key->GetString(""), whole.Find(path)->GetString(""));
        }
      }
    } catch (const FileError& e) {
      ++errors;
      EXPECT_TRUE(std::string(e.what()).starts_with("hive.reg:")) << e.what();
    }
  }
  EXPECT_GT(errors, 0);
}

}  // namespace
}  // namespace flexel::registry
