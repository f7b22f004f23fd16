// VLX files whose size table claims more than any stream may hold.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/compileform_unit.h"
#include "platform/core/error.h"
#include "platform/storage/compound_file.h"

namespace flexel {
namespace {

namespace fs = std::filesystem;

struct ClaimCase {
  const char* label;
  const char* claimed;  // the recorded decompressed length
  const char* message;  // of the open that reads ".index"
};

class VlxSizeClaim : public ::testing::TestWithParam<ClaimCase> {
 protected:
  void SetUp() override {
    m_path = (fs::temp_directory_path() /
              ("flexel_vlx_claim_" + std::to_string(::getpid()) + "_" + GetParam().label + ".vlx"))
                 .string();
  }
  void TearDown() override { fs::remove(m_path); }

  // A good file except for the claimed length of stream (storage) of the given key.
  void Write(const std::string& claimedKey) {
    storage::CompoundFileWriter file;
    std::vector<std::string> sizes;
    auto add = [&](storage::StorageBuilder& where, const std::string& key, const std::string& name,
                   const std::vector<std::string>& lines) {
      const std::string bytes = SaveTextLines(lines);
      where.WriteStream(name, CompressStream(bytes));
      sizes.push_back(key + "=" +
                      (key == claimedKey ? GetParam().claimed : std::to_string(bytes.size())));
    };
    add(file.Root(), ";.header", ".header", {"NAME=x"});
    add(file.Root(), ";.index", ".index", {"walk"});
    add(file.Root().CreateStorage("walk"), "walk;1", "1", {"<p>walked</p>"});
    file.Root().WriteStream(kSizesStream, SaveTextLines(sizes));
    file.Root().WriteStream(kCompressStream, SaveTextLines({"YES"}));
    file.Save(m_path);
  }

  std::string m_path;
};

TEST_P(VlxSizeClaim, OfARootStreamFailsTheOpen) {
  Write(";.index");
  try {
    const Tvlx vlx(m_path);
    ADD_FAILURE() << "no error";
  } catch (const FileError& e) {
    EXPECT_EQ(std::string(e.what()), GetParam().message);
  }
}

TEST_P(VlxSizeClaim, OfAPageGivesTheEmptyPage) {
  Write("walk;1");
  const Tvlx vlx(m_path);
  ASSERT_TRUE(vlx.ContainsWord("walk"));
  EXPECT_EQ(vlx.PageText("walk", 1), "");
}

INSTANTIATE_TEST_SUITE_P(
    Claims, VlxSizeClaim,
    ::testing::Values(
        ClaimCase{"FourGiB", "4294967296", "Stream \".index\" has no recorded size"},
        ClaimCase{"FourGiBLessOne", "4294967295", "Stream \".index\" has no recorded size"},
        ClaimCase{"HexFourGiBLessOne", "$FFFFFFFF", "Stream \".index\" has no recorded size"},
        ClaimCase{"TwoGiB", "2147483647",
                  "Stream \".index\" has a recorded size over 67108864 bytes"}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace flexel
