#pragma once
// TTransducer matches a word against the rule pattern language (literals, "?", "*", rewrites
// "(source:target)", group references "[G]" and rewrite-group references "[(G)]") and writes
// the output while matching. It is the one mechanism behind check rules, transducer code records
// and the native-script converter. Characters are code points.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace flexel {

class TTransducer {
 public:
  // Matching is a backtracking search; a hostile pattern must end, so each call has a budget.
  static constexpr std::size_t kDefaultStepBudget = 1'000'000;

  // Lines "ID<TAB>MEMBERS", the id with its brackets ("[V]"), members separated by ",".
  void SetGroups(std::vector<std::string> lines);
  [[nodiscard]] bool FindGroup(std::string_view name, std::string& members) const;

  [[nodiscard]] bool Match(std::string_view pattern, std::string_view input, std::string& output);
  // Alternatives separated by "|", tried in order up to the first empty one.
  [[nodiscard]] bool MatchAlternatives(std::string_view patterns, std::string_view input,
                                       std::string& output);

  void SetStepBudget(std::size_t steps) noexcept { m_stepBudget = steps; }
  // True when the last Match or MatchAlternatives failed because the budget ran out.
  [[nodiscard]] bool BudgetExhausted() const noexcept { return m_budgetExhausted; }

 private:
  std::vector<std::string> m_groups;
  std::size_t m_stepBudget = kDefaultStepBudget;
  bool m_budgetExhausted = false;
};

}  // namespace flexel
