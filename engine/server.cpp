#include "engine/server.h"

#include <dlfcn.h>

#include <cstdio>
#include <filesystem>

#include "engine/auto_object.h"
#include "engine/object_model.h"
#include "platform/automation/error_info.h"
#include "platform/registry/registry.h"

namespace flexel::engine {

using namespace automation;

namespace detail {

// The class factory of Languages: each creation makes a new object with its own engine.
class TLanguagesFactory final : public IClassFactory {
 public:
  explicit TLanguagesFactory(const EngineDescriptor& descriptor) noexcept
      : m_descriptor(descriptor) {
    ObjectCreated();
  }
  TLanguagesFactory(const TLanguagesFactory&) = delete;
  TLanguagesFactory& operator=(const TLanguagesFactory&) = delete;

  HRESULT QueryInterface(const GUID& iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IClassFactory) return E_NOINTERFACE;
    *out = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }
  std::uint32_t AddRef() override { return ++m_refs; }
  std::uint32_t Release() override {
    const std::uint32_t left = --m_refs;
    if (left == 0) delete this;
    return left;
  }

  HRESULT CreateInstance(IUnknown* outer, const GUID& iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    RefPtr<IDispatch> languages;
    Variant ignored;
    const GUID& languagesIid = m_descriptor.typeLibrary.Interface(ObjectKind::kLanguages).iid;
    if (HRESULT hr = Guarded(languagesIid, [this] { return m_descriptor.typeLibrary.ProgID(); }, ignored,
                             [&] { languages = CreateLanguages(m_descriptor); });
        Failed(hr))
      return hr;
    return languages->QueryInterface(iid, out);
  }
  HRESULT LockServer(bool lock) override {
    engine::LockServer(lock);
    return S_OK;
  }

 private:
  ~TLanguagesFactory() { ObjectDestroyed(); }

  std::atomic<std::uint32_t> m_refs{0};
  const EngineDescriptor& m_descriptor;
};

// Leaves the failure's message for the registrar and returns its code.
HRESULT ReportFailure(const std::string& message, HRESULT hr) noexcept {
  SetErrorInfo(ErrorInfo{{}, {}, message, {}, 0});
  return hr;
}

template <class Work>
HRESULT RegistryWork(Work&& work) noexcept {
  try {
    work();
    return S_OK;
  } catch (const Error& e) {
    return ReportFailure(e.what(), E_FAIL);
  } catch (const std::exception& e) {
    return ReportFailure(e.what(), E_FAIL);
  } catch (...) {
    return ReportFailure("Unknown failure", E_FAIL);
  }
}

}  // namespace detail

std::string ModulePath() {
  Dl_info info{};
  if (::dladdr(reinterpret_cast<void*>(&ModulePath), &info) == 0 || !info.dli_fname)
    throw Error("Cannot find the file of this engine library");
  std::error_code ec;
  const auto path = std::filesystem::canonical(info.dli_fname, ec);
  if (ec) throw FileError(std::string(info.dli_fname) + ": " + ec.message());
  return path.string();
}

std::string DataDirectory(const TypeLibrary& library) {
  const std::string module = ModulePath();
  return module.substr(0, module.find_last_of('/') + 1) + std::string(library.name) + "/";
}

RefPtr<IDispatch> CreateLanguages(const EngineDescriptor& descriptor) {
  auto engine = std::make_shared<TEngine>(
      descriptor, descriptor.createConjugator(DataDirectory(descriptor.typeLibrary)));
  return MakeRef<TLanguages>(std::move(engine));
}

HRESULT ServerGetClassObject(const EngineDescriptor& descriptor, const GUID* clsid, const GUID* iid,
                             void** out) noexcept {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!clsid || !iid) return E_INVALIDARG;
  if (*clsid != descriptor.typeLibrary.Class(ObjectKind::kLanguages).clsid)
    return CLASS_E_CLASSNOTAVAILABLE;
  try {
    const RefPtr<IClassFactory> factory(new detail::TLanguagesFactory(descriptor));
    return factory->QueryInterface(*iid, out);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

HRESULT ServerCanUnloadNow() noexcept {
  return LiveObjectCount() == 0 && ServerLockCount() == 0 ? S_OK : S_FALSE;
}

HRESULT ServerRegister(const EngineDescriptor& descriptor,
                       const std::string& libraryPath) noexcept {
  return detail::RegistryWork([&] {
    const TypeLibrary& library = descriptor.typeLibrary;
    const CoClassInfo& languages = library.Class(ObjectKind::kLanguages);
    const std::string clsid = languages.clsid.ToString();
    const std::string progid = library.ProgID();
    const std::string path = libraryPath.empty() ? ModulePath() : libraryPath;
    char version[32];
    std::snprintf(version, sizeof version, "%d.%d", library.majorVersion, library.minorVersion);
    registry::UpdateHive(registry::Hive::kClassesRoot, [&](registry::Key& root) {
      registry::Key& classKey = root.Create("CLSID/" + clsid);
      classKey.SetDefault(std::string(languages.doc));
      registry::Key& server = classKey.Create("InprocServer32");
      server.SetDefault(path);
      server.SetString("ThreadingModel", "Apartment");
      classKey.Create("ProgID").SetDefault(progid);
      classKey.Create("Version").SetDefault(version);
      classKey.Create("TypeLib").SetDefault(library.libid.ToString());
      registry::Key& progidKey = root.Create(progid);
      progidKey.SetDefault(std::string(languages.doc));
      progidKey.Create("Clsid").SetDefault(clsid);
    });
  });
}

HRESULT ServerUnregister(const EngineDescriptor& descriptor) noexcept {
  return detail::RegistryWork([&] {
    const TypeLibrary& library = descriptor.typeLibrary;
    const std::string classKey = "CLSID/" + library.Class(ObjectKind::kLanguages).clsid.ToString();
    const std::string progid = library.ProgID();
    registry::UpdateHive(registry::Hive::kClassesRoot, [&](registry::Key& root) {
      for (const std::string& key :
           {classKey + "/TypeLib", classKey + "/Version", classKey + "/ProgID", progid + "/Clsid",
            progid, classKey + "/InprocServer32", classKey})
        root.Delete(key);
    });
  });
}

}  // namespace flexel::engine
