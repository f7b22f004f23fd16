#include "constructor/compileform_unit.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "common/compileform_unit.h"
#include "constructor/project_reader.h"
#include "constructor/project_source.h"
#include "platform/core/error.h"
#include "platform/nls/nls.h"
#include "platform/storage/whole_file.h"

namespace flexel {
namespace detail {

// Tag and attribute names are ASCII, so letter case is ignored the ASCII way.
constexpr char AsciiUpper(char c) noexcept { return c >= 'a' && c <= 'z' ? char(c - 32) : c; }

std::size_t FindNoCase(std::string_view text, std::string_view what, std::size_t from = 0) {
  if (what.empty() || text.size() < what.size()) return std::string_view::npos;
  const char upper = AsciiUpper(what[0]);
  const char lower = upper >= 'A' && upper <= 'Z' ? char(upper + 32) : upper;
  const std::size_t last = text.size() - what.size();
  for (std::size_t i = from; i <= last; ++i) {
    // Candidates are found by the first character alone (memchr when it has no case).
    if (upper == lower) {
      const void* hit = std::memchr(text.data() + i, upper, last - i + 1);
      if (!hit) return std::string_view::npos;
      i = static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
    } else if (text[i] != upper && text[i] != lower) {
      continue;
    }
    std::size_t k = 1;
    while (k < what.size() && AsciiUpper(text[i + k]) == AsciiUpper(what[k])) ++k;
    if (k == what.size()) return i;
  }
  return std::string_view::npos;
}

bool ContainsNoCase(std::string_view text, std::string_view what) {
  return FindNoCase(text, what) != std::string_view::npos;
}

bool StartsWithNoCase(std::string_view text, std::string_view what) {
  return text.size() >= what.size() && FindNoCase(text.substr(0, what.size()), what) == 0;
}

bool IsPictureTag(std::string_view text) {
  return ContainsNoCase(text, "<IMG") || ContainsNoCase(text, "<EMBED");
}

// The text cut before every "<"; joining the pieces gives the text back.
std::vector<std::string> SplitBeforeTags(std::string_view text) {
  std::vector<std::string> pieces;
  std::size_t start = 0;
  for (std::size_t at = text.find('<', 1); at != std::string_view::npos;
       at = text.find('<', at + 1)) {
    pieces.emplace_back(text.substr(start, at - start));
    start = at;
  }
  pieces.emplace_back(text.substr(start));
  return pieces;
}

std::string Join(const std::vector<std::string>& pieces) {
  std::string text;
  for (const auto& piece : pieces) text += piece;
  return text;
}

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
  if (from.empty()) return text;
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

bool FileExists(const std::string& path) {
  std::error_code error;
  return !path.empty() && std::filesystem::is_regular_file(path, error);
}

// Projects made elsewhere may separate folders by "\" as well as "/".
std::size_t NameStart(std::string_view path) {
  const std::size_t at = path.find_last_of("/\\");
  return at == std::string_view::npos ? 0 : at + 1;
}

std::string ExtractFileName(std::string_view path) {
  return std::string(path.substr(NameStart(path)));
}

std::string ExtractFilePath(std::string_view path) {
  return std::string(path.substr(0, NameStart(path)));
}

std::string ExtractFileExt(std::string_view path) {
  const std::string_view name = path.substr(NameStart(path));
  const std::size_t dot = name.rfind('.');
  return dot == std::string_view::npos ? std::string() : std::string(name.substr(dot));
}

std::string ChangeFileExt(std::string_view path, std::string_view extension) {
  const std::string current = ExtractFileExt(path);
  return std::string(path.substr(0, path.size() - current.size())) + std::string(extension);
}

std::string_view HeaderKey(HeaderField field) {
  switch (field) {
    case HeaderField::Author:
      return "AUTHOR";
    case HeaderField::Email:
      return "EMAIL";
    case HeaderField::Family:
      return "FAMILY";
    case HeaderField::Summary:
      return "SUMMARY";
    case HeaderField::Sil:
      return "SIL";
    case HeaderField::Copyright:
      return "COPYRIGHT";
    case HeaderField::Name:
      return "NAME";
    case HeaderField::Description:
      return "DESCRIPTION";
  }
  return {};
}

}  // namespace detail

class TCompileForm::Reader : public TProjectReader {
 public:
  explicit Reader(TCompileForm& form) : m_form(form) {}

 protected:
  void HeaderLine(HeaderField field, std::string value) override {
    if (field == HeaderField::Copyright && value.empty()) return;
    if (field == HeaderField::Description) value = m_form.MapPictureReferences(value);
    m_form.m_headerLines.push_back(std::string(detail::HeaderKey(field)) + "=" + value);
  }
  void TenseLine(int, std::string, const std::string& line) override {
    m_form.m_tenseLines.push_back(line);
  }
  void WordsSection() override { m_form.log("Processing words:"); }
  void WordLine(const std::string& word) override {
    m_form.m_wordIndex.push_back(word);
    m_form.log("\t" + word);
    m_word = word;
  }
  void FormLine(int id, std::string, const std::string& line) override {
    std::vector<std::string> page;
    page.push_back(RemoveTenseNumber(m_form.MapPictureReferences(line), id));
    m_form.m_writer->WritePage(m_word, std::to_string(id), page);
  }

 private:
  TCompileForm& m_form;
  std::string m_word;
};

TCompileForm::TCompileForm(CompileLog log) : m_log(std::move(log)) {}

void TCompileForm::log(const std::string& line) const {
  if (m_log) m_log(line);
}

void TCompileForm::CompileFiles(const std::vector<std::string>& sourcePaths) {
  for (const auto& path : sourcePaths) CompileProject(path);
}

void TCompileForm::CompileProject(const std::string& sourcePath) {
  log("");
  log("Compiling: " + sourcePath);
  m_vlxFileName = detail::ChangeFileExt(sourcePath, ".vlx");
  std::error_code error;
  if (std::filesystem::exists(m_vlxFileName, error) &&
      !std::filesystem::remove(m_vlxFileName, error)) {
    throw FileError("Cannot delete \"" + m_vlxFileName + "\": " + error.message());
  }
  m_writer = std::make_unique<TVlxWriter>();
  m_headerLines.clear();
  m_tenseLines.clear();
  m_wordIndex.clear();
  CheckPictures(sourcePath);
  StorePictures();

  std::exception_ptr readError;
  try {
    Reader reader(*this);
    reader.Read(m_sourceLines);
  } catch (const ListIndexError&) {
    // A source that ends inside a word block: what was read is still written.
    readError = std::current_exception();
  }
  m_writer->WriteList({}, kHeaderStream, m_headerLines, true);
  m_writer->WriteList({}, kTensesStream, m_tenseLines, true);
  m_writer->WriteList({}, kIndexStream, m_wordIndex, true);
  m_writer->WriteSizesAndMarker();
  m_writer->Save(m_vlxFileName);
  m_writer.reset();
  if (readError) std::rethrow_exception(readError);

  log("READY");
  verify();
}

void TCompileForm::verify() {
  log("File verified:");
  std::string page;
  try {
    const Tvlx vlx(m_vlxFileName);
    log(vlx.HasHeader() ? "OK." : "Failed!");
    if (vlx.TenseCount() > 0) page = vlx.PageText("be", vlx.TenseID(0));
  } catch (const Error&) {
    // A file whose lists cannot be read back is what "Failed!" reports.
    log("Failed!");
  }
  if (page.ends_with("\r\n")) page.resize(page.size() - 2);
  log(page);
}

void TCompileForm::CheckPictures(const std::string& sourcePath) {
  log("Checking pictures");
  if (m_vlxFileName.empty()) m_vlxFileName = detail::ChangeFileExt(sourcePath, ".vlx");
  m_pictures.clear();
  m_sourceLines = LoadTextLines(storage::ReadFileWhole(sourcePath, kMaxProjectBytes));
  for (auto& line : m_sourceLines) {
    // Without a picture tag no piece changes, and the line stays as it is.
    if (!detail::ContainsNoCase(line, ":<HTML") || !detail::IsPictureTag(line)) continue;
    auto pieces = detail::SplitBeforeTags(line);
    for (auto& piece : pieces) {
      if (!detail::StartsWithNoCase(piece, "<IMG") && !detail::StartsWithNoCase(piece, "<EMBED")) {
        continue;
      }
      std::string found;
      piece = CheckPicture(piece, found);
      if (!found.empty()) addPicture(found);
    }
    if (m_autoCorrect) line = detail::Join(pieces);
  }
}

std::string TCompileForm::CheckPicture(const std::string& piece, std::string& foundPath) {
  foundPath.clear();
  const std::size_t src = detail::FindNoCase(piece, "SRC=\"");
  if (src == std::string::npos) return piece;
  const std::size_t start = src + 5;
  const std::size_t end = piece.find('"', start);
  const std::string reference =
      end == std::string::npos ? std::string() : piece.substr(start, end - start);
  if (detail::FileExists(reference)) {
    log("\t" + reference);
    foundPath = reference;
    return piece;
  }
  log("\tERROR: " + reference);
  // "file:///home/…" keeps the root of its absolute path.
  const std::string path = detail::ReplaceAll(reference, "file://", "");
  auto corrected = [&](const std::string& found) {
    log("\tShould be: " + found);
    if (m_autoCorrect) log("\tCorrected");
    foundPath = found;
    return detail::ReplaceAll(piece, reference, found);
  };
  if (detail::FileExists(path)) return corrected(path);
  const std::string candidate =
      detail::ExtractFilePath(m_vlxFileName) + detail::ExtractFileName(path);
  if (!detail::ExtractFileName(path).empty() && detail::FileExists(candidate)) {
    return corrected(candidate);
  }
  log("\tFATAL ERROR");
  return piece;
}

void TCompileForm::addPicture(const std::string& path) {
  auto at = std::lower_bound(
      m_pictures.begin(), m_pictures.end(), path,
      [](const std::string& a, const std::string& b) { return nls::CompareText(a, b) < 0; });
  if (at != m_pictures.end() && nls::CompareText(*at, path) == 0) return;
  m_pictures.insert(at, path);
}

std::string TCompileForm::PictureStreamName(std::size_t number) const {
  return std::string(kPicturePrefix) + std::to_string(number) +
         detail::ExtractFileExt(m_pictures.at(number));
}

void TCompileForm::StorePictures() {
  if (!m_writer) m_writer = std::make_unique<TVlxWriter>();
  for (std::size_t j = 0; j < m_pictures.size(); ++j) {
    m_writer->WritePicture(PictureStreamName(j),
                           storage::ReadFileWhole(m_pictures[j], kMaxStreamBytes));
  }
}

std::string TCompileForm::MapPictureReferences(const std::string& page) const {
  if (!detail::IsPictureTag(page)) return page;
  auto pieces = detail::SplitBeforeTags(page);
  for (auto& piece : pieces) {
    if (!detail::IsPictureTag(piece)) continue;
    for (std::size_t j = 0; j < m_pictures.size(); ++j) {
      piece = detail::ReplaceAll(piece, m_pictures[j], PictureStreamName(j));
    }
  }
  return detail::Join(pieces);
}

}  // namespace flexel
