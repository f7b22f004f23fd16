#include "platform/automation/type_info.h"

namespace flexel::automation {
namespace detail {

bool SameNameNoCase(std::string_view a, std::string_view b) noexcept {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace detail

std::optional<DISPID> InterfaceInfo::IdOfName(std::string_view memberName) const noexcept {
  for (const auto& m : members)
    if (detail::SameNameNoCase(m.name, memberName)) return m.id;
  return std::nullopt;
}

const MemberInfo* InterfaceInfo::Find(DISPID id, std::uint16_t kind) const noexcept {
  for (const auto& m : members)
    if (m.id == id && m.kind == kind) return &m;
  return nullptr;
}

HRESULT PrepareInvoke(const InterfaceInfo& info, DISPID id, std::uint16_t flags,
                      std::span<const Variant> args, const MemberInfo** member,
                      std::vector<Variant>& coerced, std::uint32_t* argError,
                      bool* asGiven) noexcept {
  *member = nullptr;
  if (asGiven) *asGiven = false;
  coerced.clear();
  const MemberInfo* found = nullptr;
  if (flags & DISPATCH_PROPERTYPUT) found = info.Find(id, DISPATCH_PROPERTYPUT);
  if (!found && (flags & DISPATCH_PROPERTYGET)) found = info.Find(id, DISPATCH_PROPERTYGET);
  if (!found && (flags & DISPATCH_METHOD)) {
    found = info.Find(id, DISPATCH_METHOD);
    // Reading a property by a call is how many clients ask for it.
    if (!found) found = info.Find(id, DISPATCH_PROPERTYGET);
  }
  if (!found) return DISP_E_MEMBERNOTFOUND;

  const bool isPut = found->kind == DISPATCH_PROPERTYPUT;
  const std::size_t expected = found->params.size() + (isPut ? 1 : 0);
  if (args.size() != expected) return DISP_E_BADPARAMCOUNT;
  const auto typeOf = [&](std::size_t i) {
    return i < found->params.size() ? found->params[i].type : found->type;
  };
  if (asGiven) {
    bool same = true;
    for (std::size_t i = 0; i < args.size() && same; ++i) same = args[i].Type() == typeOf(i);
    if (same) {
      *asGiven = true;
      *member = found;
      return S_OK;
    }
  }
  try {
    coerced.resize(args.size());
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (HRESULT hr = args[i].ChangeType(typeOf(i), coerced[i]); Failed(hr)) {
      if (argError) *argError = static_cast<std::uint32_t>(i);
      coerced.clear();
      return hr;
    }
  }
  *member = found;
  return S_OK;
}

}  // namespace flexel::automation
