#pragma once
// TXMLGroup holds the derived tables of one part-of-speech group of a language (for example
// `verbs`): its tenses, its sorted dictionary items, its compiled conjugation code and its
// check rules. TXMLVerb loads a group when it is selected and keeps it while the file is open.

#include <string>
#include <vector>

#include "engine_xml/flexel_codetable.h"
#include "platform/xml/xml_document.h"

namespace flexel {

struct TTenseLine {
  std::string name;
  int id = 0;
  int forms = 0;
  int indent = 0;
  int type = 0;
  // "%s\t%d\t%d\t%d\t%d": name, id, forms, indent, type.
  [[nodiscard]] std::string Format() const;
};

struct TItem {
  std::string text;
  int type = 0;
  std::string checks;  // "/"-terminated directives
  std::string imeTransducer;
  std::string setVariable;
  int id = 0;
  std::string context;
  std::string tenseMask;
  // "%s\t%d\t%s\t%s\t%s\t%d\t%s\t%s" in the order above.
  [[nodiscard]] std::string Format() const;
};

struct TCheckRule {
  std::string text;  // braces already turned into brackets
  int resultType = 0;
  std::string replace;
  std::string setVariable;
  int id = 0;
  int isPrivate = 0;
};

// The order of the item list: by text, letter case and accents as the locale's collation
// sees them, equal texts kept together, then by the whole line.
[[nodiscard]] bool ItemTextLess(const std::string& a, const std::string& b);

class TXMLGroup {
 public:
  // Reads the group element (null = a group with nothing in it). A whole number that is not
  // one stops the load where it happened: the tables read so far stay, Complete() is false and
  // LoadError() says why.
  [[nodiscard]] static TXMLGroup Load(xml::XmlElement group);

  [[nodiscard]] bool Complete() const noexcept { return m_loadError.empty(); }
  [[nodiscard]] const std::string& LoadError() const noexcept { return m_loadError; }

  [[nodiscard]] const std::vector<TTenseLine>& Tenses() const noexcept { return m_tenses; }
  [[nodiscard]] const TTenseLine* FindTense(int id) const noexcept;
  [[nodiscard]] bool Heuristic() const noexcept { return m_heuristic; }
  // Sorted by ItemTextLess.
  [[nodiscard]] const std::vector<TItem>& Items() const noexcept { return m_items; }
  [[nodiscard]] const std::string& HtmlTemplate() const noexcept { return m_htmlTemplate; }
  [[nodiscard]] const TCodeTable& Code() const noexcept { return m_code; }

  // The `check` rule set: whether it exists, its rules; a rule whose numbers do not read
  // makes every lookup fail with RulesError().
  [[nodiscard]] bool HasCheckRules() const noexcept { return m_hasCheckRules; }
  [[nodiscard]] const std::vector<TCheckRule>& CheckRules() const noexcept { return m_rules; }
  [[nodiscard]] const std::string& RulesError() const noexcept { return m_rulesError; }

 private:
  void ReadTenses(xml::XmlElement group);
  void ReadItems(xml::XmlElement group);
  void ReadCode(xml::XmlElement group);
  void ReadRules(xml::XmlElement group);

  std::string m_loadError;
  std::vector<TTenseLine> m_tenses;
  bool m_heuristic = true;
  std::vector<TItem> m_items;
  std::string m_htmlTemplate;
  TCodeTable m_code;
  bool m_hasCheckRules = false;
  std::vector<TCheckRule> m_rules;
  std::string m_rulesError;
};

// A whole-number attribute: missing is 0, anything else must read as an integer
// (ConvertError "'%s' is not a valid integer value").
[[nodiscard]] int IntAttribute(const xml::XmlElement& element, const char* name);
// Braces of rule patterns are written for brackets: "{" -> "(", "}" -> ")".
[[nodiscard]] std::string BracesToBrackets(std::string text);

}  // namespace flexel
