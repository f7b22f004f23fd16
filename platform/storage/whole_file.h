#pragma once
// Whole-file reading with a size bound and whole-file writing that never leaves a half-written
// file behind (temporary file in the same folder, then rename).

#include <cstddef>
#include <string>
#include <string_view>

namespace flexel::storage {

// The bytes of a regular file. Throws FileError when it cannot be read or exceeds limit bytes.
[[nodiscard]] std::string ReadFileWhole(const std::string& path, std::size_t limit);
// Replaces path by bytes in one step. Throws FileError naming path. With durable, the bytes
// reach the disk before the rename; files that can be made again (extracted pictures) skip it.
void WriteFileWhole(const std::string& path, std::string_view bytes, bool durable = true);

}  // namespace flexel::storage
