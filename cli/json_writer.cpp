#include "cli/json_writer.h"

#include <charconv>
#include <cmath>

#include "platform/nls/nls.h"

namespace flexel::cli {

namespace {

void AppendEscaped(std::string& out, std::string_view text) {
  constexpr char kHex[] = "0123456789abcdef";
  std::size_t plain = 0;  // start of the run of characters copied as they are
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= 0x20 && c != '"' && c != '\\') {
      continue;
    }
    out.append(text, plain, i - plain);
    plain = i + 1;
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\b':
        out += "\\b";
        break;
      case '\f':
        out += "\\f";
        break;
      default:
        out += "\\u00";
        out += kHex[c >> 4];
        out += kHex[c & 0xF];
    }
  }
  out.append(text, plain, text.size() - plain);
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view text) {
  out += '"';
  if (nls::IsValidUtf8(text)) {
    AppendEscaped(out, text);
  } else {
    AppendEscaped(out, nls::DecodeLegacy(text));
  }
  out += '"';
}

void AppendJsonInt(std::string& out, std::int64_t value) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

void AppendJsonDouble(std::string& out, double value) {
  if (!std::isfinite(value)) {
    out += "null";
    return;
  }
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

}  // namespace flexel::cli
