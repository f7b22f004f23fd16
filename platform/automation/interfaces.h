#pragma once
// The object interfaces of the automation layer as plain C++ abstract classes: reference
// counting and interface queries (IUnknown), late-bound calls by name (IDispatch), collection
// enumeration (IEnumVARIANT), object creation (IClassFactory) and the error-information
// promise (ISupportErrorInfo). Objects are held through the one counted pointer RefPtr.

#include <cstdint>
#include <span>
#include <string_view>
#include <type_traits>
#include <utility>

#include "platform/automation/guid.h"
#include "platform/automation/hresult.h"

namespace flexel::automation {

using DISPID = std::int32_t;
inline constexpr DISPID DISPID_VALUE = 0;
inline constexpr DISPID DISPID_UNKNOWN = -1;
inline constexpr DISPID DISPID_NEWENUM = -4;

// Invoke flags; a read is usually asked as METHOD | PROPERTYGET.
inline constexpr std::uint16_t DISPATCH_METHOD = 1;
inline constexpr std::uint16_t DISPATCH_PROPERTYGET = 2;
inline constexpr std::uint16_t DISPATCH_PROPERTYPUT = 4;

inline constexpr GUID IID_IUnknown = GUID::Literal("{00000000-0000-0000-C000-000000000046}");
inline constexpr GUID IID_IClassFactory = GUID::Literal("{00000001-0000-0000-C000-000000000046}");
inline constexpr GUID IID_IDispatch = GUID::Literal("{00020400-0000-0000-C000-000000000046}");
inline constexpr GUID IID_IEnumVARIANT = GUID::Literal("{00020404-0000-0000-C000-000000000046}");
inline constexpr GUID IID_ISupportErrorInfo =
    GUID::Literal("{DF0B3D60-548F-101B-8E65-08002B2BD119}");

class Variant;
struct InterfaceInfo;

class IUnknown {
 public:
  // On success *out holds one reference owned by the caller; otherwise it is null.
  virtual HRESULT QueryInterface(const GUID& iid, void** out) = 0;
  virtual std::uint32_t AddRef() = 0;
  virtual std::uint32_t Release() = 0;

 protected:
  ~IUnknown() = default;
};

// The intrusive counted pointer of automation objects. Constructing from a raw pointer takes a
// new reference; Adopt takes over one the caller already holds.
template <class T>
class RefPtr {
 public:
  RefPtr() noexcept = default;
  RefPtr(std::nullptr_t) noexcept {}
  explicit RefPtr(T* p) noexcept : m_p(p) {
    if (m_p) m_p->AddRef();
  }
  RefPtr(const RefPtr& other) noexcept : RefPtr(other.m_p) {}
  RefPtr(RefPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
  template <class U>
  requires std::is_convertible_v<U*, T*> RefPtr(const RefPtr<U>& other)
  noexcept : RefPtr(static_cast<T*>(other.get())) {}
  ~RefPtr() {
    if (m_p) m_p->Release();
  }
  RefPtr& operator=(RefPtr other) noexcept {
    std::swap(m_p, other.m_p);
    return *this;
  }

  [[nodiscard]] static RefPtr Adopt(T* p) noexcept {
    RefPtr r;
    r.m_p = p;
    return r;
  }
  // Gives up the reference without releasing it.
  [[nodiscard]] T* Detach() noexcept { return std::exchange(m_p, nullptr); }
  // Releases the held reference and returns the slot for an out-parameter.
  [[nodiscard]] void** Receive() noexcept {
    reset();
    return reinterpret_cast<void**>(&m_p);
  }
  void reset() noexcept { RefPtr().swap(*this); }
  void swap(RefPtr& other) noexcept { std::swap(m_p, other.m_p); }

  [[nodiscard]] T* get() const noexcept { return m_p; }
  T* operator->() const noexcept { return m_p; }
  T& operator*() const noexcept { return *m_p; }
  explicit operator bool() const noexcept { return m_p != nullptr; }
  friend bool operator==(const RefPtr& a, const RefPtr& b) noexcept { return a.m_p == b.m_p; }

  // Asks the object for another interface; null when it has none.
  template <class U>
  [[nodiscard]] RefPtr<U> As(const GUID& iid) const noexcept {
    RefPtr<U> result;
    if (m_p) m_p->QueryInterface(iid, result.Receive());
    return result;
  }

 private:
  T* m_p = nullptr;
};

template <class T, class... Args>
[[nodiscard]] RefPtr<T> MakeRef(Args&&... args) {
  return RefPtr<T>(new T(std::forward<Args>(args)...));
}

// Members are found by name without regard to case; arguments are positional, first parameter
// first, and a property write passes the new value last.
class IDispatch : public IUnknown {
 public:
  virtual HRESULT GetIDsOfNames(std::string_view name, DISPID* id) = 0;
  virtual HRESULT Invoke(DISPID id, std::uint16_t flags, std::span<const Variant> args,
                         Variant* result) = 0;
  // The description of the object's interface, or null when it offers none.
  virtual const InterfaceInfo* GetTypeInfo() = 0;

 protected:
  ~IDispatch() = default;
};

class IEnumVARIANT : public IUnknown {
 public:
  // Stores up to count items into items[0..count); S_OK when all were stored, else S_FALSE.
  virtual HRESULT Next(std::uint32_t count, Variant* items, std::uint32_t* fetched) = 0;
  virtual HRESULT Skip(std::uint32_t count) = 0;
  virtual HRESULT Reset() = 0;
  virtual HRESULT Clone(IEnumVARIANT** out) = 0;

 protected:
  ~IEnumVARIANT() = default;
};

class IClassFactory : public IUnknown {
 public:
  virtual HRESULT CreateInstance(IUnknown* outer, const GUID& iid, void** out) = 0;
  virtual HRESULT LockServer(bool lock) = 0;

 protected:
  ~IClassFactory() = default;
};

class ISupportErrorInfo : public IUnknown {
 public:
  // S_OK when a failing member of that interface leaves error information.
  virtual HRESULT InterfaceSupportsErrorInfo(const GUID& iid) = 0;

 protected:
  ~ISupportErrorInfo() = default;
};

// The four entry points every plug-in exports with C linkage.
extern "C" {
using DllGetClassObjectFn = HRESULT (*)(const GUID* clsid, const GUID* iid, void** out);
using DllCanUnloadNowFn = HRESULT (*)();
using DllRegisterServerFn = HRESULT (*)();
using DllUnregisterServerFn = HRESULT (*)();
}

}  // namespace flexel::automation
