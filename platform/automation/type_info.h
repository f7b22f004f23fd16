#pragma once
// Descriptions of dispatch interfaces: members with their DISPIDs, kinds (read, write, call),
// value and parameter types, in vtable order. A server answers GetIDsOfNames from them and
// checks and coerces the arguments of Invoke with PrepareInvoke, as a type library would.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/automation/interfaces.h"
#include "platform/automation/variant.h"

namespace flexel::automation {

struct ParamInfo {
  std::string_view name;
  VarType type;
};

struct MemberInfo {
  std::string_view name;
  DISPID id;
  std::uint16_t kind;  // DISPATCH_PROPERTYGET, DISPATCH_PROPERTYPUT or DISPATCH_METHOD
  VarType type;        // the value read, written or returned; kEmpty for none
  std::span<const ParamInfo> params;
  std::string_view typeName = {};  // the interface of an object value ("ILanguage")
  std::string_view doc = {};
  int tag = 0;  // the server's own number for the member; the layer does not read it
};

struct InterfaceInfo {
  std::string_view name;  // "ILanguages"
  GUID iid;
  std::string_view doc;
  std::span<const MemberInfo> members;  // vtable order

  // Member names compare without regard to case.
  [[nodiscard]] std::optional<DISPID> IdOfName(std::string_view memberName) const noexcept;
  [[nodiscard]] const MemberInfo* Find(DISPID id, std::uint16_t kind) const noexcept;
};

// The member that a call with these flags reaches, its arguments coerced to the parameter
// types (a written value last, coerced to the member's type). Fails with DISP_E_MEMBERNOTFOUND,
// DISP_E_BADPARAMCOUNT, or the coercion's code with *argError = the index of the argument.
// With asGiven, arguments that all have their types already are not copied: coerced stays
// empty, *asGiven is true and the caller passes args on.
[[nodiscard]] HRESULT PrepareInvoke(const InterfaceInfo& info, DISPID id, std::uint16_t flags,
                                    std::span<const Variant> args, const MemberInfo** member,
                                    std::vector<Variant>& coerced,
                                    std::uint32_t* argError = nullptr,
                                    bool* asGiven = nullptr) noexcept;

}  // namespace flexel::automation
