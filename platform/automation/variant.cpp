#include "platform/automation/variant.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace flexel::automation {
namespace detail {

std::string_view TrimBlanks(std::string_view s) noexcept {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

bool EqualsAsciiNoCase(std::string_view a, std::string_view b) noexcept {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

// A whole text read as a number ("12", " -3.5 ", "1e3"); the sign "+" is accepted.
HRESULT ParseNumber(std::string_view text, double& value) noexcept {
  text = TrimBlanks(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return DISP_E_TYPEMISMATCH;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec == std::errc::result_out_of_range) return DISP_E_OVERFLOW;
  if (ec != std::errc() || end != text.data() + text.size()) return DISP_E_TYPEMISMATCH;
  return S_OK;
}

// Halves go to the even neighbour, as automation rounding does.
HRESULT DoubleToInt(double value, std::int32_t& out) noexcept {
  if (std::isnan(value)) return DISP_E_OVERFLOW;
  const double rounded = std::nearbyint(value);
  if (rounded < std::numeric_limits<std::int32_t>::min() ||
      rounded > std::numeric_limits<std::int32_t>::max())
    return DISP_E_OVERFLOW;
  out = static_cast<std::int32_t>(rounded);
  return S_OK;
}

std::string DoubleToText(double value) {
  char buffer[64];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, ec == std::errc() ? end : buffer);
}

}  // namespace detail

std::string_view VarTypeName(VarType type) noexcept {
  switch (type) {
    case VarType::kEmpty:
      return "Empty";
    case VarType::kI4:
      return "Integer";
    case VarType::kR8:
      return "Double";
    case VarType::kBstr:
      return "String";
    case VarType::kDispatch:
      return "Object";
    case VarType::kBool:
      return "Boolean";
    case VarType::kUnknown:
      return "Unknown";
  }
  return "Invalid";
}

VarType Variant::Type() const noexcept {
  static constexpr VarType kTypes[] = {VarType::kEmpty,  VarType::kBool, VarType::kI4,
                                       VarType::kR8,     VarType::kBstr, VarType::kDispatch,
                                       VarType::kUnknown};
  return kTypes[m_value.index()];
}

HRESULT Variant::ChangeType(VarType type, Variant& out) const noexcept {
  out = Variant();
  if (type == Type()) {
    try {
      out = *this;
    } catch (...) {
      return E_OUTOFMEMORY;
    }
    return S_OK;
  }
  try {
    switch (type) {
      case VarType::kEmpty:
        return S_OK;
      case VarType::kBool:
        if (auto* i = std::get_if<std::int32_t>(&m_value))
          out = *i != 0;
        else if (auto* d = std::get_if<double>(&m_value))
          out = *d != 0.0;
        else if (IsEmpty())
          out = false;
        else if (auto* s = std::get_if<std::string>(&m_value)) {
          const auto text = detail::TrimBlanks(*s);
          double number = 0;
          if (detail::EqualsAsciiNoCase(text, "true"))
            out = true;
          else if (detail::EqualsAsciiNoCase(text, "false"))
            out = false;
          else if (HRESULT hr = detail::ParseNumber(text, number); Failed(hr))
            return hr;
          else
            out = number != 0.0;
        } else
          return DISP_E_TYPEMISMATCH;
        return S_OK;
      case VarType::kI4: {
        std::int32_t value = 0;
        if (auto* b = std::get_if<bool>(&m_value))
          value = *b ? -1 : 0;
        else if (auto* d = std::get_if<double>(&m_value)) {
          if (HRESULT hr = detail::DoubleToInt(*d, value); Failed(hr)) return hr;
        } else if (auto* s = std::get_if<std::string>(&m_value)) {
          double number = 0;
          if (HRESULT hr = detail::ParseNumber(*s, number); Failed(hr)) return hr;
          if (HRESULT hr = detail::DoubleToInt(number, value); Failed(hr)) return hr;
        } else if (!IsEmpty())
          return DISP_E_TYPEMISMATCH;
        out = value;
        return S_OK;
      }
      case VarType::kR8: {
        double value = 0;
        if (auto* b = std::get_if<bool>(&m_value))
          value = *b ? -1.0 : 0.0;
        else if (auto* i = std::get_if<std::int32_t>(&m_value))
          value = *i;
        else if (auto* s = std::get_if<std::string>(&m_value)) {
          if (HRESULT hr = detail::ParseNumber(*s, value); Failed(hr)) return hr;
        } else if (!IsEmpty())
          return DISP_E_TYPEMISMATCH;
        out = value;
        return S_OK;
      }
      case VarType::kBstr:
        if (auto* b = std::get_if<bool>(&m_value))
          out = *b ? "True" : "False";
        else if (auto* i = std::get_if<std::int32_t>(&m_value))
          out = std::to_string(*i);
        else if (auto* d = std::get_if<double>(&m_value))
          out = detail::DoubleToText(*d);
        else if (IsEmpty())
          out = std::string();
        else
          return DISP_E_TYPEMISMATCH;
        return S_OK;
      case VarType::kDispatch:
        if (auto* u = std::get_if<RefPtr<IUnknown>>(&m_value)) {
          RefPtr<IDispatch> dispatch = u->As<IDispatch>(IID_IDispatch);
          if (!dispatch && *u) return DISP_E_TYPEMISMATCH;
          out = std::move(dispatch);
          return S_OK;
        }
        return DISP_E_TYPEMISMATCH;
      case VarType::kUnknown:
        if (auto* p = std::get_if<RefPtr<IDispatch>>(&m_value)) {
          out = RefPtr<IUnknown>(*p);
          return S_OK;
        }
        return DISP_E_TYPEMISMATCH;
    }
  } catch (...) {
    out = Variant();
    return E_OUTOFMEMORY;
  }
  return DISP_E_TYPEMISMATCH;
}

Variant Variant::ConvertedOrThrow(VarType type) const {
  Variant out;
  if (HRESULT hr = ChangeType(type, out); Failed(hr)) {
    std::string message = HResultText(hr);
    if (hr == DISP_E_TYPEMISMATCH || hr == DISP_E_OVERFLOW)
      message +=
          " (" + std::string(VarTypeName(Type())) + " to " + std::string(VarTypeName(type)) + ")";
    throw AutomationError(message, hr);
  }
  return out;
}

bool Variant::ToBool() const {
  if (auto* b = std::get_if<bool>(&m_value)) return *b;
  return std::get<bool>(ConvertedOrThrow(VarType::kBool).m_value);
}

std::int32_t Variant::ToInt() const {
  if (auto* i = std::get_if<std::int32_t>(&m_value)) return *i;
  return std::get<std::int32_t>(ConvertedOrThrow(VarType::kI4).m_value);
}

double Variant::ToDouble() const {
  return std::get<double>(ConvertedOrThrow(VarType::kR8).m_value);
}

std::string Variant::ToString() const& {
  if (auto* s = std::get_if<std::string>(&m_value)) return *s;
  return std::get<std::string>(ConvertedOrThrow(VarType::kBstr).m_value);
}

std::string Variant::ToString() && {
  if (auto* s = std::get_if<std::string>(&m_value)) return std::move(*s);
  return std::get<std::string>(ConvertedOrThrow(VarType::kBstr).m_value);
}

IDispatch* Variant::DispatchPointer() const noexcept {
  if (auto* d = std::get_if<RefPtr<IDispatch>>(&m_value)) return d->get();
  return nullptr;
}

RefPtr<IDispatch> Variant::ToDispatch() const {
  if (auto* d = std::get_if<RefPtr<IDispatch>>(&m_value)) return *d;
  return std::get<RefPtr<IDispatch>>(ConvertedOrThrow(VarType::kDispatch).m_value);
}

RefPtr<IUnknown> Variant::ToUnknown() const {
  return std::get<RefPtr<IUnknown>>(ConvertedOrThrow(VarType::kUnknown).m_value);
}

}  // namespace flexel::automation
