#include "engine_xml/flexel_xmlverb.h"

#include <algorithm>

#include "platform/core/error.h"

namespace flexel {
namespace detail {

std::string JoinLines(const std::vector<std::string>& lines, const char* separator) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += separator;
    text += lines[i];
  }
  return text;
}

// Bytes of the UTF-8 sequence a lead byte starts; 1 for anything that is not a lead byte.
std::size_t Utf8Length(unsigned char lead) noexcept {
  if (lead >= 0xF0 && lead < 0xF8) return 4;
  if (lead >= 0xE0) return lead < 0xF0 ? 3 : 1;
  if (lead >= 0xC0) return 2;
  return 1;
}

const std::shared_ptr<const TXMLGroup>& EmptyGroup() {
  static const std::shared_ptr<const TXMLGroup> kEmpty =
      std::make_shared<const TXMLGroup>(TXMLGroup::Load(xml::XmlElement()));
  return kEmpty;
}

}  // namespace detail

TXMLVerb::TXMLVerb() : m_group(detail::EmptyGroup()) {}

void TXMLVerb::ClearSelection() {
  m_languagePosition = -1;
  m_language.reset();
  m_crossMarkers.clear();
  m_statusFraction = 0;
  m_groupName.clear();
  m_group = detail::EmptyGroup();
  m_transducer.SetGroups({});
  m_tenseId = -1;
  m_tenseForms = 0;
  m_hasPicture = false;
  m_picture = TPicture();
  m_pictureBytes.clear();
  m_pictureCount = 0;
}

void TXMLVerb::OpenFile(const std::string& fileName) {
  // Nothing of the previous file survives, not even when the new one fails to parse.
  ClearSelection();
  m_document = xml::XmlDocument();
  m_languages.clear();
  m_groups.clear();
  m_crossItems.clear();
  m_languageNames.clear();
  m_languageElements.clear();
  m_record = TVerbRecord();
  m_variables.clear();
  m_tenseMask.clear();
  m_itemIndex = -1;
  ++m_lookupGeneration;
  m_fileName = fileName;
  m_fileInfo = TFileInfo();
  m_fileInfo.modified = FormatDate(Today());

  m_document = xml::XmlDocument::OpenFile(fileName);
  bool fileRead = false;
  for (const xml::XmlElement& child : m_document.Root().Children()) {
    const std::string tag = child.Name();
    if (tag == "language") {
      const xml::XmlElement name = child.Child("info").Child("name");
      if (!name) continue;
      m_languageNames.push_back(name.Text());
      m_languageElements.push_back(child);
    } else if (tag == "file" && !fileRead) {
      fileRead = true;
      m_fileInfo.description = child.Child("description").Text();
      if (const xml::XmlElement created = child.Child("created")) {
        m_fileInfo.created = created.Text();
      }
      if (const xml::XmlElement modified = child.Child("modified")) {
        m_fileInfo.modified = modified.Text();
      }
      const xml::XmlElement creator = child.Child("creator");
      m_fileInfo.firstName = creator.Child("firstname").Text();
      m_fileInfo.lastName = creator.Child("lastname").Text();
      m_fileInfo.email = creator.Child("email").Text();
      m_fileInfo.web = creator.Child("web").Text();
    }
  }
}

std::string TXMLVerb::LanguageNamesText() const { return detail::JoinLines(m_languageNames, "\r"); }

void TXMLVerb::SelectLanguage(const std::string& name, const std::string& groupName) {
  const auto found = std::find(m_languageNames.begin(), m_languageNames.end(), name);
  SelectLanguageAt(
      found == m_languageNames.end() ? -1 : static_cast<int>(found - m_languageNames.begin()),
      groupName);
}

void TXMLVerb::SelectLanguageAt(int position, const std::string& groupName) {
  if (position < 0 || position >= static_cast<int>(m_languageNames.size())) {
    ClearSelection();
    return;
  }
  auto cached = m_languages.find(position);
  if (cached == m_languages.end()) {
    // A language that does not read changes nothing and is not kept: the error repeats.
    auto language = std::make_shared<const TXMLLanguage>(
        TXMLLanguage::Read(m_languageElements[position], m_fileInfo));
    // Selecting shows the flag, so flag data that does not decode fails the selection.
    for (const TPicture& picture : language->pictures) {
      if (picture.type == "flag") {
        (void)DecodePictureData(picture.hexData);
        break;
      }
    }
    cached = m_languages.emplace(position, std::move(language)).first;
  }
  ClearSelection();
  m_languagePosition = position;
  m_language = cached->second;
  for (const std::string& line : m_language->groups) {
    std::string name = line.substr(0, line.find('\t'));
    m_crossMarkers.push_back(CrossMarker{"%" + name + "(", std::move(name), nullptr});
  }
  m_statusFraction = m_language->statusFraction;
  m_transducer.SetGroups(m_language->characterGroups);
  if (!m_language->words) {
    m_groupName = "verbs";
  } else {
    for (auto it = m_language->publishedGroups.rbegin(); it != m_language->publishedGroups.rend();
         ++it) {
      if (it->substr(0, it->find('\t')) == groupName) {
        m_groupName = groupName;
        break;
      }
    }
  }
  LoadPicture("flag");
  if (!groupName.empty()) SelectGroup(groupName);
  m_tenseId = -1;
}

const TXMLGroup* TXMLVerb::LoadGroupCached(const std::string& groupName) {
  const auto key = std::make_pair(m_languagePosition, groupName);
  auto cached = m_groups.find(key);
  if (cached == m_groups.end()) {
    xml::XmlElement element;
    if (m_language && m_language->words) element = m_language->words.Child(groupName);
    cached =
        m_groups.emplace(key, std::make_shared<const TXMLGroup>(TXMLGroup::Load(element))).first;
  }
  m_group = cached->second;
  if (!m_group->Complete()) m_statusFraction = 0;
  return m_group.get();
}

void TXMLVerb::SelectGroup(const std::string& groupName) {
  m_groupName = groupName;
  // An unknown or empty name gives an empty group, never the tables of the one before.
  if (groupName.empty() || !m_language) {
    m_group = detail::EmptyGroup();
    return;
  }
  (void)LoadGroupCached(groupName);
}

std::string TXMLVerb::GroupsText() const {
  return m_language ? detail::JoinLines(m_language->groups, "\r") : std::string();
}

std::string TXMLVerb::PublishedGroupsText() const {
  return m_language ? detail::JoinLines(m_language->publishedGroups, "\r") : std::string();
}

std::vector<std::string> TXMLVerb::WordList(int typeFilter) const {
  std::vector<std::string> words;
  const std::vector<TItem>& items = m_group->Items();
  std::size_t runStart = 0;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i == 0 || items[i].text != items[i - 1].text) runStart = i;
    if (typeFilter != 0 && items[i].type != typeFilter) continue;
    const bool repeated =
        i > runStart || (i + 1 < items.size() && items[i + 1].text == items[i].text);
    words.push_back(repeated ? std::to_string(i - runStart + 1) + "@" + items[i].text
                             : items[i].text);
  }
  return words;
}

std::string TXMLVerb::WordListText(int typeFilter) const {
  return detail::JoinLines(WordList(typeFilter), "\r");
}

void TXMLVerb::LoadPicture(const std::string& selector) {
  m_hasPicture = false;
  m_picture = TPicture();
  m_pictureBytes.clear();
  m_pictureCount = 0;
  if (!m_language) return;
  const std::vector<TPicture>& pictures = m_language->pictures;
  int offset = 0;
  const TPicture* chosen = nullptr;
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    // Ordinary pictures are numbered without the flag.
    if (pictures[i].type == "flag") offset = -1;
    if (chosen != nullptr) continue;
    if ((!selector.empty() && pictures[i].type == selector) ||
        selector == std::to_string(static_cast<int>(i) + offset)) {
      chosen = &pictures[i];
    }
  }
  m_pictureCount = static_cast<int>(pictures.size()) + offset;
  if (chosen == nullptr) return;
  m_pictureBytes = DecodePictureData(chosen->hexData);
  m_picture = *chosen;
  m_hasPicture = true;
}

std::string TXMLVerb::Preprocess(const std::string& word) const {
  if (!m_language || m_language->preprocess.empty()) return word;
  std::string output;
  std::size_t pos = 0;
  while (pos < word.size()) {
    bool replaced = false;
    for (const auto& [find, replacement] : m_language->preprocess) {
      if (word.compare(pos, find.size(), find) == 0) {
        output += replacement;
        pos += find.size();
        replaced = true;
        break;
      }
    }
    if (replaced) continue;
    const std::size_t length =
        std::min(detail::Utf8Length(static_cast<unsigned char>(word[pos])), word.size() - pos);
    output.append(word, pos, length);
    pos += length;
  }
  return output;
}

}  // namespace flexel
