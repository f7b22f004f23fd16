#pragma once
// Each test gets its own registry and HTML folder, registers a fake engine plug-in there and
// creates its Languages object by ProgID, as a client does.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "engine/type_library.h"
#include "platform/automation/client.h"
#include "platform/registry/registry.h"

namespace flexel::engine::test {

using automation::AutomationError;
using automation::Dispatch;
using automation::HRESULT;
using automation::Variant;

struct EngineKind {
  const char* name;
  const char* plugin;
  const char* progid;
  bool xml;
  const TypeLibrary& (*library)() noexcept;
};

inline const EngineKind kXml{"Xml", FLEXEL_FAKE_XML_ENGINE, "Lexoro5xml.Languages", true,
                             &XmlTypeLibrary};
inline const EngineKind kVlx{"Vlx", FLEXEL_FAKE_VLX_ENGINE, "Lexoro5vlx.Languages", false,
                             &VlxTypeLibrary};

inline const std::string kThreeLanguages =
    std::string(FLEXEL_TEST_DATA) + "/engine/three_languages.txt";

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    namespace fs = std::filesystem;
    const char* base = std::getenv("FLEXEL_REGISTRY");
    const fs::path parent = base && *base ? fs::path(base) : fs::temp_directory_path();
    fs::create_directories(parent);
    std::string pattern = (parent / "engine-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    m_folder = pattern + "/";
    m_html = m_folder + "html/";
    fs::create_directories(m_html);
    registry::SetRegistryFolder(m_folder + "registry/");
  }
  void TearDown() override {
    registry::SetRegistryFolder("");
    std::filesystem::remove_all(m_folder);
  }

  // A registered engine's Languages with the HTML folder and a language file given.
  Dispatch Open(const EngineKind& kind, const std::string& file = kThreeLanguages) {
    automation::RegisterServer(kind.plugin);
    Dispatch languages = automation::CreateObject(kind.progid);
    languages.Put("htmldir", m_html);
    languages.Put("stringdata", file);
    return languages;
  }

  static std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  static void ExpectError(const std::function<void()>& call, HRESULT hr,
                          const std::string& message) {
    try {
      call();
      ADD_FAILURE() << "no error, expected: " << message;
    } catch (const AutomationError& e) {
      EXPECT_EQ(e.hresult(), hr) << e.what();
      EXPECT_EQ(std::string(e.what()), message);
    }
  }

  std::string m_folder;
  std::string m_html;
};

// Cases that hold for both engines run once per engine.
class BothEngines : public EngineTest, public ::testing::WithParamInterface<EngineKind> {};

inline std::string EngineName(const ::testing::TestParamInfo<EngineKind>& info) {
  return info.param.name;
}

}  // namespace flexel::engine::test
