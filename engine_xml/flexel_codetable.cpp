#include "engine_xml/flexel_codetable.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace flexel {

std::string_view TCodeRecord::Source() const noexcept {
  const std::string_view all = text;
  return all.substr(0, all.find('>'));
}

std::string_view TCodeRecord::Target() const noexcept {
  const std::string_view all = text;
  const auto gt = all.find('>');
  return gt == std::string_view::npos ? std::string_view() : all.substr(gt + 1);
}

std::string TCodeRecord::Format() const {
  char number3[16];
  std::snprintf(number3, sizeof number3, "!%.3d", number);
  return std::to_string(tense) + letter + number3 + "[" + mask + "]{" + text + "}/";
}

void TCodeTable::Clear() noexcept {
  m_patterns.clear();
  m_runOrder.clear();
  m_patternCount = 0;
  m_maxNumber = 0;
}

void TCodeTable::Index(Pattern& pattern, std::size_t position) {
  const TCodeRecord& record = pattern.records[position];
  // Lookup finds the first record with a key; later duplicates are never reached.
  pattern.firstByKey.try_emplace(std::make_tuple(record.tense, record.letter, record.number),
                                 position);
}

void TCodeTable::MentionPattern(int pattern) noexcept {
  if (pattern >= m_patternCount) m_patternCount = pattern + 1;
}

void TCodeTable::RaiseMaxNumber(int number) noexcept {
  m_runOrder.clear();
  if (number > m_maxNumber) m_maxNumber = number;
}

void TCodeTable::Append(int pattern, TCodeRecord record) {
  m_runOrder.clear();
  MentionPattern(pattern);
  Pattern& entry = m_patterns[pattern];
  entry.records.push_back(std::move(record));
  Index(entry, entry.records.size() - 1);
}

const TCodeRecord* TCodeTable::Find(int pattern, int tense, char letter, int number) const {
  const auto found = m_patterns.find(pattern);
  if (found == m_patterns.end()) return nullptr;
  const auto at = found->second.firstByKey.find(std::make_tuple(tense, letter, number));
  if (at == found->second.firstByKey.end()) return nullptr;
  return &found->second.records[at->second];
}

std::vector<const TCodeRecord*> TCodeTable::TenseRecords(int pattern, int tense,
                                                         std::string_view letters) const {
  std::vector<const TCodeRecord*> result;
  const auto found = m_patterns.find(pattern);
  if (found == m_patterns.end()) return result;
  const auto& byKey = found->second.firstByKey;
  std::vector<std::pair<std::pair<int, std::size_t>, std::size_t>> ordered;
  for (auto at = byKey.lower_bound(std::make_tuple(tense, std::numeric_limits<char>::min(),
                                                   std::numeric_limits<int>::min()));
       at != byKey.end() && std::get<0>(at->first) == tense; ++at) {
    const int number = std::get<2>(at->first);
    const std::size_t rank = letters.find(std::get<1>(at->first));
    if (number < 1 || number > m_maxNumber || rank == std::string_view::npos) continue;
    ordered.push_back({{number, rank}, at->second});
  }
  std::sort(ordered.begin(), ordered.end());
  result.reserve(ordered.size());
  for (const auto& entry : ordered) result.push_back(&found->second.records[entry.second]);
  return result;
}

const std::vector<const TCodeRecord*>& TCodeTable::RunOrder(int pattern, int tense) const {
  const auto key = std::make_pair(pattern, tense);
  auto found = m_runOrder.find(key);
  if (found == m_runOrder.end()) {
    found = m_runOrder.emplace(key, TenseRecords(pattern, tense, "ARCT")).first;
  }
  return found->second;
}

const std::vector<TCodeRecord>& TCodeTable::Records(int pattern) const {
  static const std::vector<TCodeRecord> kNone;
  const auto found = m_patterns.find(pattern);
  return found == m_patterns.end() ? kNone : found->second.records;
}

std::string TCodeTable::Text(int pattern) const {
  std::string text;
  for (const TCodeRecord& record : Records(pattern)) text += record.Format();
  return text;
}

void TCodeTable::Inherit(int child, int parent, char mode, const std::vector<int>& tenseIds) {
  if (mode != 'A' && mode != 'C') return;
  m_runOrder.clear();
  static constexpr char kOrder[] = {'T', 'C', 'A', 'R'};
  auto findAny = [this](int pattern, int tense, int number) -> const TCodeRecord* {
    for (char letter : kOrder) {
      if (const TCodeRecord* r = Find(pattern, tense, letter, number)) return r;
    }
    return nullptr;
  };
  // Merged records keep source and target apart; a transducer keeps its pattern only.
  auto merged = [](const TCodeRecord& r, int number) {
    TCodeRecord copy = r;
    copy.number = number;
    copy.text = r.letter == 'T' ? std::string(r.Source())
                                : std::string(r.Source()) + ">" + std::string(r.Target());
    return copy;
  };

  std::map<int, std::vector<TCodeRecord>> result;
  const int limit = m_maxNumber;
  int largest = 0;
  for (int tense : tenseIds) {
    std::vector<TCodeRecord>& out = result[tense];
    int j = static_cast<int>(out.size());
    for (int n = 1; n <= limit; ++n) {
      const TCodeRecord* r = findAny(parent, tense, n);
      if (r == nullptr) break;
      out.push_back(merged(*r, ++j));
    }
    for (int n = 1; n <= limit; ++n) {
      const TCodeRecord* r = findAny(child, tense, n);
      if (r == nullptr) continue;
      if (mode == 'C' && r->letter == 'C') {
        out.clear();
        j = 0;
      }
      out.push_back(merged(*r, ++j));
    }
    if (j > largest) largest = j;
  }

  Pattern entry;
  for (auto& [tense, records] : result) {
    for (TCodeRecord& r : records) {
      entry.records.push_back(std::move(r));
      Index(entry, entry.records.size() - 1);
    }
  }
  MentionPattern(child);
  m_patterns[child] = std::move(entry);
  RaiseMaxNumber(largest);
}

}  // namespace flexel
