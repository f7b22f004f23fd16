#pragma once
// The client side: creating an object by ProgID through the registry and its plug-in, and
// calling it late-bound by member name. Failures become AutomationError with the code and the
// message the object left in the error information.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/interfaces.h"
#include "platform/automation/variant.h"

namespace flexel::automation {

// The class registered for a ProgID (default value of "<progid>\Clsid" in HKEY_CLASSES_ROOT).
// Throws REGDB_E_CLASSNOTREG when there is none.
[[nodiscard]] GUID ClsidFromProgID(std::string_view progid);
// The library of a class (default value of "CLSID\{clsid}\InprocServer32").
[[nodiscard]] std::string InprocServerPath(const GUID& clsid);
// Loads the class's plug-in (once per process) and creates an object through its class
// factory.
[[nodiscard]] RefPtr<IUnknown> CreateInstance(const GUID& clsid);
[[nodiscard]] RefPtr<IDispatch> CreateObject(std::string_view progid);
// Unloads every loaded plug-in whose DllCanUnloadNow answers S_OK; returns how many.
int FreeUnusedLibraries();
// Loads a plug-in and calls its DllRegisterServer, or DllUnregisterServer.
void RegisterServer(const std::string& libraryPath, bool unregister = false);

// A value got from a late-bound call; when it holds an object, members are reached by name:
//   Dispatch languages = CreateObject("Lexoro5xml.Languages");
//   languages.Put("stringdata", path);
//   std::string name = languages.Get("Item", {0}).Get("Name").ToString();
class Dispatch {
 public:
  Dispatch() = default;
  Dispatch(Variant value) : m_value(std::move(value)) {}
  Dispatch(RefPtr<IDispatch> object) : m_value(std::move(object)) {}

  [[nodiscard]] Dispatch Get(std::string_view name,
                             std::initializer_list<Variant> args = {}) const {
    return Get(name, std::span<const Variant>(args.begin(), args.size()));
  }
  [[nodiscard]] Dispatch Get(std::string_view name, std::span<const Variant> args) const;
  void Put(std::string_view name, Variant value) const;
  void Put(std::string_view name, std::span<const Variant> args, Variant value) const;
  Dispatch Call(std::string_view name, std::initializer_list<Variant> args = {}) const {
    return Call(name, std::span<const Variant>(args.begin(), args.size()));
  }
  Dispatch Call(std::string_view name, std::span<const Variant> args) const;

  // Walks a collection through its enumerator (_NewEnum) until visit returns false.
  void Enumerate(const std::function<bool(const Dispatch& item)>& visit) const;
  [[nodiscard]] std::vector<Dispatch> Elements() const;

  [[nodiscard]] const Variant& value() const noexcept { return m_value; }
  [[nodiscard]] bool IsObject() const noexcept;
  // The object held; throws "Object required" when the value is none.
  [[nodiscard]] RefPtr<IDispatch> Object() const;

  [[nodiscard]] std::string ToString() const& { return m_value.ToString(); }
  [[nodiscard]] std::string ToString() && { return std::move(m_value).ToString(); }
  [[nodiscard]] std::int32_t ToInt() const { return m_value.ToInt(); }
  [[nodiscard]] bool ToBool() const { return m_value.ToBool(); }
  [[nodiscard]] double ToDouble() const { return m_value.ToDouble(); }

 private:
  Dispatch Invoke(std::string_view name, std::uint16_t flags, std::span<const Variant> args) const;

  Variant m_value;
};

}  // namespace flexel::automation
