#include "engine/server.h"

#include <dlfcn.h>

#include <set>

#include "engine_fixture.h"
#include "platform/automation/error_info.h"

namespace flexel::engine::test {
namespace {

using namespace automation;

// The plug-in's own entry points, for what a client never calls directly.
class PluginExports {
 public:
  explicit PluginExports(const char* path) : m_handle(::dlopen(path, RTLD_NOW | RTLD_LOCAL)) {
    if (!m_handle) throw std::runtime_error(::dlerror());
  }
  PluginExports(const PluginExports&) = delete;
  PluginExports& operator=(const PluginExports&) = delete;
  ~PluginExports() { ::dlclose(m_handle); }
  DllGetClassObjectFn GetClassObject() const {
    return reinterpret_cast<DllGetClassObjectFn>(::dlsym(m_handle, "DllGetClassObject"));
  }
  DllCanUnloadNowFn CanUnloadNow() const {
    return reinterpret_cast<DllCanUnloadNowFn>(::dlsym(m_handle, "DllCanUnloadNow"));
  }
  void* Symbol(const char* name) const { return ::dlsym(m_handle, name); }

 private:
  void* m_handle;
};

using ServerTest = EngineTest;

TEST_F(ServerTest, RegistrationWritesTheKeysInOrderAndUnregistrationRemovesThem) {
  const std::string path = std::filesystem::canonical(kXml.plugin).string();
  const std::string hive = m_folder + "registry/HKEY_CLASSES_ROOT.reg";
  const std::string classKey = "[HKEY_CLASSES_ROOT\\CLSID\\{3BECF0AC-BC78-4ACE-80F3-A96EE29D3AC9}";
  const std::string expected =
      "REGEDIT4\n"
      "\n[HKEY_CLASSES_ROOT\\CLSID]\n" +
      ("\n" + classKey + "]\n@=\"Languages Collection Object\"\n") +
      ("\n" + classKey + "\\InprocServer32]\n@=\"" + path +
       "\"\n\"ThreadingModel\"=\"Apartment\"\n") +
      ("\n" + classKey + "\\ProgID]\n@=\"Lexoro5xml.Languages\"\n") +
      ("\n" + classKey + "\\Version]\n@=\"1.0\"\n") +
      ("\n" + classKey + "\\TypeLib]\n@=\"{B4929EAA-661D-4FA5-9676-66FC257DF217}\"\n") +
      "\n[HKEY_CLASSES_ROOT\\Lexoro5xml.Languages]\n@=\"Languages Collection Object\"\n"
      "\n[HKEY_CLASSES_ROOT\\Lexoro5xml.Languages\\Clsid]\n"
      "@=\"{3BECF0AC-BC78-4ACE-80F3-A96EE29D3AC9}\"\n";
  RegisterServer(kXml.plugin);
  EXPECT_EQ(ReadFile(hive), expected);
  RegisterServer(kXml.plugin);
  EXPECT_EQ(ReadFile(hive), expected);

  RegisterServer(kVlx.plugin);
  RegisterServer(kXml.plugin, true);
  const auto root = registry::ReadHive(registry::Hive::kClassesRoot);
  EXPECT_EQ(root->Find("Lexoro5xml.Languages"), nullptr);
  EXPECT_EQ(root->Find("CLSID/{3BECF0AC-BC78-4ACE-80F3-A96EE29D3AC9}"), nullptr);
  // The other engine is untouched and still created by its ProgID.
  EXPECT_EQ(root->Find("lexoro5vlx.languages/clsid")->DefaultValue(),
            "{3BDA91F1-020E-48B8-BDB4-E6E3D771CD26}");
  EXPECT_EQ(Dispatch(CreateObject("Lexoro5vlx.Languages")).Get("Count").ToInt(), 0);
  ExpectError([] { (void)CreateObject("Lexoro5xml.Languages"); }, REGDB_E_CLASSNOTREG,
              "Class not registered: Lexoro5xml.Languages");

  RegisterServer(kVlx.plugin, true);
  EXPECT_EQ(ReadFile(hive), "REGEDIT4\n\n[HKEY_CLASSES_ROOT\\CLSID]\n");
}

TEST_F(ServerTest, OnlyLanguagesHasAClassFactory) {
  const PluginExports plugin(kXml.plugin);
  const TypeLibrary& library = XmlTypeLibrary();
  for (const CoClassInfo& coclass : library.classes) {
    void* out = reinterpret_cast<void*>(1);
    const HRESULT hr = plugin.GetClassObject()(&coclass.clsid, &IID_IClassFactory, &out);
    if (coclass.name == "Languages") {
      ASSERT_EQ(hr, S_OK);
      RefPtr<IClassFactory> factory =
          RefPtr<IClassFactory>::Adopt(static_cast<IClassFactory*>(out));
      RefPtr<IUnknown> outer;
      void* object = nullptr;
      EXPECT_EQ(factory->CreateInstance(reinterpret_cast<IUnknown*>(factory.get()), IID_IDispatch,
                                        &object),
                CLASS_E_NOAGGREGATION);
      EXPECT_EQ(object, nullptr);
    } else {
      EXPECT_EQ(hr, CLASS_E_CLASSNOTAVAILABLE) << coclass.name;
      EXPECT_EQ(out, nullptr) << coclass.name;
    }
  }
  // The VLX Languages CLSID belongs to the other library.
  void* out = nullptr;
  EXPECT_EQ(plugin.GetClassObject()(&VlxTypeLibrary().Class(ObjectKind::kLanguages).clsid,
                                    &IID_IClassFactory, &out),
            CLASS_E_CLASSNOTAVAILABLE);
}

TEST_F(ServerTest, ExportsOnlyTheFourEntryPoints) {
  const PluginExports plugin(kXml.plugin);
  for (const char* name :
       {"DllGetClassObject", "DllCanUnloadNow", "DllRegisterServer", "DllUnregisterServer"})
    EXPECT_NE(plugin.Symbol(name), nullptr) << name;
  // C++ symbols of the frame stay inside the plug-in.
  EXPECT_EQ(plugin.Symbol("_ZN6flexel6engine15LiveObjectCountEv"), nullptr);
}

TEST_F(ServerTest, UnloadsOnlyWhenNoObjectLivesAndNoLockIsHeld) {
  Dispatch languages = Open(kXml);
  const PluginExports plugin(kXml.plugin);
  Dispatch language = languages.Get("Item", {1});
  EXPECT_EQ(plugin.CanUnloadNow()(), S_FALSE);
  languages = Dispatch();
  // The Language keeps the engine alive after its Languages is gone.
  EXPECT_EQ(language.Get("Name").ToString(), "Français");
  EXPECT_EQ(plugin.CanUnloadNow()(), S_FALSE);
  language = Dispatch();
  EXPECT_EQ(plugin.CanUnloadNow()(), S_OK);

  void* out = nullptr;
  const GUID& clsid = XmlTypeLibrary().Class(ObjectKind::kLanguages).clsid;
  ASSERT_EQ(plugin.GetClassObject()(&clsid, &IID_IClassFactory, &out), S_OK);
  {
    RefPtr<IClassFactory> factory = RefPtr<IClassFactory>::Adopt(static_cast<IClassFactory*>(out));
    factory->LockServer(true);
  }
  EXPECT_EQ(plugin.CanUnloadNow()(), S_FALSE);
  ASSERT_EQ(plugin.GetClassObject()(&clsid, &IID_IClassFactory, &out), S_OK);
  {
    RefPtr<IClassFactory> factory = RefPtr<IClassFactory>::Adopt(static_cast<IClassFactory*>(out));
    factory->LockServer(false);
  }
  EXPECT_EQ(plugin.CanUnloadNow()(), S_OK);
  EXPECT_GE(FreeUnusedLibraries(), 1);
  // Unloaded plug-ins load again on the next creation.
  EXPECT_EQ(Dispatch(CreateObject("Lexoro5xml.Languages")).Get("Count").ToInt(), 0);
}

TEST(TypeLibrary, ClassesInterfacesAndIdentitiesAgree) {
  std::set<std::string> identities;
  for (const TypeLibrary* library : {&XmlTypeLibrary(), &VlxTypeLibrary()}) {
    EXPECT_TRUE(identities.insert(library->libid.ToString()).second);
    for (const CoClassInfo& coclass : library->classes) {
      const InterfaceInfo& iface = *coclass.defaultInterface;
      EXPECT_EQ(iface.name, "I" + std::string(coclass.name));
      EXPECT_TRUE(identities.insert(coclass.clsid.ToString()).second) << coclass.name;
      EXPECT_TRUE(identities.insert(iface.iid.ToString()).second) << iface.name;
      std::set<std::pair<DISPID, std::uint16_t>> members;
      for (const MemberInfo& member : iface.members)
        EXPECT_TRUE(members.insert({member.id, member.kind}).second)
            << iface.name << "." << member.name;
    }
  }
  EXPECT_EQ(identities.size(), 2u + 4u * kObjectKinds);
}

}  // namespace
}  // namespace flexel::engine::test
