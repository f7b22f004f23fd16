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
  if (std::all_of(name.begin(), name.end(), [](char c) { return (c & 0x80) == 0; })) {
    std::string key(name);
    for (char& c : key) c = c >= 'a' && c <= 'z' ? char(c - 32) : c;
    return key;
  }
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
  std::u16string name16;  // as stored, for comparisons in directory order
  std::string name;
  std::uint8_t type = kTypeUnused;
  std::uint32_t left = kNoStream;
  std::uint32_t right = kNoStream;
  std::uint32_t child = kNoStream;
  std::uint32_t start = kEndOfChain;
  std::uint64_t size = 0;
};

// -1, 0 or 1 in the order of the format's directory trees: shorter names first, then code unit
// by code unit in upper case.
int DirectoryCompare(std::u16string_view a, std::u16string_view b) noexcept {
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i] == b[i]) continue;
    const auto ua = U16_IS_SURROGATE(a[i]) ? UChar32(a[i]) : u_toupper(a[i]);
    const auto ub = U16_IS_SURROGATE(b[i]) ? UChar32(b[i]) : u_toupper(b[i]);
    if (ua != ub) return ua < ub ? -1 : 1;
  }
  return 0;
}

// A red-black tree of 2^32 entries is at most 64 levels deep; a deeper path is no such tree.
constexpr unsigned kMaxTreeDepth = 64;

// A sector chain followed through an allocation table only as far as it is needed: a file of
// many pages opens without walking the chains of its directory and mini stream to their ends.
struct LazyChain {
  std::uint32_t next = kEndOfChain;  // the link after the last sector taken
  std::uint64_t limit = 0;           // at most this many sectors
  bool broken = false;               // a link out of range ends the chain where it is
  std::vector<std::uint32_t> sectors;
};

// One open compound file. The header and the index of allocation-table sectors are read at
// open; table sectors, directory entries and chains are read when first needed and kept.
class CompoundFile {
 public:
  static std::shared_ptr<CompoundFile> Open(const std::string& path);

  // Entry id as read from the directory; an entry that does not exist or cannot be read is
  // unused.
  [[nodiscard]] const Entry& entry(std::uint32_t id);
  // The child of storage whose name equals wanted in directory order, found by descending its
  // tree. deep is set when the tree is deeper than a red-black tree can be.
  [[nodiscard]] std::optional<std::uint32_t> searchTree(std::uint32_t storage,
                                                        std::u16string_view wanted, bool& deep);
  // The children of storage in the order of its tree; each entry is taken once, so links that
  // lead back into the tree end their branch.
  [[nodiscard]] std::vector<std::uint32_t> children(std::uint32_t storage);

  [[nodiscard]] std::string readStream(std::uint32_t id, std::string_view shown, std::size_t limit);
  // The sectors (or mini sectors) of stream id; throws Damaged.
  [[nodiscard]] std::vector<std::uint32_t> streamChain(const Entry& e);
  // n bytes of a stream from offset, through its chain; throws Damaged.
  void readChainBytes(const std::vector<std::uint32_t>& chain, bool mini, std::uint64_t offset,
                      char* out, std::size_t n);
  [[nodiscard]] bool isMini(const Entry& e) const noexcept { return e.size < m_cutoff; }
  [[nodiscard]] std::uint64_t fileSize() const noexcept { return m_fileSize; }

  struct Damaged {};  // inside the reader; reported as "not a compound file" or per stream

 private:
  explicit CompoundFile(Fd fd) : m_fd(std::move(fd)) {}

  [[nodiscard]] bool readAt(std::uint64_t offset, char* out, std::size_t n) const;
  [[nodiscard]] std::uint64_t sectorOffset(std::uint32_t sector) const {
    return m_headerSectorSize + (std::uint64_t(sector) << m_sectorShift);
  }
  // The link after sector in the allocation table (mini table); throws Damaged.
  [[nodiscard]] std::uint32_t fatLink(std::uint32_t sector);
  [[nodiscard]] std::uint32_t miniFatLink(std::uint32_t miniSector);
  // Sector index of chain, walking it as far as needed; nothing past its end or a bad link.
  [[nodiscard]] std::optional<std::uint32_t> chainSector(LazyChain& chain, std::uint64_t index);
  // The first count links of a chain; throws Damaged when it is shorter or visits a sector twice.
  template <typename Link>
  [[nodiscard]] std::vector<std::uint32_t> chainPrefix(std::uint32_t start, std::uint64_t count,
                                                       std::uint64_t limit, Link link);
  void readSectorRun(std::uint32_t sector, std::size_t count, char* out) const;
  void readHeader();
  void loadDirectorySector(std::uint64_t index);

  Fd m_fd;
  std::uint64_t m_fileSize = 0;
  unsigned m_sectorShift = 9;
  std::uint32_t m_sectorSize = 512;
  std::uint64_t m_headerSectorSize = 512;
  std::uint64_t m_sectorCount = 0;
  std::uint32_t m_cutoff = kMiniStreamCutoff;
  std::uint64_t m_maxEntries = 0;
  std::vector<std::uint32_t> m_fatSectors;
  std::vector<std::vector<std::uint32_t>> m_fatBlocks;  // loaded table sectors, by position
  LazyChain m_miniFatChain;
  std::unordered_map<std::uint32_t, std::vector<std::uint32_t>> m_miniFatBlocks;
  LazyChain m_miniStream;  // the root entry's chain
  LazyChain m_directory;
  // The entries of each directory sector read so far, by the sector's place in the chain; an
  // empty array for a sector that could not be read.
  std::vector<std::unique_ptr<Entry[]>> m_entries;
  std::vector<bool> m_loadedDirectorySectors;
  Entry m_unused;
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

// count whole sectors from sector on; the last sector of a file may be cut short.
void CompoundFile::readSectorRun(std::uint32_t sector, std::size_t count, char* out) const {
  const std::uint64_t offset = sectorOffset(sector);
  std::size_t length = count * m_sectorSize;
  if (offset + length > m_fileSize) {
    if (offset >= m_fileSize) throw Damaged{};
    const auto available = static_cast<std::size_t>(m_fileSize - offset);
    std::memset(out + available, 0, length - available);
    length = available;
  }
  if (!readAt(offset, out, length)) throw Damaged{};
}

std::uint32_t CompoundFile::fatLink(std::uint32_t sector) {
  const std::uint32_t perSector = m_sectorSize / 4;
  const std::size_t block = sector / perSector;
  if (sector >= m_sectorCount || block >= m_fatSectors.size()) throw Damaged{};
  std::vector<std::uint32_t>& links = m_fatBlocks[block];
  if (links.empty()) {
    std::string bytes(m_sectorSize, '\0');
    readSectorRun(m_fatSectors[block], 1, bytes.data());
    links.resize(perSector);
    for (std::uint32_t i = 0; i < perSector; ++i) {
      links[i] = Le32(reinterpret_cast<const unsigned char*>(bytes.data()) + 4 * i);
    }
  }
  return links[sector % perSector];
}

std::uint32_t CompoundFile::miniFatLink(std::uint32_t miniSector) {
  const std::uint32_t perSector = m_sectorSize / 4;
  const std::uint32_t block = miniSector / perSector;
  auto it = m_miniFatBlocks.find(block);
  if (it == m_miniFatBlocks.end()) {
    const auto sector = chainSector(m_miniFatChain, block);
    if (!sector) throw Damaged{};
    std::string bytes(m_sectorSize, '\0');
    readSectorRun(*sector, 1, bytes.data());
    std::vector<std::uint32_t> links(perSector);
    for (std::uint32_t i = 0; i < perSector; ++i) {
      links[i] = Le32(reinterpret_cast<const unsigned char*>(bytes.data()) + 4 * i);
    }
    it = m_miniFatBlocks.emplace(block, std::move(links)).first;
  }
  return it->second[miniSector % perSector];
}

std::optional<std::uint32_t> CompoundFile::chainSector(LazyChain& chain, std::uint64_t index) {
  while (chain.sectors.size() <= index) {
    // A chain longer than the file has sectors runs in a circle.
    if (chain.broken || chain.next == kEndOfChain || chain.sectors.size() >= chain.limit ||
        chain.next >= m_sectorCount) {
      chain.broken = chain.broken || chain.next != kEndOfChain;
      return std::nullopt;
    }
    const std::uint32_t sector = chain.next;
    try {
      chain.next = fatLink(sector);
    } catch (const Damaged&) {
      chain.broken = true;
      return std::nullopt;
    }
    chain.sectors.push_back(sector);
  }
  return chain.sectors[static_cast<std::size_t>(index)];
}

template <typename Link>
std::vector<std::uint32_t> CompoundFile::chainPrefix(std::uint32_t start, std::uint64_t count,
                                                     std::uint64_t limit, Link link) {
  if (count > limit) throw Damaged{};
  std::vector<std::uint32_t> chain;
  chain.reserve(static_cast<std::size_t>(count));
  std::vector<bool> seen(count > 64 ? static_cast<std::size_t>(limit) : 0);
  std::uint32_t s = start;
  for (std::uint64_t i = 0; i < count; ++i) {
    if (s >= limit) throw Damaged{};
    if (!seen.empty()) {
      if (seen[s]) throw Damaged{};
      seen[s] = true;
    }
    chain.push_back(s);
    if (i + 1 < count) s = (this->*link)(s);
  }
  if (seen.empty()) {
    std::vector<std::uint32_t> sorted = chain;
    std::sort(sorted.begin(), sorted.end());
    if (std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end()) throw Damaged{};
  }
  return chain;
}

void CompoundFile::readHeader() {
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
  m_maxEntries = m_sectorCount * (m_sectorSize / kEntrySize);

  // The sectors of the allocation table: 109 in the header, the rest in a chain of DIFAT sectors.
  const std::uint64_t fatCount = std::min<std::uint64_t>(Le32(header + 0x2C), m_sectorCount);
  for (std::size_t i = 0; i < kHeaderDifatEntries && m_fatSectors.size() < fatCount; ++i) {
    m_fatSectors.push_back(Le32(header + 0x4C + 4 * i));
  }
  const std::uint32_t perDifat = m_sectorSize / 4 - 1;
  std::uint32_t difat = Le32(header + 0x44);
  std::string block(m_sectorSize, '\0');
  for (std::uint64_t steps = 0; m_fatSectors.size() < fatCount && difat < m_sectorCount; ++steps) {
    if (steps >= m_sectorCount) throw Damaged{};
    readSectorRun(difat, 1, block.data());
    const auto* p = reinterpret_cast<const unsigned char*>(block.data());
    for (std::uint32_t i = 0; i < perDifat && m_fatSectors.size() < fatCount; ++i) {
      m_fatSectors.push_back(Le32(p + 4 * i));
    }
    difat = Le32(p + 4 * perDifat);
  }
  for (std::uint32_t sector : m_fatSectors) {
    if (sector >= m_sectorCount) throw Damaged{};
  }
  m_fatBlocks.resize(m_fatSectors.size());

  m_directory.next = Le32(header + 0x30);
  m_directory.limit = m_sectorCount;
  const Entry& root = entry(0);
  if (root.type != kTypeRoot) throw Damaged{};

  // The mini allocation table and the mini stream (the root entry's data).
  const std::uint32_t miniFatStart = Le32(header + 0x3C);
  if (Le32(header + 0x40) > 0 && miniFatStart != kEndOfChain) {
    m_miniFatChain.next = miniFatStart;
    m_miniFatChain.limit = m_sectorCount;
  }
  if (root.size > 0 && root.size <= m_fileSize) {
    m_miniStream.next = root.start;
    m_miniStream.limit = (root.size + m_sectorSize - 1) / m_sectorSize;
  }
}

void CompoundFile::loadDirectorySector(std::uint64_t index) {
  const std::uint32_t perSector = m_sectorSize / kEntrySize;
  const auto at = static_cast<std::size_t>(index);
  if (m_loadedDirectorySectors.size() <= at) {
    m_loadedDirectorySectors.resize(std::max(at + 1, 2 * m_loadedDirectorySectors.size()), false);
    m_entries.resize(m_loadedDirectorySectors.size());
  }
  m_loadedDirectorySectors[at] = true;
  const auto sector = chainSector(m_directory, index);
  if (!sector) return;
  std::string bytes(m_sectorSize, '\0');
  try {
    readSectorRun(*sector, 1, bytes.data());
  } catch (const Damaged&) {
    return;  // entries of a sector past the end stay unused
  }
  auto entries = std::make_unique<Entry[]>(perSector);
  for (std::uint32_t k = 0; k < perSector; ++k) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data()) + k * kEntrySize;
    Entry& e = entries[k];
    e.type = p[0x42];
    const std::uint16_t nameBytes = Le16(p + 0x40);
    if (nameBytes >= 2 && nameBytes <= 64 && nameBytes % 2 == 0) {
      for (std::size_t i = 0; i + 2 < nameBytes; i += 2) {
        e.name16.push_back(static_cast<char16_t>(Le16(p + i)));
      }
      e.name = nls::FromUtf16(e.name16);
    }
    e.left = Le32(p + 0x44);
    e.right = Le32(p + 0x48);
    e.child = Le32(p + 0x4C);
    e.start = Le32(p + 0x74);
    // Version 3 files keep only 32 bits of the size; the upper half may hold anything.
    e.size = m_sectorShift == 9 ? Le32(p + 0x78) : Le64(p + 0x78);
  }
  m_entries[at] = std::move(entries);
}

const Entry& CompoundFile::entry(std::uint32_t id) {
  if (id >= m_maxEntries) return m_unused;
  const std::uint32_t perSector = m_sectorSize / kEntrySize;
  const std::size_t index = id / perSector;
  if (index >= m_loadedDirectorySectors.size() || !m_loadedDirectorySectors[index]) {
    loadDirectorySector(index);
  }
  const auto& entries = m_entries[index];
  return entries ? entries[id % perSector] : m_unused;
}

bool IsElement(const Entry& e) noexcept { return e.type == kTypeStorage || e.type == kTypeStream; }

std::optional<std::uint32_t> CompoundFile::searchTree(std::uint32_t storage,
                                                      std::u16string_view wanted, bool& deep) {
  deep = false;
  std::uint32_t node = entry(storage).child;
  for (unsigned depth = 0; depth <= kMaxTreeDepth; ++depth) {
    const Entry& e = entry(node);
    if (!IsElement(e)) return std::nullopt;
    const int order = DirectoryCompare(wanted, e.name16);
    if (order == 0) return node;
    node = order < 0 ? e.left : e.right;
  }
  deep = true;
  return std::nullopt;
}

std::vector<std::uint32_t> CompoundFile::children(std::uint32_t storage) {
  std::vector<std::uint32_t> list;
  std::vector<bool> placed;  // by entry id, grown as ids are met
  auto usable = [&](std::uint32_t id) {
    if (id >= m_maxEntries || id == storage || !IsElement(entry(id))) return false;
    if (placed.size() <= id) placed.resize(std::max<std::size_t>(id + 1, placed.size() * 2));
    return !placed[id];
  };
  std::vector<std::uint32_t> stack;
  std::uint32_t node = entry(storage).child;
  for (;;) {
    while (usable(node)) {
      placed[node] = true;
      stack.push_back(node);
      node = entry(node).left;
    }
    if (stack.empty()) break;
    node = stack.back();
    stack.pop_back();
    list.push_back(node);
    node = entry(node).right;
  }
  return list;
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
    file->readHeader();
  } catch (const Damaged&) {
    throw FileError("\"" + path + "\" is not a compound file");
  }
  return file;
}

std::vector<std::uint32_t> CompoundFile::streamChain(const Entry& e) {
  if (!isMini(e)) {
    return chainPrefix(e.start, (e.size + m_sectorSize - 1) / m_sectorSize, m_sectorCount,
                       &CompoundFile::fatLink);
  }
  return chainPrefix(e.start, (e.size + kMiniSectorSize - 1) / kMiniSectorSize,
                     m_miniStream.limit * (m_sectorSize / kMiniSectorSize),
                     &CompoundFile::miniFatLink);
}

void CompoundFile::readChainBytes(const std::vector<std::uint32_t>& chain, bool mini,
                                  std::uint64_t offset, char* out, std::size_t n) {
  if (!mini) {
    std::string partial;
    while (n > 0) {
      const auto first = static_cast<std::size_t>(offset >> m_sectorShift);
      const auto within = static_cast<std::size_t>(offset & (m_sectorSize - 1));
      if (first >= chain.size()) throw Damaged{};
      if (within != 0 || n < m_sectorSize) {
        partial.resize(m_sectorSize);
        readSectorRun(chain[first], 1, partial.data());
        const std::size_t take = std::min<std::size_t>(m_sectorSize - within, n);
        std::memcpy(out, partial.data() + within, take);
        out += take;
        offset += take;
        n -= take;
        continue;
      }
      // Whole sectors straight into out, neighbours in one call.
      const std::size_t whole = n / m_sectorSize;
      std::size_t run = 1;
      while (run < whole && first + run < chain.size() &&
             chain[first + run] == chain[first] + run) {
        ++run;
      }
      readSectorRun(chain[first], run, out);
      const std::size_t take = run * m_sectorSize;
      out += take;
      offset += take;
      n -= take;
    }
    return;
  }
  const std::uint64_t perSector = m_sectorSize / kMiniSectorSize;
  while (n > 0) {
    auto index = static_cast<std::size_t>(offset / kMiniSectorSize);
    const auto within = static_cast<std::size_t>(offset % kMiniSectorSize);
    if (index >= chain.size()) throw Damaged{};
    const auto sector = chainSector(m_miniStream, chain[index] / perSector);
    if (!sector) throw Damaged{};
    const std::uint64_t position =
        sectorOffset(*sector) + (chain[index] % perSector) * kMiniSectorSize + within;
    // Following mini sectors in the same sector are read in the same call.
    std::size_t take = std::min<std::size_t>(kMiniSectorSize - within, n);
    while (take < n && index + 1 < chain.size() && chain[index + 1] == chain[index] + 1 &&
           chain[index + 1] / perSector == chain[index] / perSector) {
      ++index;
      take = std::min<std::size_t>(take + kMiniSectorSize, n);
    }
    if (position + take > m_fileSize || !readAt(position, out, take)) throw Damaged{};
    out += take;
    offset += take;
    n -= take;
  }
}

std::string CompoundFile::readStream(std::uint32_t id, std::string_view shown, std::size_t limit) {
  const Entry& e = entry(id);
  const std::string quoted = "\"" + std::string(shown) + "\"";
  if (e.size > m_fileSize) throw FileError("Stream " + quoted + " cannot be read");
  if (e.size > limit) {
    throw FileError("Stream " + quoted + " is larger than " + std::to_string(limit) + " bytes");
  }
  const auto size = static_cast<std::size_t>(e.size);
  if (size == 0) return {};
  try {
    const auto chain = streamChain(e);
    std::string bytes(size, '\0');
    readChainBytes(chain, isMini(e), 0, bytes.data(), size);
    return bytes;
  } catch (const Damaged&) {
    throw FileError("Stream " + quoted + " cannot be read");
  }
}

// A storage of an open file. Names are found by descending the storage's tree; the whole list
// of children is read only when the tree cannot answer: a name missing from it, a name in other
// letter case, or a tree that is not ordered as the format requires (some writers link siblings
// in a list).
struct StorageNode {
  std::shared_ptr<CompoundFile> file;
  std::uint32_t id = 0;
  std::string name;

  bool listed = false;
  bool ordered = false;  // the children ascend strictly in directory order
  std::vector<std::uint32_t> list;
  bool indexed = false;
  std::unordered_map<std::string, std::uint32_t> exact;   // name -> first child of that name
  std::unordered_map<std::string, std::uint32_t> folded;  // upper-cased name -> first child

  void makeList() {
    if (listed) return;
    list = file->children(id);
    ordered = true;
    for (std::size_t i = 1; i < list.size() && ordered; ++i) {
      ordered = DirectoryCompare(file->entry(list[i - 1]).name16, file->entry(list[i]).name16) < 0;
    }
    listed = true;
  }

  std::optional<std::uint32_t> fromIndex(std::string_view wanted) {
    if (!indexed) {
      for (const std::uint32_t child : list) {
        const std::string& childName = file->entry(child).name;
        exact.emplace(childName, child);
        folded.emplace(FoldKey(childName), child);
      }
      indexed = true;
    }
    if (auto it = exact.find(std::string(wanted)); it != exact.end()) return it->second;
    if (auto it = folded.find(FoldKey(wanted)); it != folded.end()) return it->second;
    return std::nullopt;
  }

  // The child named wanted: exactly, else without regard to letter case.
  std::optional<std::uint32_t> find(std::string_view wanted) {
    // Every stored name is valid text, so invalid text names nothing.
    if (!nls::IsValidUtf8(wanted)) return std::nullopt;
    const std::u16string wanted16 = nls::ToUtf16(wanted);
    // Letters beyond the first plane are upper-cased by name but not in directory order.
    const bool plain = std::none_of(wanted16.begin(), wanted16.end(),
                                    [](char16_t c) { return U16_IS_SURROGATE(c); });
    if (plain && (!listed || ordered)) {
      bool deep = false;
      const auto hit = file->searchTree(id, wanted16, deep);
      if (hit && file->entry(*hit).name == wanted) return hit;
      if (!deep) {
        makeList();
        // In an ordered tree the one child equal in directory order is the only candidate.
        if (ordered) return hit;
      }
    }
    makeList();
    return fromIndex(wanted);
  }
};

// ---- Writing ----

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

// Writes directory entry e into b at offset at (128 bytes, zero before).
void EncodeEntry(const OutEntry& e, std::string& b, std::size_t at) {
  for (std::size_t i = 0; i < e.name.size(); ++i) Put16(b, at + 2 * i, e.name[i]);
  Put16(b, at + 0x40, e.type == kTypeUnused ? 0 : std::uint16_t((e.name.size() + 1) * 2));
  b[at + 0x42] = char(e.type);
  b[at + 0x43] = char(e.type == kTypeUnused ? 0 : e.color);  // unused: zero but its links
  Put32(b, at + 0x44, e.left);
  Put32(b, at + 0x48, e.right);
  Put32(b, at + 0x4C, e.child);
  Put32(b, at + 0x74, e.type == kTypeStorage || e.type == kTypeUnused ? 0 : e.start);
  Put64(b, at + 0x78, e.size);
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
  m_node->makeList();
  std::vector<ElementInfo> out;
  out.reserve(m_node->list.size());
  for (const std::uint32_t child : m_node->list) {
    const detail::Entry& e = m_node->file->entry(child);
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

std::optional<StreamReader> Storage::OpenStream(std::string_view name, std::size_t limit) const {
  const auto id = m_node->find(name);
  if (!id || m_node->file->entry(*id).type != detail::kTypeStream) return std::nullopt;
  const detail::Entry& e = m_node->file->entry(*id);
  const std::string quoted = "\"" + std::string(name) + "\"";
  if (e.size > m_node->file->fileSize()) throw FileError("Stream " + quoted + " cannot be read");
  if (e.size > limit) {
    throw FileError("Stream " + quoted + " is larger than " + std::to_string(limit) + " bytes");
  }
  return StreamReader(m_node->file, *id, std::string(name));
}

StreamReader::StreamReader(std::shared_ptr<detail::CompoundFile> file, std::uint32_t id,
                           std::string shown)
    : m_file(std::move(file)), m_id(id), m_shown(std::move(shown)) {
  m_size = m_file->entry(m_id).size;
}
StreamReader::StreamReader(StreamReader&&) noexcept = default;
StreamReader& StreamReader::operator=(StreamReader&&) noexcept = default;
StreamReader::~StreamReader() = default;

std::string StreamReader::Read(std::uint64_t offset, std::size_t n) const {
  if (offset >= m_size) return {};
  n = static_cast<std::size_t>(std::min<std::uint64_t>(n, m_size - offset));
  const detail::Entry& e = m_file->entry(m_id);
  try {
    if (!m_chainRead) {
      m_chain = m_file->streamChain(e);
      m_chainRead = true;
    }
    std::string bytes(n, '\0');
    m_file->readChainBytes(m_chain, m_file->isMini(e), offset, bytes.data(), n);
    return bytes;
  } catch (const detail::CompoundFile::Damaged&) {
    throw FileError("Stream \"" + m_shown + "\" cannot be read");
  }
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
      return DirectoryCompare(entries[a].name, entries[b].name) < 0;
    });
    std::vector<unsigned> depths(sorted.size(), 0);
    unsigned deepest = 0;
    storage.child = LinkBalanced(entries, sorted, 0, sorted.size(), 0, depths, deepest);
    for (std::size_t i = 0; i < sorted.size(); ++i) {
      entries[sorted[i]].color = deepest > 0 && depths[i] == deepest ? 0 : 1;
    }
  }

  // Sectors in order: large streams, the mini stream, the mini table, the directory; the
  // allocation table and its index follow. The layout is reckoned first, so every byte is
  // copied once, straight to its place in the file.
  std::uint64_t sectors = 0;
  auto place = [&sectors](std::uint64_t bytes) -> std::uint32_t {
    if (bytes == 0) return kEndOfChain;
    const auto start = static_cast<std::uint32_t>(sectors);
    sectors += (bytes + kWriteSectorSize - 1) / kWriteSectorSize;
    return start;
  };
  std::uint64_t miniSectors = 0;
  for (auto& e : entries) {
    if (e.type != kTypeStream || e.size == 0) continue;
    if (e.size >= kMiniStreamCutoff) {
      e.start = place(e.size);
    } else {
      e.start = static_cast<std::uint32_t>(miniSectors);
      miniSectors += (e.size + kMiniSectorSize - 1) / kMiniSectorSize;
    }
  }
  const std::uint64_t miniStreamSize = miniSectors * kMiniSectorSize;
  entries[0].start = place(miniStreamSize);
  entries[0].size = miniStreamSize;
  const std::uint64_t miniTableSize =
      (miniSectors * 4 + kWriteSectorSize - 1) / kWriteSectorSize * kWriteSectorSize;
  const std::uint32_t miniFatStart = place(miniTableSize);
  const auto miniFatSectors = static_cast<std::uint32_t>(miniTableSize / kWriteSectorSize);
  const std::size_t perDirectorySector = kWriteSectorSize / kEntrySize;
  const std::uint64_t directorySize =
      (entries.size() + perDirectorySector - 1) / perDirectorySector * kWriteSectorSize;
  const std::uint32_t directoryStart = place(directorySize);

  const std::size_t linksPerSector = kWriteSectorSize / 4;
  std::size_t fatSectors = 0, difatSectors = 0;
  for (;;) {
    const std::size_t total = sectors + fatSectors + difatSectors;
    const std::size_t needFat = (total + linksPerSector - 1) / linksPerSector;
    const std::size_t needDifat =
        needFat > kHeaderDifatEntries
            ? (needFat - kHeaderDifatEntries + linksPerSector - 2) / (linksPerSector - 1)
            : 0;
    if (needFat == fatSectors && needDifat == difatSectors) break;
    fatSectors = needFat;
    difatSectors = needDifat;
  }
  const auto fatStart = static_cast<std::uint32_t>(sectors);
  const auto difatStart = static_cast<std::uint32_t>(sectors + fatSectors);
  if (sectors + fatSectors + difatSectors >= kDifatSector) {
    throw Error("Cannot create a compound file: larger than the format allows");
  }

  std::string out(kHeaderSize + (sectors + fatSectors + difatSectors) * kWriteSectorSize, '\0');
  auto at = [](std::uint32_t sector) {
    return kHeaderSize + std::size_t(sector) * kWriteSectorSize;
  };
  std::memcpy(out.data(), kSignature, sizeof kSignature);
  Put16(out, 0x18, 0x003E);
  Put16(out, 0x1A, 0x0003);
  Put16(out, 0x1C, 0xFFFE);
  Put16(out, 0x1E, 9);
  Put16(out, 0x20, 6);
  Put32(out, 0x2C, static_cast<std::uint32_t>(fatSectors));
  Put32(out, 0x30, directoryStart);
  Put32(out, 0x38, kMiniStreamCutoff);
  Put32(out, 0x3C, miniFatStart);
  Put32(out, 0x40, miniFatSectors);
  Put32(out, 0x44, difatSectors > 0 ? difatStart : kEndOfChain);
  Put32(out, 0x48, static_cast<std::uint32_t>(difatSectors));
  for (std::size_t i = 0; i < kHeaderDifatEntries; ++i) {
    Put32(out, 0x4C + 4 * i,
          i < fatSectors ? fatStart + static_cast<std::uint32_t>(i) : kFreeSector);
  }

  // Stream contents; the space after each up to its (mini) sector's end stays zero.
  const std::size_t miniBase = entries[0].size > 0 ? at(entries[0].start) : 0;
  for (const auto& e : entries) {
    if (e.type != kTypeStream || e.size == 0) continue;
    const std::size_t offset = e.size >= kMiniStreamCutoff
                                   ? at(e.start)
                                   : miniBase + std::size_t(e.start) * kMiniSectorSize;
    std::memcpy(out.data() + offset, e.bytes->data(), e.bytes->size());
  }
  // The mini table: each small stream's mini sectors chained in order, the rest free.
  if (miniTableSize > 0) {
    const std::size_t tableAt = at(miniFatStart);
    std::memset(out.data() + tableAt, 0xFF, miniTableSize);
    for (const auto& e : entries) {
      if (e.type != kTypeStream || e.size == 0 || e.size >= kMiniStreamCutoff) continue;
      const std::size_t count = (e.size + kMiniSectorSize - 1) / kMiniSectorSize;
      for (std::size_t i = 0; i < count; ++i) {
        Put32(out, tableAt + 4 * (e.start + i),
              i + 1 < count ? e.start + std::uint32_t(i) + 1 : kEndOfChain);
      }
    }
  }
  const std::size_t directoryAt = at(directoryStart);
  for (std::size_t i = 0; i < directorySize / kEntrySize; ++i) {
    EncodeEntry(i < entries.size() ? entries[i] : OutEntry{}, out, directoryAt + i * kEntrySize);
  }

  // The allocation table: every chain runs through neighbouring sectors.
  const std::size_t fatAt = at(fatStart);
  std::memset(out.data() + fatAt, 0xFF, fatSectors * kWriteSectorSize);
  auto chain = [&](std::uint32_t start, std::uint64_t bytes) {
    if (bytes == 0) return;
    const std::uint64_t count = (bytes + kWriteSectorSize - 1) / kWriteSectorSize;
    for (std::uint64_t i = 0; i < count; ++i) {
      Put32(out, fatAt + 4 * (start + i),
            i + 1 < count ? start + static_cast<std::uint32_t>(i) + 1 : kEndOfChain);
    }
  };
  for (const auto& e : entries) {
    if (e.type == kTypeStream && e.size >= kMiniStreamCutoff) chain(e.start, e.size);
  }
  chain(entries[0].start, miniStreamSize);
  chain(miniFatStart, miniTableSize);
  chain(directoryStart, directorySize);
  for (std::size_t i = 0; i < fatSectors; ++i) Put32(out, fatAt + 4 * (fatStart + i), kFatSector);
  for (std::size_t i = 0; i < difatSectors; ++i) {
    Put32(out, fatAt + 4 * (difatStart + i), kDifatSector);
  }
  // The index of allocation-table sectors beyond the 109 in the header.
  std::size_t next = kHeaderDifatEntries;
  for (std::size_t d = 0; d < difatSectors; ++d) {
    const std::size_t difatAt = at(difatStart + static_cast<std::uint32_t>(d));
    std::memset(out.data() + difatAt, 0xFF, kWriteSectorSize);
    for (std::size_t i = 0; i < linksPerSector - 1 && next < fatSectors; ++i, ++next) {
      Put32(out, difatAt + 4 * i, fatStart + static_cast<std::uint32_t>(next));
    }
    Put32(out, difatAt + kWriteSectorSize - 4,
          d + 1 < difatSectors ? difatStart + static_cast<std::uint32_t>(d) + 1 : kEndOfChain);
  }
  return out;
}

void CompoundFileWriter::Save(const std::string& path) const { WriteFileWhole(path, Serialize()); }

}  // namespace flexel::storage
