#include "engine/auto_object.h"

namespace flexel::engine {
namespace detail {

std::atomic<long> g_liveObjects{0};
std::atomic<long> g_serverLocks{0};

void ObjectCreated() noexcept { ++g_liveObjects; }
void ObjectDestroyed() noexcept { --g_liveObjects; }

}  // namespace detail

using namespace automation;

long LiveObjectCount() noexcept { return detail::g_liveObjects; }
long ServerLockCount() noexcept { return detail::g_serverLocks; }

void LockServer(bool lock) noexcept {
  if (lock)
    ++detail::g_serverLocks;
  else
    --detail::g_serverLocks;
}

TAutoObject::TAutoObject(EngineRef engine, ObjectKind kind) noexcept
    : m_engine(std::move(engine)), m_kind(kind) {
  detail::ObjectCreated();
}

TAutoObject::~TAutoObject() { detail::ObjectDestroyed(); }

const InterfaceInfo& TAutoObject::Interface() const noexcept {
  return m_engine->Library().Interface(m_kind);
}

HRESULT TAutoObject::QueryInterface(const GUID& iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid == IID_IUnknown || iid == IID_IDispatch || iid == Interface().iid)
    *out = static_cast<IDispatch*>(this);
  else if (iid == IID_ISupportErrorInfo)
    *out = static_cast<ISupportErrorInfo*>(this);
  else
    *out = QueryOther(iid);
  if (!*out) return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

void* TAutoObject::QueryOther(const GUID&) { return nullptr; }

std::uint32_t TAutoObject::AddRef() { return ++m_refs; }

std::uint32_t TAutoObject::Release() {
  const std::uint32_t left = --m_refs;
  if (left == 0) delete this;
  return left;
}

HRESULT TAutoObject::GetIDsOfNames(std::string_view name, DISPID* id) {
  if (!id) return E_POINTER;
  const auto found = Interface().IdOfName(name);
  *id = found.value_or(DISPID_UNKNOWN);
  return found ? S_OK : DISP_E_UNKNOWNNAME;
}

HRESULT TAutoObject::Invoke(DISPID id, std::uint16_t flags, std::span<const Variant> args,
                            Variant* result) {
  Variant ignored;
  Variant& out = result ? *result : ignored;
  out = Variant();
  const MemberInfo* member = nullptr;
  std::vector<Variant> coerced;
  bool asGiven = false;
  if (HRESULT hr = PrepareInvoke(Interface(), id, flags, args, &member, coerced, nullptr, &asGiven);
      Failed(hr))
    return hr;
  const std::span<const Variant> passed = asGiven ? args : std::span<const Variant>(coerced);
  return Guarded(Interface().iid, [this] { return ErrorSource(); }, out,
                 [&] { InvokeMember(*member, passed, out); });
}

const InterfaceInfo* TAutoObject::GetTypeInfo() { return &Interface(); }

HRESULT TAutoObject::InterfaceSupportsErrorInfo(const GUID& iid) {
  return iid == Interface().iid ? S_OK : S_FALSE;
}

HRESULT TAutoObject::Fail(const std::string& message, HRESULT hr) const noexcept {
  try {
    SetErrorInfo(ErrorInfo{Interface().iid, ErrorSource(), message, {}, 0});
  } catch (...) {
    SetErrorInfo(std::nullopt);
  }
  return hr < 0 ? hr : E_UNEXPECTED;
}

void TCollection::InvokeMember(const MemberInfo& member, std::span<const Variant> args,
                               Variant& result) {
  switch (MemberOf(member)) {
    case Member::kCollectionCount:
      result = Count();
      break;
    case Member::kCollectionItem:
      result = Item(args[0].ToInt());
      break;
    case Member::kCollectionNewEnum:
      m_position = 0;
      result = RefPtr<IUnknown>(static_cast<IEnumVARIANT*>(this));
      break;
    default:
      throw Error("Member " + std::string(member.name) + " is not served by this collection");
  }
}

void* TCollection::QueryOther(const GUID& iid) {
  return iid == IID_IEnumVARIANT ? static_cast<IEnumVARIANT*>(this) : nullptr;
}

HRESULT TCollection::Next(std::uint32_t count, Variant* items, std::uint32_t* fetched) {
  if (fetched) *fetched = 0;
  if (count > 0 && !items) return E_POINTER;
  std::uint32_t stored = 0;
  Variant item;
  // An item that cannot be made is a failure of its own, not the end of the collection.
  const HRESULT hr = Guarded(Interface().iid, [this] { return ErrorSource(); }, item, [&] {
    while (stored < count && m_position < Count()) {
      items[stored] = Item(static_cast<int>(m_position));
      ++stored;
      ++m_position;
    }
  });
  if (fetched) *fetched = stored;
  if (Failed(hr)) return hr;
  return stored == count ? S_OK : S_FALSE;
}

HRESULT TCollection::Skip(std::uint32_t count) {
  int total = 0;
  Variant ignored;
  if (HRESULT hr = Guarded(Interface().iid, [this] { return ErrorSource(); }, ignored, [&] { total = Count(); });
      Failed(hr))
    return hr;
  const std::int64_t last = total > 0 ? total - 1 : 0;
  m_position += count;
  if (m_position > last) {
    m_position = last;
    return S_FALSE;
  }
  return S_OK;
}

HRESULT TCollection::Reset() {
  m_position = 0;
  return S_OK;
}

HRESULT TCollection::Clone(IEnumVARIANT** out) {
  if (!out) return E_POINTER;
  // The clone is this same enumerator: it shares the position.
  *out = this;
  AddRef();
  return S_OK;
}

}  // namespace flexel::engine
