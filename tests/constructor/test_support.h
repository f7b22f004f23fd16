#pragma once
// Shared by the constructor tests: a temporary folder per test and project fixtures copied
// into it with "@DIR@" replaced by the folder, so pictures can be referenced by full path.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/storage/whole_file.h"
#include "tests/expect_message.h"

namespace flexel::testing {

class TempDir {
 public:
  TempDir() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "_" + info->name();
    for (char& c : name) {
      if (c == '/') c = '_';
    }
    m_path = std::filesystem::temp_directory_path() /
             ("flexel_ctor_" + std::to_string(::getpid()) + "_" + name);
    std::filesystem::remove_all(m_path);
    std::filesystem::create_directories(m_path);
  }
  ~TempDir() { std::filesystem::remove_all(m_path); }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  [[nodiscard]] std::string path() const { return m_path.string(); }
  [[nodiscard]] std::string file(const std::string& name) const { return (m_path / name).string(); }

  // Copies tests/data/projects/<name>/ here; text files get "@DIR@" replaced by this folder.
  void CopyProject(const std::string& name) const {
    const std::filesystem::path from = std::filesystem::path(FLEXEL_TEST_DATA) / "projects" / name;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(from)) {
      const auto target = m_path / std::filesystem::relative(entry.path(), from);
      if (entry.is_directory()) {
        std::filesystem::create_directories(target);
      } else if (entry.path().extension() == ".txt") {
        std::string text = storage::ReadFileWhole(entry.path().string(), 1 << 20);
        for (std::size_t at = text.find("@DIR@"); at != std::string::npos;
             at = text.find("@DIR@", at)) {
          text.replace(at, 5, path());
        }
        storage::WriteFileWhole(target.string(), text, false);
      } else {
        std::filesystem::copy_file(entry.path(), target);
      }
    }
  }

  // A project source written as UTF-8 lines with LF.
  void WriteLines(const std::string& name, const std::vector<std::string>& lines) const {
    std::string text;
    for (const auto& line : lines) text += line + "\n";
    storage::WriteFileWhole(file(name), text, false);
  }

 private:
  std::filesystem::path m_path;
};

}  // namespace flexel::testing
