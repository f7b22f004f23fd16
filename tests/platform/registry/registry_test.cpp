#include "platform/registry/registry.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/core/error.h"

namespace flexel::registry {
namespace {

namespace fs = std::filesystem;

// Each test gets a registry folder of its own, below the one the test program was given.
class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* base = std::getenv("FLEXEL_REGISTRY");
    fs::path parent = base && *base ? fs::path(base) : fs::temp_directory_path();
    fs::create_directories(parent);
    std::string pattern = (parent / "registry-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    m_folder = pattern + "/";
    SetRegistryFolder(m_folder);
  }
  void TearDown() override {
    SetRegistryFolder("");
    fs::remove_all(m_folder);
  }
  void WriteFile(const std::string& name, const std::string& text) {
    std::ofstream(m_folder + name, std::ios::binary) << text;
  }
  std::string ReadFile(const std::string& name) {
    std::ifstream in(m_folder + name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  std::string m_folder;
};

TEST_F(RegistryTest, MissingHiveIsEmpty) {
  const auto root = ReadHive(Hive::kClassesRoot);
  EXPECT_EQ(root->Name(), "HKEY_CLASSES_ROOT");
  EXPECT_TRUE(root->SubKeys().empty());
  EXPECT_TRUE(root->Values().empty());
}

TEST_F(RegistryTest, RoundTripKeepsValuesOrderAndText) {
  UpdateHive(Hive::kCurrentUser, [](Key& root) {
    Key& settings = root.Create("Software/Flexel/FreeFlexel/0.1");
    settings.SetInteger("window.top", 0);
    settings.SetInteger("window.height", 600);
    settings.SetString("FontsCSS", "body {\n  font: \"Arial\";\r\n}\\");
    settings.SetString("silcode", "ÑÄ");
    settings.SetDefault("default text");
    root.Create("Software\\Zeta");
    root.Create("Software/Alpha");
    root.Create("Empty");
  });
  EXPECT_EQ(ReadFile("HKEY_CURRENT_USER.reg"),
            "REGEDIT4\n"
            "\n[HKEY_CURRENT_USER\\Software]\n"
            "\n[HKEY_CURRENT_USER\\Software\\Flexel]\n"
            "\n[HKEY_CURRENT_USER\\Software\\Flexel\\FreeFlexel]\n"
            "\n[HKEY_CURRENT_USER\\Software\\Flexel\\FreeFlexel\\0.1]\n"
            "\"window.top\"=dword:00000000\n"
            "\"window.height\"=dword:00000258\n"
            "\"FontsCSS\"=\"body {\\n  font: \\\"Arial\\\";\\r\\n}\\\\\"\n"
            "\"silcode\"=\"ÑÄ\"\n"
            "@=\"default text\"\n"
            "\n[HKEY_CURRENT_USER\\Software\\Zeta]\n"
            "\n[HKEY_CURRENT_USER\\Software\\Alpha]\n"
            "\n[HKEY_CURRENT_USER\\Empty]\n");

  const auto root = ReadHive(Hive::kCurrentUser);
  const Key* settings = root->Find("Software/Flexel/FreeFlexel/0.1");
  ASSERT_NE(settings, nullptr);
  EXPECT_EQ(settings->GetInteger("window.height"), 600u);
  EXPECT_EQ(settings->GetString("FontsCSS"), "body {\n  font: \"Arial\";\r\n}\\");
  EXPECT_EQ(settings->GetString("silcode"), "ÑÄ");
  EXPECT_EQ(settings->DefaultValue(), "default text");
  // A value of the other type reads as absent.
  EXPECT_EQ(settings->GetString("window.top"), std::nullopt);
  EXPECT_EQ(settings->GetInteger("silcode"), std::nullopt);
  EXPECT_EQ(root->Find("Software")->SubKeyNames(),
            (std::vector<std::string>{"Flexel", "Zeta", "Alpha"}));
  ASSERT_NE(root->Find("Empty"), nullptr);
}

TEST_F(RegistryTest, NamesCompareWithoutRegardToCase) {
  Key root("HKEY_CLASSES_ROOT");
  Key& created = root.Create("CLSID/{3BECF0AC-BC78-4ACE-80F3-A96EE29D3AC9}/InprocServer32");
  created.SetString("ThreadingModel", "Apartment");
  EXPECT_EQ(&root.Create("clsid\\{3becf0ac-bc78-4ace-80f3-a96ee29d3ac9}\\INPROCSERVER32"),
            &created);
  EXPECT_EQ(root.Find("Clsid")->SubKeys().size(), 1u);
  EXPECT_EQ(created.GetString("threadingmodel"), "Apartment");
  created.SetString("THREADINGMODEL", "Both");
  ASSERT_EQ(created.Values().size(), 1u);
  EXPECT_EQ(created.Values()[0].name, "ThreadingModel");
  EXPECT_EQ(created.GetString("ThreadingModel"), "Both");
  // Beyond ASCII too.
  root.Create("Äpfel").SetString("Größe", "x");
  ASSERT_NE(root.Find("äPFEL"), nullptr);
  EXPECT_EQ(root.Find("äpfel")->GetString("GRÖSSE"), "x");
}

TEST_F(RegistryTest, DeleteRemovesTheKeyAndItsSubtree) {
  UpdateHive(Hive::kClassesRoot, [](Key& root) {
    root.Create("A").SetDefault("a");
    root.Create("A/B/C").SetDefault("c");
    root.Create("A/D").SetDefault("d");
  });
  UpdateHive(Hive::kClassesRoot, [](Key& root) {
    EXPECT_TRUE(root.Delete("a/b"));
    EXPECT_FALSE(root.Delete("A/B"));
    EXPECT_FALSE(root.Delete("X/Y"));
    EXPECT_FALSE(root.Delete(""));
    EXPECT_TRUE(root.Find("A")->DeleteValue(""));
    EXPECT_FALSE(root.Find("A")->DeleteValue("missing"));
  });
  const auto root = ReadHive(Hive::kClassesRoot);
  EXPECT_EQ(root->Find("A/B"), nullptr);
  EXPECT_EQ(root->Find("A/D")->DefaultValue(), "d");
}

TEST_F(RegistryTest, ReadSeesAChangeMadeByAnotherWriter) {
  UpdateHive(Hive::kClassesRoot, [](Key& root) { root.Create("First"); });
  ASSERT_NE(ReadHive(Hive::kClassesRoot)->Find("First"), nullptr);
  WriteFile("HKEY_CLASSES_ROOT.reg", "REGEDIT4\n\n[HKEY_CLASSES_ROOT\\Second]\n@=\"2\"\n");
  const auto root = ReadHive(Hive::kClassesRoot);
  EXPECT_EQ(root->Find("First"), nullptr);
  EXPECT_EQ(root->Find("Second")->DefaultValue(), "2");
}

struct DamagedCase {
  const char* name;
  const char* text;
  const char* message;  // after "<file>:"
};

class DamagedHiveTest : public RegistryTest, public ::testing::WithParamInterface<DamagedCase> {};

TEST_P(DamagedHiveTest, IsReportedWithFileAndLineAndNeverEmptied) {
  const std::string text = GetParam().text;
  WriteFile("HKEY_CLASSES_ROOT.reg", text);
  const std::string expected = m_folder + "HKEY_CLASSES_ROOT.reg:" + GetParam().message;
  try {
    (void)ReadHive(Hive::kClassesRoot);
    FAIL() << "no error";
  } catch (const FileError& e) {
    EXPECT_EQ(std::string(e.what()), expected);
  }
  // A writer must not replace what it could not read.
  try {
    UpdateHive(Hive::kClassesRoot, [](Key& root) { root.Create("New"); });
    FAIL() << "no error";
  } catch (const FileError& e) {
    EXPECT_EQ(std::string(e.what()), expected);
  }
  EXPECT_EQ(ReadFile("HKEY_CLASSES_ROOT.reg"), text);
}

INSTANTIATE_TEST_SUITE_P(
    Registry, DamagedHiveTest,
    ::testing::Values(
        DamagedCase{"EmptyFile", "", "1: expected \"REGEDIT4\""},
        DamagedCase{"OtherHeader", "Windows Registry Editor Version 5.00\n",
                    "1: expected \"REGEDIT4\""},
        DamagedCase{"ValueOutsideKey", "REGEDIT4\n\n@=\"x\"\n", "3: value outside of a key"},
        DamagedCase{"UnclosedKey", "REGEDIT4\n[HKEY_CLASSES_ROOT\\A\n",
                    "2: key line without closing \"]\""},
        DamagedCase{"OtherRoot", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n",
                    "2: key outside of HKEY_CLASSES_ROOT"},
        DamagedCase{"DeletionKey", "REGEDIT4\n[-HKEY_CLASSES_ROOT\\A]\n",
                    "2: key deletion has no place in a hive"},
        DamagedCase{"EmptyKeyName", "REGEDIT4\n[HKEY_CLASSES_ROOT\\A\\\\B]\n",
                    "2: malformed key name"},
        DamagedCase{"UnterminatedString", "REGEDIT4\n[HKEY_CLASSES_ROOT\\A]\n\"v\"=\"abc\n",
                    "3: unterminated string"},
        DamagedCase{"UnknownEscape", "REGEDIT4\n[HKEY_CLASSES_ROOT\\A]\n\"v\"=\"a\\qb\"\n",
                    "3: unknown escape \"\\q\""},
        DamagedCase{"BadDword", "REGEDIT4\n[HKEY_CLASSES_ROOT\\A]\n\"v\"=dword:12345678a\n",
                    "3: malformed dword value"},
        DamagedCase{"HexValue", "REGEDIT4\n[HKEY_CLASSES_ROOT\\A]\n\"v\"=hex:01,02\n",
                    "3: unsupported value type"},
        DamagedCase{"MissingEquals", "REGEDIT4\n[HKEY_CLASSES_ROOT\\A]\n\"v\" \"x\"\n",
                    "3: expected \"=\" after the value name"},
        DamagedCase{"TrailingText", "REGEDIT4\n[HKEY_CLASSES_ROOT\\A]\n@=\"x\" junk\n",
                    "3: text after the value"},
        DamagedCase{"NotUtf8", "REGEDIT4\n[HKEY_CLASSES_ROOT\\A]\n@=\"\xE9t\xE9\"\n",
                    "3: text is not UTF-8"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RegistryTest, AcceptsCommentsCarriageReturnsAndByteOrderMark) {
  WriteFile("HKEY_CLASSES_ROOT.reg",
            "\xEF\xBB\xBFREGEDIT4\r\n; a comment\r\n[HKEY_CLASSES_ROOT\\A]\r\n@=\"a\"\r\n"
            "\"n\"=dword:FF\r\n[hkey_classes_root]\r\n\"top\"=\"t\"\r\n");
  const auto root = ReadHive(Hive::kClassesRoot);
  EXPECT_EQ(root->Find("A")->DefaultValue(), "a");
  EXPECT_EQ(root->Find("A")->GetInteger("n"), 255u);
  EXPECT_EQ(root->GetString("top"), "t");
}

TEST_F(RegistryTest, ConcurrentWritersLoseNothing) {
  constexpr int kWriters = 4, kValues = 25;
  std::vector<pid_t> children;
  for (int w = 0; w < kWriters; ++w) {
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      int status = 0;
      try {
        for (int v = 0; v < kValues; ++v)
          UpdateHive(Hive::kCurrentUser, [&](Key& root) {
            root.Create("Writer" + std::to_string(w))
                .SetInteger("v" + std::to_string(v), static_cast<std::uint32_t>(v));
          });
      } catch (...) {
        status = 1;
      }
      ::_exit(status);
    }
    children.push_back(pid);
  }
  for (pid_t pid : children) {
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  const auto root = ReadHive(Hive::kCurrentUser);
  for (int w = 0; w < kWriters; ++w) {
    const Key* key = root->Find("Writer" + std::to_string(w));
    ASSERT_NE(key, nullptr) << w;
    EXPECT_EQ(key->Values().size(), static_cast<std::size_t>(kValues)) << w;
  }
  // No temporary file is left behind.
  for (const auto& entry : fs::directory_iterator(m_folder))
    EXPECT_EQ(entry.path().filename().string().rfind(".HKEY", 0), std::string::npos)
        << entry.path();
}

TEST_F(RegistryTest, LineBreakInAKeyNameIsRefused) {
  Key root("HKEY_CURRENT_USER");
  try {
    root.Create("bad\nname");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "A registry name cannot hold a line break");
  }
}

struct FolderCase {
  const char* name;
  const char* program;   // --registry, or null
  const char* registry;  // FLEXEL_REGISTRY, or null
  const char* xdg;       // XDG_CONFIG_HOME, or null
  const char* home;
  const char* expected;
};

class RegistryFolderTest : public ::testing::TestWithParam<FolderCase> {
 protected:
  void SetUp() override {
    for (const char* name : {"FLEXEL_REGISTRY", "XDG_CONFIG_HOME", "HOME"})
      if (const char* value = std::getenv(name))
        m_saved.emplace_back(name, value);
      else
        m_saved.emplace_back(name, std::nullopt);
  }
  void TearDown() override {
    SetRegistryFolder("");
    for (const auto& [name, value] : m_saved)
      if (value)
        ::setenv(name.c_str(), value->c_str(), 1);
      else
        ::unsetenv(name.c_str());
  }
  static void Put(const char* name, const char* value) {
    if (value)
      ::setenv(name, value, 1);
    else
      ::unsetenv(name);
  }
  std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
};

TEST_P(RegistryFolderTest, Resolves) {
  const auto& c = GetParam();
  Put("FLEXEL_REGISTRY", c.registry);
  Put("XDG_CONFIG_HOME", c.xdg);
  Put("HOME", c.home);
  SetRegistryFolder(c.program ? c.program : "");
  EXPECT_EQ(RegistryFolder(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Registry, RegistryFolderTest,
    ::testing::Values(
        FolderCase{"ProgramOptionFirst", "/opt/reg", "/env/reg", "/xdg", "/home/u", "/opt/reg/"},
        FolderCase{"EnvironmentNext", nullptr, "/env/reg/", "/xdg", "/home/u", "/env/reg/"},
        FolderCase{"ConfigHomeNext", nullptr, nullptr, "/xdg", "/home/u", "/xdg/flexel/registry/"},
        FolderCase{"HomeConfigLast", nullptr, "", nullptr, "/home/u",
                   "/home/u/.config/flexel/registry/"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace flexel::registry
