#pragma once
// The value that crosses a late-bound call: empty, boolean, 32-bit integer, double, UTF-8
// text or an object. Coercions follow the automation rules (true is -1, text is read as a
// number where a number is wanted); an impossible one is DISP_E_TYPEMISMATCH.

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

#include "platform/automation/interfaces.h"

namespace flexel::automation {

// The automation type codes of the kinds a Variant holds.
enum class VarType : std::uint16_t {
  kEmpty = 0,
  kI4 = 3,
  kR8 = 5,
  kBstr = 8,
  kDispatch = 9,
  kBool = 11,
  kUnknown = 13,
};

// "Integer", "String", ... for messages and listings.
[[nodiscard]] std::string_view VarTypeName(VarType type) noexcept;

class Variant {
 public:
  Variant() noexcept = default;
  Variant(bool value) noexcept : m_value(value) {}
  Variant(std::int32_t value) noexcept : m_value(value) {}
  Variant(double value) noexcept : m_value(value) {}
  Variant(std::string value) noexcept : m_value(std::move(value)) {}
  Variant(std::string_view value) : m_value(std::string(value)) {}
  Variant(const char* value) : m_value(std::string(value)) {}
  Variant(RefPtr<IDispatch> value) noexcept : m_value(std::move(value)) {}
  Variant(RefPtr<IUnknown> value) noexcept : m_value(std::move(value)) {}
  // An object of any dispatch class is held as its IDispatch.
  template <class T>
  requires(std::is_convertible_v<T*, IDispatch*> && !std::is_same_v<T, IDispatch>)
      Variant(const RefPtr<T>& value)
  noexcept : m_value(RefPtr<IDispatch>(value)) {}

  [[nodiscard]] VarType Type() const noexcept;
  [[nodiscard]] bool IsEmpty() const noexcept { return m_value.index() == 0; }

  // The value as the given kind; a coercion that cannot be made returns its failure code
  // (DISP_E_TYPEMISMATCH, DISP_E_OVERFLOW) and leaves out empty.
  [[nodiscard]] HRESULT ChangeType(VarType type, Variant& out) const noexcept;

  // The same coercions, throwing AutomationError.
  [[nodiscard]] bool ToBool() const;
  [[nodiscard]] std::int32_t ToInt() const;
  [[nodiscard]] double ToDouble() const;
  [[nodiscard]] std::string ToString() const&;
  // The same, taking the text out of a variant about to go.
  [[nodiscard]] std::string ToString() &&;
  [[nodiscard]] RefPtr<IDispatch> ToDispatch() const;
  // The object held, without a reference of its own (null when it holds no object interface);
  // valid while this variant holds it.
  [[nodiscard]] IDispatch* DispatchPointer() const noexcept;
  [[nodiscard]] RefPtr<IUnknown> ToUnknown() const;

  // Same kind and same value; objects compare by identity of the pointer held.
  friend bool operator==(const Variant&, const Variant&) = default;

 private:
  Variant ConvertedOrThrow(VarType type) const;

  std::variant<std::monostate, bool, std::int32_t, double, std::string, RefPtr<IDispatch>,
               RefPtr<IUnknown>>
      m_value;
};

}  // namespace flexel::automation
