#include "engine_vlx/conjugator.h"

#include <cctype>
#include <filesystem>

#include "platform/core/error.h"
#include "platform/nls/nls.h"
#include "platform/storage/whole_file.h"

namespace flexel::vlx {
namespace detail {

// Tag and attribute names are ASCII, so letter case is ignored the ASCII way.
std::size_t FindNoCase(std::string_view text, std::string_view what) {
  if (text.size() < what.size()) return std::string_view::npos;
  for (std::size_t i = 0; i + what.size() <= text.size(); ++i) {
    std::size_t k = 0;
    while (k < what.size() && std::toupper(static_cast<unsigned char>(text[i + k])) ==
                                  std::toupper(static_cast<unsigned char>(what[k]))) {
      ++k;
    }
    if (k == what.size()) return i;
  }
  return std::string_view::npos;
}

bool HasPictureTag(std::string_view text) {
  return FindNoCase(text, "<IMG") != std::string_view::npos ||
         FindNoCase(text, "<EMBED") != std::string_view::npos;
}

// A stream name is used as a file name only when it cannot leave the HTML folder.
bool IsPlainFileName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos;
}

}  // namespace detail

TConjugator::TConjugator(std::string dataDirectory)
    : TBaseConjugator(std::move(dataDirectory)), m_verb(*this) {}

void TConjugator::OpenLanguageFile(const std::string& path) {
  m_languageIndex.clear();
  m_currentLanguage = -1;
  m_currentPartOfSpeech = -1;
  // Whatever happens below, nothing of the previous file stays visible.
  m_verb.ReplaceReader(Tvlx());
  std::error_code error;
  if (!std::filesystem::exists(path, error)) return;
  m_verb.ReplaceReader(Tvlx(path));
  if (m_verb.Reader().HasHeader()) m_languageIndex.emplace_back("0");
}

void TConjugator::SelectLanguage(int index) {
  if (index == m_currentLanguage) return;
  if (index < 0 || index >= LanguageCount()) throw ListIndexError(index);
  m_currentLanguage = index;
  m_currentPartOfSpeech = -1;
  m_verb.ResetWord();
}

int TConjugator::FindLanguageByCode(const std::string& code) {
  return nls::ToUpper(Reader().HeaderValue("SIL")) == nls::ToUpper(code) ? 0 : -1;
}

std::string TConjugator::given(std::string_view key) const {
  std::string value = Reader().HeaderValue(key);
  return value == "?" ? std::string() : value;
}

std::string TConjugator::LanguageName() { return Reader().HeaderValue("NAME"); }
std::string TConjugator::LanguageCode() { return Reader().HeaderValue("SIL"); }
std::string TConjugator::LanguageFamily() { return Reader().HeaderValue("FAMILY"); }
std::string TConjugator::LanguageSummary() { return given("SUMMARY"); }

std::string TConjugator::LanguageInfoHTML() {
  std::string html = Reader().HeaderValue("DESCRIPTION");
  ExtractPictures(html);
  return html;
}

std::string TConjugator::CreatorText() {
  return given("COPYRIGHT") + "\t" + given("AUTHOR") + "\t" + given("EMAIL") + "\t" + given("WWW");
}

int TConjugator::PartOfSpeechCount() { return Reader().HasHeader() ? 1 : 0; }

std::string TConjugator::PartOfSpeechName(int index) {
  return index == 0 ? std::string("Verbs") : std::string();
}

int TConjugator::WordCount(int partOfSpeech) {
  m_currentPartOfSpeech = partOfSpeech;
  return Reader().WordCount();
}

std::string TConjugator::WordText(int partOfSpeech, int n) {
  m_currentPartOfSpeech = partOfSpeech;
  return Reader().Word(n);
}

bool TConjugator::VerbExists(const std::string& name) { return Reader().ContainsWord(name); }

void TConjugator::ExtractPictures(const std::string& html) {
  if (!detail::HasPictureTag(html)) return;
  std::string folder = HtmlDirectory();
  if (!folder.empty() && folder.back() != '/') folder += '/';
  std::size_t start = 0;
  while (start < html.size()) {
    std::size_t end = html.find('<', start + 1);
    if (end == std::string::npos) end = html.size();
    const std::string_view piece = std::string_view(html).substr(start, end - start);
    start = end;
    if (!detail::HasPictureTag(piece)) continue;
    const std::size_t src = detail::FindNoCase(piece, "SRC=\"");
    if (src == std::string_view::npos) continue;
    const std::size_t close = piece.find('"', src + 5);
    if (close == std::string_view::npos) continue;
    const std::string name(piece.substr(src + 5, close - src - 5));
    if (!detail::IsPlainFileName(name)) continue;
    // A picture that is missing, damaged or cannot be written is left out of the page; the
    // page itself is still shown.
    try {
      const auto bytes = Reader().ReadPicture(name);
      if (bytes) storage::WriteFileWhole(folder + name, *bytes, false);
    } catch (const Error&) {
      continue;
    }
  }
}

}  // namespace flexel::vlx
