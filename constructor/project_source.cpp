#include "constructor/project_source.h"

#include "common/compileform_unit.h"
#include "constructor/project_reader.h"
#include "platform/core/error.h"
#include "platform/storage/whole_file.h"

namespace flexel {
namespace detail {

// Replaces every line break (CR LF, CR, LF, U+2028) by replacement and drops NUL characters:
// either would cut the line, or the whole text, when the file is read again.
std::string SingleLine(std::string_view text, std::string_view replacement) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r') {
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out += replacement;
    } else if (c == '\n') {
      out += replacement;
    } else if (c == '\xE2' && text.substr(i, 3) == "\xE2\x80\xA8") {
      i += 2;
      out += replacement;
    } else if (c != '\0') {
      out += c;
    }
  }
  return out;
}

class ProjectLoader : public TProjectReader {
 public:
  explicit ProjectLoader(TProjectSource& project) : m_project(project) {}

 protected:
  void HeaderLine(HeaderField field, std::string value) override {
    switch (field) {
      case HeaderField::Author:
        m_project.author = std::move(value);
        break;
      case HeaderField::Email:
        m_project.email = std::move(value);
        break;
      case HeaderField::Family:
        m_project.family = std::move(value);
        break;
      case HeaderField::Summary:
        m_project.summary = std::move(value);
        break;
      case HeaderField::Sil:
        m_project.sil = std::move(value);
        break;
      case HeaderField::Copyright:
        m_project.copyright = std::move(value);
        break;
      case HeaderField::Name:
        m_project.name = std::move(value);
        break;
      case HeaderField::Description:
        m_project.description = std::move(value);
        break;
    }
  }
  void TenseLine(int id, std::string name, const std::string&) override {
    m_project.tenses.push_back({id, std::move(name)});
  }
  void WordLine(const std::string& word) override { m_project.words.push_back({word, {}}); }
  void FormLine(int, std::string, const std::string& line) override {
    m_project.words.back().formLines.push_back(line);
  }

 private:
  TProjectSource& m_project;
};

}  // namespace detail

void TProjectSource::ResetProject(bool standard, bool clearDescription) {
  author.clear();
  email.clear();
  family.clear();
  summary.clear();
  sil.clear();
  name.clear();
  copyright = kCopyrightPlaceholder;
  tenses.clear();
  words.clear();
  if (standard) tenses.push_back({0, std::string(kAllTenses)});
  if (clearDescription) description = kEmptyPage;
}

void TProjectSource::ReadLines(const std::vector<std::string>& lines) {
  detail::ProjectLoader loader(*this);
  loader.Read(lines);
}

void TProjectSource::Open(const std::string& path) {
  const std::string bytes = storage::ReadFileWhole(path, kMaxProjectBytes);
  ResetProject(false, false);
  auto finish = [this] {
    if (copyright.empty()) copyright = kCopyrightPlaceholder;
  };
  try {
    ReadLines(LoadTextLines(bytes));
  } catch (const ListIndexError&) {
    finish();
    throw;
  }
  finish();
}

std::string TProjectSource::FlattenSummary(std::string_view text) {
  const std::string blanks = detail::SingleLine(text, " ");
  std::string out;
  out.reserve(blanks.size());
  for (std::size_t i = 0; i < blanks.size(); ++i) {
    out += blanks[i];
    if (blanks[i] == ' ' && i + 1 < blanks.size() && blanks[i + 1] == ' ') ++i;
  }
  return out;
}

std::string TProjectSource::FlattenPage(std::string_view text) {
  return detail::SingleLine(text, "");
}

std::vector<std::string> TProjectSource::Lines() const {
  auto single = [](std::string_view value) { return detail::SingleLine(value, " "); };
  std::vector<std::string> lines;
  for (const auto& [field, tag] : kHeaderTags) {
    std::string value;
    switch (field) {
      case HeaderField::Author:
        value = single(author);
        break;
      case HeaderField::Email:
        value = single(email);
        break;
      case HeaderField::Family:
        value = single(family);
        break;
      case HeaderField::Summary:
        value = FlattenSummary(summary);
        break;
      case HeaderField::Sil:
        value = single(sil);
        break;
      case HeaderField::Copyright:
        value = copyright == kCopyrightPlaceholder ? std::string() : single(copyright);
        break;
      case HeaderField::Name:
        value = single(name);
        break;
      case HeaderField::Description:
        value = FlattenPage(description);
        break;
    }
    lines.push_back(std::string(tag) + value);
  }
  lines.emplace_back(kTensesTag);
  for (const auto& tense : tenses) {
    lines.push_back(std::to_string(tense.id) + ":" + single(tense.name));
  }
  lines.emplace_back(kWordsTag);
  for (const auto& word : words) {
    lines.push_back(single(word.word));
    for (const auto& form : word.formLines) {
      if (TenseNumber(form)) lines.push_back(FlattenPage(form));
    }
    lines.emplace_back(kEndOfWord);
  }
  return lines;
}

std::string TProjectSource::SaveToBytes() const { return SaveTextLines(Lines()); }

void TProjectSource::Save(const std::string& path) const {
  storage::WriteFileWhole(path, SaveToBytes());
}

bool TProjectSource::IsStandard() const {
  return tenses.size() == 1 && tenses.front().name == kAllTenses;
}

}  // namespace flexel
