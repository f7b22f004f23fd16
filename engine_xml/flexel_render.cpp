#include "engine_xml/flexel_render.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <utility>

#include "engine_xml/flexel_transliterator.h"
#include "platform/core/error.h"
#include "platform/nls/nls.h"

namespace flexel {
namespace {

constexpr std::string_view kArchaicMarker = "\xC2\xBD";  // "½" in UTF-8
constexpr std::string_view kPageTagStart = "<flexel:{";
constexpr std::string_view kPageTagEnd = "}>";

// Rows are the texts before each "/"; text after the last "/" is no row.
std::vector<std::string_view> SplitRows(std::string_view forms) {
  std::vector<std::string_view> rows;
  std::size_t start = 0;
  for (std::size_t slash = forms.find('/'); slash != std::string_view::npos;
       slash = forms.find('/', start)) {
    rows.push_back(forms.substr(start, slash - start));
    start = slash + 1;
  }
  return rows;
}

// Row from 1, below 1 meaning 1; a row past the last is empty.
std::string_view RowText(std::string_view forms, int row) {
  std::size_t start = 0;
  for (int r = std::max(row, 1); r > 1; --r) {
    const std::size_t slash = forms.find('/', start);
    if (slash == std::string_view::npos) return {};
    start = slash + 1;
  }
  const std::size_t end = forms.find('/', start);
  if (end == std::string_view::npos) return {};
  return forms.substr(start, end - start);
}

std::string_view CellText(std::string_view row, int column) {
  if (column < 0) return {};
  std::size_t start = 0;
  for (int c = column; c > 0; --c) {
    const std::size_t tab = row.find('\t', start);
    if (tab == std::string_view::npos) return {};
    start = tab + 1;
  }
  const std::size_t end = row.find('\t', start);
  return row.substr(start, end == std::string_view::npos ? end : end - start);
}

std::string Position(int row, int column) {
  return " (row " + std::to_string(row) + ", column " + std::to_string(column) + ")";
}

void AppendStripped(std::string& out, std::string_view alternative) {
  // Most forms carry no marker at all.
  if (alternative.find_first_of("_*+\xC2") == std::string_view::npos) {
    out += alternative;
    return;
  }
  out.reserve(out.size() + alternative.size());
  for (std::size_t i = 0; i < alternative.size(); ++i) {
    const char c = alternative[i];
    if (c == '_' || c == '*' || c == '+') continue;
    if (alternative.substr(i).starts_with(kArchaicMarker)) {
      ++i;
      continue;
    }
    out.push_back(c);
  }
}

std::string Render(const std::function<std::string(std::string_view)>& step,
                   std::string_view text) {
  return step ? step(text) : std::string(text);
}

// Refuses a cell that holds what a form may not, before any of it is shown.
void CheckAlternatives(std::string_view cell, int row, int column) {
  if (static_cast<std::size_t>(std::count(cell.begin(), cell.end(), ';')) >= kMaxAlternatives) {
    throw Error("Cell with more than " + std::to_string(kMaxAlternatives) + " alternatives" +
                Position(row, column));
  }
  // Bytes bound code points from above: most cells need no count.
  if (cell.size() <= kMaxAlternativeLength) return;
  for (std::size_t start = 0;;) {
    const std::size_t end = cell.find(';', start);
    const std::string_view alternative = cell.substr(start, end - start);
    if (nls::CodePointCount(alternative) > kMaxAlternativeLength) {
      throw Error("Alternative longer than " + std::to_string(kMaxAlternativeLength) +
                  " characters" + Position(row, column));
    }
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
}

// "2@haben" names the second homonym; only an integer before "@" is such a number.
std::string_view StripHomonymNumber(std::string_view alternative) {
  const std::size_t at = alternative.find('@');
  if (at == std::string_view::npos || at == 0) return alternative;
  const std::string_view number = alternative.substr(0, at);
  const bool digits =
      std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
  return digits ? alternative.substr(at + 1) : alternative;
}

// One cell, plain or in marker spans; row and column only name the cell in errors.
std::string RenderCell(std::string_view cell, int row, int column, const CellRendering& rendering,
                       bool html) {
  if (cell.empty()) return {};
  bool native = false;
  if (cell.starts_with("\\\\")) {
    cell.remove_prefix(2);
    native = html;  // the plain cell is always the display text
  }
  CheckAlternatives(cell, row, column);
  std::string out;
  std::string text;
  for (std::size_t start = 0;;) {
    const std::size_t end = cell.find(';', start);
    const std::string_view raw = cell.substr(start, end - start);
    if (start > 0) out += "; ";
    const std::string_view alternative = StripHomonymNumber(raw);
    text.clear();
    AppendStripped(text, alternative);
    const auto& step = native ? rendering.native : rendering.display;
    if (html) out += MarkerOpenTag(column == 0 ? kMarkerPronoun : MarkerCode(alternative));
    const bool unchanged =
        !step || (!native && rendering.displayKeepsPlainText &&
                  text.find('\\') == std::string::npos && nls::IsValidUtf8(text));
    if (unchanged) {
      out += text;
    } else {
      out += step(text);
    }
    if (html) out += kMarkerCloseTag;
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return out;
}

// Whole or not at all: a reader of the HTML folder never sees half a picture.
void WriteFileWhole(const std::string& path, std::string_view bytes) {
  const auto fail = [&path](int error) {
    throw FileError("Cannot create file \"" + path + "\". " + std::strerror(error));
  };
  std::string temp = path + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) fail(errno);
  const auto abandon = [&](int error) {
    ::close(fd);
    ::unlink(temp.c_str());
    fail(error);
  };
  if (::fchmod(fd, 0644) != 0) abandon(errno);
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      abandon(errno);
    }
    written += static_cast<std::size_t>(n);
  }
  if (::close(fd) != 0) {
    const int error = errno;
    ::unlink(temp.c_str());
    fail(error);
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    const int error = errno;
    ::unlink(temp.c_str());
    fail(error);
  }
}

}  // namespace

CellRendering TransliteratedRendering(const TTransliterator& display, const TTransliterator& native,
                                      std::string imeTransducer) {
  CellRendering rendering;
  rendering.display = [&display](std::string_view text) { return display.Transliterate(text); };
  rendering.displayKeepsPlainText = display.KeepsPlainText();
  rendering.native = [&native, ime = std::move(imeTransducer)](std::string_view text) {
    return RenderNative(text, ime, native);
  };
  return rendering;
}

std::string_view MarkerOpenTag(int code) {
  static constexpr std::array<std::string_view, 6> kTags = {
      "<span class=normal>",  "<span class=orto>",    "<span class=irregular>",
      "<span class=archaic>", "<span class=notused>", "<span class=pronoun>"};
  return kTags.at(static_cast<std::size_t>(code));
}

int MarkerCode(std::string_view alternative) noexcept {
  int code = kMarkerNormal;
  for (std::size_t i = 0; i < alternative.size(); ++i) {
    switch (alternative[i]) {
      case '_':
        code = std::max(code, kMarkerNotUsed);
        break;
      case '*':
        code = std::max(code, kMarkerIrregular);
        break;
      case '+':
        code = std::max(code, kMarkerOrto);
        break;
      default:
        if (alternative.substr(i).starts_with(kArchaicMarker)) {
          code = std::max(code, kMarkerArchaic);
        }
        break;
    }
  }
  return code;
}

std::string StripMarkers(std::string_view alternative) {
  std::string out;
  AppendStripped(out, alternative);
  return out;
}

int TenseRowCount(std::string_view forms) noexcept {
  return static_cast<int>(std::count(forms.begin(), forms.end(), '/'));
}

int TenseColCount(std::string_view forms) noexcept {
  std::size_t columns = 0;
  std::size_t cells = 1;
  for (const char c : forms) {
    if (c == '\t') {
      ++cells;
    } else if (c == '/') {
      columns = std::max(columns, cells);
      cells = 1;
    }
  }
  return static_cast<int>(columns);
}

std::string TenseCell(std::string_view forms, int row, int column, const CellRendering& rendering) {
  return RenderCell(CellText(RowText(forms, row), column), std::max(row, 1), column, rendering,
                    false);
}

std::string TenseCellHTML(std::string_view forms, int row, int column,
                          const CellRendering& rendering) {
  return RenderCell(CellText(RowText(forms, row), column), std::max(row, 1), column, rendering,
                    true);
}

std::string TenseTableHTML(std::string_view forms, const CellRendering& rendering) {
  const std::vector<std::string_view> rows = SplitRows(forms);
  const std::size_t columns = static_cast<std::size_t>(TenseColCount(forms));
  if (rows.empty() || columns == 0) return {};
  if (rows.size() * columns > kMaxTableCells) {
    throw Error("Tense table with " + std::to_string(rows.size() * columns) +
                " cells is too large");
  }
  std::string html = "<table cellspacing=0 cellpadding=0>";
  // Room for the markup of every cell and twice its text, so the table grows once or twice.
  html.reserve(64 + 2 * forms.size() + rows.size() * (8 + columns * 64));
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const std::string_view row = rows[r];
    html += "<tr>";
    std::size_t start = 0;
    bool more = true;  // cells left in the row
    for (std::size_t c = 0; c < columns; ++c) {
      html += "<td><p>";
      if (more) {
        const std::size_t tab = row.find('\t', start);
        const std::string_view cell =
            row.substr(start, tab == std::string_view::npos ? tab : tab - start);
        html += RenderCell(cell, static_cast<int>(r + 1), static_cast<int>(c), rendering, true);
        more = tab != std::string_view::npos;
        start = tab + 1;
      }
      html += "&nbsp;</p></td>";
    }
    html += "<tr>\r\n";
  }
  html += "</table>";
  return html;
}

std::string PageHTML(std::string_view htmlTemplate,
                     const std::function<std::string(int)>& tenseTable) {
  std::map<int, std::string> tables;
  std::string page;
  std::size_t pos = 0;
  for (std::size_t at = htmlTemplate.find(kPageTagStart); at != std::string_view::npos;
       at = htmlTemplate.find(kPageTagStart, pos)) {
    const std::size_t digits = at + kPageTagStart.size();
    std::size_t end = digits;
    while (end < htmlTemplate.size() && end - digits < 3 && htmlTemplate[end] >= '0' &&
           htmlTemplate[end] <= '9') {
      ++end;
    }
    const std::size_t length = end - digits;
    // Exactly how "%d" writes 0..99: one or two digits, no leading zero.
    const bool tag = (length == 1 || (length == 2 && htmlTemplate[digits] != '0')) &&
                     htmlTemplate.substr(end).starts_with(kPageTagEnd);
    if (!tag) {
      page.append(htmlTemplate.substr(pos, at + 1 - pos));
      pos = at + 1;
      continue;
    }
    int tense = 0;
    for (std::size_t i = digits; i < end; ++i) tense = tense * 10 + (htmlTemplate[i] - '0');
    auto found = tables.find(tense);
    if (found == tables.end()) found = tables.emplace(tense, tenseTable(tense)).first;
    page.append(htmlTemplate.substr(pos, at - pos));
    page += found->second;
    pos = end + kPageTagEnd.size();
    if (page.size() > kMaxPageBytes) {
      throw Error("Verb page larger than " + std::to_string(kMaxPageBytes >> 20) + " MB");
    }
  }
  page.append(htmlTemplate.substr(pos));
  return page;
}

std::string WordDisplayText(std::string_view word, const CellRendering& rendering) {
  const std::string display = Render(rendering.display, word);
  const std::string native = Render(rendering.native, word);
  if (!native.empty() && native != display) return native + " (" + display + ")";
  return display;
}

std::string PictureFileName(int index, std::string_view format) {
  std::string extension;
  for (const char c : format) {
    if (extension.size() == 16) break;
    if (c >= 'A' && c <= 'Z') {
      extension.push_back(static_cast<char>(c - 'A' + 'a'));
    } else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
      extension.push_back(c);
    }
  }
  // Pictures of an unknown format are read as bitmaps.
  if (extension.empty()) extension = "bmp";
  return "xmlverb" + std::to_string(index) + "." + extension;
}

std::string LanguageInfoHTML(const std::vector<std::string>& extraInfoLines,
                             const std::vector<InfoPicture>& pictures,
                             const std::string& htmlDirectory) {
  std::string html;
  if (!extraInfoLines.empty()) {
    html += "<h2>Additional information</h2>";
    for (const std::string& line : extraInfoLines) {
      const std::size_t tab = line.find('\t');
      const std::string_view name = std::string_view(line).substr(0, tab);
      const std::string_view text =
          tab == std::string::npos ? std::string_view() : std::string_view(line).substr(tab + 1);
      if (name == "Summary") continue;
      html += "<h3>";
      html += name;
      html += "</h3><p>";
      html += text;
      html += "</p>\r\n";
    }
    html += "<hr>";
  }
  if (!pictures.empty()) {
    html += "<h2>Images</h2>";
    for (std::size_t i = 0; i < pictures.size(); ++i) {
      const std::string fileName = PictureFileName(static_cast<int>(i), pictures[i].format);
      WriteFileWhole(htmlDirectory + fileName, pictures[i].bytes);
      html += "<p><img src=\"" + fileName + "\"><br>" + pictures[i].description + "</p>";
    }
    html += "<hr>";
  }
  return html;
}

}  // namespace flexel
