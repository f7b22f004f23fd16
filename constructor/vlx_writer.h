#pragma once
// The writing side of the VLX container: text streams (compressed or not) at the root or in a
// word's storage, pictures in "_images", the size table and the compression marker. Everything
// is collected in memory and written as one file by Save.

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/storage/compound_file.h"

namespace flexel {

class TVlxWriter {
 public:
  // Starts a container holding the (possibly empty) storage "_images".
  TVlxWriter();

  // Writes lines as stream of storage (empty = the root), creating the storage on first use
  // and replacing a stream of the same name. A compressed write records its decompressed
  // length in the size list, replacing the entry of a replaced stream. Throws flexel::Error
  // naming an element the container cannot take.
  void WriteList(std::string_view storage, std::string_view stream,
                 const std::vector<std::string>& lines, bool compressed);
  // The page stream of a word (compressed, in the storage named by the word, never the root).
  void WritePage(std::string_view word, std::string_view stream,
                 const std::vector<std::string>& lines);
  void WritePicture(std::string_view name, std::string bytes);
  // The size table, sorted without regard to case, written uncompressed as ".sizes", then
  // ".compress" holding "YES".
  void WriteSizesAndMarker();
  // Writes the file whole (temporary file + rename). Throws FileError.
  void Save(const std::string& path) const;

  // "storage;stream=length" entries in order of writing.
  [[nodiscard]] std::vector<std::string> SizeList() const;

 private:
  void write(storage::StorageBuilder& target, std::string_view stream,
             const std::vector<std::string>& lines, bool compressed);

  storage::CompoundFileWriter m_file;
  std::vector<std::pair<std::string, std::size_t>> m_sizes;  // key, decompressed length
  std::unordered_map<std::string, std::size_t> m_sizeIndex;  // key -> position in m_sizes
};

}  // namespace flexel
