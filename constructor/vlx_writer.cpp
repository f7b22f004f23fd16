#include "constructor/vlx_writer.h"

#include <algorithm>

#include "common/compileform_unit.h"
#include "platform/nls/nls.h"

namespace flexel {

TVlxWriter::TVlxWriter() { m_file.Root().CreateStorage(kImagesStorage); }

void TVlxWriter::WriteList(std::string_view storage, std::string_view stream,
                           const std::vector<std::string>& lines, bool compressed) {
  write(storage.empty() ? m_file.Root() : m_file.Root().CreateStorage(storage), stream, lines,
        compressed);
}

void TVlxWriter::WritePage(std::string_view word, std::string_view stream,
                           const std::vector<std::string>& lines) {
  write(m_file.Root().CreateStorage(word), stream, lines, true);
}

void TVlxWriter::write(storage::StorageBuilder& target, std::string_view stream,
                       const std::vector<std::string>& lines, bool compressed) {
  std::string bytes = SaveTextLines(lines);
  if (!compressed) {
    target.WriteStream(stream, std::move(bytes));
    return;
  }
  const std::size_t length = bytes.size();
  target.WriteStream(stream, CompressStream(bytes));
  // The storage keeps the spelling it was created with; the key follows it. A replaced stream
  // replaces its entry, so the table never holds two lengths for one stream.
  const std::string key =
      SizeKey(&target == &m_file.Root() ? std::string() : target.Name(), stream);
  if (auto it = m_sizeIndex.find(key); it != m_sizeIndex.end()) {
    m_sizes[it->second].second = length;
  } else {
    m_sizeIndex.emplace(key, m_sizes.size());
    m_sizes.emplace_back(key, length);
  }
}

void TVlxWriter::WritePicture(std::string_view name, std::string bytes) {
  m_file.Root().CreateStorage(kImagesStorage).WriteStream(name, std::move(bytes));
}

std::vector<std::string> TVlxWriter::SizeList() const {
  std::vector<std::string> lines;
  lines.reserve(m_sizes.size());
  for (const auto& [key, length] : m_sizes) lines.push_back(key + "=" + std::to_string(length));
  return lines;
}

void TVlxWriter::WriteSizesAndMarker() {
  std::vector<std::string> lines = SizeList();
  std::stable_sort(lines.begin(), lines.end(), [](const std::string& a, const std::string& b) {
    return nls::CompareText(a, b) < 0;
  });
  WriteList({}, kSizesStream, lines, false);
  WriteList({}, kCompressStream, {"YES"}, false);
}

void TVlxWriter::Save(const std::string& path) const { m_file.Save(path); }

}  // namespace flexel
