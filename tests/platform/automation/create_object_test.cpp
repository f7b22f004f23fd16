#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/automation/client.h"
#include "platform/registry/registry.h"

namespace flexel::automation {
namespace {

namespace fs = std::filesystem;

const GUID kClsid = GUID::Literal("{3BECF0AC-BC78-4ACE-80F3-A96EE29D3AC9}");

// The text dlopen gives for a file, so the message can be checked whole.
std::string DlopenError(const std::string& path) {
  void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle) {
    ::dlclose(handle);
    return "(loaded)";
  }
  return ::dlerror();
}

class CreateObjectTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* base = std::getenv("FLEXEL_REGISTRY");
    fs::path parent = base && *base ? fs::path(base) : fs::temp_directory_path();
    fs::create_directories(parent);
    std::string pattern = (parent / "create-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    m_folder = pattern + "/";
    registry::SetRegistryFolder(m_folder);
  }
  void TearDown() override {
    registry::SetRegistryFolder("");
    fs::remove_all(m_folder);
  }
  // Registers "Test.Languages" for kClsid with the given library (none when empty).
  static void Register(const std::string& library, const std::string& clsidText) {
    registry::UpdateHive(registry::Hive::kClassesRoot, [&](registry::Key& root) {
      root.Create("Test.Languages/Clsid").SetDefault(clsidText);
      if (!library.empty())
        root.Create("CLSID/" + kClsid.ToString() + "/InprocServer32").SetDefault(library);
    });
  }
  static void ExpectFailure(const std::function<void()>& call, HRESULT hr,
                            const std::string& message) {
    try {
      call();
      FAIL() << "no error";
    } catch (const AutomationError& e) {
      EXPECT_EQ(e.hresult(), hr);
      EXPECT_EQ(std::string(e.what()), message);
    }
  }

  std::string m_folder;
};

TEST_F(CreateObjectTest, UnregisteredProgIdIsClassNotRegistered) {
  ExpectFailure([] { (void)CreateObject("Nobody.Languages"); }, REGDB_E_CLASSNOTREG,
                "Class not registered: Nobody.Languages");
}

TEST_F(CreateObjectTest, ProgIdOfAClassWithoutLibraryIsClassNotRegistered) {
  Register("", kClsid.ToString());
  ExpectFailure([] { (void)CreateObject("test.languages"); }, REGDB_E_CLASSNOTREG,
                "Class not registered: {3BECF0AC-BC78-4ACE-80F3-A96EE29D3AC9}");
}

TEST_F(CreateObjectTest, MalformedClassIdentifierIsClassNotRegistered) {
  Register("", "{not-a-guid}");
  ExpectFailure([] { (void)CreateObject("Test.Languages"); }, REGDB_E_CLASSNOTREG,
                "Invalid class identifier \"{not-a-guid}\" registered for Test.Languages");
}

TEST_F(CreateObjectTest, LibraryThatDoesNotLoadGivesTheLoaderText) {
  for (const std::string& library :
       {std::string(FLEXEL_TEST_DATA) + "/automation/not_a_plugin.so", m_folder + "missing.so"}) {
    Register(library, kClsid.ToString());
    ExpectFailure([] { (void)CreateObject("Test.Languages"); }, CO_E_ERRORINDLL,
                  "Cannot load " + library + ": " + DlopenError(library));
  }
}

TEST_F(CreateObjectTest, LibraryWithoutTheExportsIsRefused) {
  const std::string library = std::string(FLEXEL_BUILD_DIR) + "/lib/libflexel_platform.so";
  Register(library, kClsid.ToString());
  ExpectFailure([] { (void)CreateObject("Test.Languages"); }, CO_E_ERRORINDLL,
                library + " does not export DllGetClassObject");
  ExpectFailure([&] { RegisterServer(library); }, CO_E_ERRORINDLL,
                library + " does not export DllRegisterServer");
  ExpectFailure([&] { RegisterServer(library, true); }, CO_E_ERRORINDLL,
                library + " does not export DllUnregisterServer");
}

}  // namespace
}  // namespace flexel::automation
