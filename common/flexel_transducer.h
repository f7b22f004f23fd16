#pragma once
// TTransducer matches a word against the rule pattern language (literals, "?", "*", rewrites
// "(source:target)", group references "[G]" and rewrite-group references "[(G)]") and writes
// the output while matching. It is the one mechanism behind check rules, transducer code records
// and the native-script converter. Characters are code points.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace flexel {

namespace detail {
class TransducerMachine;
}

class TTransducer {
 public:
  // Matching is a backtracking search; a hostile pattern must end, so each call has a budget.
  static constexpr std::size_t kDefaultStepBudget = 1'000'000;
  // Branches (group members, rewrites, "*") nested on one search path. A group that refers to
  // itself would otherwise recurse without consuming input until the stack overflows.
  static constexpr std::size_t kMaxDepth = 500;

  TTransducer();
  ~TTransducer();
  TTransducer(const TTransducer& other);
  TTransducer& operator=(const TTransducer& other);
  TTransducer(TTransducer&& other) noexcept;
  TTransducer& operator=(TTransducer&& other) noexcept;

  // Lines "ID<TAB>MEMBERS", the id with its brackets ("[V]"), members separated by ",".
  void SetGroups(std::vector<std::string> lines);
  [[nodiscard]] const std::vector<std::string>& Groups() const noexcept { return m_groups; }
  // The members text of the first line whose id is "[" + name + "]".
  [[nodiscard]] bool FindGroup(std::string_view name, std::string& members) const;

  // On failure the output is empty.
  [[nodiscard]] bool Match(std::string_view pattern, std::string_view input, std::string& output);
  // Alternatives separated by "|", tried in order up to the first empty one (the first
  // alternative is always tried). One step budget covers the whole call.
  [[nodiscard]] bool MatchAlternatives(std::string_view patterns, std::string_view input,
                                       std::string& output);

  void SetStepBudget(std::size_t steps) noexcept { m_stepBudget = steps; }
  [[nodiscard]] std::size_t StepBudget() const noexcept { return m_stepBudget; }
  // True when the last Match or MatchAlternatives failed because the step budget ran out or
  // the search nested deeper than kMaxDepth.
  [[nodiscard]] bool BudgetExhausted() const noexcept { return m_budgetExhausted; }

 private:
  std::vector<std::string> m_groups;
  std::size_t m_stepBudget = kDefaultStepBudget;
  bool m_budgetExhausted = false;
  // Prepared groups, the cache of prepared patterns and the buffers reused between calls.
  std::unique_ptr<detail::TransducerMachine> m_machine;
};

}  // namespace flexel
