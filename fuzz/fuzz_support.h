#pragma once
// What the fuzz targets share: a private temporary folder per process, inputs written to it
// whole, and the one kind of failure a reader may report.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace flexel::fuzz {

// Removed again when the fuzzer exits.
inline const std::filesystem::path& TempFolder() {
  struct Folder {
    Folder()
        : path(std::filesystem::temp_directory_path() /
               ("flexel_fuzz_" + std::to_string(::getpid()))) {
      std::filesystem::create_directories(path);
    }
    ~Folder() {
      std::error_code ignored;
      std::filesystem::remove_all(path, ignored);
    }
    std::filesystem::path path;
  };
  static const Folder folder;
  return folder.path;
}

inline std::string WriteInput(const std::string& name, std::string_view bytes) {
  const std::string path = (TempFolder() / name).string();
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path;
}

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

}  // namespace flexel::fuzz
