#pragma once
// Plain tables for a terminal: columns aligned by the width the text takes on screen, counted
// per code point (wide East Asian characters take two cells, combining marks none).

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace flexel::cli {

using TextRows = std::vector<std::vector<std::string>>;

[[nodiscard]] std::size_t DisplayWidth(std::string_view utf8);

// Appends the rows, each line starting with indent and its cells padded to the widest cell of
// the column, separated by two spaces; lines carry no trailing blanks. Tabs and line breaks
// inside a cell are shown as blanks so the layout holds.
void AppendTable(std::string& out, const TextRows& rows, std::string_view indent);

}  // namespace flexel::cli
