#include "common/compileform_unit.h"

#include <unicode/utf16.h>
#include <unicode/utf8.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <unordered_map>

#include "platform/core/error.h"
#include "platform/nls/nls.h"

namespace flexel {
namespace detail {

// Splits decoded UTF-8 text into lines; a break at the very end opens no further line.
std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    std::size_t breakLength = 0;
    if (c == '\r') {
      breakLength = i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
    } else if (c == '\n') {
      breakLength = 1;
    } else if (c == '\xE2' && text.substr(i, 3) == "\xE2\x80\xA8") {
      breakLength = 3;
    }
    if (breakLength == 0) {
      ++i;
      continue;
    }
    lines.emplace_back(text.substr(start, i - start));
    i += breakLength;
    start = i;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::string_view UpToNul(std::string_view bytes) {
  const std::size_t nul = bytes.find('\0');
  return nul == std::string_view::npos ? bytes : bytes.substr(0, nul);
}

}  // namespace detail

namespace detail {

// UTF-16 bytes (after the mark) decoded and split into lines in one pass, up to the first NUL
// code unit; an odd last byte is dropped. A surrogate pair is one code point, a lone surrogate
// U+FFFD.
std::vector<std::string> Utf16Lines(std::string_view bytes, bool bigEndian) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t units = bytes.size() / 2;
  auto unit = [&](std::size_t i) -> char16_t {
    return static_cast<char16_t>(bigEndian ? (p[2 * i] << 8) | p[2 * i + 1]
                                           : p[2 * i] | (p[2 * i + 1] << 8));
  };
  std::size_t breaks = 0;
  for (std::size_t i = 0; i < units; ++i) {
    const char16_t c = unit(i);
    breaks += c == u'\r' || c == u'\n' || c == 0x2028;
  }
  std::vector<std::string> lines;
  lines.reserve(breaks + 1);
  std::string line;
  bool open = false;  // text since the last break
  for (std::size_t i = 0; i < units; ++i) {
    const char16_t c = unit(i);
    if (c == 0) break;
    if (c == u'\r' || c == u'\n' || c == 0x2028) {
      if (c == u'\r' && i + 1 < units && unit(i + 1) == u'\n') ++i;
      lines.push_back(std::move(line));
      line = std::string();
      open = false;
      continue;
    }
    if (!open) {
      // Room for the whole line at once: one byte a unit for most text, and a line of ASCII
      // taken in one go.
      std::size_t end = i;
      char16_t any = 0;
      for (char16_t u;
           end < units && (u = unit(end)) != 0 && u != u'\r' && u != u'\n' && u != 0x2028; ++end) {
        any |= u;
      }
      if (any < 0x80) {
        line.resize(end - i);
        for (std::size_t k = i; k < end; ++k) line[k - i] = static_cast<char>(unit(k));
        i = end - 1;
        open = true;
        continue;
      }
      line.reserve(end - i);
    }
    open = true;
    if (c < 0x80) {
      line.push_back(static_cast<char>(c));
      continue;
    }
    char32_t cp = c;
    if (U16_IS_LEAD(c) && i + 1 < units && U16_IS_TRAIL(unit(i + 1))) {
      cp = U16_GET_SUPPLEMENTARY(c, unit(i + 1));
      ++i;
    } else if (U16_IS_SURROGATE(c)) {
      cp = 0xFFFD;
    }
    nls::AppendUtf8(cp, line);
  }
  if (open) lines.push_back(std::move(line));
  return lines;
}

}  // namespace detail

std::vector<std::string> LoadTextLines(std::string_view bytes) {
  if (bytes.starts_with("\xFF\xFE")) return detail::Utf16Lines(bytes.substr(2), false);
  if (bytes.starts_with("\xFE\xFF")) return detail::Utf16Lines(bytes.substr(2), true);
  if (bytes.starts_with("\xEF\xBB\xBF")) {
    // A mark does not make the bytes after it valid UTF-8; what is not is legacy text.
    return detail::SplitLines(nls::DecodeLegacy(detail::UpToNul(bytes.substr(3))));
  }
  return detail::SplitLines(nls::DecodeLegacy(detail::UpToNul(bytes)));
}

std::string SaveTextLines(const std::vector<std::string>& lines) {
  std::size_t length = 2;
  for (const auto& line : lines) length += 2 * line.size() + 4;
  std::string bytes;
  bytes.reserve(length);  // every UTF-8 byte gives at most one UTF-16 unit
  bytes.append("\xFF\xFE", 2);
  auto put = [&bytes](char16_t unit) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  };
  for (const auto& line : lines) {
    const auto* s = reinterpret_cast<const uint8_t*>(line.data());
    const std::size_t n = line.size();
    for (std::size_t i = 0; i < n;) {
      if (s[i] < 0x80) {
        put(s[i++]);
        continue;
      }
      UChar32 c;
      U8_NEXT_OR_FFFD(s, i, n, c);
      if (c <= 0xFFFF) {
        put(static_cast<char16_t>(c));
      } else {
        put(U16_LEAD(c));
        put(U16_TRAIL(c));
      }
    }
    bytes.append("\r\0\n\0", 4);
  }
  return bytes;
}

namespace detail {

// One zlib state per thread, reset for each stream: setting one up per page would allocate and
// free a quarter megabyte every time.
class Deflater {
 public:
  Deflater() { m_ready = deflateInit(&m_z, 9) == Z_OK; }
  ~Deflater() {
    if (m_ready) deflateEnd(&m_z);
  }
  Deflater(const Deflater&) = delete;
  Deflater& operator=(const Deflater&) = delete;
  z_stream* get() { return m_ready && deflateReset(&m_z) == Z_OK ? &m_z : nullptr; }

 private:
  z_stream m_z{};
  bool m_ready = false;
};

class Inflater {
 public:
  Inflater() { m_ready = inflateInit(&m_z) == Z_OK; }
  ~Inflater() {
    if (m_ready) inflateEnd(&m_z);
  }
  Inflater(const Inflater&) = delete;
  Inflater& operator=(const Inflater&) = delete;
  z_stream* get() { return m_ready && inflateReset(&m_z) == Z_OK ? &m_z : nullptr; }

 private:
  z_stream m_z{};
  bool m_ready = false;
};

}  // namespace detail

std::string CompressStream(std::string_view bytes) {
  thread_local detail::Deflater deflater;
  // Compressed into scratch space and copied out at its size: pages are kept by the thousand.
  thread_local std::string scratch;
  z_stream* z = deflater.get();
  if (!z) throw Error("Cannot start zlib compression");
  scratch.resize(compressBound(static_cast<uLong>(bytes.size())));
  z->next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
  z->avail_in = static_cast<uInt>(bytes.size());
  z->next_out = reinterpret_cast<Bytef*>(scratch.data());
  z->avail_out = static_cast<uInt>(scratch.size());
  const int status = deflate(z, Z_FINISH);
  if (status != Z_STREAM_END) {
    throw Error("Cannot compress a stream (zlib error " + std::to_string(status) + ")");
  }
  std::string out(scratch.data(), scratch.size() - z->avail_out);
  // A rare large stream does not keep its scratch space for the rest of the thread's life.
  if (scratch.size() > (1u << 20)) std::string().swap(scratch);
  return out;
}

std::string DecompressStream(std::string_view data, std::size_t expected,
                             std::string_view streamName) {
  std::string out(expected, '\0');
  if (expected == 0) return out;
  thread_local detail::Inflater inflater;
  z_stream* z = inflater.get();
  if (!z) throw Error("Cannot start zlib decompression");
  z->next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z->avail_in = static_cast<uInt>(data.size());
  z->next_out = reinterpret_cast<Bytef*>(out.data());
  z->avail_out = static_cast<uInt>(out.size());
  int status = Z_OK;
  // Exactly the recorded length is taken; what the zlib stream holds beyond it is not read.
  while (z->avail_out > 0 && status == Z_OK) status = inflate(z, Z_NO_FLUSH);
  if (z->avail_out != 0) throw FileError("Stream \"" + std::string(streamName) + "\" is damaged");
  return out;
}

std::string SizeKey(std::string_view storage, std::string_view stream) {
  return std::string(storage) + ";" + std::string(stream);
}

// ---- Tvlx ----

namespace detail {

// Words of ASCII letters and digits order by their lower-case bytes under the collations that
// keep the Latin alphabet as it is; whether this one does is checked on the result.
bool PlainWord(std::string_view word) noexcept {
  return std::all_of(word.begin(), word.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
  });
}

// Sorts the word lines by the collation; words of equal collation keep the file's order.
void SortWords(std::vector<std::string>& words) {
  // An index written in order needs no sort.
  bool sorted = true;
  for (std::size_t i = 1; i < words.size() && sorted; ++i) {
    sorted = nls::CompareText(words[i - 1], words[i]) <= 0;
  }
  if (sorted) return;

  std::vector<std::uint32_t> order(words.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<std::uint32_t>(i);
  auto apply = [&words, &order] {
    std::vector<std::string> result;
    result.reserve(words.size());
    for (const std::uint32_t i : order) result.push_back(std::move(words[i]));
    words = std::move(result);
  };
  if (words.size() < UINT32_MAX &&
      std::all_of(words.begin(), words.end(), [](const auto& w) { return PlainWord(w); })) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; };
    // The first eight lower-case bytes as one number sort most words without a string compare.
    std::vector<std::uint64_t> heads(words.size());
    for (std::size_t i = 0; i < words.size(); ++i) {
      std::uint64_t head = 0;
      for (std::size_t k = 0; k < 8; ++k) {
        head =
            head << 8 | (k < words[i].size() ? static_cast<unsigned char>(lower(words[i][k])) : 0);
      }
      heads[i] = head;
    }
    // -1, 0 or 1: a and b by their lower-case bytes.
    auto compare = [&](std::uint32_t a, std::uint32_t b) {
      if (heads[a] != heads[b]) return heads[a] < heads[b] ? -1 : 1;
      const std::string& x = words[a];
      const std::string& y = words[b];
      const std::size_t n = std::min(x.size(), y.size());
      for (std::size_t k = 8; k < n; ++k) {
        const char cx = lower(x[k]), cy = lower(y[k]);
        if (cx != cy) return cx < cy ? -1 : 1;
      }
      return x.size() == y.size() ? 0 : (x.size() < y.size() ? -1 : 1);
    };
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
      const int c = compare(a, b);
      return c != 0 ? c < 0 : a < b;
    });
    // The result stands when the collation agrees with it neighbour by neighbour: each word
    // after the one before it, and equal to it exactly where the bytes are equal.
    bool agrees = true;
    for (std::size_t i = 1; i < order.size() && agrees; ++i) {
      const int byCollation = nls::CompareText(words[order[i - 1]], words[order[i]]);
      agrees = byCollation <= 0 && (byCollation == 0) == (compare(order[i - 1], order[i]) == 0);
    }
    if (agrees) {
      apply();
      return;
    }
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<std::uint32_t>(i);
  }
  // Collation keys made once per word: no collator call per comparison.
  std::vector<std::string> keys(words.size());
  for (std::size_t i = 0; i < words.size(); ++i) keys[i] = nls::SortKey(words[i]);
  std::stable_sort(order.begin(), order.end(),
                   [&keys](std::uint32_t a, std::uint32_t b) { return keys[a] < keys[b]; });
  apply();
}

// The size table, looked up in place. The writer stores it sorted by the collation, so the
// entry of a stream is found by halving the raw UTF-16 text and reading a few lines; a table
// that is not sorted so, or not stored as UTF-16 little endian, or where a lookup finds nothing,
// is read whole once and looked up in memory from then on.
class SizeTable {
 public:
  SizeTable(const storage::Storage& root, std::string_view name) {
    if (auto stream = root.OpenStream(name, kMaxStreamBytes)) {
      m_stream.emplace(std::move(*stream));
      m_raw = m_stream->Size() >= 2 && m_stream->Read(0, 2) == "\xFF\xFE";
      m_units = m_stream->Size() >= 2 ? (m_stream->Size() - 2) / 2 : 0;
    }
  }

  // The length text recorded for key: the entry of exactly that key, else one of that key in
  // other letter case; nothing when there is none.
  std::optional<std::string> Value(const std::string& key) {
    if (!m_stream) return std::nullopt;
    if (m_raw && !m_parsed) {
      if (auto found = search(key)) return *found;
      // Not found in place: the whole table decides.
    }
    parse();
    if (auto it = m_byKey.find(key); it != m_byKey.end()) return it->second;
    for (const auto& [name, length] : m_pairs) {
      if (nls::EqualText(name, key)) return length;
    }
    return std::nullopt;
  }

  const std::vector<std::string>& Lines() {
    parse();
    return m_lines;
  }

 private:
  static constexpr std::size_t kBlockUnits = 2048;
  static constexpr std::size_t kCachedBlocks = 1024;  // 4 MiB of the table at most
  static constexpr std::size_t kLongestLine = 4096;   // units; longer lines are not looked at here
  static constexpr int kWindow = 64;                  // lines that may share a key's place
  struct Line {
    std::string text;
    std::uint64_t next = 0;  // the unit where the following line starts
  };
  struct GiveUp {};  // the table cannot be searched in place

  char16_t unit(std::uint64_t u) {
    const std::uint64_t block = u / kBlockUnits;
    if (!m_last || block != m_lastBlock) {
      auto it = m_blocks.find(block);
      if (it == m_blocks.end()) {
        if (m_blocks.size() >= kCachedBlocks) m_blocks.clear();
        it = m_blocks.emplace(block, m_stream->Read(2 + 2 * block * kBlockUnits, 2 * kBlockUnits))
                 .first;
      }
      m_last = &it->second;
      m_lastBlock = block;
    }
    const std::size_t at = 2 * static_cast<std::size_t>(u % kBlockUnits);
    if (at + 1 >= m_last->size()) throw GiveUp{};
    const auto c = static_cast<char16_t>(static_cast<unsigned char>((*m_last)[at]) |
                                         static_cast<unsigned char>((*m_last)[at + 1]) << 8);
    // A NUL ends the text: what follows it is no part of the table.
    if (c == 0) throw GiveUp{};
    return c;
  }
  static bool isBreak(char16_t c) noexcept { return c == u'\r' || c == u'\n' || c == 0x2028; }

  // The first unit at or after u where a line starts (m_units at the end).
  std::uint64_t lineStart(std::uint64_t u) {
    if (u == 0 || u >= m_units) return std::min(u, m_units);
    const char16_t before = unit(u - 1);
    if (isBreak(before)) return before == u'\r' && unit(u) == u'\n' ? u + 1 : u;
    std::uint64_t i = u;
    for (std::size_t n = 0; i < m_units && !isBreak(unit(i)); ++i) {
      if (++n > kLongestLine) throw GiveUp{};
    }
    if (i >= m_units) return m_units;
    return unit(i) == u'\r' && i + 1 < m_units && unit(i + 1) == u'\n' ? i + 2 : i + 1;
  }

  Line lineAt(std::uint64_t start) {
    std::u16string units;
    std::uint64_t i = start;
    for (; i < m_units; ++i) {
      const char16_t c = unit(i);
      if (isBreak(c)) break;
      units.push_back(c);
      if (units.size() > kLongestLine) throw GiveUp{};
    }
    Line line{nls::FromUtf16(units), i};
    if (i < m_units) {
      line.next = unit(i) == u'\r' && i + 1 < m_units && unit(i + 1) == u'\n' ? i + 2 : i + 1;
    }
    return line;
  }

  std::optional<std::string> search(const std::string& key) {
    try {
      // The lines of key start with key and "=": the first of them is not before key + "=",
      // and none is after key + "=" + U+FFFF, which the collation puts after every character.
      const std::string low = key + "=";
      const std::string high = low + "\xEF\xBF\xBF";
      std::uint64_t lo = 0, hi = m_units;
      while (lo < hi) {
        const std::uint64_t mid = lo + (hi - lo) / 2;
        std::uint64_t start = lineStart(mid);
        if (start >= hi) start = lo;
        const Line line = lineAt(start);
        if (nls::CompareText(line.text, low) < 0) {
          lo = line.next > start ? line.next : hi;
        } else {
          hi = start;
        }
      }
      std::optional<std::string> other;  // the key in other letter case
      std::uint64_t at = lo;
      for (int n = 0; at < m_units; ++n) {
        if (n >= kWindow) throw GiveUp{};
        const Line line = lineAt(at);
        if (nls::CompareText(line.text, high) >= 0) break;
        const std::size_t eq = line.text.rfind('=');
        if (eq != std::string::npos) {
          const std::string_view name = std::string_view(line.text).substr(0, eq);
          if (name == key) return line.text.substr(eq + 1);
          if (!other && nls::EqualText(name, key)) other = line.text.substr(eq + 1);
        }
        if (line.next <= at) break;
        at = line.next;
      }
      return other;
    } catch (const GiveUp&) {
      return std::nullopt;
    }
  }

  void parse() {
    if (m_parsed) return;
    m_parsed = true;
    m_blocks.clear();
    m_last = nullptr;
    if (!m_stream) return;
    m_lines = LoadTextLines(m_stream->Read(0, static_cast<std::size_t>(m_stream->Size())));
    for (const auto& line : m_lines) {
      // Split at the last "=": the length never holds one, a word may.
      const std::size_t eq = line.rfind('=');
      if (eq == std::string::npos) continue;
      m_pairs.emplace_back(line.substr(0, eq), line.substr(eq + 1));
      m_byKey.emplace(m_pairs.back().first, m_pairs.back().second);
    }
  }

  std::optional<storage::StreamReader> m_stream;
  bool m_raw = false;
  std::uint64_t m_units = 0;
  std::unordered_map<std::uint64_t, std::string> m_blocks;
  const std::string* m_last = nullptr;  // the block read last, and its number
  std::uint64_t m_lastBlock = 0;
  bool m_parsed = false;
  std::vector<std::string> m_lines;
  std::vector<std::pair<std::string, std::string>> m_pairs;
  std::unordered_map<std::string, std::string> m_byKey;  // first entry of each key
};

}  // namespace detail

Tvlx::Tvlx() = default;
Tvlx::Tvlx(Tvlx&&) noexcept = default;
Tvlx& Tvlx::operator=(Tvlx&&) noexcept = default;
Tvlx::~Tvlx() = default;

Tvlx::Tvlx(const std::string& fileName) : m_fileName(fileName) {
  std::error_code error;
  if (!std::filesystem::exists(fileName, error)) return;
  m_root = storage::TryOpenCompoundFile(fileName);
  if (!m_root) return;
  const std::string sizesName =
      m_root->FindStream(kSizesStream).value_or(std::string(kSizesStream));
  m_sizes = std::make_unique<detail::SizeTable>(*m_root, sizesName);
  const auto marker = ReadList({}, kCompressStream);
  std::string flag;
  if (marker.size() == 1) {
    flag = marker.front();
  } else {
    for (const auto& line : marker) flag += line + "\r\n";
  }
  m_compressed = flag == "YES";
  m_words = ReadList({}, kIndexStream);
  detail::SortWords(m_words);
  m_tenses = ReadList({}, kTensesStream);
  m_header = ReadList({}, kHeaderStream);
}

const std::vector<std::string>& Tvlx::SizeLines() const {
  static const std::vector<std::string> kNone;
  return m_sizes ? m_sizes->Lines() : kNone;
}

std::string Tvlx::HeaderValue(std::string_view key) const {
  for (const auto& line : m_header) {
    const std::size_t eq = line.find('=');
    if (eq != std::string::npos && nls::EqualText(std::string_view(line).substr(0, eq), key)) {
      return line.substr(eq + 1);
    }
  }
  return {};
}

std::string Tvlx::Word(int i) const {
  if (i < 0 || i >= WordCount()) return {};
  return m_words[static_cast<std::size_t>(i)];
}

bool Tvlx::ContainsWord(std::string_view text) const {
  std::size_t low = 0, high = m_words.size();
  while (low < high) {
    const std::size_t mid = low + (high - low) / 2;
    const int order = nls::CompareText(m_words[mid], text);
    if (order == 0) return true;
    if (order < 0) {
      low = mid + 1;
    } else {
      high = mid;
    }
  }
  return false;
}

std::string Tvlx::TenseName(int i) const {
  if (i < 0 || i >= TenseCount()) return {};
  const std::string& line = m_tenses[static_cast<std::size_t>(i)];
  const std::size_t colon = line.find(':');
  return colon == std::string::npos ? std::string() : line.substr(colon + 1);
}

int Tvlx::TenseID(int i) const {
  if (i < 0 || i >= TenseCount()) return -1;
  const std::string& line = m_tenses[static_cast<std::size_t>(i)];
  const std::size_t colon = line.find(':');
  if (colon == std::string::npos) return -1;
  return StrToIntDef(line.substr(0, colon), -1);
}

std::string Tvlx::PageText(std::string_view word, int tenseId) const {
  if (word.empty()) return {};
  try {
    std::string text;
    for (const auto& line : ReadList(word, std::to_string(tenseId))) text += line + "\r\n";
    return text;
  } catch (const Error&) {
    // A page that is missing or damaged is shown as no page.
    return {};
  }
}

std::size_t Tvlx::recordedSize(const std::string& key, std::string_view shown) const {
  const auto value = m_sizes ? m_sizes->Value(key) : std::nullopt;
  const int size = value ? StrToIntDef(*value, -1) : -1;
  if (size < 0) throw FileError("Stream \"" + std::string(shown) + "\" has no recorded size");
  if (static_cast<std::size_t>(size) > kMaxStreamBytes) {
    throw FileError("Stream \"" + std::string(shown) + "\" has a recorded size over " +
                    std::to_string(kMaxStreamBytes) + " bytes");
  }
  return static_cast<std::size_t>(size);
}

std::vector<std::string> Tvlx::ReadList(std::string_view storage, std::string_view stream) const {
  if (!m_root) return {};
  std::optional<std::string> bytes;
  std::string storageName;  // as the file spells it
  std::string streamName(stream);
  const std::string shown =
      storage.empty() ? std::string(stream) : std::string(storage) + "/" + std::string(stream);
  if (storage.empty()) {
    if (auto actual = m_root->FindStream(stream)) streamName = *actual;
    ++m_streamReads;
    bytes = m_root->ReadStream(streamName, kMaxStreamBytes);
    if (!bytes) return {};
  } else {
    auto sub = m_root->OpenStorage(storage);
    if (!sub) throw FileError("Storage \"" + std::string(storage) + "\" does not exist");
    storageName = sub->Name();
    if (auto actual = sub->FindStream(stream)) streamName = *actual;
    ++m_streamReads;
    bytes = sub->ReadStream(streamName, kMaxStreamBytes);
    if (!bytes) throw FileError("Stream \"" + shown + "\" does not exist");
  }
  if (!m_compressed) return LoadTextLines(*bytes);
  const std::size_t size = recordedSize(SizeKey(storageName, streamName), shown);
  return LoadTextLines(DecompressStream(*bytes, size, shown));
}

std::optional<std::string> Tvlx::ReadPicture(std::string_view name) const {
  if (!m_root) return std::nullopt;
  auto images = m_root->OpenStorage(kImagesStorage);
  if (!images) return std::nullopt;
  ++m_streamReads;
  return images->ReadStream(name, kMaxStreamBytes);
}

}  // namespace flexel
