#include "platform/xml/xml_document.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>

#include <mutex>

#include "platform/core/error.h"

namespace flexel::xml {
namespace detail {

xmlNode* AsNode(void* node) noexcept { return static_cast<xmlNode*>(node); }

const char* AsChars(const xmlChar* text) noexcept { return reinterpret_cast<const char*>(text); }

bool IsXmlSpace(char c) noexcept { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The first error of a parse; later ones are usually consequences of it. Errors raised while
// an entity's text is parsed carry no file and count lines within that text, so the first error
// that names the document wins over them.
struct ErrorCollector {
  bool seen = false;
  std::string file;
  int line = 0;
  std::string message;
};

void CollectError(void* userData, xmlErrorPtr error) {
  if (userData == nullptr || error == nullptr) return;
  auto* ctxt = static_cast<xmlParserCtxtPtr>(userData);
  auto* collector = static_cast<ErrorCollector*>(ctxt->_private);
  if (collector == nullptr || error->level < XML_ERR_ERROR) return;
  // A document already known not to be well formed is refused whatever follows; parsing on
  // only raises more errors, and entity values nested ten deep raise them by the million.
  if (ctxt->wellFormed == 0) xmlStopParser(ctxt);
  const bool namesFile = error->file != nullptr;
  if (collector->seen && (!collector->file.empty() || !namesFile)) return;
  collector->seen = true;
  collector->file = namesFile ? error->file : "";
  collector->line = error->line;
  collector->message = error->message != nullptr ? error->message : "";
  while (!collector->message.empty() && IsXmlSpace(collector->message.back())) {
    collector->message.pop_back();
  }
}

struct ParserContextDeleter {
  void operator()(xmlParserCtxt* ctxt) const noexcept { xmlFreeParserCtxt(ctxt); }
};

struct DocDeleter {
  void operator()(xmlDoc* doc) const noexcept { xmlFreeDoc(doc); }
};

}  // namespace detail

struct XmlDocument::Impl {
  std::unique_ptr<xmlDoc, detail::DocDeleter> doc;
  std::string fileName;
};

XmlDocument::XmlDocument() noexcept = default;
XmlDocument::~XmlDocument() = default;
XmlDocument::XmlDocument(XmlDocument&& other) noexcept = default;
XmlDocument& XmlDocument::operator=(XmlDocument&& other) noexcept = default;

XmlDocument XmlDocument::OpenFile(const std::string& path) {
  static std::once_flag initialised;
  std::call_once(initialised, [] { xmlInitParser(); });

  std::unique_ptr<xmlParserCtxt, detail::ParserContextDeleter> ctxt(xmlNewParserCtxt());
  if (!ctxt) throw FileError(path + ": out of memory creating the XML parser");
  detail::ErrorCollector collector;
  ctxt->_private = &collector;
  ctxt->sax->serror = &detail::CollectError;

  // No network, no DTD loading, no entity substitution: entity references stay references.
  const int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
  std::unique_ptr<xmlDoc, detail::DocDeleter> doc(
      xmlCtxtReadFile(ctxt.get(), path.c_str(), nullptr, options));
  const bool wellFormed = ctxt->wellFormed != 0;
  ctxt->_private = nullptr;

  if (!doc || !wellFormed || xmlDocGetRootElement(doc.get()) == nullptr) {
    if (!collector.seen) {
      collector.file = path;
      collector.message = doc ? "the document has no root element" : "cannot read the file";
    }
    const std::string file = collector.file.empty() ? path : collector.file;
    throw FileError(file + ":" + std::to_string(collector.line) + ": " + collector.message);
  }

  XmlDocument result;
  result.m_impl = std::make_unique<Impl>();
  result.m_impl->doc = std::move(doc);
  result.m_impl->fileName = path;
  return result;
}

XmlElement XmlDocument::Root() const noexcept {
  if (!m_impl) return XmlElement();
  return XmlElement(xmlDocGetRootElement(m_impl->doc.get()));
}

const std::string& XmlDocument::FileName() const noexcept {
  static const std::string kNone;
  return m_impl ? m_impl->fileName : kNone;
}

std::string XmlElement::Name() const {
  if (!m_node) return {};
  return detail::AsChars(detail::AsNode(m_node)->name);
}

int XmlElement::ChildCount() const noexcept {
  int count = 0;
  if (!m_node) return 0;
  for (xmlNode* child = detail::AsNode(m_node)->children; child; child = child->next) {
    if (child->type == XML_ELEMENT_NODE) ++count;
  }
  return count;
}

XmlElement XmlElement::Child(int index) const noexcept {
  if (!m_node || index < 0) return XmlElement();
  for (xmlNode* child = detail::AsNode(m_node)->children; child; child = child->next) {
    if (child->type != XML_ELEMENT_NODE) continue;
    if (index == 0) return XmlElement(child);
    --index;
  }
  return XmlElement();
}

XmlElement XmlElement::Child(std::string_view name) const noexcept {
  if (!m_node) return XmlElement();
  for (xmlNode* child = detail::AsNode(m_node)->children; child; child = child->next) {
    if (child->type == XML_ELEMENT_NODE && name == detail::AsChars(child->name)) {
      return XmlElement(child);
    }
  }
  return XmlElement();
}

std::vector<XmlElement> XmlElement::Children() const {
  std::vector<XmlElement> result;
  if (!m_node) return result;
  for (xmlNode* child = detail::AsNode(m_node)->children; child; child = child->next) {
    if (child->type == XML_ELEMENT_NODE) result.push_back(XmlElement(child));
  }
  return result;
}

std::string XmlElement::RawText() const {
  std::string text;
  if (!m_node) return text;
  // Iterative walk in document order; entity references are not entered, so nothing expands.
  xmlNode* top = detail::AsNode(m_node);
  xmlNode* node = top->children;
  while (node != nullptr) {
    bool descend = false;
    switch (node->type) {
      case XML_TEXT_NODE:
      case XML_CDATA_SECTION_NODE:
        if (node->content != nullptr) text += detail::AsChars(node->content);
        break;
      case XML_ENTITY_REF_NODE:
        text += '&';
        text += detail::AsChars(node->name);
        text += ';';
        break;
      case XML_ELEMENT_NODE:
        descend = node->children != nullptr;
        break;
      default:
        break;
    }
    if (descend) {
      node = node->children;
      continue;
    }
    while (node != nullptr && node != top && node->next == nullptr) node = node->parent;
    if (node == nullptr || node == top) break;
    node = node->next;
  }
  return text;
}

std::string XmlElement::Text() const {
  std::string text = RawText();
  std::size_t begin = 0, end = text.size();
  while (begin < end && detail::IsXmlSpace(text[begin])) ++begin;
  while (end > begin && detail::IsXmlSpace(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

std::optional<std::string> XmlElement::Attribute(std::string_view name) const {
  if (!m_node) return std::nullopt;
  for (xmlAttr* attr = detail::AsNode(m_node)->properties; attr; attr = attr->next) {
    if (attr->ns != nullptr || name != detail::AsChars(attr->name)) continue;
    std::string value;
    for (xmlNode* part = attr->children; part; part = part->next) {
      if (part->type == XML_TEXT_NODE && part->content != nullptr) {
        value += detail::AsChars(part->content);
      } else if (part->type == XML_ENTITY_REF_NODE) {
        value += '&';
        value += detail::AsChars(part->name);
        value += ';';
      }
    }
    return value;
  }
  return std::nullopt;
}

std::string XmlElement::AttributeOr(std::string_view name, std::string fallback) const {
  auto value = Attribute(name);
  return value ? std::move(*value) : std::move(fallback);
}

}  // namespace flexel::xml
