#include "platform/automation/client.h"

#include <dlfcn.h>

#include <filesystem>
#include <map>
#include <mutex>

#include "platform/automation/error_info.h"
#include "platform/registry/registry.h"

namespace flexel::automation {
namespace detail {

// One dlopen handle; closing it may unmap the plug-in's code.
class Library {
 public:
  explicit Library(void* handle) noexcept : m_handle(handle) {}
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;
  Library(Library&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
  ~Library() {
    if (m_handle) ::dlclose(m_handle);
  }
  [[nodiscard]] void* Symbol(const char* name) const noexcept { return ::dlsym(m_handle, name); }

 private:
  void* m_handle;
};

struct Modules {
  std::mutex mutex;
  std::map<std::string, Library> loaded;
};

// Plug-ins stay mapped until FreeUnusedLibraries finds them unused: objects released during
// static destruction may still call into them, so the table is never torn down.
Modules& LoadedModules() {
  static Modules* modules = new Modules;
  return *modules;
}

// The plug-in at path, loaded once per process. Call with the table's mutex held.
const Library& LoadModule(Modules& modules, const std::string& path) {
  if (auto it = modules.loaded.find(path); it != modules.loaded.end()) return it->second;
  ::dlerror();
  void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* reason = ::dlerror();
    throw AutomationError("Cannot load " + path + ": " + (reason ? reason : "unknown reason"),
                          CO_E_ERRORINDLL);
  }
  return modules.loaded.emplace(path, Library(handle)).first->second;
}

void* RequireExport(const Library& library, const std::string& path, const char* name) {
  void* symbol = library.Symbol(name);
  if (!symbol) throw AutomationError(path + " does not export " + name, CO_E_ERRORINDLL);
  return symbol;
}

// Turns a failure code and the thread's error information into the client's error.
[[noreturn]] void ThrowFailure(HRESULT hr, const std::string& fallback) {
  if (auto info = GetErrorInfo(); info && !info->description.empty())
    throw AutomationError(info->description, hr, info->source);
  throw AutomationError(fallback, hr);
}

}  // namespace detail

GUID ClsidFromProgID(std::string_view progid) {
  const auto root = registry::ReadHive(registry::Hive::kClassesRoot);
  const registry::Key* key = progid.empty() ? nullptr : root->Find(std::string(progid) + "/Clsid");
  if (!key || key->DefaultValue().empty())
    throw AutomationError("Class not registered: " + std::string(progid), REGDB_E_CLASSNOTREG);
  const std::string text = key->DefaultValue();
  const auto clsid = GUID::Parse(text);
  if (!clsid)
    throw AutomationError(
        "Invalid class identifier \"" + text + "\" registered for " + std::string(progid),
        REGDB_E_CLASSNOTREG);
  return *clsid;
}

std::string InprocServerPath(const GUID& clsid) {
  const auto root = registry::ReadHive(registry::Hive::kClassesRoot);
  const registry::Key* key = root->Find("CLSID/" + clsid.ToString() + "/InprocServer32");
  if (!key || key->DefaultValue().empty())
    throw AutomationError("Class not registered: " + clsid.ToString(), REGDB_E_CLASSNOTREG);
  return key->DefaultValue();
}

namespace detail {

// Loads the class's plug-in and asks its class factory for a new object's interface iid.
void CreateInto(const GUID& clsid, const GUID& iid, void** out) {
  const std::string path = InprocServerPath(clsid);
  auto& modules = LoadedModules();
  DllGetClassObjectFn getClassObject;
  {
    std::lock_guard lock(modules.mutex);
    const auto& library = LoadModule(modules, path);
    getClassObject =
        reinterpret_cast<DllGetClassObjectFn>(RequireExport(library, path, "DllGetClassObject"));
    RequireExport(library, path, "DllCanUnloadNow");
  }
  SetErrorInfo(std::nullopt);
  RefPtr<IClassFactory> factory;
  if (HRESULT hr = getClassObject(&clsid, &IID_IClassFactory, factory.Receive()); Failed(hr))
    ThrowFailure(hr, HResultText(hr) + ": " + clsid.ToString() + " in " + path);
  if (!factory) throw AutomationError(path + " returned no class factory", E_POINTER);
  if (HRESULT hr = factory->CreateInstance(nullptr, iid, out); Failed(hr))
    ThrowFailure(hr, HResultText(hr) + ": " + clsid.ToString());
  if (!*out) throw AutomationError(path + " created no object", E_POINTER);
}

}  // namespace detail

RefPtr<IUnknown> CreateInstance(const GUID& clsid) {
  RefPtr<IUnknown> object;
  detail::CreateInto(clsid, IID_IUnknown, object.Receive());
  return object;
}

RefPtr<IDispatch> CreateObject(std::string_view progid) {
  RefPtr<IDispatch> object;
  detail::CreateInto(ClsidFromProgID(progid), IID_IDispatch, object.Receive());
  return object;
}

int FreeUnusedLibraries() {
  auto& modules = detail::LoadedModules();
  std::lock_guard lock(modules.mutex);
  int freed = 0;
  for (auto it = modules.loaded.begin(); it != modules.loaded.end();) {
    auto canUnload = reinterpret_cast<DllCanUnloadNowFn>(it->second.Symbol("DllCanUnloadNow"));
    if (canUnload && canUnload() == S_OK) {
      it = modules.loaded.erase(it);
      ++freed;
    } else {
      ++it;
    }
  }
  return freed;
}

void RegisterServer(const std::string& libraryPath, bool unregister) {
  std::error_code ec;
  const std::string path = std::filesystem::absolute(libraryPath, ec).lexically_normal().string();
  if (ec)
    throw AutomationError("Cannot load " + libraryPath + ": " + ec.message(), CO_E_ERRORINDLL);
  const char* name = unregister ? "DllUnregisterServer" : "DllRegisterServer";
  DllRegisterServerFn entry;
  {
    auto& modules = detail::LoadedModules();
    std::lock_guard lock(modules.mutex);
    const auto& library = detail::LoadModule(modules, path);
    entry = reinterpret_cast<DllRegisterServerFn>(detail::RequireExport(library, path, name));
  }
  SetErrorInfo(std::nullopt);
  if (HRESULT hr = entry(); Failed(hr))
    detail::ThrowFailure(hr, std::string(name) + " failed in " + path + ": " + HResultText(hr));
}

bool Dispatch::IsObject() const noexcept {
  return m_value.Type() == VarType::kDispatch && m_value != Variant(RefPtr<IDispatch>());
}

RefPtr<IDispatch> Dispatch::Object() const {
  RefPtr<IDispatch> object;
  if (m_value.Type() == VarType::kDispatch || m_value.Type() == VarType::kUnknown)
    object = m_value.ToDispatch();
  if (!object) throw AutomationError("Object required", E_POINTER);
  return object;
}

Dispatch Dispatch::Invoke(std::string_view name, std::uint16_t flags,
                          std::span<const Variant> args) const {
  // This wrapper holds a reference for the whole call; only other variants are looked into.
  RefPtr<IDispatch> held;
  IDispatch* object = m_value.DispatchPointer();
  if (!object) {
    try {
      held = Object();
    } catch (const AutomationError& e) {
      throw AutomationError(std::string(e.what()) + ": " + std::string(name), e.hresult());
    }
    object = held.get();
  }
  DISPID id = DISPID_UNKNOWN;
  if (HRESULT hr = object->GetIDsOfNames(name, &id); Failed(hr))
    throw AutomationError(HResultText(hr) + ": " + std::string(name), hr);
  SetErrorInfo(std::nullopt);
  Variant result;
  if (HRESULT hr = object->Invoke(id, flags, args, &result); Failed(hr))
    detail::ThrowFailure(hr, HResultText(hr) + ": " + std::string(name));
  return Dispatch(std::move(result));
}

Dispatch Dispatch::Get(std::string_view name, std::span<const Variant> args) const {
  return Invoke(name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, args);
}

void Dispatch::Put(std::string_view name, Variant value) const {
  Invoke(name, DISPATCH_PROPERTYPUT, std::span<const Variant>(&value, 1));
}

void Dispatch::Put(std::string_view name, std::span<const Variant> args, Variant value) const {
  std::vector<Variant> all(args.begin(), args.end());
  all.push_back(std::move(value));
  Invoke(name, DISPATCH_PROPERTYPUT, all);
}

Dispatch Dispatch::Call(std::string_view name, std::span<const Variant> args) const {
  return Invoke(name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args);
}

void Dispatch::Enumerate(const std::function<bool(const Dispatch& item)>& visit) const {
  const Dispatch enumerator = Get("_NewEnum");
  RefPtr<IEnumVARIANT> items = enumerator.value().ToUnknown().As<IEnumVARIANT>(IID_IEnumVARIANT);
  if (!items) throw AutomationError("The collection gives no enumerator", E_NOINTERFACE);
  for (;;) {
    Variant item;
    std::uint32_t fetched = 0;
    SetErrorInfo(std::nullopt);
    const HRESULT hr = items->Next(1, &item, &fetched);
    if (Failed(hr)) detail::ThrowFailure(hr, HResultText(hr) + ": _NewEnum");
    if (fetched == 0) return;
    if (!visit(Dispatch(std::move(item)))) return;
  }
}

std::vector<Dispatch> Dispatch::Elements() const {
  std::vector<Dispatch> all;
  Enumerate([&all](const Dispatch& item) {
    all.push_back(item);
    return true;
  });
  return all;
}

}  // namespace flexel::automation
