#include "engine_xml/flexel_xmlgroup.h"

#include <algorithm>
#include <map>

#include "platform/core/error.h"
#include "platform/nls/nls.h"

namespace flexel {
namespace detail {

char CommandLetter(const std::string& command) {
  if (command == "transducer" || command == "tducer") return 'T';
  if (command == "roottransducer" || command == "rducer") return 'T';
  if (command == "add") return 'A';
  if (command == "clear") return 'C';
  if (command == "replace") return 'R';
  return '?';
}

}  // namespace detail

std::string TTenseLine::Format() const {
  return name + "\t" + std::to_string(id) + "\t" + std::to_string(forms) + "\t" +
         std::to_string(indent) + "\t" + std::to_string(type);
}

std::string TItem::Format() const {
  return text + "\t" + std::to_string(type) + "\t" + checks + "\t" + imeTransducer + "\t" +
         setVariable + "\t" + std::to_string(id) + "\t" + context + "\t" + tenseMask;
}

bool ItemTextLess(const std::string& a, const std::string& b) {
  const int order = nls::CompareText(a, b);
  if (order != 0) return order < 0;
  return a < b;
}

int IntAttribute(const xml::XmlElement& element, const char* name) {
  const auto value = element.Attribute(name);
  return value ? StrToInt(*value) : 0;
}

std::string BracesToBrackets(std::string text) {
  for (char& c : text) {
    if (c == '{')
      c = '(';
    else if (c == '}')
      c = ')';
  }
  return text;
}

const TTenseLine* TXMLGroup::FindTense(int id) const noexcept {
  for (const TTenseLine& tense : m_tenses) {
    if (tense.id == id) return &tense;
  }
  return nullptr;
}

TXMLGroup TXMLGroup::Load(xml::XmlElement group) {
  TXMLGroup result;
  if (!group) return result;
  try {
    result.ReadTenses(group);
    result.m_heuristic = nls::ToUpper(group.AttributeOr("heuristic", "")) != "NO";
    result.ReadItems(group);
    result.ReadCode(group);
  } catch (const Error& e) {
    // What was read so far stays usable; the caller marks the language as incomplete.
    result.m_loadError = e.what();
  }
  result.ReadRules(group);
  return result;
}

void TXMLGroup::ReadTenses(xml::XmlElement group) {
  for (const xml::XmlElement& tense : group.Child("tenses").Children()) {
    TTenseLine line;
    line.name = tense.Text();
    line.id = IntAttribute(tense, "id");
    line.forms = IntAttribute(tense, "forms");
    line.indent = IntAttribute(tense, "indent");
    line.type = IntAttribute(tense, "type");
    m_tenses.push_back(std::move(line));
  }
}

void TXMLGroup::ReadItems(xml::XmlElement group) {
  const xml::XmlElement items = group.Child("items");
  if (items.ChildCount() == 0) return;
  m_htmlTemplate = group.AttributeOr("htmltemplate", "");
  std::vector<std::pair<std::string, TItem>> lines;
  for (const xml::XmlElement& element : items.Children()) {
    TItem item;
    item.text = element.Text();
    item.type = IntAttribute(element, "type");
    item.checks = element.AttributeOr("checks", "");
    if (item.checks.empty() || item.checks.back() != '/') item.checks += '/';
    item.imeTransducer = BracesToBrackets(element.AttributeOr("imetransducer", ""));
    item.setVariable = element.AttributeOr("setvariable", "");
    item.id = IntAttribute(element, "id");
    item.context = element.AttributeOr("context", "");
    item.tenseMask = element.AttributeOr("tensemask", "");
    std::string line = item.Format();
    lines.emplace_back(std::move(line), std::move(item));
  }
  // By text first so that equal texts stay together; then by the whole line.
  std::stable_sort(lines.begin(), lines.end(), [](const auto& a, const auto& b) {
    if (a.second.text != b.second.text) return ItemTextLess(a.second.text, b.second.text);
    return a.first < b.first;
  });
  m_items.reserve(lines.size());
  for (auto& [line, item] : lines) m_items.push_back(std::move(item));
}

void TXMLGroup::ReadCode(xml::XmlElement group) {
  std::map<int, std::pair<char, int>> inheritance;  // pattern -> (letter, parent)
  int previousTense = 0;
  bool first = true;
  int number = 0;
  for (const xml::XmlElement& element : group.Child("code").Children()) {
    const int pattern = IntAttribute(element, "type");
    if (pattern < 0) throw ListIndexError(pattern);
    m_code.MentionPattern(pattern);
    const std::string command = element.AttributeOr("command", "");
    const char letter = detail::CommandLetter(command);
    if (const int parent = IntAttribute(element, "inherits"); parent != 0) {
      inheritance[pattern] = {letter, parent};
      continue;
    }
    TCodeRecord record;
    record.tense = IntAttribute(element, "tense");
    record.letter = letter;
    // Records of one tense are numbered as they come; a new tense starts again at 1.
    number = (first || record.tense != previousTense) ? 1 : number + 1;
    first = false;
    previousTense = record.tense;
    record.number = number;
    m_code.RaiseMaxNumber(number);
    record.mask = element.AttributeOr("mask", "");
    const std::string text = element.Text();
    if (letter == 'A' || letter == 'C') {
      record.text = ">" + text;
    } else if (command == "roottransducer" || command == "rducer") {
      record.text = "%root%" + BracesToBrackets(text);
    } else if (letter == 'T') {
      record.text = BracesToBrackets(text);
    } else {
      record.text = text;
    }
    m_code.Append(pattern, std::move(record));
  }

  std::vector<int> tenseIds;
  for (const TTenseLine& tense : m_tenses) tenseIds.push_back(tense.id);
  // Ascending: a pattern inheriting from a higher one gets that pattern's own records only.
  for (const auto& [pattern, declaration] : inheritance) {
    m_code.Inherit(pattern, declaration.second, declaration.first, tenseIds);
  }
}

void TXMLGroup::ReadRules(xml::XmlElement group) {
  const xml::XmlElement check = group.Child("rules").Child("check");
  if (!check) return;
  m_hasCheckRules = true;
  try {
    for (const xml::XmlElement& element : check.Children()) {
      TCheckRule rule;
      rule.text = BracesToBrackets(element.Text());
      rule.resultType = IntAttribute(element, "resulttype");
      rule.replace = element.AttributeOr("replace", "");
      rule.setVariable = element.AttributeOr("setvariable", "");
      rule.id = IntAttribute(element, "id");
      rule.isPrivate = IntAttribute(element, "private");
      m_rules.push_back(std::move(rule));
    }
  } catch (const Error& e) {
    m_rules.clear();
    m_rulesError = e.what();
  }
}

}  // namespace flexel
