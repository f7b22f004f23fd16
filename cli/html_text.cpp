#include "cli/html_text.h"

#include <libxml/HTMLparser.h>
#include <libxml/HTMLtree.h>
#include <libxml/tree.h>

#include <algorithm>
#include <climits>
#include <memory>

#include "platform/core/error.h"

namespace flexel::cli {

namespace {

// Deeper nesting than this is not descended: its text is left out rather than risking the
// stack on a hostile page.
constexpr int kMaxDepth = 200;

struct DocFree {
  void operator()(xmlDoc* doc) const noexcept { xmlFreeDoc(doc); }
};
using DocPtr = std::unique_ptr<xmlDoc, DocFree>;

struct OutputFree {
  void operator()(xmlOutputBuffer* output) const noexcept { xmlOutputBufferClose(output); }
};

DocPtr ParseHtml(std::string_view html) {
  if (html.size() > static_cast<std::size_t>(INT_MAX)) {
    throw Error("the page is too large to read (" + std::to_string(html.size()) + " bytes)");
  }
  xmlDoc* doc = htmlReadMemory(
      html.data(), static_cast<int>(html.size()), nullptr, "UTF-8",
      HTML_PARSE_NONET | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NOIMPLIED);
  return DocPtr(doc);
}

bool NameIs(const xmlNode* node, const char* name) {
  return node->type == XML_ELEMENT_NODE && node->name != nullptr &&
         xmlStrcasecmp(node->name, reinterpret_cast<const xmlChar*>(name)) == 0;
}

bool IsSkipped(const xmlNode* node) {
  return NameIs(node, "head") || NameIs(node, "script") || NameIs(node, "style") ||
         NameIs(node, "title");
}

bool BreaksLine(const xmlNode* node) {
  static const char* const kBlocks[] = {"p",  "div", "br", "h1", "h2", "h3", "h4",        "h5",
                                        "h6", "li",  "ul", "ol", "tr", "hr", "blockquote"};
  return std::any_of(std::begin(kBlocks), std::end(kBlocks),
                     [node](const char* name) { return NameIs(node, name); });
}

// Appends text with runs of blanks (no-break spaces included) made one blank.
void AppendCollapsed(std::string& out, const char* text) {
  for (const char* p = text; *p != '\0'; ++p) {
    const auto c = static_cast<unsigned char>(*p);
    bool blank = c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
    if (c == 0xC2 && static_cast<unsigned char>(p[1]) == 0xA0) {
      blank = true;
      ++p;
    }
    if (blank) {
      if (!out.empty() && out.back() != ' ') {
        out += ' ';
      }
    } else {
      out += static_cast<char>(c);
    }
  }
}

std::string Trimmed(std::string text) {
  while (!text.empty() && text.back() == ' ') {
    text.pop_back();
  }
  const std::size_t start = text.find_first_not_of(' ');
  return start == std::string::npos ? std::string() : text.substr(start);
}

void CollectText(const xmlNode* node, std::string& out, int depth) {
  for (; node != nullptr && depth < kMaxDepth; node = node->next) {
    if (node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE) {
      if (node->content != nullptr) {
        AppendCollapsed(out, reinterpret_cast<const char*>(node->content));
      }
    } else if (node->type == XML_ELEMENT_NODE && !IsSkipped(node)) {
      if (BreaksLine(node) && !out.empty() && out.back() != ' ') {
        out += ' ';
      }
      CollectText(node->children, out, depth + 1);
    }
  }
}

class BlockCollector {
 public:
  std::vector<HtmlBlock> Take(const xmlNode* root) {
    Walk(root, 0);
    EndLine();
    return std::move(m_blocks);
  }

 private:
  void EndLine() {
    std::string line = Trimmed(std::move(m_line));
    m_line.clear();
    if (!line.empty()) {
      m_blocks.push_back(HtmlBlock{false, {}, std::move(line)});
    }
  }

  void Table(const xmlNode* table, int depth) {
    EndLine();
    HtmlBlock block{true, {}, {}};
    Rows(table->children, block.rows, depth + 1);
    if (!block.rows.empty()) {
      m_blocks.push_back(std::move(block));
    }
  }

  // Rows of a table, also inside thead, tbody and tfoot.
  void Rows(const xmlNode* node, TextRows& rows, int depth) {
    for (; node != nullptr && depth < kMaxDepth; node = node->next) {
      if (NameIs(node, "tr")) {
        std::vector<std::string> cells;
        for (const xmlNode* cell = node->children; cell != nullptr; cell = cell->next) {
          if (NameIs(cell, "td") || NameIs(cell, "th")) {
            std::string text;
            CollectText(cell->children, text, depth + 2);
            cells.push_back(Trimmed(std::move(text)));
          }
        }
        if (!cells.empty()) {
          rows.push_back(std::move(cells));
        }
      } else if (node->type == XML_ELEMENT_NODE && !NameIs(node, "table")) {
        Rows(node->children, rows, depth + 1);
      }
    }
  }

  void Walk(const xmlNode* node, int depth) {
    for (; node != nullptr && depth < kMaxDepth; node = node->next) {
      if (node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE) {
        if (node->content != nullptr) {
          AppendCollapsed(m_line, reinterpret_cast<const char*>(node->content));
        }
        continue;
      }
      if (node->type != XML_ELEMENT_NODE || IsSkipped(node)) {
        continue;
      }
      if (NameIs(node, "table")) {
        Table(node, depth);
        continue;
      }
      const bool breaks = BreaksLine(node);
      if (breaks) {
        EndLine();
      }
      Walk(node->children, depth + 1);
      if (breaks) {
        EndLine();
      }
    }
  }

  std::vector<HtmlBlock> m_blocks;
  std::string m_line;
};

const xmlNode* FindBody(const xmlNode* node, int depth) {
  for (; node != nullptr && depth < kMaxDepth; node = node->next) {
    if (NameIs(node, "body")) {
      return node;
    }
    if (node->type == XML_ELEMENT_NODE) {
      if (const xmlNode* body = FindBody(node->children, depth + 1)) {
        return body;
      }
    }
  }
  return nullptr;
}

bool HasBodyTag(std::string_view html) {
  for (std::size_t at = html.find('<'); at != std::string_view::npos; at = html.find('<', at + 1)) {
    const std::string_view tag = html.substr(at + 1, 4);
    if (tag.size() == 4 && (tag[0] | 0x20) == 'b' && (tag[1] | 0x20) == 'o' &&
        (tag[2] | 0x20) == 'd' && (tag[3] | 0x20) == 'y') {
      return true;
    }
  }
  return false;
}

}  // namespace

std::vector<HtmlBlock> HtmlTextBlocks(std::string_view html) {
  if (html.empty()) {
    return {};
  }
  const DocPtr doc = ParseHtml(html);
  if (!doc) {
    return {};
  }
  return BlockCollector().Take(doc->children);
}

std::string HtmlBodyContent(std::string_view html) {
  if (!HasBodyTag(html)) {
    return std::string(html);
  }
  const DocPtr doc = ParseHtml(html);
  const xmlNode* body = doc ? FindBody(doc->children, 0) : nullptr;
  if (body == nullptr) {
    return std::string(html);
  }
  std::unique_ptr<xmlOutputBuffer, OutputFree> output(xmlAllocOutputBuffer(nullptr));
  if (!output) {
    throw Error("out of memory while reading a page");
  }
  // Unformatted, so the page keeps its own line breaks and no new ones appear.
  for (const xmlNode* child = body->children; child != nullptr; child = child->next) {
    htmlNodeDumpFormatOutput(output.get(), doc.get(), const_cast<xmlNode*>(child), "UTF-8", 0);
  }
  xmlOutputBufferFlush(output.get());
  const xmlBuf* buffer = output->buffer;
  return std::string(reinterpret_cast<const char*>(xmlBufContent(buffer)),
                     xmlBufUse(const_cast<xmlBuf*>(buffer)));
}

}  // namespace flexel::cli
