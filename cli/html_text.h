#pragma once
// Reading the HTML pages an engine hands out (a VLX word's stored page per tense), for output
// that is not a browser: the tables and texts a terminal shows, or the inside of the page's
// body to place in another page. Parsing never touches the network.

#include <string>
#include <string_view>
#include <vector>

#include "cli/text_table.h"

namespace flexel::cli {

// A table of the page (isTable, rows of cell texts) or a line of text outside the tables.
struct HtmlBlock {
  bool isTable = false;
  TextRows rows;
  std::string text;
};

// The blocks of the page in document order; blanks collapsed, head, scripts and styles left
// out.
[[nodiscard]] std::vector<HtmlBlock> HtmlTextBlocks(std::string_view html);

// What lies inside the page's body element, as HTML; the text unchanged when it has no body.
[[nodiscard]] std::string HtmlBodyContent(std::string_view html);

}  // namespace flexel::cli
