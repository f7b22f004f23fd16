#include "platform/storage/compound_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "platform/core/error.h"
#include "platform/nls/nls.h"
#include "platform/storage/file_descriptor.h"
#include "platform/storage/whole_file.h"

// The compound file format (version 3 written, versions 3 and 4 read): a 512-byte header, then
// sectors chained through the allocation table (FAT); streams under 4096 bytes live in 64-byte
// mini sectors of the mini stream. Each storage's children form a red-black tree of directory
// entries. Reading never recurses and walks every chain a bounded number of steps, so damaged
// or hostile files end in an error, not a crash or a hang.

namespace flexel::storage {
namespace detail {

constexpr std::uint32_t kEndOfChain = 0xFFFFFFFEu;
constexpr std::uint32_t kFreeSector = 0xFFFFFFFFu;
constexpr std::uint32_t kFatSector = 0xFFFFFFFDu;
constexpr std::uint32_t kDifatSector = 0xFFFFFFFCu;
constexpr std::uint32_t kNoStream = 0xFFFFFFFFu;
constexpr std::uint8_t kTypeUnused = 0;
constexpr std::uint8_t kTypeStorage = 1;
constexpr std::uint8_t kTypeStream = 2;
constexpr std::uint8_t kTypeRoot = 5;
constexpr std::size_t kHeaderSize = 512;
constexpr std::size_t kEntrySize = 128;
constexpr std::size_t kHeaderDifatEntries = 109;
constexpr std::uint32_t kMiniSectorSize = 64;
constexpr std::uint32_t kMiniStreamCutoff = 4096;
constexpr std::uint32_t kWriteSectorSize = 512;
constexpr unsigned char kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};

std::uint16_t Le16(const unsigned char* p) noexcept { return std::uint16_t(p[0] | p[1] << 8); }
std::uint32_t Le32(const unsigned char* p) noexcept {
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
         std::uint32_t(p[3]) << 24;
}
std::uint64_t Le64(const unsigned char* p) noexcept {
  return std::uint64_t(Le32(p)) | std::uint64_t(Le32(p + 4)) << 32;
}
void Put16(std::string& b, std::size_t at, std::uint16_t v) {
  b[at] = char(v & 0xFF);
  b[at + 1] = char(v >> 8);
}
void Put32(std::string& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = char((v >> (8 * i)) & 0xFF);
}
void Put64(std::string& b, std::size_t at, std::uint64_t v) {
  Put32(b, at, std::uint32_t(v));
  Put32(b, at + 4, std::uint32_t(v >> 32));
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

// A key under which names that the format takes for the same element are equal.
std::string FoldKey(std::string_view name) {
  const auto upper = UpperCodePoints(name);
  return upper ? nls::ToUtf8(*upper) : std::string(name);
}

const char* ForbiddenCharacter(std::string_view name) noexcept {
  for (char c : name) {
    switch (c) {
      case '/':
        return "\"/\"";
      case '\\':
        return "\"\\\"";
      case ':':
        return "\":\"";
      case '!':
        return "\"!\"";
      case '\0':
        return "a NUL character";
      default:
        break;
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

struct Entry {
  std::string name;
  std::uint8_t type = kTypeUnused;
  std::uint32_t left = kNoStream;
  std::uint32_t right = kNoStream;
  std::uint32_t child = kNoStream;
  std::uint32_t start = kEndOfChain;
  std::uint64_t size = 0;
};

// One open compound file: its tables and directory, read once; streams are read on request.
class CompoundFile {
 public:
  static std::shared_ptr<CompoundFile> Open(const std::string& path);

  [[nodiscard]] const Entry& entry(std::uint32_t id) const { return m_entries[id]; }
  // The children of storage id, in the order of its tree.
  [[nodiscard]] std::pair<const std::uint32_t*, const std::uint32_t*> children(
      std::uint32_t id) const {
    const auto [begin, end] = m_childRange[id];
    return {m_childList.data() + begin, m_childList.data() + end};
  }
  [[nodiscard]] std::string readStream(std::uint32_t id, std::string_view shown,
                                       std::size_t limit) const;

 private:
  explicit CompoundFile(Fd fd) : m_fd(std::move(fd)) {}

  struct Damaged {};  // thrown inside Open, reported as "not a compound file"

  [[nodiscard]] bool readAt(std::uint64_t offset, char* out, std::size_t n) const;
  [[nodiscard]] std::uint64_t sectorOffset(std::uint32_t sector) const {
    return m_headerSectorSize + (std::uint64_t(sector) << m_sectorShift);
  }
  // A FAT chain from start until its end, at most m_sectorCount sectors long.
  [[nodiscard]] std::vector<std::uint32_t> fullChain(std::uint32_t start) const;
  // The first count links of a chain in table; empty when it is shorter or visits a link twice.
  [[nodiscard]] static std::vector<std::uint32_t> chainPrefix(
      const std::vector<std::uint32_t>& table, std::uint32_t start, std::uint64_t count,
      std::uint64_t limit);
  [[nodiscard]] std::string readSectors(const std::vector<std::uint32_t>& sectors) const;

  void readHeaderAndTables();
  void readDirectory(std::uint32_t firstSector);
  void buildTree();

  Fd m_fd;
  std::uint64_t m_fileSize = 0;
  unsigned m_sectorShift = 9;
  std::uint32_t m_sectorSize = 512;
  std::uint64_t m_headerSectorSize = 512;
  std::uint64_t m_sectorCount = 0;
  std::uint32_t m_cutoff = kMiniStreamCutoff;
  std::vector<std::uint32_t> m_fat;
  std::vector<std::uint32_t> m_miniFat;
  std::vector<std::uint32_t> m_miniStreamSectors;
  std::vector<Entry> m_entries;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> m_childRange;
  std::vector<std::uint32_t> m_childList;
};

bool CompoundFile::readAt(std::uint64_t offset, char* out, std::size_t n) const {
  while (n > 0) {
    const ssize_t got = ::pread(m_fd.get(), out, n, static_cast<off_t>(offset));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    out += got;
    offset += static_cast<std::uint64_t>(got);
    n -= static_cast<std::size_t>(got);
  }
  return true;
}

std::vector<std::uint32_t> CompoundFile::fullChain(std::uint32_t start) const {
  std::vector<std::uint32_t> chain;
  for (std::uint32_t s = start; s != kEndOfChain;) {
    // A chain longer than the file has sectors runs in a circle.
    if (s >= m_fat.size() || s >= m_sectorCount || chain.size() >= m_sectorCount) throw Damaged{};
    chain.push_back(s);
    s = m_fat[s];
  }
  return chain;
}

std::vector<std::uint32_t> CompoundFile::chainPrefix(const std::vector<std::uint32_t>& table,
                                                     std::uint32_t start, std::uint64_t count,
                                                     std::uint64_t limit) {
  std::vector<std::uint32_t> chain;
  chain.reserve(static_cast<std::size_t>(count));
  std::uint32_t s = start;
  for (std::uint64_t i = 0; i < count; ++i) {
    if (s >= table.size() || s >= limit) return {};
    chain.push_back(s);
    s = table[s];
  }
  std::vector<std::uint32_t> sorted = chain;
  std::sort(sorted.begin(), sorted.end());
  if (std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end()) return {};
  return chain;
}

std::string CompoundFile::readSectors(const std::vector<std::uint32_t>& sectors) const {
  std::string bytes(sectors.size() * std::size_t(m_sectorSize), '\0');
  // Neighbouring sectors are read in one call.
  for (std::size_t i = 0; i < sectors.size();) {
    std::size_t run = 1;
    while (i + run < sectors.size() && sectors[i + run] == sectors[i] + run) ++run;
    const std::uint64_t offset = sectorOffset(sectors[i]);
    std::size_t length = run * m_sectorSize;
    // The last sector of a file may be cut short.
    if (offset + length > m_fileSize) {
      if (offset >= m_fileSize) throw Damaged{};
      length = static_cast<std::size_t>(m_fileSize - offset);
    }
    if (!readAt(offset, bytes.data() + i * m_sectorSize, length)) throw Damaged{};
    i += run;
  }
  return bytes;
}

void CompoundFile::readHeaderAndTables() {
  unsigned char header[kHeaderSize];
  if (m_fileSize < kHeaderSize || !readAt(0, reinterpret_cast<char*>(header), kHeaderSize)) {
    throw Damaged{};
  }
  if (std::memcmp(header, kSignature, sizeof kSignature) != 0) throw Damaged{};
  m_sectorShift = Le16(header + 0x1E);
  if ((m_sectorShift != 9 && m_sectorShift != 12) || Le16(header + 0x20) != 6) throw Damaged{};
  m_sectorSize = 1u << m_sectorShift;
  m_headerSectorSize = std::max<std::uint64_t>(kHeaderSize, m_sectorSize);
  if (m_fileSize <= m_headerSectorSize) throw Damaged{};
  m_sectorCount = (m_fileSize - m_headerSectorSize + m_sectorSize - 1) / m_sectorSize;
  m_cutoff = Le32(header + 0x38);
  if (m_cutoff == 0 || m_cutoff > (1u << 20)) throw Damaged{};

  // The sectors of the allocation table: 109 in the header, the rest in a chain of DIFAT sectors.
  const std::uint64_t fatCount = std::min<std::uint64_t>(Le32(header + 0x2C), m_sectorCount);
  std::vector<std::uint32_t> fatSectors;
  for (std::size_t i = 0; i < kHeaderDifatEntries && fatSectors.size() < fatCount; ++i) {
    fatSectors.push_back(Le32(header + 0x4C + 4 * i));
  }
  const std::uint32_t perDifat = m_sectorSize / 4 - 1;
  std::uint32_t difat = Le32(header + 0x44);
  for (std::uint64_t steps = 0; fatSectors.size() < fatCount && difat < m_sectorCount; ++steps) {
    if (steps >= m_sectorCount) throw Damaged{};
    const std::string block = readSectors({difat});
    const auto* p = reinterpret_cast<const unsigned char*>(block.data());
    for (std::uint32_t i = 0; i < perDifat && fatSectors.size() < fatCount; ++i) {
      fatSectors.push_back(Le32(p + 4 * i));
    }
    difat = Le32(p + 4 * perDifat);
  }
  for (std::uint32_t sector : fatSectors) {
    if (sector >= m_sectorCount) throw Damaged{};
  }
  const std::string table = readSectors(fatSectors);
  m_fat.resize(table.size() / 4);
  for (std::size_t i = 0; i < m_fat.size(); ++i) {
    m_fat[i] = Le32(reinterpret_cast<const unsigned char*>(table.data()) + 4 * i);
  }

  readDirectory(Le32(header + 0x30));

  // The mini allocation table and the sectors of the mini stream (the root entry's data).
  const std::uint32_t miniFatStart = Le32(header + 0x3C);
  if (Le32(header + 0x40) > 0 && miniFatStart != kEndOfChain) {
    const std::string miniTable = readSectors(fullChain(miniFatStart));
    m_miniFat.resize(miniTable.size() / 4);
    for (std::size_t i = 0; i < m_miniFat.size(); ++i) {
      m_miniFat[i] = Le32(reinterpret_cast<const unsigned char*>(miniTable.data()) + 4 * i);
    }
  }
  const Entry& root = m_entries.front();
  if (root.size > 0 && root.size <= m_fileSize) {
    const std::uint64_t sectors = (root.size + m_sectorSize - 1) / m_sectorSize;
    m_miniStreamSectors = chainPrefix(m_fat, root.start, sectors, m_sectorCount);
  }
}

void CompoundFile::readDirectory(std::uint32_t firstSector) {
  const std::string directory = readSectors(fullChain(firstSector));
  const std::size_t count = directory.size() / kEntrySize;
  if (count == 0) throw Damaged{};
  m_entries.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    const auto* p = reinterpret_cast<const unsigned char*>(directory.data()) + i * kEntrySize;
    Entry& e = m_entries[i];
    e.type = p[0x42];
    const std::uint16_t nameBytes = Le16(p + 0x40);
    if (nameBytes >= 2 && nameBytes <= 64 && nameBytes % 2 == 0) {
      e.name = nls::FromUtf16Bytes(
          std::string_view(reinterpret_cast<const char*>(p), nameBytes - 2u), false);
    }
    e.left = Le32(p + 0x44);
    e.right = Le32(p + 0x48);
    e.child = Le32(p + 0x4C);
    e.start = Le32(p + 0x74);
    // Version 3 files keep only 32 bits of the size; the upper half may hold anything.
    e.size = m_sectorShift == 9 ? Le32(p + 0x78) : Le64(p + 0x78);
  }
  if (m_entries.front().type != kTypeRoot) throw Damaged{};
}

void CompoundFile::buildTree() {
  // Every entry may sit in one place of the tree only; a link to an entry already placed, out
  // of range or of no known kind ends that branch.
  const std::size_t count = m_entries.size();
  std::vector<bool> placed(count, false);
  placed[0] = true;
  m_childRange.assign(count, {0, 0});
  std::vector<std::uint32_t> storages{0};
  std::vector<std::uint32_t> stack;
  auto usable = [&](std::uint32_t id) {
    return id < count && !placed[id] &&
           (m_entries[id].type == kTypeStorage || m_entries[id].type == kTypeStream);
  };
  while (!storages.empty()) {
    const std::uint32_t storage = storages.back();
    storages.pop_back();
    const auto begin = static_cast<std::uint32_t>(m_childList.size());
    std::uint32_t node = m_entries[storage].child;
    stack.clear();
    for (;;) {
      while (usable(node)) {
        placed[node] = true;
        stack.push_back(node);
        node = m_entries[node].left;
      }
      if (stack.empty()) break;
      node = stack.back();
      stack.pop_back();
      m_childList.push_back(node);
      if (m_entries[node].type == kTypeStorage) storages.push_back(node);
      node = m_entries[node].right;
    }
    m_childRange[storage] = {begin, static_cast<std::uint32_t>(m_childList.size())};
  }
}

std::shared_ptr<CompoundFile> CompoundFile::Open(const std::string& path) {
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (fd.get() < 0) throw FileError("Cannot open \"" + path + "\"");
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
    throw FileError("Cannot open \"" + path + "\"");
  }
  std::shared_ptr<CompoundFile> file(new CompoundFile(std::move(fd)));
  file->m_fileSize = static_cast<std::uint64_t>(st.st_size);
  try {
    file->readHeaderAndTables();
    file->buildTree();
  } catch (const Damaged&) {
    throw FileError("\"" + path + "\" is not a compound file");
  }
  return file;
}

std::string CompoundFile::readStream(std::uint32_t id, std::string_view shown,
                                     std::size_t limit) const {
  const Entry& e = m_entries[id];
  const std::string quoted = "\"" + std::string(shown) + "\"";
  if (e.size > m_fileSize) throw FileError("Stream " + quoted + " cannot be read");
  if (e.size > limit) {
    throw FileError("Stream " + quoted + " is larger than " + std::to_string(limit) + " bytes");
  }
  const auto size = static_cast<std::size_t>(e.size);
  if (size == 0) return {};
  try {
    if (e.size >= m_cutoff) {
      const auto chain =
          chainPrefix(m_fat, e.start, (e.size + m_sectorSize - 1) / m_sectorSize, m_sectorCount);
      if (chain.empty()) throw Damaged{};
      std::string bytes = readSectors(chain);
      bytes.resize(size);
      return bytes;
    }
    const std::uint64_t miniStreamSize = std::uint64_t(m_miniStreamSectors.size()) * m_sectorSize;
    const auto chain =
        chainPrefix(m_miniFat, e.start, (e.size + kMiniSectorSize - 1) / kMiniSectorSize,
                    miniStreamSize / kMiniSectorSize);
    if (chain.empty()) throw Damaged{};
    std::string bytes(chain.size() * kMiniSectorSize, '\0');
    for (std::size_t i = 0; i < chain.size(); ++i) {
      const std::uint64_t at = std::uint64_t(chain[i]) * kMiniSectorSize;
      const std::uint32_t sector = m_miniStreamSectors[at >> m_sectorShift];
      const std::uint64_t offset = sectorOffset(sector) + (at & (m_sectorSize - 1));
      if (!readAt(offset, bytes.data() + i * kMiniSectorSize, kMiniSectorSize)) throw Damaged{};
    }
    bytes.resize(size);
    return bytes;
  } catch (const Damaged&) {
    throw FileError("Stream " + quoted + " cannot be read");
  }
}

struct StorageNode {
  std::shared_ptr<CompoundFile> file;
  std::uint32_t id = 0;
  std::string name;
  // Built on first lookup: exact name and upper-cased name -> the first child of that name.
  bool indexed = false;
  std::unordered_map<std::string, std::uint32_t> exact;
  std::unordered_map<std::string, std::uint32_t> folded;

  std::optional<std::uint32_t> find(std::string_view wanted) {
    if (!indexed) {
      const auto [begin, end] = file->children(id);
      for (const std::uint32_t* child = begin; child != end; ++child) {
        const std::string& childName = file->entry(*child).name;
        exact.emplace(childName, *child);
        folded.emplace(FoldKey(childName), *child);
      }
      indexed = true;
    }
    if (auto it = exact.find(std::string(wanted)); it != exact.end()) return it->second;
    if (auto it = folded.find(FoldKey(wanted)); it != folded.end()) return it->second;
    return std::nullopt;
  }
};

// ---- Writing ----

// The order of the format's directory trees: shorter names first, then code unit by code unit
// in upper case.
bool DirectoryLess(const std::u16string& a, const std::u16string& b) {
  if (a.size() != b.size()) return a.size() < b.size();
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto ua = U16_IS_SURROGATE(a[i]) ? UChar32(a[i]) : u_toupper(a[i]);
    const auto ub = U16_IS_SURROGATE(b[i]) ? UChar32(b[i]) : u_toupper(b[i]);
    if (ua != ub) return ua < ub;
  }
  return false;
}

struct OutEntry {
  std::u16string name;
  std::uint8_t type = kTypeUnused;
  std::uint8_t color = 1;  // 0 red, 1 black
  std::uint32_t left = kNoStream;
  std::uint32_t right = kNoStream;
  std::uint32_t child = kNoStream;
  std::uint32_t start = kEndOfChain;
  std::uint64_t size = 0;
  const std::string* bytes = nullptr;
  std::vector<std::uint32_t> children;
};

// Links sorted[lo, hi) as a balanced tree and returns its root. Splitting at the middle puts
// every empty link at one of two depths, so colouring the deepest level red and the rest black
// gives a valid red-black tree.
std::uint32_t LinkBalanced(std::vector<OutEntry>& entries, const std::vector<std::uint32_t>& sorted,
                           std::size_t lo, std::size_t hi, unsigned depth,
                           std::vector<unsigned>& depths, unsigned& deepest) {
  if (lo >= hi) return kNoStream;
  const std::size_t mid = lo + (hi - lo) / 2;
  const std::uint32_t id = sorted[mid];
  depths[mid] = depth;
  deepest = std::max(deepest, depth);
  entries[id].left = LinkBalanced(entries, sorted, lo, mid, depth + 1, depths, deepest);
  entries[id].right = LinkBalanced(entries, sorted, mid + 1, hi, depth + 1, depths, deepest);
  return id;
}

std::string EncodeEntry(const OutEntry& e) {
  std::string b(kEntrySize, '\0');
  for (std::size_t i = 0; i < e.name.size(); ++i) Put16(b, 2 * i, e.name[i]);
  Put16(b, 0x40, e.type == kTypeUnused ? 0 : std::uint16_t((e.name.size() + 1) * 2));
  b[0x42] = char(e.type);
  b[0x43] = char(e.type == kTypeUnused ? 0 : e.color);  // an unused entry is zero but its links
  Put32(b, 0x44, e.left);
  Put32(b, 0x48, e.right);
  Put32(b, 0x4C, e.child);
  Put32(b, 0x74, e.type == kTypeStorage || e.type == kTypeUnused ? 0 : e.start);
  Put64(b, 0x78, e.size);
  return b;
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
  const auto [begin, end] = m_node->file->children(m_node->id);
  for (const std::uint32_t* child = begin; child != end; ++child) {
    const detail::Entry& e = m_node->file->entry(*child);
    ElementInfo info;
    info.name = e.name;
    info.isStorage = e.type == detail::kTypeStorage;
    info.size = info.isStorage ? 0 : e.size;
    out.push_back(std::move(info));
  }
  return out;
}

std::optional<Storage> Storage::OpenStorage(std::string_view name) const {
  const auto id = m_node->find(name);
  if (!id || m_node->file->entry(*id).type != detail::kTypeStorage) return std::nullopt;
  auto node = std::make_shared<detail::StorageNode>();
  node->file = m_node->file;
  node->id = *id;
  node->name = m_node->file->entry(*id).name;
  return Storage(std::move(node));
}

std::optional<std::string> Storage::FindStream(std::string_view name) const {
  const auto id = m_node->find(name);
  if (!id || m_node->file->entry(*id).type != detail::kTypeStream) return std::nullopt;
  return m_node->file->entry(*id).name;
}

std::optional<std::string> Storage::ReadStream(std::string_view name, std::size_t limit) const {
  const auto id = m_node->find(name);
  if (!id || m_node->file->entry(*id).type != detail::kTypeStream) return std::nullopt;
  return m_node->file->readStream(*id, name, limit);
}

Storage OpenCompoundFile(const std::string& path) {
  auto node = std::make_shared<detail::StorageNode>();
  node->file = detail::CompoundFile::Open(path);
  node->id = 0;
  node->name = node->file->entry(0).name;
  return Storage(std::move(node));
}

std::optional<Storage> TryOpenCompoundFile(const std::string& path) noexcept {
  try {
    return OpenCompoundFile(path);
  } catch (...) {  // the caller asked for "nothing" instead of the reason
    return std::nullopt;
  }
}

// ---- Building ----

StorageBuilder::StorageBuilder(std::string name) : m_name(std::move(name)) {}
StorageBuilder::StorageBuilder(StorageBuilder&&) noexcept = default;
StorageBuilder& StorageBuilder::operator=(StorageBuilder&&) noexcept = default;
StorageBuilder::~StorageBuilder() = default;

StorageBuilder::Element* StorageBuilder::find(std::string_view name) {
  const auto it = m_byName.find(detail::FoldKey(name));
  return it == m_byName.end() ? nullptr : &m_elements[it->second];
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
  m_byName.emplace(detail::FoldKey(name), m_elements.size());
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
  m_byName.emplace(detail::FoldKey(name), m_elements.size());
  m_elements.push_back(std::move(element));
}

CompoundFileWriter::CompoundFileWriter() = default;

std::string CompoundFileWriter::Serialize() const {
  using namespace detail;
  // Directory entries: the root, then every element (storages in the order they are met).
  std::vector<OutEntry> entries(1);
  entries[0].name = u"Root Entry";
  entries[0].type = kTypeRoot;
  std::vector<std::pair<const StorageBuilder*, std::uint32_t>> pending{{&m_root, 0}};
  while (!pending.empty()) {
    const auto [builder, parent] = pending.back();
    pending.pop_back();
    for (const auto& element : builder->Elements()) {
      const auto id = static_cast<std::uint32_t>(entries.size());
      OutEntry e;
      e.name = nls::ToUtf16(element.name);
      if (element.storage) {
        e.type = kTypeStorage;
        pending.emplace_back(element.storage.get(), id);
      } else {
        e.type = kTypeStream;
        e.bytes = &element.bytes;
        e.size = element.bytes.size();
        if (e.size > 0xFFFFFFFFu) {
          throw Error("Cannot write element \"" + element.name + "\": larger than 4 GiB");
        }
      }
      entries.push_back(std::move(e));
      entries[parent].children.push_back(id);
    }
  }
  if (entries.size() >= kNoStream) throw Error("Cannot create a compound file: too many elements");

  // Each storage's children as a balanced red-black tree in directory order.
  for (auto& storage : entries) {
    if (storage.children.empty()) continue;
    std::vector<std::uint32_t> sorted = storage.children;
    std::sort(sorted.begin(), sorted.end(), [&](std::uint32_t a, std::uint32_t b) {
      return DirectoryLess(entries[a].name, entries[b].name);
    });
    std::vector<unsigned> depths(sorted.size(), 0);
    unsigned deepest = 0;
    storage.child = LinkBalanced(entries, sorted, 0, sorted.size(), 0, depths, deepest);
    for (std::size_t i = 0; i < sorted.size(); ++i) {
      entries[sorted[i]].color = deepest > 0 && depths[i] == deepest ? 0 : 1;
    }
  }

  // Sectors in order: large streams, the mini stream, the mini table, the directory; the
  // allocation table and its index follow.
  std::vector<std::uint32_t> fat;
  std::string body;
  auto allocate = [&](std::string_view bytes) -> std::uint32_t {
    if (bytes.empty()) return kEndOfChain;
    const std::size_t sectors = (bytes.size() + kWriteSectorSize - 1) / kWriteSectorSize;
    const auto start = static_cast<std::uint32_t>(fat.size());
    for (std::size_t i = 0; i < sectors; ++i) {
      fat.push_back(i + 1 < sectors ? start + std::uint32_t(i) + 1 : kEndOfChain);
    }
    body.append(bytes);
    body.append(sectors * kWriteSectorSize - bytes.size(), '\0');
    return start;
  };
  std::string miniStream;
  std::vector<std::uint32_t> miniFat;
  for (auto& e : entries) {
    if (e.type != kTypeStream || e.size == 0) continue;
    if (e.size >= kMiniStreamCutoff) {
      e.start = allocate(*e.bytes);
      continue;
    }
    const std::size_t sectors = (e.bytes->size() + kMiniSectorSize - 1) / kMiniSectorSize;
    e.start = static_cast<std::uint32_t>(miniFat.size());
    for (std::size_t i = 0; i < sectors; ++i) {
      miniFat.push_back(i + 1 < sectors ? e.start + std::uint32_t(i) + 1 : kEndOfChain);
    }
    miniStream.append(*e.bytes);
    miniStream.append(sectors * kMiniSectorSize - e.bytes->size(), '\0');
  }
  entries[0].start = allocate(miniStream);
  entries[0].size = miniStream.size();
  std::string miniTable;
  miniTable.resize(miniFat.size() * 4);
  for (std::size_t i = 0; i < miniFat.size(); ++i) Put32(miniTable, 4 * i, miniFat[i]);
  while (miniTable.size() % kWriteSectorSize != 0) miniTable.append("\xFF\xFF\xFF\xFF", 4);
  const std::uint32_t miniFatStart = allocate(miniTable);
  const auto miniFatSectors = static_cast<std::uint32_t>(miniTable.size() / kWriteSectorSize);
  std::string directory;
  for (const auto& e : entries) directory += EncodeEntry(e);
  while (directory.size() % kWriteSectorSize != 0) directory += EncodeEntry(OutEntry{});
  const std::uint32_t directoryStart = allocate(directory);

  const std::size_t linksPerSector = kWriteSectorSize / 4;
  std::size_t fatSectors = 0, difatSectors = 0;
  for (;;) {
    const std::size_t total = fat.size() + fatSectors + difatSectors;
    const std::size_t needFat = (total + linksPerSector - 1) / linksPerSector;
    const std::size_t needDifat =
        needFat > kHeaderDifatEntries
            ? (needFat - kHeaderDifatEntries + linksPerSector - 2) / (linksPerSector - 1)
            : 0;
    if (needFat == fatSectors && needDifat == difatSectors) break;
    fatSectors = needFat;
    difatSectors = needDifat;
  }
  const auto fatStart = static_cast<std::uint32_t>(fat.size());
  for (std::size_t i = 0; i < fatSectors; ++i) fat.push_back(kFatSector);
  const auto difatStart = static_cast<std::uint32_t>(fat.size());
  for (std::size_t i = 0; i < difatSectors; ++i) fat.push_back(kDifatSector);
  fat.resize(fatSectors * linksPerSector, kFreeSector);

  std::string header(kHeaderSize, '\0');
  std::memcpy(header.data(), kSignature, sizeof kSignature);
  Put16(header, 0x18, 0x003E);
  Put16(header, 0x1A, 0x0003);
  Put16(header, 0x1C, 0xFFFE);
  Put16(header, 0x1E, 9);
  Put16(header, 0x20, 6);
  Put32(header, 0x2C, static_cast<std::uint32_t>(fatSectors));
  Put32(header, 0x30, directoryStart);
  Put32(header, 0x38, kMiniStreamCutoff);
  Put32(header, 0x3C, miniFatStart);
  Put32(header, 0x40, miniFatSectors);
  Put32(header, 0x44, difatSectors > 0 ? difatStart : kEndOfChain);
  Put32(header, 0x48, static_cast<std::uint32_t>(difatSectors));
  for (std::size_t i = 0; i < kHeaderDifatEntries; ++i) {
    Put32(header, 0x4C + 4 * i,
          i < fatSectors ? fatStart + static_cast<std::uint32_t>(i) : kFreeSector);
  }

  std::string out = std::move(header);
  out.reserve(out.size() + body.size() + (fatSectors + difatSectors) * kWriteSectorSize);
  out += body;
  const std::size_t fatAt = out.size();
  out.append(fat.size() * 4, '\0');
  for (std::size_t i = 0; i < fat.size(); ++i) Put32(out, fatAt + 4 * i, fat[i]);
  // The index of allocation-table sectors beyond the 109 in the header.
  std::size_t next = kHeaderDifatEntries;
  for (std::size_t d = 0; d < difatSectors; ++d) {
    const std::size_t at = out.size();
    out.append(kWriteSectorSize, '\xFF');
    for (std::size_t i = 0; i < linksPerSector - 1 && next < fatSectors; ++i, ++next) {
      Put32(out, at + 4 * i, fatStart + static_cast<std::uint32_t>(next));
    }
    Put32(out, at + kWriteSectorSize - 4,
          d + 1 < difatSectors ? difatStart + static_cast<std::uint32_t>(d) + 1 : kEndOfChain);
  }
  return out;
}

void CompoundFileWriter::Save(const std::string& path) const { WriteFileWhole(path, Serialize()); }

}  // namespace flexel::storage
