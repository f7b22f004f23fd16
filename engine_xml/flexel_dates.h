#pragma once
// Dates of language files: written day.month.year ("d.M.yyyy", leading zeros optional) and
// handed to clients as OLE dates (days since 30 December 1899).

#include <optional>
#include <string>
#include <string_view>

namespace flexel {

struct TDate {
  int year = 0;
  int month = 0;
  int day = 0;
  [[nodiscard]] bool operator==(const TDate&) const noexcept = default;
};

// nullopt unless the text is day.month.year of a real calendar day. A year of one or two
// digits is taken as 2000-2049 below 50 and 1950-1999 otherwise.
[[nodiscard]] std::optional<TDate> ParseDate(std::string_view text);
// "d.m.yyyy" without leading zeros.
[[nodiscard]] std::string FormatDate(const TDate& date);
[[nodiscard]] double OleDate(const TDate& date);
// The local calendar day.
[[nodiscard]] TDate Today();

}  // namespace flexel
