#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "common/compileform_unit.h"
#include "constructor/compileform_unit.h"
#include "platform/core/error.h"
#include "platform/storage/compound_file.h"
#include "tests/constructor/test_support.h"

namespace flexel {
namespace {

using Lines = std::vector<std::string>;
using testing::TempDir;

// A compiler whose log is kept as lines.
struct Compiler {
  Lines log;
  TCompileForm form{[this](const std::string& line) { log.push_back(line); }};
};

Lines Substitute(Lines lines, const std::string& dir) {
  for (auto& line : lines) {
    for (std::size_t at = line.find("@DIR@"); at != std::string::npos;
         at = line.find("@DIR@", at)) {
      line.replace(at, 5, dir);
    }
  }
  return lines;
}

std::string ReadBytes(const std::string& path) { return storage::ReadFileWhole(path, 1 << 20); }

class CompilePictures : public ::testing::TestWithParam<bool> {};

TEST_P(CompilePictures, LogsEveryCheckAndMapsFoundPictures) {
  const bool autoCorrect = GetParam();
  TempDir dir;
  dir.CopyProject("pictures");
  Compiler c;
  c.form.SetAutoCorrect(autoCorrect);
  c.form.CompileProject(dir.file("pictures.txt"));

  Lines expected{"",
                 "Compiling: @DIR@/pictures.txt",
                 "Checking pictures",
                 "\tERROR: flag.gif",
                 "\tShould be: @DIR@/flag.gif",
                 "\tCorrected",
                 "\t@DIR@/pics/B.png",
                 "\tERROR: file://@DIR@/pics/a.gif",
                 "\tShould be: @DIR@/pics/a.gif",
                 "\tCorrected",
                 "\t@DIR@/pics/B.png",
                 "\tERROR: missing.gif",
                 "\tFATAL ERROR",
                 "Processing words:",
                 "\tbe",
                 "\tgo",
                 "READY",
                 "File verified:",
                 "OK."};
  // With auto-correct off the pages keep their references as written; a corrected path is
  // still mapped where it occurs inside the reference.
  expected.push_back(autoCorrect ? "<html><body><img src=\"lexoro5vlx2.png\"> am <embed "
                                   "src=\"lexoro5vlx1.gif\"></body></html>"
                                 : "<html><body><img src=\"lexoro5vlx2.png\"> am <embed "
                                   "src=\"file://lexoro5vlx1.gif\"></body></html>");
  if (!autoCorrect) std::erase(expected, std::string("\tCorrected"));
  EXPECT_EQ(c.log, Substitute(expected, dir.path()));

  // Numbered in the order of their full paths without regard to case: flag, a, B.
  EXPECT_EQ(c.form.Pictures(),
            Substitute({"@DIR@/flag.gif", "@DIR@/pics/a.gif", "@DIR@/pics/B.png"}, dir.path()));
  const Tvlx vlx(dir.file("pictures.vlx"));
  EXPECT_EQ(vlx.HeaderValue("DESCRIPTION"),
            autoCorrect ? "<html><body><p>Flag: <IMG SRC=\"lexoro5vlx0.gif\"></p></body></html>"
                        : "<html><body><p>Flag: <IMG SRC=\"flag.gif\"></p></body></html>");
  EXPECT_EQ(vlx.ReadPicture("lexoro5vlx0.gif"), ReadBytes(dir.file("flag.gif")));
  EXPECT_EQ(vlx.ReadPicture("lexoro5vlx1.gif"), ReadBytes(dir.file("pics/a.gif")));
  EXPECT_EQ(vlx.ReadPicture("lexoro5vlx2.png"), ReadBytes(dir.file("pics/B.png")));
  EXPECT_EQ(vlx.PageText("go", 1),
            "<html><body><img src=\"lexoro5vlx2.png\"><img src=\"missing.gif\"></body></html>\r\n");
  // A page without pictures is stored as written.
  EXPECT_EQ(vlx.PageText("be", 2), "<html><body>was</body></html>\r\n");
}

INSTANTIATE_TEST_SUITE_P(AutoCorrect, CompilePictures, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "On" : "Off"; });

TEST(Compile, HeaderLinesFollowTheProjectAndSkipAnEmptyCopyright) {
  TempDir dir;
  dir.WriteLines("p.txt", {"#NAME:N", "#COPYRIGHT:", "#AUTHOR:A", "#SIL:x", "#AUTHOR:B",
                           "#summary:s", "#TENSES", "0:All tenses", "#WORDS"});
  Compiler c;
  c.form.CompileProject(dir.file("p.txt"));
  const Tvlx vlx(dir.file("p.vlx"));
  EXPECT_EQ(vlx.ReadList({}, kHeaderStream),
            (Lines{"NAME=N", "AUTHOR=A", "SIL=x", "AUTHOR=B", "SUMMARY=#summary:s"}));
  EXPECT_EQ(vlx.HeaderValue("COPYRIGHT"), "");
  EXPECT_EQ(vlx.TenseLines(), Lines{"0:All tenses"});
}

TEST(Compile, ProjectWithoutWordsGivesTheMinimalLayout) {
  TempDir dir;
  dir.WriteLines("empty.txt", {"#NAME:Nothing", "#TENSES", "1:One", "#WORDS"});
  Compiler c;
  c.form.CompileProject(dir.file("empty.txt"));
  EXPECT_EQ(Lines(c.log.end() - 4, c.log.end()), (Lines{"READY", "File verified:", "OK.", ""}));

  storage::Storage root = storage::OpenCompoundFile(dir.file("empty.vlx"));
  Lines names;
  for (const auto& child : root.Children())
    names.push_back(child.name + (child.isStorage ? "/" : ""));
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (Lines{".compress", ".header", ".index", ".sizes", ".tenses", "_images/"}));
  EXPECT_TRUE(root.OpenStorage("_images")->Children().empty());
  EXPECT_EQ(root.ReadStream(".compress", 100), std::string("\xFF\xFEY\0E\0S\0\r\0\n\0", 12));

  const Lines sizes = LoadTextLines(*root.ReadStream(".sizes", 1000));
  ASSERT_EQ(sizes.size(), 3u);
  EXPECT_EQ(sizes[1], ";.index=2");  // the mark and nothing else
  EXPECT_TRUE(sizes[0].starts_with(";.header="));
  EXPECT_TRUE(sizes[2].starts_with(";.tenses="));
  // Compressed at level 9: zlib header 78 DA.
  EXPECT_TRUE(root.ReadStream(".index", 100)->starts_with("\x78\xDA"));
}

TEST(Compile, RepeatedWordSharesOneStorageAndLaterPagesReplaceEarlier) {
  TempDir dir;
  dir.WriteLines("dup.txt", {"#NAME:N", "#TENSES", "1:One", "2:Two", "#WORDS", "be", "1:first one",
                             "2:only two", "#", "Be", "1:second one, longer than the first", "#"});
  Compiler c;
  c.form.CompileProject(dir.file("dup.txt"));
  const Tvlx vlx(dir.file("dup.vlx"));
  EXPECT_EQ(vlx.WordCount(), 2);  // the index keeps both lines
  EXPECT_EQ(vlx.PageText("be", 1), "second one, longer than the first\r\n");
  EXPECT_EQ(vlx.PageText("be", 2), "only two\r\n");
  storage::Storage root = storage::OpenCompoundFile(dir.file("dup.vlx"));
  EXPECT_EQ(root.Children().size(), 7u);  // five streams, "_images" and one word storage
  const Lines sizes = vlx.SizeLines();
  EXPECT_EQ(std::count_if(sizes.begin(), sizes.end(),
                          [](const std::string& s) { return s.starts_with("be;1="); }),
            1);
}

TEST(Compile, SizeTableIsSortedWithoutRegardToCase) {
  TempDir dir;
  dir.WriteLines("s.txt",
                 {"#TENSES", "1:x", "#WORDS", "b", "1:p", "#", "A", "1:p", "#", "_c", "1:p", "#"});
  Compiler c;
  c.form.CompileProject(dir.file("s.txt"));
  Lines keys;
  const Tvlx vlx(dir.file("s.vlx"));
  for (const auto& line : vlx.SizeLines()) {
    keys.push_back(line.substr(0, line.find('=')));
  }
  // The locale's collation: punctuation before letters, "_" before ";", "A" before "b".
  EXPECT_EQ(keys, (Lines{"_c;1", ";.header", ";.index", ";.tenses", "A;1", "b;1"}));
}

TEST(Compile, SourceEndingInsideAWordBlockWritesWhatWasReadAndStopsTheBatch) {
  TempDir dir;
  dir.WriteLines("broken.txt",
                 {"#NAME:Broken", "#TENSES", "1:One", "#WORDS", "be", "1:am", "#", "go", "1:went"});
  dir.WriteLines("next.txt", {"#NAME:Next", "#TENSES", "#WORDS"});
  Compiler c;
  EXPECT_THROW_MSG(c.form.CompileFiles({dir.file("broken.txt"), dir.file("next.txt")}),
                   ListIndexError, "List index out of bounds (0)");
  EXPECT_EQ(c.log, (Lines{"", "Compiling: " + dir.file("broken.txt"), "Checking pictures",
                          "Processing words:", "\tbe", "\tgo"}));
  EXPECT_FALSE(std::filesystem::exists(dir.file("next.vlx")));
  const Tvlx vlx(dir.file("broken.vlx"));
  EXPECT_EQ(vlx.HeaderValue("NAME"), "Broken");
  EXPECT_EQ(vlx.WordCount(), 2);
  EXPECT_EQ(vlx.PageText("go", 1), "went\r\n");
  EXPECT_TRUE(vlx.Compressed());
}

TEST(Compile, BatchOfTwoLogsTwoBlocksAndTheTestPageOfBe) {
  TempDir dir;
  dir.WriteLines("one.txt",
                 {"#NAME:One", "#TENSES", "3:Third", "#WORDS", "be", "3:<p>is</p>", "#"});
  dir.WriteLines("two.txt", {"#NAME:Two", "#TENSES", "#WORDS", "be", "#"});
  Compiler c;
  c.form.CompileFiles({dir.file("one.txt"), dir.file("two.txt")});
  EXPECT_EQ(c.log, (Lines{"", "Compiling: " + dir.file("one.txt"), "Checking pictures",
                          "Processing words:", "\tbe", "READY", "File verified:", "OK.",
                          "<p>is</p>", "", "Compiling: " + dir.file("two.txt"), "Checking pictures",
                          "Processing words:", "\tbe", "READY", "File verified:", "OK.", ""}));
}

TEST(Compile, EmptyHeaderIsReportedAsFailed) {
  TempDir dir;
  dir.WriteLines("bare.txt", {"#TENSES", "#WORDS"});
  Compiler c;
  c.form.CompileProject(dir.file("bare.txt"));
  EXPECT_EQ(Lines(c.log.end() - 3, c.log.end()), (Lines{"File verified:", "Failed!", ""}));
}

struct BadNameCase {
  const char* label;
  std::string word;
  std::string message;
};

class CompileBadWord : public ::testing::TestWithParam<BadNameCase> {};

TEST_P(CompileBadWord, EndsTheBatchWithTheStorageError) {
  TempDir dir;
  dir.WriteLines("bad.txt", {"#NAME:N", "#TENSES", "1:x", "#WORDS", "ok", "1:p", "#",
                             GetParam().word, "1:p", "#"});
  dir.WriteLines("later.txt", {"#NAME:L", "#TENSES", "#WORDS"});
  Compiler c;
  EXPECT_THROW_MSG(c.form.CompileFiles({dir.file("bad.txt"), dir.file("later.txt")}), Error,
                   GetParam().message);
  EXPECT_EQ(std::count(c.log.begin(), c.log.end(), "READY"), 0);
  EXPECT_FALSE(std::filesystem::exists(dir.file("later.vlx")));
}

INSTANTIATE_TEST_SUITE_P(
    Table, CompileBadWord,
    ::testing::Values(BadNameCase{"Slash", "a/b",
                                  "Cannot create element \"a/b\": the name contains \"/\""},
                      BadNameCase{"TooLong", std::string(32, 'w'),
                                  "Cannot create element \"" + std::string(32, 'w') +
                                      "\": the name is longer than 31 characters"},
                      BadNameCase{"Empty", "", "Cannot create element \"\": the name is empty"},
                      BadNameCase{"RootStreamName", ".sizes",
                                  "Cannot create stream \".sizes\": a storage has that name"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(Compile, ExistingOutputIsReplaced) {
  TempDir dir;
  dir.WriteLines("p.txt", {"#NAME:New", "#TENSES", "#WORDS"});
  storage::WriteFileWhole(dir.file("p.vlx"), "old junk", false);
  Compiler c;
  c.form.CompileProject(dir.file("p.txt"));
  EXPECT_EQ(Tvlx(dir.file("p.vlx")).HeaderValue("NAME"), "New");
}

TEST(Compile, PictureFoundOnceIsStoredOnceForManyPages) {
  TempDir dir;
  dir.CopyProject("pictures");
  dir.WriteLines("twice.txt", {"#TENSES", "1:x", "#WORDS", "a",
                               "1:<html><img src=\"" + dir.file("flag.gif") + "\">", "#", "b",
                               "1:<html><IMG SRC=\"" + dir.file("flag.gif") + "\">", "#"});
  Compiler c;
  c.form.CompileProject(dir.file("twice.txt"));
  ASSERT_EQ(c.form.Pictures().size(), 1u);
  const Tvlx vlx(dir.file("twice.vlx"));
  EXPECT_EQ(vlx.PageText("a", 1), "<html><img src=\"lexoro5vlx0.gif\">\r\n");
  EXPECT_EQ(vlx.PageText("b", 1), "<html><IMG SRC=\"lexoro5vlx0.gif\">\r\n");
}

TEST(Compile, PicturesAreOnlyLookedForInHtmlPages) {
  TempDir dir;
  dir.CopyProject("pictures");
  const std::string page = "1:<p><img src=\"" + dir.file("flag.gif") + "\"></p>";
  dir.WriteLines("plain.txt", {"#NAME:N", "#TENSES", "1:x", "#WORDS", "w", page, "#"});
  Compiler c;
  c.form.CompileProject(dir.file("plain.txt"));
  EXPECT_TRUE(c.form.Pictures().empty());
  EXPECT_EQ(c.log[3], "Processing words:");  // nothing logged by the picture check
  EXPECT_EQ(Tvlx(dir.file("plain.vlx")).PageText("w", 1), page.substr(2) + "\r\n");
}

// Reads a compiled file with Debian's python3-olefile and compares what it finds.
TEST(CompileLayout, IndependentReaderSeesTheSameStoragesStreamsAndContents) {
  TempDir dir;
  dir.CopyProject("pictures");
  Compiler c;
  c.form.CompileProject(dir.file("pictures.txt"));

  const std::string command = std::string(FLEXEL_PYTHON3) + " '" + FLEXEL_TEST_DATA +
                              "/vlx/olefile_dump.py' '" + dir.file("pictures.vlx") + "' 2>&1";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
  ASSERT_TRUE(pipe);
  std::string output;
  char buffer[4096];
  while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe.get())) output.append(buffer, n);
  Lines found = LoadTextLines(output);
  std::sort(found.begin(), found.end());

  auto hex = [](const std::string& bytes) {
    std::string out;
    char digits[3];
    for (unsigned char b : bytes) {
      std::snprintf(digits, sizeof digits, "%02x", b);
      out += digits;
    }
    return out;
  };
  const Tvlx vlx(dir.file("pictures.vlx"));
  std::string sizes;
  for (const auto& line : vlx.SizeLines()) sizes += line + "\\r\\n";
  Lines expected{
      "S _images",
      "B _images/lexoro5vlx0.gif " + hex(ReadBytes(dir.file("flag.gif"))),
      "B _images/lexoro5vlx1.gif " + hex(ReadBytes(dir.file("pics/a.gif"))),
      "B _images/lexoro5vlx2.png " + hex(ReadBytes(dir.file("pics/B.png"))),
      "S be",
      "Z be/1 <html><body><img src=\"lexoro5vlx2.png\"> am <embed src=\"lexoro5vlx1.gif\">"
      "</body></html>\\r\\n",
      "Z be/2 <html><body>was</body></html>\\r\\n",
      "S go",
      "Z go/1 <html><body><img src=\"lexoro5vlx2.png\"><img "
      "src=\"missing.gif\"></body></html>\\r\\n",
      "Z .header AUTHOR=Tester\\r\\nEMAIL=t@example.org\\r\\nFAMILY=Testic\\r\\n"
      "SUMMARY=One line summary\\r\\nSIL=tst\\r\\nNAME=Test language\\r\\n"
      "DESCRIPTION=<html><body><p>Flag: <IMG SRC=\"lexoro5vlx0.gif\"></p></body></html>\\r\\n",
      "Z .tenses 1:Present\\r\\n2:Past\\r\\n",
      "Z .index be\\r\\ngo\\r\\n",
      "T .sizes " + sizes,
      "T .compress YES\\r\\n"};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(found, expected) << output;
}

}  // namespace
}  // namespace flexel
