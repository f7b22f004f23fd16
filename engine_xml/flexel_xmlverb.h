#pragma once
// TXMLVerb reads and interprets one XML language extension: it opens the file, selects a
// language and a part-of-speech group, looks words up through the dictionary and the check
// rules, and computes the forms of a tense by running the pattern's code records slot by slot.
// The facade TConjugator (flexel_conjugator.h) is its only user; the tables it derives are
// exposed read-only so the facade can render them.
//
// What it reads from the DOM is read once per file: a language's information and a group's
// tables are kept until the next OpenFile, so switching back and forth costs nothing.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "common/flexel_transducer.h"
#include "engine_xml/flexel_xmlgroup.h"
#include "engine_xml/flexel_xmllanguage.h"
#include "platform/xml/xml_document.h"

namespace flexel {

// Asked when a word without homonym number names several items: candidate lines
// "TEXT<TAB>CONTEXT"; returns the chosen candidate's number from 1. A number outside the list
// takes the first candidate.
using THomonymChooser = std::function<int(const std::vector<std::string>& candidates)>;

struct TVerbRecord {
  std::string word;  // preprocessed
  std::string root;  // the working form the rules may rewrite
  int pattern = 0;
  int homonym = 0;
  int reserved = 0;
  std::string checks;
  std::string checks2;  // the copy examined for "check="
  std::string imeTransducer;
  std::string setVariable;
  std::string tenseMask;
};

// One entry of the tense list as the current word sees it.
struct TTenseListEntry {
  int indent = 0;
  std::string name;
  int forms = 0;  // 0 for a heading
  int id = 0;
};

// Everything a lookup decides; the active word keeps one so that it can come back to its word
// after other words were looked up in between.
struct TLookupState {
  TVerbRecord record;
  std::map<std::string, std::string> variables;  // "#a" -> value
  std::string tenseMask;
  int itemIndex = -1;
};

class TXMLVerb {
 public:
  // Limits that keep a hostile file from exhausting memory or time.
  static constexpr int kMaxForms = 10000;
  static constexpr int kMaxSubstitutionRounds = 64;
  static constexpr int kMaxCrossReferences = 256;
  static constexpr std::size_t kMaxFormLength = 1 << 20;

  TXMLVerb();
  TXMLVerb(const TXMLVerb&) = delete;
  TXMLVerb& operator=(const TXMLVerb&) = delete;

  // Parses the file (FileError with the parser's message when it is not well-formed) and
  // lists its languages; no language is selected afterwards.
  void OpenFile(const std::string& fileName);
  [[nodiscard]] bool IsOpen() const noexcept { return m_document.IsOpen(); }
  [[nodiscard]] const std::string& FileName() const noexcept { return m_fileName; }
  [[nodiscard]] const std::vector<std::string>& LanguageNames() const noexcept {
    return m_languageNames;
  }
  // The names joined by carriage returns.
  [[nodiscard]] std::string LanguageNamesText() const;
  [[nodiscard]] const TFileInfo& FileInfo() const noexcept { return m_fileInfo; }

  // Selects the first language of that name and, when groupName is given, loads that group.
  // A name that no language has leaves no language selected. Throws ConvertError from the
  // language information (speakers, parser version).
  void SelectLanguage(const std::string& name, const std::string& groupName = "");
  // The same by position in LanguageNames(), so that two languages of one name stay apart.
  void SelectLanguageAt(int position, const std::string& groupName = "");
  [[nodiscard]] bool HasLanguage() const noexcept { return m_language != nullptr; }
  // The selected language; only valid while HasLanguage().
  [[nodiscard]] const TXMLLanguage& Language() const noexcept { return *m_language; }
  [[nodiscard]] double StatusFraction() const noexcept { return m_statusFraction; }

  // Loads the group of that name; an empty or unknown name leaves an empty group.
  void SelectGroup(const std::string& groupName);
  [[nodiscard]] const std::string& GroupName() const noexcept { return m_groupName; }
  [[nodiscard]] const TXMLGroup& Group() const noexcept { return *m_group; }
  [[nodiscard]] std::string GroupsText() const;
  [[nodiscard]] std::string PublishedGroupsText() const;
  // Items of the group whose type equals the filter (0 = all), homonyms as "N@text", joined
  // by carriage returns.
  [[nodiscard]] std::string WordListText(int typeFilter) const;
  [[nodiscard]] std::vector<std::string> WordList(int typeFilter) const;

  // Chooses a picture of the language: by type ("flag") or by its number among the ordinary
  // pictures ("0", "1", ...). Throws when the chosen picture's data is not hexadecimal.
  void LoadPicture(const std::string& selector);
  [[nodiscard]] bool HasCurrentPicture() const noexcept { return m_hasPicture; }
  [[nodiscard]] const TPicture& CurrentPicture() const noexcept { return m_picture; }
  [[nodiscard]] const std::string& CurrentPictureBytes() const noexcept { return m_pictureBytes; }
  [[nodiscard]] int PictureCount() const noexcept { return m_pictureCount; }

  // Input normalisation of the language's preprocess table.
  [[nodiscard]] std::string Preprocess(const std::string& word) const;

  // Looks the word up and makes it current; itemIndex >= 0 takes that item of the sorted item
  // list. Returns the conjugation pattern (0 = none); found tells whether an item matched.
  int SetVerb(const std::string& word, int itemIndex, bool& found);
  void SelectTense(int tenseId);
  [[nodiscard]] int CurrentTense() const noexcept { return m_tenseId; }
  // Forms text of the tense for the current word: one "/"-terminated row per form slot.
  [[nodiscard]] std::string ConjugateTense(int tenseId, const std::string& word, bool relookup);
  [[nodiscard]] std::vector<TTenseListEntry> TenseList() const;
  // The tense list as lines "  name(id)" or "  heading", joined by carriage returns.
  [[nodiscard]] std::string TenseListText() const;

  [[nodiscard]] const TVerbRecord& Record() const noexcept { return m_record; }
  [[nodiscard]] const std::map<std::string, std::string>& Variables() const noexcept {
    return m_variables;
  }
  [[nodiscard]] const std::string& TenseMask() const noexcept { return m_tenseMask; }
  // Changes with every successful lookup.
  [[nodiscard]] unsigned long LookupGeneration() const noexcept { return m_lookupGeneration; }
  [[nodiscard]] TLookupState SaveLookup() const;
  void RestoreLookup(const TLookupState& state);
  // Index of the item the last successful lookup chose in the sorted list, -1 when none.
  [[nodiscard]] int LookupItemIndex() const noexcept { return m_itemIndex; }

  void SetHomonymChooser(THomonymChooser chooser) { m_chooser = std::move(chooser); }
  void SetTenseMaskChangeHandler(std::function<void()> handler) {
    m_maskChanged = std::move(handler);
  }

  // The macro expansion of code texts for form slot `slot` (%root%, %root[n]%, %tab%, cross
  // references into other groups).
  [[nodiscard]] std::string Expand(std::string text, int slot);
  // Replaces every "#x" by the variable's value (or nothing) until no "#" remains.
  [[nodiscard]] std::string SubstituteVariables(std::string text) const;

 private:
  struct CrossItems;

  void ClearSelection();
  [[nodiscard]] const TXMLGroup* LoadGroupCached(const std::string& groupName);
  void RunCheckRules(TVerbRecord& record);
  void ApplyRule(const TCheckRule& rule, TVerbRecord& record, const std::string& output);
  void Assign(const std::string& assignments);
  struct CrossMarker {
    std::string marker;     // "%" + group name + "("
    std::string groupName;
    std::shared_ptr<const CrossItems> items;  // looked up at the first reference
  };
  [[nodiscard]] std::shared_ptr<const CrossItems> CrossItemsOf(const std::string& groupName);
  [[nodiscard]] std::string CrossReference(CrossMarker& target, std::string inner,
                                           int slot);
  [[nodiscard]] bool Match(const std::string& pattern, const std::string& input,
                           std::string& output, bool alternatives);

  xml::XmlDocument m_document;
  std::string m_fileName;
  TFileInfo m_fileInfo;
  std::vector<std::string> m_languageNames;
  std::vector<xml::XmlElement> m_languageElements;  // parallel to the names

  // Caches of the open file, keyed by language position.
  std::map<int, std::shared_ptr<const TXMLLanguage>> m_languages;
  std::map<std::pair<int, std::string>, std::shared_ptr<const TXMLGroup>> m_groups;
  std::map<std::pair<int, std::string>, std::shared_ptr<const CrossItems>> m_crossItems;

  int m_languagePosition = -1;
  std::shared_ptr<const TXMLLanguage> m_language;
  // Per group line of the language, in line order: what a cross reference to it starts with,
  // made once per selection rather than per form.
  std::vector<CrossMarker> m_crossMarkers;
  // The (id, type) pair that the arguments of a cross reference evaluate to, remembered per
  // argument text: the same few texts come back for every word.
  std::unordered_map<std::string, std::pair<std::int64_t, std::int64_t>> m_referenceKeys;
  double m_statusFraction = 0;
  std::string m_groupName;
  std::shared_ptr<const TXMLGroup> m_group;

  TTransducer m_transducer;
  TVerbRecord m_record;
  std::map<std::string, std::string> m_variables;
  std::string m_tenseMask;
  int m_itemIndex = -1;
  unsigned long m_lookupGeneration = 0;
  int m_tenseId = -1;
  int m_tenseForms = 0;

  bool m_hasPicture = false;
  TPicture m_picture;
  std::string m_pictureBytes;
  int m_pictureCount = 0;

  THomonymChooser m_chooser;
  std::function<void()> m_maskChanged;
};

}  // namespace flexel
