#include "common/compileform_unit.h"

#include <zlib.h>

#include <algorithm>
#include <filesystem>

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

// UTF-16 bytes up to the first NUL code unit.
std::string_view Utf16UpToNul(std::string_view bytes) {
  const std::size_t units = bytes.size() / 2;
  for (std::size_t u = 0; u < units; ++u) {
    if (bytes[2 * u] == '\0' && bytes[2 * u + 1] == '\0') return bytes.substr(0, 2 * u);
  }
  return bytes.substr(0, 2 * units);
}

}  // namespace detail

std::vector<std::string> LoadTextLines(std::string_view bytes) {
  std::string text;
  if (bytes.starts_with("\xFF\xFE")) {
    text = nls::FromUtf16Bytes(detail::Utf16UpToNul(bytes.substr(2)), false);
  } else if (bytes.starts_with("\xFE\xFF")) {
    text = nls::FromUtf16Bytes(detail::Utf16UpToNul(bytes.substr(2)), true);
  } else if (bytes.starts_with("\xEF\xBB\xBF")) {
    // A mark does not make the bytes after it valid UTF-8; what is not is legacy text.
    text = nls::DecodeLegacy(detail::UpToNul(bytes.substr(3)));
  } else {
    text = nls::DecodeLegacy(detail::UpToNul(bytes));
  }
  return detail::SplitLines(text);
}

std::string SaveTextLines(const std::vector<std::string>& lines) {
  std::string bytes = "\xFF\xFE";
  for (const auto& line : lines) {
    for (char16_t unit : nls::ToUtf16(line)) {
      bytes.push_back(static_cast<char>(unit & 0xFF));
      bytes.push_back(static_cast<char>(unit >> 8));
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
  z_stream* z = deflater.get();
  if (!z) throw Error("Cannot start zlib compression");
  std::string out(compressBound(static_cast<uLong>(bytes.size())), '\0');
  z->next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
  z->avail_in = static_cast<uInt>(bytes.size());
  z->next_out = reinterpret_cast<Bytef*>(out.data());
  z->avail_out = static_cast<uInt>(out.size());
  const int status = deflate(z, Z_FINISH);
  if (status != Z_STREAM_END) {
    throw Error("Cannot compress a stream (zlib error " + std::to_string(status) + ")");
  }
  out.resize(out.size() - z->avail_out);
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

// Collation keys made once per word: a large index opens without a collator call per
// comparison. Equal keys keep the file's order.
void SortWords(std::vector<std::string>& words) {
  std::vector<std::pair<std::string, std::size_t>> keyed;
  keyed.reserve(words.size());
  for (std::size_t i = 0; i < words.size(); ++i) keyed.emplace_back(nls::SortKey(words[i]), i);
  std::stable_sort(keyed.begin(), keyed.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::string> sorted;
  sorted.reserve(words.size());
  for (const auto& entry : keyed) sorted.push_back(std::move(words[entry.second]));
  words = std::move(sorted);
}

}  // namespace detail

Tvlx::Tvlx() = default;

Tvlx::Tvlx(const std::string& fileName) : m_fileName(fileName) {
  std::error_code error;
  if (!std::filesystem::exists(fileName, error)) return;
  m_root = storage::TryOpenCompoundFile(fileName);
  if (!m_root) return;
  m_sizes = ReadList({}, kSizesStream);
  for (const auto& line : m_sizes) {
    // Split at the last "=": the length never holds one, a word may.
    const std::size_t eq = line.rfind('=');
    if (eq != std::string::npos) m_sizeByKey.emplace(line.substr(0, eq), line.substr(eq + 1));
  }
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
  const std::string* value = nullptr;
  if (auto it = m_sizeByKey.find(key); it != m_sizeByKey.end()) {
    value = &it->second;
  } else {
    for (const auto& [name, length] : m_sizeByKey) {
      if (nls::EqualText(name, key)) {
        value = &length;
        break;
      }
    }
  }
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
