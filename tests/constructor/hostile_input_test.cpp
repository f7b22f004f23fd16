// Project sources built to exhaust the reader: one line of 50 MB, too large to commit.

#include <gtest/gtest.h>

#include <string>

#include "constructor/project_source.h"
#include "platform/storage/whole_file.h"
#include "tests/constructor/test_support.h"

namespace flexel {
namespace {

using flexel::testing::TempDir;

constexpr std::size_t kLineBytes = 50u << 20;

TEST(ProjectHostileInput, FiftyMegabyteDescriptionLineIsReadWhole) {
  TempDir dir;
  std::string text = "#DESCRIPTION:<p>";
  text.append(kLineBytes, 'x');
  text += "</p>";
  storage::WriteFileWhole(dir.file("big.txt"), text, false);
  TProjectSource project;
  project.Open(dir.file("big.txt"));
  EXPECT_EQ(project.description.size(), kLineBytes + 7);
  EXPECT_TRUE(project.description.starts_with("<p>xxx"));
  EXPECT_TRUE(project.tenses.empty());
  EXPECT_TRUE(project.words.empty());
}

TEST(ProjectHostileInput, FiftyMegabyteLineWithoutATagLeavesAnEmptyProject) {
  TempDir dir;
  storage::WriteFileWhole(dir.file("junk.txt"), std::string(kLineBytes, '#'), false);
  TProjectSource project;
  project.Open(dir.file("junk.txt"));
  EXPECT_EQ(project.author, "");
  EXPECT_EQ(project.name, "");
  EXPECT_EQ(project.copyright, kCopyrightPlaceholder);
  EXPECT_TRUE(project.tenses.empty());
  EXPECT_TRUE(project.words.empty());
}

}  // namespace
}  // namespace flexel
