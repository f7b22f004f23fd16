#pragma once
// The base of every object-model class: reference counting, IDispatch answered from the
// engine's type library, ISupportErrorInfo, and the failure guard that turns a failure inside a
// member into an HRESULT plus error information. Collections are their own enumerators.

#include <atomic>
#include <cstdint>
#include <span>
#include <string>

#include "engine/engine_descriptor.h"
#include "platform/automation/error_info.h"
#include "platform/automation/interfaces.h"
#include "platform/automation/type_info.h"
#include "platform/automation/variant.h"
#include "platform/core/error.h"

namespace flexel::engine {

using automation::DISPID;
using automation::HRESULT;
using automation::IDispatch;
using automation::IEnumVARIANT;
using automation::IUnknown;
using automation::MakeRef;
using automation::RefPtr;
using automation::Variant;

// Objects of this plug-in alive now, and locks taken on its class factory.
namespace detail {
void ObjectCreated() noexcept;
void ObjectDestroyed() noexcept;
}  // namespace detail
[[nodiscard]] long LiveObjectCount() noexcept;
[[nodiscard]] long ServerLockCount() noexcept;
void LockServer(bool lock) noexcept;

// Clears result, runs work and returns S_OK; a failure becomes error information (iid, its
// message, source) and its own negative HRESULT, else E_UNEXPECTED.
template <class Work>
HRESULT Guarded(const automation::GUID& iid, const std::string& source, Variant& result,
                Work&& work) noexcept;

class TAutoObject : public IDispatch, public automation::ISupportErrorInfo {
 public:
  TAutoObject(EngineRef engine, ObjectKind kind) noexcept;
  TAutoObject(const TAutoObject&) = delete;
  TAutoObject& operator=(const TAutoObject&) = delete;

  HRESULT QueryInterface(const automation::GUID& iid, void** out) override;
  std::uint32_t AddRef() override;
  std::uint32_t Release() override;

  HRESULT GetIDsOfNames(std::string_view name, DISPID* id) override;
  HRESULT Invoke(DISPID id, std::uint16_t flags, std::span<const Variant> args,
                 Variant* result) override;
  const automation::InterfaceInfo* GetTypeInfo() override;

  HRESULT InterfaceSupportsErrorInfo(const automation::GUID& iid) override;

 protected:
  virtual ~TAutoObject();

  // The member's work; arguments are already checked and coerced to the member's types.
  virtual void InvokeMember(const MemberInfo& member, std::span<const Variant> args,
                            Variant& result) = 0;
  // Another interface this object offers (the enumerator of a collection), or null.
  virtual void* QueryOther(const automation::GUID& iid);
  // The source named in error information; only Languages names one, its ProgID.
  [[nodiscard]] virtual std::string ErrorSource() const { return {}; }

  [[nodiscard]] const EngineRef& Engine() const noexcept { return m_engine; }
  [[nodiscard]] TBaseConjugator& Conjugator() const noexcept { return m_engine->Conjugator(); }
  [[nodiscard]] const automation::InterfaceInfo& Interface() const noexcept;
  [[nodiscard]] HRESULT Fail(const std::string& message, HRESULT hr) const noexcept;

 private:
  std::atomic<std::uint32_t> m_refs{0};
  EngineRef m_engine;
  ObjectKind m_kind;
};

// A collection: Count, Item and _NewEnum, and IEnumVARIANT over its items with one position.
class TCollection : public TAutoObject, public IEnumVARIANT {
 public:
  using TAutoObject::TAutoObject;

  HRESULT QueryInterface(const automation::GUID& iid, void** out) override {
    return TAutoObject::QueryInterface(iid, out);
  }
  std::uint32_t AddRef() override { return TAutoObject::AddRef(); }
  std::uint32_t Release() override { return TAutoObject::Release(); }

  HRESULT Next(std::uint32_t count, Variant* items, std::uint32_t* fetched) override;
  HRESULT Skip(std::uint32_t count) override;
  HRESULT Reset() override;
  HRESULT Clone(IEnumVARIANT** out) override;

 protected:
  // Asked anew for every enumerated item, so enumeration follows the engine's state.
  [[nodiscard]] virtual int Count() = 0;
  [[nodiscard]] virtual RefPtr<IDispatch> Item(int index) = 0;

  void InvokeMember(const MemberInfo& member, std::span<const Variant> args,
                    Variant& result) override;
  void* QueryOther(const automation::GUID& iid) override;

 private:
  std::int64_t m_position = 0;
};

// `source` names the error source; it is asked for only when the work fails.
template <class Source, class Work>
HRESULT Guarded(const automation::GUID& iid, Source&& source, Variant& result,
                Work&& work) noexcept {
  std::string message;
  HRESULT hr = automation::E_UNEXPECTED;
  try {
    result = Variant();
    work();
    return automation::S_OK;
  } catch (const Error& e) {
    message = e.what();
    if (e.hresult() < 0) hr = e.hresult();
  } catch (const std::bad_alloc&) {
    message = "Out of memory";
    hr = automation::E_OUTOFMEMORY;
  } catch (const std::exception& e) {
    message = e.what();
  } catch (...) {
    message = "Unknown failure";
  }
  result = Variant();
  std::string sourceText;
  try {
    sourceText = source();
  } catch (...) {
    // Without its source the error is still reported.
  }
  automation::SetErrorInfo(automation::ErrorInfo{iid, std::move(sourceText), std::move(message), {}, 0});
  return hr;
}

}  // namespace flexel::engine
