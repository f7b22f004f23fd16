// The transducer on hostile rules: the input is "groups\x01pattern\x01word", groups one per line
// ("[id]<TAB>members"). Every call must end within its step budget and never crash.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/flexel_transducer.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input = flexel::fuzz::AsText(data, size);
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= input.size(); ++i) {
    if (i == input.size() || input[i] == '\x01') {
      parts.push_back(input.substr(start, i - start));
      start = i + 1;
    }
  }
  while (parts.size() < 3) parts.insert(parts.begin(), std::string_view());
  std::vector<std::string> groups;
  start = 0;
  const std::string_view groupText = parts[0];
  for (std::size_t i = 0; i <= groupText.size(); ++i) {
    if (i == groupText.size() || groupText[i] == '\n') {
      if (i > start) groups.emplace_back(groupText.substr(start, i - start));
      start = i + 1;
    }
  }
  flexel::TTransducer transducer;
  transducer.SetGroups(groups);
  transducer.SetStepBudget(20'000);
  std::string output;
  (void)transducer.Match(parts[1], parts[2], output);
  (void)transducer.MatchAlternatives(parts[1], parts[2], output);
  // The prepared-pattern cache must give the same answer the second time.
  std::string again;
  const bool first = transducer.Match(parts[1], parts[2], output);
  const bool second = transducer.Match(parts[1], parts[2], again);
  if (first != second || output != again) __builtin_trap();
  return 0;
}
