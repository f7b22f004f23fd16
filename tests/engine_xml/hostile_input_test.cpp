// Language files that try to make the reader expand entities: the engine opens them through
// the same reader as every language file.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "engine_xml/flexel_conjugator.h"
#include "platform/core/error.h"

namespace flexel {
namespace {

namespace fs = std::filesystem;

class XmlEngineHostileFile : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = fs::temp_directory_path() /
            ("flexel_xml_hostile_" + std::to_string(::getpid()) + "_" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(m_dir);
  }
  void TearDown() override { fs::remove_all(m_dir); }
  std::string Write(const std::string& name, const std::string& text) {
    const std::string path = (m_dir / name).string();
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }
  static std::string Language(const std::string& doctype, const std::string& name) {
    return "<?xml version=\"1.0\"?>\n" + doctype +
           "<languages><language><info><name>" + name +
           "</name><code>hx</code></info><words><verbs published=\"yes\"><tenses>"
           "<item id=\"1\" forms=\"1\" indent=\"1\">Now</item></tenses><code/><items>"
           "<item type=\"1\">go</item></items></verbs></words></language></languages>\n";
  }

  fs::path m_dir;
  TConjugator m_conjugator{"/nowhere/Lexoro5xml/"};
};

TEST_F(XmlEngineHostileFile, BillionLaughsIsRefusedAtOpen) {
  std::string doctype = "<!DOCTYPE languages [\n<!ENTITY l0 \"lol\">\n";
  for (int i = 1; i <= 9; ++i) {
    doctype += "<!ENTITY l" + std::to_string(i) + " \"";
    for (int k = 0; k < 10; ++k) doctype += "&l" + std::to_string(i - 1) + ";";
    doctype += "\">\n";
  }
  doctype += "]>\n";
  const std::string path = Write("laughs.xml", Language(doctype, "&l9;"));
  try {
    m_conjugator.OpenLanguageFile(path);
    ADD_FAILURE() << "no error";
  } catch (const FileError& e) {
    EXPECT_EQ(std::string(e.what()), path + ":14: Detected an entity reference loop");
  }
  EXPECT_EQ(m_conjugator.LanguageCount(), 0);
}

TEST_F(XmlEngineHostileFile, ExternalEntityIsNeverRead) {
  Write("secret.txt", "TOP-SECRET");
  const std::string path = Write(
      "external.xml",
      Language("<!DOCTYPE languages [\n<!ENTITY s SYSTEM \"secret.txt\">\n]>\n", "A&s;B"));
  m_conjugator.OpenLanguageFile(path);
  ASSERT_EQ(m_conjugator.LanguageCount(), 1);
  m_conjugator.SelectLanguage(0);
  EXPECT_EQ(m_conjugator.LanguageName().find("TOP-SECRET"), std::string::npos);
  EXPECT_EQ(m_conjugator.LanguageInfoHTML().find("TOP-SECRET"), std::string::npos);
}

}  // namespace
}  // namespace flexel
