#include "platform/storage/compound_file.h"

#include <gsf/gsf.h>
#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <mutex>
#include <unordered_map>
#include <utility>

#include "platform/core/error.h"
#include "platform/storage/whole_file.h"

namespace flexel::storage {
namespace detail {

// Owns one reference to a GObject.
template <class T>
class GObjectPtr {
 public:
  GObjectPtr() noexcept = default;
  explicit GObjectPtr(T* object) noexcept : m_object(object) {}
  GObjectPtr(const GObjectPtr&) = delete;
  GObjectPtr& operator=(const GObjectPtr&) = delete;
  GObjectPtr(GObjectPtr&& other) noexcept : m_object(std::exchange(other.m_object, nullptr)) {}
  GObjectPtr& operator=(GObjectPtr&& other) noexcept {
    if (this != &other) {
      reset();
      m_object = std::exchange(other.m_object, nullptr);
    }
    return *this;
  }
  ~GObjectPtr() { reset(); }
  void reset() noexcept {
    if (m_object) g_object_unref(m_object);
    m_object = nullptr;
  }
  [[nodiscard]] T* get() const noexcept { return m_object; }
  explicit operator bool() const noexcept { return m_object != nullptr; }

 private:
  T* m_object = nullptr;
};

class GErrorPtr {
 public:
  GErrorPtr() = default;
  GErrorPtr(const GErrorPtr&) = delete;
  GErrorPtr& operator=(const GErrorPtr&) = delete;
  ~GErrorPtr() {
    if (m_error) g_error_free(m_error);
  }
  GError** out() noexcept { return &m_error; }

 private:
  GError* m_error = nullptr;
};

// libgsf reports what it finds wrong in a damaged file as log warnings; this library reports
// damage through its results and exceptions instead, so those lines are not printed.
void QuietLog(const gchar*, GLogLevelFlags, const gchar*, gpointer) {}

void InitGsf() {
  static std::once_flag once;
  std::call_once(once, [] {
    gsf_init();
    const auto levels =
        static_cast<GLogLevelFlags>(G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING |
                                    G_LOG_LEVEL_MESSAGE | G_LOG_LEVEL_INFO | G_LOG_LEVEL_DEBUG);
    for (const char* domain : {"libgsf", "libgsf:msole"}) {
      g_log_set_handler(domain, levels, QuietLog, nullptr);
    }
  });
}

// Upper-cased code points of valid UTF-8; nothing for invalid text.
std::optional<std::u32string> UpperCodePoints(std::string_view name) {
  std::u32string out;
  const auto* s = reinterpret_cast<const uint8_t*>(name.data());
  const int32_t length = static_cast<int32_t>(name.size());
  for (int32_t i = 0; i < length;) {
    UChar32 c;
    U8_NEXT(s, i, length, c);
    if (c < 0) return std::nullopt;
    out.push_back(static_cast<char32_t>(u_toupper(c)));
  }
  return out;
}

std::string FoldKey(std::string_view name) {
  const auto upper = UpperCodePoints(name);
  if (!upper) return std::string(name);
  std::string key;
  key.reserve(upper->size() * 4);
  for (char32_t c : *upper) {
    char buffer[U8_MAX_LENGTH];
    int32_t n = 0;
    UBool error = false;
    U8_APPEND(reinterpret_cast<uint8_t*>(buffer), n, U8_MAX_LENGTH, static_cast<UChar32>(c),
              error);
    if (!error) key.append(buffer, static_cast<std::size_t>(n));
  }
  return key;
}

struct StorageNode {
  GObjectPtr<GsfInput> source;  // the file, held by the root only
  std::shared_ptr<StorageNode> parent;
  GObjectPtr<GsfInfile> infile;
  std::string name;
  // Built on first lookup: exact name -> index and case-folded name -> first index.
  bool indexed = false;
  std::unordered_map<std::string, int> exact;
  std::unordered_map<std::string, int> folded;

  void buildIndex() {
    if (indexed) return;
    const int count = gsf_infile_num_children(infile.get());
    for (int i = 0; i < count; ++i) {
      const char* childName = gsf_infile_name_by_index(infile.get(), i);
      if (!childName) continue;
      exact.emplace(childName, i);
      folded.emplace(FoldKey(childName), i);
    }
    indexed = true;
  }

  int find(std::string_view wanted) {
    buildIndex();
    const std::string key(wanted);
    if (auto it = exact.find(key); it != exact.end()) return it->second;
    if (auto it = folded.find(FoldKey(wanted)); it != folded.end()) return it->second;
    return -1;
  }

  // The child at index i and whether it is a storage.
  std::pair<GObjectPtr<GsfInput>, bool> child(int i) const {
    GObjectPtr<GsfInput> input(gsf_infile_child_by_index(infile.get(), i));
    if (!input) return {GObjectPtr<GsfInput>(), false};
    const bool isStorage =
        GSF_IS_INFILE(input.get()) && gsf_infile_num_children(GSF_INFILE(input.get())) >= 0;
    return {std::move(input), isStorage};
  }
};

const char* ForbiddenCharacter(std::string_view name) noexcept {
  for (char c : name) {
    switch (c) {
      case '/': return "\"/\"";
      case '\\': return "\"\\\"";
      case ':': return "\":\"";
      case '!': return "\"!\"";
      case '\0': return "a NUL character";
      default: break;
    }
  }
  return nullptr;
}

// Why name cannot be an element name; empty when it can.
std::string NameProblem(std::string_view name) {
  if (name.empty()) return "the name is empty";
  if (const char* bad = ForbiddenCharacter(name)) return std::string("the name contains ") + bad;
  const auto* s = reinterpret_cast<const uint8_t*>(name.data());
  const int32_t length = static_cast<int32_t>(name.size());
  std::size_t units = 0;
  for (int32_t i = 0; i < length;) {
    UChar32 c;
    U8_NEXT(s, i, length, c);
    if (c < 0) return "the name is not valid UTF-8";
    units += c > 0xFFFF ? 2 : 1;
  }
  if (units > kMaxElementNameLength) return "the name is longer than 31 characters";
  return {};
}

}  // namespace detail

void CheckElementName(std::string_view name) {
  const std::string problem = detail::NameProblem(name);
  if (!problem.empty()) {
    throw Error("Cannot create element \"" + std::string(name) + "\": " + problem);
  }
}

bool IsValidElementName(std::string_view name) noexcept {
  try {
    return detail::NameProblem(name).empty();
  } catch (...) {  // only allocation can fail here
    return false;
  }
}

bool SameElementName(std::string_view a, std::string_view b) {
  if (a == b) return true;
  const auto ua = detail::UpperCodePoints(a);
  const auto ub = detail::UpperCodePoints(b);
  return ua && ub && *ua == *ub;
}

// ---- Reading ----

Storage::Storage(std::shared_ptr<detail::StorageNode> node) : m_node(std::move(node)) {}
Storage::~Storage() = default;

const std::string& Storage::Name() const { return m_node->name; }

std::vector<ElementInfo> Storage::Children() const {
  std::vector<ElementInfo> out;
  const int count = gsf_infile_num_children(m_node->infile.get());
  for (int i = 0; i < count; ++i) {
    const char* name = gsf_infile_name_by_index(m_node->infile.get(), i);
    auto [input, isStorage] = m_node->child(i);
    if (!name || !input) continue;
    ElementInfo info;
    info.name = name;
    info.isStorage = isStorage;
    if (!isStorage) {
      const gsf_off_t size = gsf_input_size(input.get());
      info.size = size > 0 ? static_cast<std::uint64_t>(size) : 0;
    }
    out.push_back(std::move(info));
  }
  return out;
}

std::optional<Storage> Storage::OpenStorage(std::string_view name) const {
  const int index = m_node->find(name);
  if (index < 0) return std::nullopt;
  auto [input, isStorage] = m_node->child(index);
  if (!isStorage) return std::nullopt;
  auto node = std::make_shared<detail::StorageNode>();
  node->parent = m_node;
  node->infile = detail::GObjectPtr<GsfInfile>(GSF_INFILE(input.get()));
  g_object_ref(input.get());  // the node holds its own reference
  const char* actual = gsf_infile_name_by_index(m_node->infile.get(), index);
  node->name = actual ? actual : std::string(name);
  return Storage(std::move(node));
}

std::optional<std::string> Storage::FindStream(std::string_view name) const {
  const int index = m_node->find(name);
  if (index < 0) return std::nullopt;
  auto [input, isStorage] = m_node->child(index);
  if (!input || isStorage) return std::nullopt;
  const char* actual = gsf_infile_name_by_index(m_node->infile.get(), index);
  return actual ? std::string(actual) : std::string(name);
}

std::optional<std::string> Storage::ReadStream(std::string_view name, std::size_t limit) const {
  const int index = m_node->find(name);
  if (index < 0) return std::nullopt;
  auto [input, isStorage] = m_node->child(index);
  if (isStorage) return std::nullopt;
  const std::string quoted = "\"" + std::string(name) + "\"";
  // The directory names the element but its sectors are damaged.
  if (!input) throw FileError("Stream " + quoted + " cannot be read");
  const gsf_off_t size = gsf_input_size(input.get());
  if (size < 0) throw FileError("Stream " + quoted + " cannot be read");
  if (static_cast<std::uint64_t>(size) > limit) {
    throw FileError("Stream " + quoted + " is larger than " + std::to_string(limit) + " bytes");
  }
  std::string bytes;
  bytes.resize(static_cast<std::size_t>(size));
  std::size_t done = 0;
  while (done < bytes.size()) {
    const std::size_t chunk = std::min<std::size_t>(bytes.size() - done, 65536);
    if (!gsf_input_read(input.get(), chunk, reinterpret_cast<guint8*>(bytes.data() + done))) {
      throw FileError("Stream " + quoted + " cannot be read");
    }
    done += chunk;
  }
  return bytes;
}

Storage OpenCompoundFile(const std::string& path) {
  detail::InitGsf();
  auto node = std::make_shared<detail::StorageNode>();
  {
    detail::GErrorPtr error;
    node->source = detail::GObjectPtr<GsfInput>(gsf_input_stdio_new(path.c_str(), error.out()));
  }
  if (!node->source) throw FileError("Cannot open \"" + path + "\"");
  {
    detail::GErrorPtr error;
    node->infile =
        detail::GObjectPtr<GsfInfile>(gsf_infile_msole_new(node->source.get(), error.out()));
  }
  if (!node->infile) throw FileError("\"" + path + "\" is not a compound file");
  return Storage(std::move(node));
}

std::optional<Storage> TryOpenCompoundFile(const std::string& path) noexcept {
  try {
    return OpenCompoundFile(path);
  } catch (...) {  // the caller asked for "nothing" instead of the reason
    return std::nullopt;
  }
}

// ---- Writing ----

StorageBuilder::StorageBuilder(std::string name) : m_name(std::move(name)) {}
StorageBuilder::StorageBuilder(StorageBuilder&&) noexcept = default;
StorageBuilder& StorageBuilder::operator=(StorageBuilder&&) noexcept = default;
StorageBuilder::~StorageBuilder() = default;

StorageBuilder::Element* StorageBuilder::find(std::string_view name) {
  for (auto& element : m_elements) {
    if (SameElementName(element.name, name)) return &element;
  }
  return nullptr;
}

StorageBuilder& StorageBuilder::CreateStorage(std::string_view name) {
  CheckElementName(name);
  if (Element* existing = find(name)) {
    if (!existing->storage) {
      throw Error("Cannot create storage \"" + std::string(name) + "\": a stream has that name");
    }
    return *existing->storage;
  }
  Element element;
  element.name = std::string(name);
  element.storage = std::make_unique<StorageBuilder>(element.name);
  m_elements.push_back(std::move(element));
  return *m_elements.back().storage;
}

void StorageBuilder::WriteStream(std::string_view name, std::string bytes) {
  CheckElementName(name);
  if (Element* existing = find(name)) {
    if (existing->storage) {
      throw Error("Cannot create stream \"" + std::string(name) + "\": a storage has that name");
    }
    existing->bytes = std::move(bytes);
    return;
  }
  Element element;
  element.name = std::string(name);
  element.bytes = std::move(bytes);
  m_elements.push_back(std::move(element));
}

namespace detail {

void CloseOutput(GsfOutput* output, const std::string& name) {
  if (!gsf_output_close(output)) throw Error("Cannot write element \"" + name + "\"");
}

void WriteChildren(GsfOutfile* parent, const StorageBuilder& storage) {
  for (const auto& element : storage.Elements()) {
    const bool isStorage = element.storage != nullptr;
    GObjectPtr<GsfOutput> child(gsf_outfile_new_child(parent, element.name.c_str(), isStorage));
    if (!child) throw Error("Cannot create element \"" + element.name + "\"");
    if (isStorage) {
      WriteChildren(GSF_OUTFILE(child.get()), *element.storage);
    } else if (!element.bytes.empty() &&
               !gsf_output_write(child.get(), element.bytes.size(),
                                 reinterpret_cast<const guint8*>(element.bytes.data()))) {
      throw Error("Cannot write element \"" + element.name + "\"");
    }
    CloseOutput(child.get(), element.name);
  }
}

}  // namespace detail

CompoundFileWriter::CompoundFileWriter() = default;

std::string CompoundFileWriter::Serialize() const {
  detail::InitGsf();
  detail::GObjectPtr<GsfOutput> memory(gsf_output_memory_new());
  {
    detail::GObjectPtr<GsfOutfile> root(gsf_outfile_msole_new(memory.get()));
    if (!root) throw Error("Cannot create a compound file");
    detail::WriteChildren(root.get(), m_root);
    detail::CloseOutput(GSF_OUTPUT(root.get()), "Root Entry");
  }
  const gsf_off_t size = gsf_output_size(memory.get());
  const guint8* bytes = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(memory.get()));
  if (size <= 0 || !bytes) throw Error("Cannot create a compound file");
  return std::string(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(size));
}

void CompoundFileWriter::Save(const std::string& path) const { WriteFileWhole(path, Serialize()); }

}  // namespace flexel::storage
