// Word lookup, check rules, variables, macro expansion and form computation of TXMLVerb.

#include <algorithm>
#include <optional>

#include "common/flexel_strings.h"
#include "engine_xml/flexel_xmlverb.h"
#include "platform/core/error.h"
#include "platform/expr/expr.h"

namespace flexel {

// Items of another group as cross references address them: (id, type) -> text, the last item
// in document order winning; or the conversion error that reading them raised.
struct TXMLVerb::CrossItems {
  std::map<std::pair<int, int>, std::string> texts;
  std::string error;
};

namespace detail {

std::size_t CodePointLength(unsigned char lead) noexcept {
  if (lead >= 0xF0 && lead < 0xF8) return 4;
  if (lead >= 0xE0) return lead < 0xF0 ? 3 : 1;
  if (lead >= 0xC0) return 2;
  return 1;
}

// Code point n (from 1) of text, empty when there is none.
std::string CodePointAt(const std::string& text, long long n) {
  if (n < 1) return {};
  std::size_t pos = 0;
  for (long long i = 1; pos < text.size(); ++i) {
    const std::size_t length =
        std::min(CodePointLength(static_cast<unsigned char>(text[pos])), text.size() - pos);
    if (i == n) return text.substr(pos, length);
    pos += length;
  }
  return {};
}

// Every occurrence of from replaced by to; a result beyond the form limit is refused before
// it is built.
void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  if (from.empty()) return;
  const std::size_t first = text.find(from);
  if (first == std::string::npos) return;
  if (to.size() == from.size()) {
    // In place: nothing moves.
    for (std::size_t at = first; at != std::string::npos; at = text.find(from, at + to.size())) {
      text.replace(at, from.size(), to);
    }
    return;
  }
  std::size_t count = 0;
  for (std::size_t at = first; at != std::string::npos; at = text.find(from, at + from.size())) {
    ++count;
  }
  if (to.size() > from.size() &&
      (to.size() - from.size()) >
          (TXMLVerb::kMaxFormLength - std::min(text.size(), TXMLVerb::kMaxFormLength)) / count) {
    throw Error("A form grows beyond " + std::to_string(TXMLVerb::kMaxFormLength) + " bytes");
  }
  std::string result;
  result.reserve(text.size() + count * to.size());
  std::size_t pos = 0;
  for (std::size_t at = first; at != std::string::npos;
       pos = at + from.size(), at = text.find(from, pos)) {
    result.append(text, pos, at - pos);
    result += to;
  }
  result.append(text, pos, std::string::npos);
  text = std::move(result);
}

// The texts most forms are made of use only "%root%" and "%tab%": one pass gives what the
// replacements one after the other give, as long as the root brings no "%" of its own and no
// "%root%" could be read across the end of a "%tab%". For anything else it gives nothing and
// the full expansion runs.
std::optional<std::string> ExpandRootAndTab(std::string_view text, std::string_view root) {
  constexpr std::string_view kRoot = "%root%";
  constexpr std::string_view kTab = "%tab%";
  if (root.find('%') != std::string_view::npos) return std::nullopt;
  std::string out;
  out.reserve(text.size() + root.size());
  std::size_t pos = 0;
  for (std::size_t at = text.find('%'); at != std::string_view::npos; at = text.find('%', pos)) {
    out.append(text, pos, at - pos);
    const std::string_view rest = text.substr(at);
    if (rest.starts_with(kRoot)) {
      out += root;
      pos = at + kRoot.size();
    } else if (rest.starts_with(kTab) && !rest.substr(kTab.size() - 1).starts_with(kRoot)) {
      out += '\t';
      pos = at + kTab.size();
    } else {
      return std::nullopt;
    }
    if (out.size() > TXMLVerb::kMaxFormLength) return std::nullopt;
  }
  out.append(text, pos, std::string_view::npos);
  if (out.size() > TXMLVerb::kMaxFormLength) return std::nullopt;
  return out;
}

bool SlotSelected(const std::string& mask, int slot) noexcept {
  if (mask.empty()) return true;
  return static_cast<std::size_t>(slot) <= mask.size() && mask[slot - 1] == '1';
}

void CheckLength(const std::string& text) {
  if (text.size() > TXMLVerb::kMaxFormLength) {
    throw Error("A form grows beyond " + std::to_string(TXMLVerb::kMaxFormLength) + " bytes");
  }
}

// The position of the ")" that closes the bracket opened just before `from`.
std::size_t MatchingBracket(const std::string& text, std::size_t from) {
  int depth = 0;
  for (std::size_t i = from; i < text.size(); ++i) {
    if (text[i] == '(') {
      ++depth;
    } else if (text[i] == ')') {
      if (depth == 0) return i;
      --depth;
    }
  }
  return std::string::npos;
}

// Splits at commas outside brackets.
std::vector<std::string> SplitArguments(const std::string& text) {
  std::vector<std::string> parts(1);
  int depth = 0;
  for (char c : text) {
    if (c == '(') ++depth;
    if (c == ')') --depth;
    if (c == ',' && depth == 0) {
      parts.emplace_back();
    } else {
      parts.back() += c;
    }
  }
  return parts;
}

}  // namespace detail

bool TXMLVerb::Match(const std::string& pattern, const std::string& input, std::string& output,
                     bool alternatives) {
  const bool ok = alternatives ? m_transducer.MatchAlternatives(pattern, input, output)
                               : m_transducer.Match(pattern, input, output);
  if (!ok && m_transducer.BudgetExhausted()) {
    throw Error("The pattern '" + pattern + "' needs too many steps to match '" + input + "'");
  }
  return ok;
}

void TXMLVerb::Assign(const std::string& assignments) {
  std::size_t pos = 0;
  while (pos <= assignments.size()) {
    std::size_t end = assignments.find('/', pos);
    if (end == std::string::npos) end = assignments.size();
    const std::string part = assignments.substr(pos, end - pos);
    if (!part.empty()) {
      const auto gt = part.find('>');
      if (gt == std::string::npos)
        m_variables[part] = "";
      else
        m_variables[part.substr(0, gt)] = part.substr(gt + 1);
    }
    pos = end + 1;
  }
}

std::string TXMLVerb::SubstituteVariables(std::string text) const {
  for (int round = 0;; ++round) {
    const auto hash = text.find('#');
    if (hash == std::string::npos) return text;
    if (round >= kMaxSubstitutionRounds) {
      throw Error("The variables in '" + text + "' do not resolve");
    }
    std::size_t length = 1;
    if (hash + 1 < text.size()) {
      length += std::min(detail::CodePointLength(static_cast<unsigned char>(text[hash + 1])),
                         text.size() - hash - 1);
    }
    const std::string name = text.substr(hash, length);
    const auto value = m_variables.find(name);
    detail::ReplaceAll(text, name, value == m_variables.end() ? std::string() : value->second);
    detail::CheckLength(text);
  }
}

void TXMLVerb::ApplyRule(const TCheckRule& rule, TVerbRecord& record, const std::string& output) {
  if (rule.resultType > 0) record.pattern = rule.resultType;
  if (rule.replace == "1") record.root = output;
  Assign(rule.setVariable);
}

void TXMLVerb::RunCheckRules(TVerbRecord& record) {
  const std::vector<TCheckRule>& rules = m_group->CheckRules();
  std::string output;
  const auto directive = record.checks2.find("check=");
  if (directive != std::string::npos) {
    // The item names its rule; private rules are reachable only this way.
    const std::size_t start = directive + 6;
    const std::size_t end = record.checks2.find('/', start);
    const std::string value =
        record.checks2.substr(start, end == std::string::npos ? std::string::npos : end - start);
    bool numeric = true;
    const int id = [&] {
      try {
        return StrToInt(value);
      } catch (const ConvertError&) {
        numeric = false;
        return 0;
      }
    }();
    if (!numeric) return;
    for (const TCheckRule& rule : rules) {
      if (rule.id != id) continue;
      if (Match(rule.text, record.root, output, false)) ApplyRule(rule, record, output);
      return;
    }
    return;
  }
  for (const TCheckRule& rule : rules) {
    if (rule.isPrivate != 0) continue;
    if (!Match(rule.text, record.root, output, false)) continue;
    // A word whose pattern is decided already takes only rules that agree with it.
    if (record.pattern != 0 && rule.resultType != 0 && rule.resultType != record.pattern) {
      continue;
    }
    ApplyRule(rule, record, output);
    if (rule.resultType > 0) break;
  }
}

int TXMLVerb::SetVerb(const std::string& word, int itemIndex, bool& found) {
  found = false;
  TVerbRecord record;
  std::string text = word;
  if (const auto at = word.find('@'); at != std::string::npos) {
    // "2@word" names the second item of that text; a prefix that is no number is part of it.
    try {
      record.homonym = StrToInt(word.substr(0, at));
      text = word.substr(at + 1);
    } catch (const ConvertError&) {
      record.homonym = 0;
    }
  }
  record.word = record.root = Preprocess(text);

  if (m_group->Items().empty() && !m_groupName.empty()) SelectGroup(m_groupName);
  if (!m_group->RulesError().empty()) throw ConvertError(m_group->RulesError());

  const std::vector<TItem>& items = m_group->Items();
  long long chosen = -1;
  if (itemIndex >= 0) {
    chosen = itemIndex;
  } else {
    const auto first = std::lower_bound(
        items.begin(), items.end(), record.word,
        [](const TItem& item, const std::string& w) { return ItemTextLess(item.text, w); });
    const long long firstIndex = first - items.begin();
    long long n = 0;
    for (auto it = first; it != items.end() && it->text == record.word; ++it) ++n;
    long long k;
    if (n < 2 || record.homonym != 0) {
      k = record.homonym > 0 ? record.homonym : n;
    } else {
      k = 1;
      if (m_chooser) {
        std::vector<std::string> candidates;
        for (long long i = 0; i < n; ++i) {
          const TItem& item = items[firstIndex + i];
          candidates.push_back(item.text + "\t" + item.context);
        }
        const int answer = m_chooser(candidates);
        if (answer >= 1 && answer <= n) k = answer;
      }
    }
    chosen = firstIndex + k - 1;
  }
  if (chosen >= 0 && chosen < static_cast<long long>(items.size()) &&
      items[chosen].text == record.word) {
    const TItem& item = items[chosen];
    found = true;
    record.pattern = item.type;
    record.checks = record.checks2 = item.checks;
    record.imeTransducer = item.imeTransducer;
    record.setVariable = item.setVariable;
    record.tenseMask = item.tenseMask;
  }

  if (!m_group->HasCheckRules()) return 0;  // the current word and variables stay as they were
  std::map<std::string, std::string> saved;
  saved.swap(m_variables);
  try {
    RunCheckRules(record);
  } catch (...) {
    m_variables.swap(saved);
    throw;
  }

  if (record.tenseMask != m_tenseMask) {
    m_tenseMask = record.tenseMask;
    if (m_maskChanged) m_maskChanged();
  }
  m_record = std::move(record);
  m_itemIndex = found ? static_cast<int>(chosen) : -1;
  ++m_lookupGeneration;
  Assign(m_record.setVariable);
  return m_record.pattern;
}

TLookupState TXMLVerb::SaveLookup() const {
  return TLookupState{m_record, m_variables, m_tenseMask, m_itemIndex};
}

void TXMLVerb::RestoreLookup(const TLookupState& state) {
  m_record = state.record;
  m_variables = state.variables;
  m_tenseMask = state.tenseMask;
  m_itemIndex = state.itemIndex;
  ++m_lookupGeneration;
}

void TXMLVerb::SelectTense(int tenseId) {
  // An id the group does not have leaves the tense selected before.
  if (const TTenseLine* tense = m_group->FindTense(tenseId)) {
    m_tenseId = tense->id;
    m_tenseForms = tense->forms;
  }
}

std::shared_ptr<const TXMLVerb::CrossItems> TXMLVerb::CrossItemsOf(const std::string& groupName) {
  const auto key = std::make_pair(m_languagePosition, groupName);
  auto cached = m_crossItems.find(key);
  if (cached == m_crossItems.end()) {
    auto items = std::make_shared<CrossItems>();
    try {
      const xml::XmlElement group =
          m_language && m_language->words ? m_language->words.Child(groupName) : xml::XmlElement();
      for (const xml::XmlElement& item : group.Child("items").Children()) {
        items->texts[{IntAttribute(item, "id"), IntAttribute(item, "type")}] = item.Text();
      }
    } catch (const Error& e) {
      items->texts.clear();
      items->error = e.what();
    }
    cached = m_crossItems.emplace(key, std::move(items)).first;
  }
  return cached->second;
}

std::string TXMLVerb::CrossReference(CrossMarker& target, std::string inner, int slot) {
  if (!target.items) target.items = CrossItemsOf(target.groupName);
  const CrossItems& items = *target.items;
  if (!items.error.empty()) throw ConvertError(items.error);

  detail::ReplaceAll(inner, "i", std::to_string(slot));
  inner = SubstituteVariables(std::move(inner));
  std::pair<std::int64_t, std::int64_t> key;
  if (auto known = m_referenceKeys.find(inner); known != m_referenceKeys.end()) {
    key = known->second;
  } else {
    const std::vector<std::string> parts = detail::SplitArguments(inner);
    if (parts.size() != 2) {
      throw Error("The reference to '" + target.groupName + "' needs two expressions: '" + inner +
                  "'");
    }
    key.first = expr::Evaluate(parts[0]);
    key.second = expr::Evaluate(parts[1]);
    // Errors are not remembered: they are raised again each time.
    constexpr std::size_t kMaxRemembered = 4096;
    if (m_referenceKeys.size() >= kMaxRemembered) m_referenceKeys.clear();
    m_referenceKeys.emplace(inner, key);
  }
  const auto [id, type] = key;
  if (id < INT32_MIN || id > INT32_MAX || type < INT32_MIN || type > INT32_MAX) return {};
  const auto found = items.texts.find({static_cast<int>(id), static_cast<int>(type)});
  return found == items.texts.end() ? std::string() : found->second;
}

std::string TXMLVerb::Expand(std::string text, int slot) {
  // Every macro and reference starts with "%"; most form texts hold none.
  if (text.find('%') == std::string::npos) return text;
  const std::string& root = m_record.root;
  if (std::optional<std::string> quick = detail::ExpandRootAndTab(text, root)) return *quick;
  detail::ReplaceAll(text, "%root%", root);
  // "%root[n]%": every bracketed number picks one character of the root.
  while (text.find("%root") != std::string::npos) {
    const auto open = text.find('[');
    const auto close = open == std::string::npos ? open : text.find(']', open + 1);
    if (close == std::string::npos) {
      text.erase(text.find("%root"), 5);
      continue;
    }
    const int n = StrToInt(text.substr(open + 1, close - open - 1));
    text.erase(open, close - open + 1);
    detail::ReplaceAll(text, "%root%", detail::CodePointAt(root, n));
  }
  detail::ReplaceAll(text, "%tab%", "\t");

  if (!m_language || text.find('%') == std::string::npos) return text;
  int references = 0;
  for (CrossMarker& target : m_crossMarkers) {
    const std::string& marker = target.marker;
    for (std::size_t at; (at = text.find(marker)) != std::string::npos;) {
      if (++references > kMaxCrossReferences) {
        throw Error("Too many cross references in '" + text + "'");
      }
      const std::size_t start = at + marker.size();
      const std::size_t close = detail::MatchingBracket(text, start);
      if (close == std::string::npos) {
        throw Error("The cross reference in '" + text + "' has no closing bracket");
      }
      // The reference ends with ")" and the "%" after it.
      std::size_t end = close + 1;
      if (end < text.size()) {
        end += std::min(detail::CodePointLength(static_cast<unsigned char>(text[end])),
                        text.size() - end);
      }
      const std::string inserted =
          CrossReference(target, text.substr(start, close - start), slot);
      text.replace(at, end - at, inserted);
      detail::CheckLength(text);
    }
  }
  return text;
}

std::string TXMLVerb::ConjugateTense(int tenseId, const std::string& word, bool relookup) {
  SelectTense(tenseId);
  if (relookup) {
    bool found = false;
    (void)SetVerb(word, -1, found);
  }
  // A tense the group does not have has no forms (never the forms of the tense before).
  if (m_group->FindTense(tenseId) == nullptr) return {};
  if (m_tenseId < 0 || m_record.root.empty() || m_record.pattern < 1) return {};
  const int formCount = m_tenseForms;
  if (formCount > kMaxForms) {
    throw Error("Tense " + std::to_string(m_tenseId) + " has more than " +
                std::to_string(kMaxForms) + " forms");
  }
  if (formCount <= 0) return {};

  std::vector<std::string> forms(formCount);
  const TCodeTable& code = m_group->Code();
  const int pattern = m_record.pattern;
  std::string output;
  // Record numbers in order, and within a number the letters in the order A, R, C, T.
  for (const TCodeRecord* record : code.RunOrder(pattern, m_tenseId)) {
    const char letter = record->letter;
    const std::string_view source = record->Source();
    const std::string_view target = record->Target();
    const bool rootTransducer = letter == 'T' && source.starts_with("%root%");
    // A transducer over the word gives the same output in every slot.
    bool wordMatched = false;
    std::string wordOutput;
    if (letter == 'T' && !rootTransducer) {
      wordMatched = Match(std::string(source), m_record.word, wordOutput, true);
    }
    // So does a root transducer whose pattern, variables put in, holds no macro: it is read
    // and matched at the first slot that runs it, then reused.
    std::optional<std::string> rootPattern;
    std::optional<bool> rootMatched;
    std::string rootOutput;
    for (int slot = 1; slot <= formCount; ++slot) {
      if (!detail::SlotSelected(record->mask, slot)) continue;
      std::string& form = forms[slot - 1];
      switch (letter) {
        case 'A':
          form += target;
          form = Expand(std::move(form), slot);
          break;
        case 'R':
          if (!source.empty() && form.find(source) != std::string::npos) {
            form = Expand(ReplaceLast(form, source, target), slot);
          }
          break;
        case 'C':
          form = Expand(std::string(target), slot);
          break;
        default:
          if (rootTransducer) {
            if (!rootPattern) rootPattern = SubstituteVariables(std::string(source.substr(6)));
            if (rootPattern->find('%') != std::string::npos) {
              if (Match(Expand(*rootPattern, slot), m_record.root, output, true)) form += output;
            } else {
              if (!rootMatched) rootMatched = Match(*rootPattern, m_record.root, rootOutput, true);
              if (*rootMatched) form += rootOutput;
            }
          } else if (wordMatched) {
            form += wordOutput;
          }
          break;
      }
      detail::CheckLength(form);
    }
  }

  std::string result;
  for (std::string& form : forms) {
    result += SubstituteVariables(std::move(form));
    result += '/';
  }
  return result;
}

std::vector<TTenseListEntry> TXMLVerb::TenseList() const {
  const std::vector<TTenseLine>& tenses = m_group->Tenses();
  const std::string mask =
      m_record.tenseMask.empty() ? std::string(tenses.size(), '1') : m_record.tenseMask;
  std::vector<TTenseListEntry> entries;
  for (const TTenseLine& tense : tenses) {
    if (tense.type != 0 && (tense.type < 0 || static_cast<std::size_t>(tense.type) > mask.size() ||
                            mask[tense.type - 1] != '1')) {
      continue;
    }
    entries.push_back(TTenseListEntry{tense.indent, tense.name, tense.forms, tense.id});
  }
  return entries;
}

std::string TXMLVerb::TenseListText() const {
  // Indents beyond any sensible depth are shown at that depth rather than as megabytes.
  constexpr int kMaxIndentShown = 64;
  std::string text;
  bool first = true;
  for (const TTenseListEntry& entry : TenseList()) {
    if (!first) text += '\r';
    first = false;
    text.append(2 * static_cast<std::size_t>(std::clamp(entry.indent, 0, kMaxIndentShown)), ' ');
    text += entry.forms != 0 ? entry.name + "(" + std::to_string(entry.id) + ")" : entry.name;
  }
  return text;
}

}  // namespace flexel
