#pragma once
// JSON text appended to a string, for output written one record per line. Strings are escaped
// for any input: text that is not valid UTF-8 is read as the old 8-bit code page, as the rest
// of the system reads such text, so the output is always valid JSON.

#include <cstdint>
#include <string>
#include <string_view>

namespace flexel::cli {

// "text" with quotes, backslashes and control characters escaped.
void AppendJsonString(std::string& out, std::string_view text);
void AppendJsonInt(std::string& out, std::int64_t value);
// The shortest text that reads back as the same double; null for NaN and infinities.
void AppendJsonDouble(std::string& out, double value);
inline void AppendJsonBool(std::string& out, bool value) { out += value ? "true" : "false"; }

}  // namespace flexel::cli
