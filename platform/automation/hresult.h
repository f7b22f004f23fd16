#pragma once
// Result codes of the automation layer, with the values clients elsewhere know them by, and the
// C++ error through which a client sees a failed call.

#include <cstdint>
#include <string>

#include "platform/core/error.h"

namespace flexel::automation {

using HRESULT = std::int32_t;

namespace detail {
constexpr HRESULT Code(std::uint32_t value) noexcept { return static_cast<HRESULT>(value); }
}  // namespace detail

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_UNEXPECTED = detail::Code(0x8000FFFFu);
inline constexpr HRESULT E_NOTIMPL = detail::Code(0x80004001u);
inline constexpr HRESULT E_NOINTERFACE = detail::Code(0x80004002u);
inline constexpr HRESULT E_POINTER = detail::Code(0x80004003u);
inline constexpr HRESULT E_FAIL = detail::Code(0x80004005u);
inline constexpr HRESULT E_OUTOFMEMORY = detail::Code(0x8007000Eu);
inline constexpr HRESULT E_INVALIDARG = detail::Code(0x80070057u);
inline constexpr HRESULT CLASS_E_NOAGGREGATION = detail::Code(0x80040110u);
inline constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = detail::Code(0x80040111u);
inline constexpr HRESULT REGDB_E_CLASSNOTREG = detail::Code(0x80040154u);
inline constexpr HRESULT CO_E_ERRORINDLL = detail::Code(0x800401F9u);
inline constexpr HRESULT DISP_E_MEMBERNOTFOUND = detail::Code(0x80020003u);
inline constexpr HRESULT DISP_E_TYPEMISMATCH = detail::Code(0x80020005u);
inline constexpr HRESULT DISP_E_UNKNOWNNAME = detail::Code(0x80020006u);
inline constexpr HRESULT DISP_E_OVERFLOW = detail::Code(0x8002000Au);
inline constexpr HRESULT DISP_E_BADPARAMCOUNT = detail::Code(0x8002000Eu);

[[nodiscard]] constexpr bool Succeeded(HRESULT hr) noexcept { return hr >= 0; }
[[nodiscard]] constexpr bool Failed(HRESULT hr) noexcept { return hr < 0; }

// The standard description of a code ("Type mismatch"), or "Error 0x%08X" for others.
[[nodiscard]] std::string HResultText(HRESULT hr);
// "0x8000FFFF".
[[nodiscard]] std::string HResultHex(HRESULT hr);

// A failed automation call as a client sees it: the failure's code, its message and, when the
// object named one, the source (the ProgID of a Languages object).
class AutomationError : public Error {
 public:
  AutomationError(const std::string& message, HRESULT hr, std::string source = {})
      : Error(message, hr), m_source(std::move(source)) {}
  [[nodiscard]] const std::string& source() const noexcept { return m_source; }

 private:
  std::string m_source;
};

}  // namespace flexel::automation
