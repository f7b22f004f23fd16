#pragma once
// The VLX container as both its writer and its readers see it. A VLX file is a compound file:
// at the root the compressed text streams ".header", ".tenses" and ".index", the size table
// ".sizes" and the marker ".compress"; one storage per word with one page stream per tense
// ID; the pictures in "_images". Text streams are lists of lines (the same encoding as project
// sources); compressed streams are zlib streams whose decompressed length the size table
// records. Tvlx is the reader of the VLX engine and of the compiler's check.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/storage/compound_file.h"

namespace flexel {

inline constexpr std::string_view kHeaderStream = ".header";
inline constexpr std::string_view kTensesStream = ".tenses";
inline constexpr std::string_view kIndexStream = ".index";
inline constexpr std::string_view kSizesStream = ".sizes";
inline constexpr std::string_view kCompressStream = ".compress";
inline constexpr std::string_view kImagesStorage = "_images";
inline constexpr std::string_view kPicturePrefix = "lexoro5vlx";
// No stream of a VLX file, stored or decompressed, may be longer than this.
inline constexpr std::size_t kMaxStreamBytes = 64u << 20;

// The lines of a text stream. The first bytes say the encoding: FF FE UTF-16 little endian,
// FE FF big endian, EF BB BF UTF-8, anything else legacy 8-bit text; the mark is not part of
// the first line. A line ends at CR LF, CR, LF or U+2028; a NUL ends the text.
[[nodiscard]] std::vector<std::string> LoadTextLines(std::string_view bytes);
// Lines as written: the mark FF FE, then UTF-16 little endian, every line followed by CR LF.
[[nodiscard]] std::string SaveTextLines(const std::vector<std::string>& lines);

// One zlib stream (RFC 1950) at level 9.
[[nodiscard]] std::string CompressStream(std::string_view bytes);
// Exactly expected bytes decoded from data; throws FileError naming the stream when data ends
// early or is damaged.
[[nodiscard]] std::string DecompressStream(std::string_view data, std::size_t expected,
                                           std::string_view streamName);

// Size table key of a stream: storage name (empty at the root), ";" and stream name.
[[nodiscard]] std::string SizeKey(std::string_view storage, std::string_view stream);

namespace detail {
class SizeTable;
}

class Tvlx {
 public:
  // An empty reader: no file, every list empty.
  Tvlx();
  // Opens fileName read-only and reads the size table, the marker, the word, tense and header
  // lists. A file that is missing or not a compound file leaves every list empty; a root stream
  // that exists but cannot be decoded throws FileError.
  explicit Tvlx(const std::string& fileName);
  Tvlx(Tvlx&&) noexcept;
  Tvlx& operator=(Tvlx&&) noexcept;
  ~Tvlx();

  [[nodiscard]] const std::string& FileName() const noexcept { return m_fileName; }
  [[nodiscard]] bool HasHeader() const noexcept { return !m_header.empty(); }
  [[nodiscard]] bool Compressed() const noexcept { return m_compressed; }
  // The value of the first header line whose key equals key, letter case ignored.
  [[nodiscard]] std::string HeaderValue(std::string_view key) const;

  [[nodiscard]] int WordCount() const noexcept { return static_cast<int>(m_words.size()); }
  // Word i of the sorted word lines; empty out of range.
  [[nodiscard]] std::string Word(int i) const;
  // Binary search in the sorted word lines, letter case ignored.
  [[nodiscard]] bool ContainsWord(std::string_view text) const;

  [[nodiscard]] int TenseCount() const noexcept { return static_cast<int>(m_tenses.size()); }
  [[nodiscard]] const std::vector<std::string>& TenseLines() const noexcept { return m_tenses; }
  // Tense line i after its first ":"; empty out of range or without ":".
  [[nodiscard]] std::string TenseName(int i) const;
  // The number before the first ":" of tense line i; -1 when there is none.
  [[nodiscard]] int TenseID(int i) const;

  // The page of word for tenseId, every line followed by CR LF; empty when the word or the page
  // does not exist or cannot be read.
  [[nodiscard]] std::string PageText(std::string_view word, int tenseId) const;
  // The lines of a text stream (storage empty = the root), decompressed when the file is
  // compressed. A missing root stream gives no lines; a missing storage or stream inside one,
  // a missing size entry or damaged data throw FileError.
  [[nodiscard]] std::vector<std::string> ReadList(std::string_view storage,
                                                  std::string_view stream) const;
  // The bytes of a picture stream of "_images"; nothing when there is none.
  [[nodiscard]] std::optional<std::string> ReadPicture(std::string_view name) const;

  // The size table as read ("storage;stream=length"); read whole on the first call, where
  // looking up one stream's length reads only a few lines of it.
  [[nodiscard]] const std::vector<std::string>& SizeLines() const;

  // How many streams were read from the file so far (the engine's page cache is checked by it).
  [[nodiscard]] std::size_t StreamReads() const noexcept { return m_streamReads; }

 private:
  [[nodiscard]] std::size_t recordedSize(const std::string& key, std::string_view shown) const;

  std::string m_fileName;
  // The open file (read-only); pages are read from it on request.
  std::optional<storage::Storage> m_root;
  std::unique_ptr<detail::SizeTable> m_sizes;
  bool m_compressed = false;
  std::vector<std::string> m_words;  // sorted
  std::vector<std::string> m_tenses;
  std::vector<std::string> m_header;
  mutable std::size_t m_streamReads = 0;
};

}  // namespace flexel
