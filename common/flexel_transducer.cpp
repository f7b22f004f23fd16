#include "common/flexel_transducer.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <limits>
#include <map>
#include <unordered_map>
#include <utility>

#include "platform/nls/nls.h"

namespace flexel {

namespace detail {

namespace {

constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();
// Prepared patterns kept per transducer; rule files repeat the same few patterns for every word.
constexpr std::size_t kPatternCacheLimit = 1024;

// What the matcher needs to know at a position without looking ahead again: where the next
// "]", ")" and ":" stand, and for a "[" whose "]" is in the same text, which group it names.
struct PositionInfo {
  std::uint32_t nextBracket = kNone;
  std::uint32_t nextParen = kNone;
  std::uint32_t nextColon = kNone;
  std::int32_t group = -1;
  bool rewriteGroup = false;
};

// One piece of pattern text (a pattern, an alternative, a group member) with its position table.
struct PatternText {
  std::u32string text;
  std::vector<PositionInfo> info;  // text.size() + 1 entries
};

using GroupIndex = std::map<std::u32string, std::int32_t, std::less<>>;

struct GroupRef {
  std::int32_t group = -1;
  bool rewriteGroup = false;
};

// Reading of a reference R (the text between "[" and "]"): "(G)..." names rewrite group G,
// anything else names plain group R.
GroupRef ResolveReference(std::u32string_view reference, const GroupIndex& groups) {
  GroupRef ref;
  std::u32string_view name = reference;
  if (!reference.empty() && reference.front() == U'(') {
    const std::size_t close = reference.find(U')');
    if (close != std::u32string_view::npos) {
      ref.rewriteGroup = true;
      name = reference.substr(1, close - 1);
    }
  }
  const auto it = groups.find(name);
  if (it != groups.end()) {
    ref.group = it->second;
  }
  return ref;
}

void Prepare(PatternText& pattern, const GroupIndex& groups) {
  const std::u32string& text = pattern.text;
  const std::size_t n = text.size();
  pattern.info.assign(n + 1, PositionInfo{});
  for (std::size_t i = n; i-- > 0;) {
    PositionInfo& at = pattern.info[i];
    at = pattern.info[i + 1];
    at.group = -1;
    at.rewriteGroup = false;
    const auto index = static_cast<std::uint32_t>(i);
    switch (text[i]) {
      case U']':
        at.nextBracket = index;
        break;
      case U')':
        at.nextParen = index;
        break;
      case U':':
        at.nextColon = index;
        break;
      default:
        break;
    }
  }
  for (std::size_t i = 0; i < n; ++i) {
    if (text[i] != U'[') {
      continue;
    }
    const std::uint32_t close = pattern.info[i + 1].nextBracket;
    if (close == kNone) {
      continue;
    }
    const GroupRef ref =
        ResolveReference(std::u32string_view(text).substr(i + 1, close - i - 1), groups);
    pattern.info[i].group = ref.group;
    pattern.info[i].rewriteGroup = ref.rewriteGroup;
  }
}

PatternText MakePattern(std::u32string text, const GroupIndex& groups) {
  PatternText pattern;
  pattern.text = std::move(text);
  Prepare(pattern, groups);
  return pattern;
}

// The remaining pattern is a chain of segments: the text being matched now, followed by what
// stood after it when it was spliced in (a group member, a rewrite source). Segments live in the
// matcher's stack frames, so splicing copies no text.
struct Segment {
  const PatternText* text;
  std::uint32_t pos;
  std::uint32_t end;
  const Segment* next;
};

void Normalize(Segment& segment) {
  while (segment.pos == segment.end && segment.next != nullptr) {
    segment = *segment.next;
  }
}

struct Location {
  const Segment* segment = nullptr;
  std::uint32_t index = 0;
};

enum class Closer { kBracket, kParen };

// The first closer after the head of the pattern, across segments.
Location FindCloser(const Segment& head, Closer closer) {
  const Segment* segment = &head;
  std::uint32_t from = head.pos + 1;
  while (segment != nullptr) {
    if (from < segment->end) {
      const PositionInfo& at = segment->text->info[from];
      const std::uint32_t found = closer == Closer::kBracket ? at.nextBracket : at.nextParen;
      if (found < segment->end) {
        return {segment, found};
      }
    }
    segment = segment->next;
    if (segment != nullptr) {
      from = segment->pos;
    }
  }
  return {};
}

// Pattern text between two locations of one chain.
struct Span {
  const PatternText* text = nullptr;
  std::uint32_t begin = 0;
  std::uint32_t end = 0;
};

bool IsPlain(char32_t c) { return c != U'[' && c != U'(' && c != U'*' && c != U'?'; }

// The letter the input must begin with for the pattern at `head` to match, where that is plain
// to see: a literal, or a rewrite whose source begins with a literal.
bool FirstLetter(const Segment& head, char32_t& letter) {
  const std::u32string& text = head.text->text;
  const char32_t c = text[head.pos];
  if (IsPlain(c)) {
    letter = c;
    return true;
  }
  if (c == U'(' && head.pos + 1 < head.end) {
    const std::uint32_t close = head.text->info[head.pos + 1].nextParen;
    const char32_t first = text[head.pos + 1];
    if (close < head.end && close > head.pos + 1 && first != U':' && IsPlain(first)) {
      letter = first;
      return true;
    }
  }
  return false;
}

}  // namespace

class TransducerMachine {
 public:
  void SetGroups(const std::vector<std::string>& lines);
  [[nodiscard]] std::int32_t FindGroupLine(std::string_view name) const;

  [[nodiscard]] bool Run(const std::vector<PatternText>& alternatives, std::string_view input,
                         std::size_t budget, std::string& output, bool& exhausted);
  [[nodiscard]] const std::vector<PatternText>& Prepared(std::string_view patterns,
                                                         bool alternatives);

 private:
  struct Group {
    std::vector<PatternText> members;
  };
  struct StringHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const noexcept {
      return std::hash<std::string_view>{}(text);
    }
  };
  using Cache =
      std::unordered_map<std::string, std::vector<PatternText>, StringHash, std::equal_to<>>;

  [[nodiscard]] bool Step(Segment pattern, std::size_t at, std::uint32_t skip, std::size_t depth);
  [[nodiscard]] bool GroupStep(const Segment& head, Location close, std::size_t at,
                               std::uint32_t skip, std::size_t depth);
  [[nodiscard]] bool RewriteStep(const Segment& head, Location close, std::size_t at,
                                 std::size_t depth);
  // The rewrite "(" + inner + ")" followed by rest.
  [[nodiscard]] bool Rewrite(Span inner, const Segment& rest, std::size_t at, std::size_t depth);
  [[nodiscard]] bool StarStep(const Segment& head, std::size_t at, std::uint32_t skip,
                              std::size_t depth);
  // Text copied across segments is paid for in steps, so the budget bounds the work and not
  // only the branches: a long bracket reopened on every step would otherwise run for minutes.
  [[nodiscard]] Span Extract(const Segment& head, Location close,
                             std::unique_ptr<PatternText>& scratch);
  [[nodiscard]] bool OutOfSteps() {
    if (m_exhausted || ++m_steps > m_budget) {
      m_exhausted = true;
    }
    return m_exhausted;
  }

  GroupIndex m_groupIndex;      // group name (id without its brackets) -> first line with that id
  std::vector<Group> m_groups;  // per line
  Cache m_matchCache;
  Cache m_alternativesCache;
  PatternText m_openParen;
  PatternText m_closeParen;

  // State of one call.
  std::string m_inputText;  // m_input as given
  std::u32string m_input;
  std::u32string m_output;
  std::size_t m_steps = 0;
  std::size_t m_budget = 0;
  bool m_exhausted = false;
};

void TransducerMachine::SetGroups(const std::vector<std::string>& lines) {
  m_groupIndex.clear();
  m_groups.assign(lines.size(), Group{});
  m_matchCache.clear();
  m_alternativesCache.clear();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    const std::size_t tab = line.find('\t');
    const std::u32string id = nls::ToUtf32(line.substr(0, tab));
    if (id.size() >= 2 && id.front() == U'[' && id.back() == U']') {
      m_groupIndex.emplace(id.substr(1, id.size() - 2), static_cast<std::int32_t>(i));
    }
  }
  // Members may refer to other groups, so they are prepared once every name is known.
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos) {
      continue;
    }
    const std::u32string members = nls::ToUtf32(line.substr(tab + 1));
    std::size_t start = 0;
    while (start < members.size()) {
      const std::size_t comma = std::min(members.find(U',', start), members.size());
      if (comma == start) {
        break;  // an empty member ends the list
      }
      m_groups[i].members.push_back(
          MakePattern(members.substr(start, comma - start), m_groupIndex));
      start = comma + 1;
    }
  }
  m_openParen = MakePattern(U"(", m_groupIndex);
  m_closeParen = MakePattern(U")", m_groupIndex);
}

std::int32_t TransducerMachine::FindGroupLine(std::string_view name) const {
  const auto it = m_groupIndex.find(nls::ToUtf32(name));
  return it == m_groupIndex.end() ? -1 : it->second;
}

const std::vector<PatternText>& TransducerMachine::Prepared(std::string_view patterns,
                                                            bool alternatives) {
  Cache& cache = alternatives ? m_alternativesCache : m_matchCache;
  const auto found = cache.find(patterns);
  if (found != cache.end()) {
    return found->second;
  }
  if (cache.size() >= kPatternCacheLimit) {
    cache.clear();
  }
  std::vector<PatternText> prepared;
  if (!alternatives) {
    prepared.push_back(MakePattern(nls::ToUtf32(patterns), m_groupIndex));
  } else {
    std::size_t start = 0;
    for (;;) {
      const std::size_t bar = patterns.find('|', start);
      const std::string_view alternative = patterns.substr(start, bar - start);
      // The first alternative is always tried; an empty one after it ends the list.
      if (alternative.empty() && !prepared.empty()) {
        break;
      }
      prepared.push_back(MakePattern(nls::ToUtf32(alternative), m_groupIndex));
      if (bar == std::string_view::npos) {
        break;
      }
      start = bar + 1;
    }
  }
  return cache.emplace(std::string(patterns), std::move(prepared)).first->second;
}

bool TransducerMachine::Run(const std::vector<PatternText>& alternatives, std::string_view input,
                            std::size_t budget, std::string& output, bool& exhausted) {
  // Check rules and transducer records match one word many times over.
  if (input != m_inputText) {
    m_input.clear();
    nls::AppendUtf32(input, m_input);
    m_inputText.assign(input);
  }
  m_steps = 0;
  m_budget = budget;
  m_exhausted = false;
  output.clear();
  bool matched = false;
  for (const PatternText& pattern : alternatives) {
    m_output.clear();
    const Segment start{&pattern, 0, static_cast<std::uint32_t>(pattern.text.size()), nullptr};
    if (Step(start, 0, 0, 0)) {
      matched = true;
      break;
    }
    if (m_exhausted) {
      break;
    }
  }
  exhausted = m_exhausted;
  if (matched) {
    nls::AppendUtf8(m_output, output);
  }
  return matched;
}

// Matches the pattern chain from `pattern` against the input from `at`. Literals and "?" are
// taken in a loop; "*", groups and rewrites branch by recursion. A failed call leaves the
// output as it found it.
bool TransducerMachine::Step(Segment pattern, std::size_t at, std::uint32_t skip,
                             std::size_t depth) {
  const std::size_t saved = m_output.size();
  if (depth > TTransducer::kMaxDepth) {
    m_exhausted = true;
    return false;
  }
  for (;;) {
    if (OutOfSteps()) {
      break;
    }
    Normalize(pattern);
    if (pattern.pos == pattern.end) {
      if (at == m_input.size()) {
        return true;
      }
      break;
    }
    const char32_t c = pattern.text->text[pattern.pos];
    if (c == U'[') {
      const Location close = FindCloser(pattern, Closer::kBracket);
      if (close.segment != nullptr) {
        if (GroupStep(pattern, close, at, skip, depth)) {
          return true;
        }
        break;
      }
    } else if (c == U'(') {
      const Location close = FindCloser(pattern, Closer::kParen);
      if (close.segment != nullptr) {
        if (RewriteStep(pattern, close, at, depth)) {
          return true;
        }
        break;
      }
    } else if (c == U'*') {
      if (StarStep(pattern, at, skip, depth)) {
        return true;
      }
      break;
    } else if (c == U'?') {
      if (at < m_input.size()) {
        m_output.push_back(m_input[at]);
        ++at;
      }
      ++pattern.pos;
      continue;
    }
    // A literal, or a "[" or "(" that nothing closes.
    if (at == m_input.size() || m_input[at] != c) {
      break;
    }
    if (skip > 0) {
      --skip;
    } else {
      m_output.push_back(c);
    }
    ++at;
    ++pattern.pos;
  }
  m_output.resize(saved);
  return false;
}

Span TransducerMachine::Extract(const Segment& head, Location close,
                                std::unique_ptr<PatternText>& scratch) {
  Span pieces[2];
  int count = 0;
  const Segment* segment = &head;
  std::uint32_t begin = head.pos + 1;
  for (;;) {
    const std::uint32_t end = segment == close.segment ? close.index : segment->end;
    if (end > begin) {
      if (count < 2) {
        pieces[count] = Span{segment->text, begin, end};
      }
      ++count;
    }
    if (segment == close.segment) {
      break;
    }
    segment = segment->next;
    begin = segment->pos;
  }
  if (count == 0) {
    return Span{&m_openParen, 0, 0};
  }
  if (count == 1) {
    return pieces[0];
  }
  // Text that spans segments (a bracket opened in a member and closed after it) is copied.
  std::u32string text;
  segment = &head;
  begin = head.pos + 1;
  for (;;) {
    const std::uint32_t end = segment == close.segment ? close.index : segment->end;
    if (end > begin) {
      text.append(segment->text->text, begin, end - begin);
    }
    if (segment == close.segment) {
      break;
    }
    segment = segment->next;
    begin = segment->pos;
  }
  m_steps += text.size();
  if (m_steps > m_budget) m_exhausted = true;
  scratch = std::make_unique<PatternText>(MakePattern(std::move(text), m_groupIndex));
  return Span{scratch.get(), 0, static_cast<std::uint32_t>(scratch->text.size())};
}

bool TransducerMachine::GroupStep(const Segment& head, Location close, std::size_t at,
                                  std::uint32_t skip, std::size_t depth) {
  GroupRef ref;
  if (close.segment == &head) {
    const PositionInfo& info = head.text->info[head.pos];
    ref = GroupRef{info.group, info.rewriteGroup};
  } else {
    std::unique_ptr<PatternText> scratch;
    const Span reference = Extract(head, close, scratch);
    ref = ResolveReference(std::u32string_view(reference.text->text)
                               .substr(reference.begin, reference.end - reference.begin),
                           m_groupIndex);
  }
  if (ref.group < 0) {
    return false;
  }
  const Segment rest{close.segment->text, close.index + 1, close.segment->end, close.segment->next};
  const std::size_t saved = m_output.size();
  for (const PatternText& member : m_groups[static_cast<std::size_t>(ref.group)].members) {
    m_output.resize(saved);
    const auto length = static_cast<std::uint32_t>(member.text.size());
    if (ref.rewriteGroup && member.info[0].nextParen == kNone) {
      // "(" + member + ")": the member is the whole rewrite.
      if (Rewrite(Span{&member, 0, length}, rest, at, depth)) {
        return true;
      }
    } else if (ref.rewriteGroup) {
      // A ")" inside the member ends the rewrite early; splice the text as it stands.
      const Segment closeParen{&m_closeParen, 0, 1, &rest};
      const Segment body{&member, 0, length, &closeParen};
      const Segment openParen{&m_openParen, 0, 1, &body};
      if (Step(openParen, at, skip, depth + 1)) {
        return true;
      }
    } else {
      const Segment body{&member, 0, length, &rest};
      if (Step(body, at, skip, depth + 1)) {
        return true;
      }
    }
    if (m_exhausted) {
      break;
    }
  }
  m_output.resize(saved);
  return false;
}

bool TransducerMachine::RewriteStep(const Segment& head, Location close, std::size_t at,
                                    std::size_t depth) {
  std::unique_ptr<PatternText> scratch;
  const Span inner = Extract(head, close, scratch);
  const Segment rest{close.segment->text, close.index + 1, close.segment->end, close.segment->next};
  return Rewrite(inner, rest, at, depth);
}

bool TransducerMachine::Rewrite(Span inner, const Segment& rest, std::size_t at,
                                std::size_t depth) {
  const std::vector<PositionInfo>& info = inner.text->info;
  std::uint32_t sourceEnd = inner.end;
  std::uint32_t targetBegin = inner.end;
  std::uint32_t targetEnd = inner.end;
  const std::uint32_t colon = info[inner.begin].nextColon;
  if (colon < inner.end) {
    sourceEnd = colon;
    targetBegin = colon + 1;
    targetEnd = std::min(info[targetBegin].nextColon, inner.end);
  }
  const std::size_t saved = m_output.size();
  m_output.append(inner.text->text, targetBegin, targetEnd - targetBegin);
  const Segment source{inner.text, inner.begin, sourceEnd, &rest};
  // The source's literals are matched silently; the target stands in their place.
  if (Step(source, at, sourceEnd - inner.begin, depth + 1)) {
    return true;
  }
  m_output.resize(saved);
  return false;
}

bool TransducerMachine::StarStep(const Segment& head, std::size_t at, std::uint32_t skip,
                                 std::size_t depth) {
  const std::size_t length = m_input.size();
  if (at == length) {
    return false;
  }
  Segment rest = head;
  ++rest.pos;
  Normalize(rest);
  if (rest.pos == rest.end) {
    // Nothing follows: only taking the whole rest of the input can succeed.
    m_output.append(m_input, at, length - at);
    return true;
  }
  // When what follows must begin with a known letter, only the lengths that put that letter
  // next can succeed.
  char32_t next = 0;
  const bool literalNext = FirstLetter(rest, next);
  const std::size_t saved = m_output.size();
  std::size_t taken = 0;  // the output is saved + input[at, at + taken)
  for (std::size_t n = 1; at + n <= length; ++n) {
    if (literalNext && (at + n == length || m_input[at + n] != next)) {
      continue;
    }
    m_output.append(m_input, at + taken, n - taken);
    taken = n;
    if (Step(rest, at + n, skip, depth + 1)) {
      return true;
    }
    if (m_exhausted) {
      break;
    }
  }
  m_output.resize(saved);
  return false;
}

}  // namespace detail

TTransducer::TTransducer() : m_machine(std::make_unique<detail::TransducerMachine>()) {
  m_machine->SetGroups(m_groups);
}

TTransducer::~TTransducer() = default;

TTransducer::TTransducer(const TTransducer& other)
    : m_groups(other.m_groups),
      m_stepBudget(other.m_stepBudget),
      m_budgetExhausted(other.m_budgetExhausted),
      m_machine(std::make_unique<detail::TransducerMachine>()) {
  m_machine->SetGroups(m_groups);
}

TTransducer& TTransducer::operator=(const TTransducer& other) {
  if (this != &other) {
    TTransducer copy(other);
    *this = std::move(copy);
  }
  return *this;
}

TTransducer::TTransducer(TTransducer&& other) noexcept = default;
TTransducer& TTransducer::operator=(TTransducer&& other) noexcept = default;

void TTransducer::SetGroups(std::vector<std::string> lines) {
  if (!m_machine) {
    m_machine = std::make_unique<detail::TransducerMachine>();
  }
  m_machine->SetGroups(lines);
  m_groups = std::move(lines);
}

bool TTransducer::FindGroup(std::string_view name, std::string& members) const {
  members.clear();
  const std::int32_t line = m_machine ? m_machine->FindGroupLine(name) : -1;
  if (line < 0) {
    return false;
  }
  const std::string& text = m_groups[static_cast<std::size_t>(line)];
  const std::size_t tab = text.find('\t');
  if (tab != std::string::npos) {
    members = text.substr(tab + 1);
  }
  return true;
}

bool TTransducer::Match(std::string_view pattern, std::string_view input, std::string& output) {
  // A pattern that starts with a plain letter fails at once on a word that starts otherwise;
  // check rules are tried against every word in turn, and most fail so.
  if (m_stepBudget > 0 && !pattern.empty()) {
    const auto first = static_cast<unsigned char>(pattern.front());
    if (first < 0x80 && first != '[' && first != '(' && first != '*' && first != '?' &&
        (input.empty() ||
         (static_cast<unsigned char>(input.front()) < 0x80 && input.front() != pattern.front()))) {
      output.clear();
      m_budgetExhausted = false;
      return false;
    }
  }
  if (!m_machine) {
    SetGroups(std::move(m_groups));
  }
  return m_machine->Run(m_machine->Prepared(pattern, false), input, m_stepBudget, output,
                        m_budgetExhausted);
}

bool TTransducer::MatchAlternatives(std::string_view patterns, std::string_view input,
                                    std::string& output) {
  if (!m_machine) {
    SetGroups(std::move(m_groups));
  }
  return m_machine->Run(m_machine->Prepared(patterns, true), input, m_stepBudget, output,
                        m_budgetExhausted);
}

}  // namespace flexel
