#pragma once
// OLE compound files (structured storage): named storages holding named streams, the container
// of VLX files. A reader opens a file read-only and hands out its storages; a writer collects
// the tree in memory and writes the whole file in one pass (temporary file + rename). Element
// names are checked as the format requires; a hostile file gives an error or an empty result.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace flexel::storage {

inline constexpr std::size_t kMaxElementNameLength = 31;  // UTF-16 code units

// Throws flexel::Error naming the element when the format cannot take name: empty, longer than
// 31 UTF-16 code units, or holding "/", "\", ":", "!" or a NUL.
void CheckElementName(std::string_view name);
[[nodiscard]] bool IsValidElementName(std::string_view name) noexcept;
// Element names are told apart without regard to letter case, as in the format's directory.
[[nodiscard]] bool SameElementName(std::string_view a, std::string_view b);

struct ElementInfo {
  std::string name;
  bool isStorage = false;
  std::uint64_t size = 0;  // stream length as the directory claims it; 0 for storages
};

namespace detail {
struct StorageNode;
class CompoundFile;
}  // namespace detail

// A stream read piece by piece, for a large stream of which only some bytes are wanted.
class StreamReader {
 public:
  StreamReader(std::shared_ptr<detail::CompoundFile> file, std::uint32_t id, std::string shown);
  StreamReader(const StreamReader&) = delete;
  StreamReader& operator=(const StreamReader&) = delete;
  StreamReader(StreamReader&&) noexcept;
  StreamReader& operator=(StreamReader&&) noexcept;
  ~StreamReader();

  [[nodiscard]] std::uint64_t Size() const noexcept { return m_size; }
  // Up to n bytes from offset (fewer at the end). Throws FileError naming the stream when its
  // sectors cannot be read.
  [[nodiscard]] std::string Read(std::uint64_t offset, std::size_t n) const;

 private:
  std::shared_ptr<detail::CompoundFile> m_file;
  std::uint32_t m_id;
  std::string m_shown;
  std::uint64_t m_size = 0;
  mutable bool m_chainRead = false;
  mutable std::vector<std::uint32_t> m_chain;
};

// A storage of an open compound file (the root or a nested one). It keeps the file open for as
// long as it lives. A name is found exactly, else without regard to letter case.
class Storage {
 public:
  explicit Storage(std::shared_ptr<detail::StorageNode> node);
  Storage(const Storage&) = delete;
  Storage& operator=(const Storage&) = delete;
  Storage(Storage&&) noexcept = default;
  Storage& operator=(Storage&&) noexcept = default;
  ~Storage();

  [[nodiscard]] const std::string& Name() const;
  [[nodiscard]] std::vector<ElementInfo> Children() const;
  // The sub-storage, or nothing when there is no storage of that name.
  [[nodiscard]] std::optional<Storage> OpenStorage(std::string_view name) const;
  // The actual name of the stream, or nothing when there is no stream of that name.
  [[nodiscard]] std::optional<std::string> FindStream(std::string_view name) const;
  // The whole stream, or nothing when there is no stream of that name. A stream longer than
  // limit bytes, or one whose sectors cannot be read, throws FileError naming the stream.
  [[nodiscard]] std::optional<std::string> ReadStream(std::string_view name,
                                                      std::size_t limit) const;
  // The stream for reading piece by piece, or nothing when there is no stream of that name. A
  // stream longer than limit bytes throws FileError naming the stream.
  [[nodiscard]] std::optional<StreamReader> OpenStream(std::string_view name,
                                                       std::size_t limit) const;

 private:
  std::shared_ptr<detail::StorageNode> m_node;
};

// Opens path read-only. Throws FileError when the file cannot be read or is not a compound file.
[[nodiscard]] Storage OpenCompoundFile(const std::string& path);
// The same, giving nothing instead of throwing.
[[nodiscard]] std::optional<Storage> TryOpenCompoundFile(const std::string& path) noexcept;

// The tree of a compound file to be written, kept in memory until Save. Creating a storage that
// exists returns the earlier one; writing a stream that exists replaces its content. Every name
// is checked when it is added.
class StorageBuilder {
 public:
  explicit StorageBuilder(std::string name = {});
  StorageBuilder(const StorageBuilder&) = delete;
  StorageBuilder& operator=(const StorageBuilder&) = delete;
  StorageBuilder(StorageBuilder&&) noexcept;
  StorageBuilder& operator=(StorageBuilder&&) noexcept;
  ~StorageBuilder();

  [[nodiscard]] const std::string& Name() const noexcept { return m_name; }
  StorageBuilder& CreateStorage(std::string_view name);
  void WriteStream(std::string_view name, std::string bytes);

  struct Element;
  [[nodiscard]] const std::vector<Element>& Elements() const noexcept { return m_elements; }

 private:
  Element* find(std::string_view name);

  std::string m_name;
  std::vector<Element> m_elements;                        // in order of creation
  std::unordered_map<std::string, std::size_t> m_byName;  // upper-cased name -> element
};

struct StorageBuilder::Element {
  std::string name;
  std::unique_ptr<StorageBuilder> storage;  // set for a storage
  std::string bytes;                        // the content of a stream
};

class CompoundFileWriter {
 public:
  CompoundFileWriter();
  [[nodiscard]] StorageBuilder& Root() noexcept { return m_root; }
  // The whole file as bytes.
  [[nodiscard]] std::string Serialize() const;
  // Writes the file whole: a temporary file beside path, renamed over path. Throws FileError.
  void Save(const std::string& path) const;

 private:
  StorageBuilder m_root;
};

}  // namespace flexel::storage
