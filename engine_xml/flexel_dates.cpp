#include "engine_xml/flexel_dates.h"

#include <chrono>
#include <ctime>

namespace flexel {
namespace detail {

// Digits only, 1..maxDigits of them.
std::optional<int> ParseDatePart(std::string_view part, std::size_t maxDigits) {
  if (part.empty() || part.size() > maxDigits) return std::nullopt;
  int value = 0;
  for (char c : part) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace detail

std::optional<TDate> ParseDate(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  const auto dot1 = text.find('.');
  if (dot1 == std::string_view::npos) return std::nullopt;
  const auto dot2 = text.find('.', dot1 + 1);
  if (dot2 == std::string_view::npos) return std::nullopt;
  const auto day = detail::ParseDatePart(text.substr(0, dot1), 2);
  const auto month = detail::ParseDatePart(text.substr(dot1 + 1, dot2 - dot1 - 1), 2);
  const auto yearText = text.substr(dot2 + 1);
  auto year = detail::ParseDatePart(yearText, 4);
  if (!day || !month || !year) return std::nullopt;
  if (yearText.size() <= 2) *year += *year < 50 ? 2000 : 1900;
  const std::chrono::year_month_day ymd{std::chrono::year(*year),
                                        std::chrono::month(static_cast<unsigned>(*month)),
                                        std::chrono::day(static_cast<unsigned>(*day))};
  if (!ymd.ok() || *year < 1) return std::nullopt;
  return TDate{*year, *month, *day};
}

std::string FormatDate(const TDate& date) {
  return std::to_string(date.day) + "." + std::to_string(date.month) + "." +
         std::to_string(date.year);
}

double OleDate(const TDate& date) {
  using namespace std::chrono;
  const sys_days day = year_month_day{year(date.year), month(static_cast<unsigned>(date.month)),
                                      std::chrono::day(static_cast<unsigned>(date.day))};
  const sys_days epoch = year_month_day{year(1899), month(12), std::chrono::day(30)};
  return static_cast<double>((day - epoch).count());
}

TDate Today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return TDate{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

}  // namespace flexel
