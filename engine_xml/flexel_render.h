#pragma once
// Rendering of a tense's forms text into cell texts and HTML tables, of the group's verb page
// template and of a language's information page. The forms text is what the conjugator
// computes: rows each ended by "/", cells separated by TAB (column 0 the pronoun), alternatives
// by ";", one-character form markers anywhere in an alternative. The active word hands in the
// forms text and the way an alternative is transliterated (CellRendering); nothing here knows
// the loader.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace flexel {

class TTransliterator;

// Marker codes, highest priority first in the forms: "_" 4, "½" 3, "*" 2, "+" 1, none 0;
// column 0 is always 5.
inline constexpr int kMarkerNormal = 0;
inline constexpr int kMarkerOrto = 1;
inline constexpr int kMarkerIrregular = 2;
inline constexpr int kMarkerArchaic = 3;
inline constexpr int kMarkerNotUsed = 4;
inline constexpr int kMarkerPronoun = 5;

// Longer alternatives and more alternatives per cell are refused, never cut.
inline constexpr std::size_t kMaxAlternativeLength = 255;
inline constexpr std::size_t kMaxAlternatives = 255;
// Guards against a forms text or page template built to explode.
inline constexpr std::size_t kMaxTableCells = 1 << 16;
inline constexpr std::size_t kMaxPageBytes = std::size_t{64} << 20;

// How the text of one alternative (markers and homonym number already removed) is shown. An
// empty function leaves the text as it is.
struct CellRendering {
  std::function<std::string(std::string_view)> display;
  // For cells marked "\\"; receives the alternative with its leading "\" if it has one.
  std::function<std::string(std::string_view)> native;
  // `display` gives valid UTF-8 text without "\" back unchanged, so it need not be asked.
  bool displayKeepsPlainText = false;
};

// Display through `display`; native through RenderNative with the word's imetransducer. Both
// transliterators must outlive the result.
[[nodiscard]] CellRendering TransliteratedRendering(const TTransliterator& display,
                                                    const TTransliterator& native,
                                                    std::string imeTransducer);

// "<span class=normal>" ... "<span class=pronoun>" for codes 0..5; "</span>" closes them all.
[[nodiscard]] std::string_view MarkerOpenTag(int code);
inline constexpr std::string_view kMarkerCloseTag = "</span>";
// The highest-priority marker code of an alternative (0 when it has none).
[[nodiscard]] int MarkerCode(std::string_view alternative) noexcept;
[[nodiscard]] std::string StripMarkers(std::string_view alternative);

// Number of "/" in the forms text.
[[nodiscard]] int TenseRowCount(std::string_view forms) noexcept;
// The largest number of cells over the rows (1 + TABs of the row); 0 without rows.
[[nodiscard]] int TenseColCount(std::string_view forms) noexcept;
// Row from 1 (below 1 means 1), column from 0: the cell as plain display text, alternatives
// joined by "; ". A missing row or column is the empty text.
[[nodiscard]] std::string TenseCell(std::string_view forms, int row, int column,
                                    const CellRendering& rendering);
// The same cell with every alternative in its marker span, joined by "; ".
[[nodiscard]] std::string TenseCellHTML(std::string_view forms, int row, int column,
                                        const CellRendering& rendering);
// The whole tense as a table; the empty text without rows.
[[nodiscard]] std::string TenseTableHTML(std::string_view forms, const CellRendering& rendering);

// The verb page template with every "<flexel:{N}>", N 0..99, replaced by tenseTable(N); other
// tags stay. Each table is asked for once and inserted text is not searched again.
[[nodiscard]] std::string PageHTML(std::string_view htmlTemplate,
                                   const std::function<std::string(int)>& tenseTable);

// The word as shown: native + " (" + display + ")" when the native text is non-empty and
// differs, otherwise the display text.
[[nodiscard]] std::string WordDisplayText(std::string_view word, const CellRendering& rendering);

// An ordinary (not flag) picture of the language, bytes already decoded from hexadecimal.
struct InfoPicture {
  std::string description;
  std::string format;  // as written in the file; its lower case names the file's extension
  std::string bytes;
};

// "Additional information" from the extra information lines "NAME<TAB>TEXT" (all but
// "Summary"), and "Images": picture i is written whole to htmlDirectory + "xmlverbI.FORMAT"
// (an existing file is replaced) and shown from there. htmlDirectory ends with "/" or is empty
// for the current directory. Throws flexel::FileError naming the file it cannot write.
[[nodiscard]] std::string LanguageInfoHTML(const std::vector<std::string>& extraInfoLines,
                                           const std::vector<InfoPicture>& pictures,
                                           const std::string& htmlDirectory);

// The file name picture i gets: "xmlverb%d.%s" with the format lower-cased, reduced to letters
// and digits so a language file cannot name a path.
[[nodiscard]] std::string PictureFileName(int index, std::string_view format);

}  // namespace flexel
