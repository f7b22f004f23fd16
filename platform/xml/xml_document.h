#pragma once
// A small read-only DOM over libxml2: open a file, walk child elements by index or by name,
// read texts and attributes. Parsing never touches the network, never loads a DTD or an
// external entity and never expands entities, so a hostile document cannot make it explode.
// Text is UTF-8 whatever encoding the file declares.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace flexel::xml {

class XmlDocument;

// A view on one element of an open document; valid while its XmlDocument lives. A
// default-constructed (null) element answers every question with "nothing".
class XmlElement {
 public:
  XmlElement() noexcept = default;

  [[nodiscard]] explicit operator bool() const noexcept { return m_node != nullptr; }
  [[nodiscard]] std::string Name() const;

  // Child elements only; texts, comments and processing instructions are not counted.
  [[nodiscard]] int ChildCount() const noexcept;
  // Null when index is outside 0..ChildCount()-1.
  [[nodiscard]] XmlElement Child(int index) const noexcept;
  // The first child element of that name in document order, null when none.
  [[nodiscard]] XmlElement Child(std::string_view name) const noexcept;
  [[nodiscard]] std::vector<XmlElement> Children() const;

  // Concatenated character data of the element and its descendants, without leading and
  // trailing white space. A reference to a declared entity is kept as written ("&name;").
  [[nodiscard]] std::string Text() const;
  // The same without trimming.
  [[nodiscard]] std::string RawText() const;

  // nullopt when the attribute is missing, "" when it is present but empty.
  [[nodiscard]] std::optional<std::string> Attribute(std::string_view name) const;
  [[nodiscard]] std::string AttributeOr(std::string_view name, std::string fallback) const;

  [[nodiscard]] bool operator==(const XmlElement& other) const noexcept = default;

 private:
  friend class XmlDocument;
  explicit XmlElement(void* node) noexcept : m_node(node) {}
  void* m_node = nullptr;  // an xmlNode of type element, owned by the document
};

class XmlDocument {
 public:
  XmlDocument() noexcept;
  ~XmlDocument();
  XmlDocument(const XmlDocument&) = delete;
  XmlDocument& operator=(const XmlDocument&) = delete;
  XmlDocument(XmlDocument&& other) noexcept;
  XmlDocument& operator=(XmlDocument&& other) noexcept;

  // Throws flexel::FileError "<file>:<line>: <reason>" with the parser's reason when the
  // file cannot be read or is not well-formed.
  [[nodiscard]] static XmlDocument OpenFile(const std::string& path);

  [[nodiscard]] bool IsOpen() const noexcept { return m_impl != nullptr; }
  [[nodiscard]] XmlElement Root() const noexcept;
  [[nodiscard]] const std::string& FileName() const noexcept;

 private:
  struct Impl;
  std::unique_ptr<Impl> m_impl;
};

}  // namespace flexel::xml
