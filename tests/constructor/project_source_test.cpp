#include "constructor/project_source.h"

#include <gtest/gtest.h>

#include "common/compileform_unit.h"
#include "constructor/project_reader.h"
#include "platform/core/error.h"
#include "platform/nls/nls.h"
#include "tests/constructor/test_support.h"

namespace flexel {
namespace {

using Lines = std::vector<std::string>;
using testing::TempDir;

// The tenses and words of a project as one comparable text.
std::string Shape(const TProjectSource& p) {
  std::string s;
  for (const auto& t : p.tenses) s += "T" + std::to_string(t.id) + "[" + t.name + "]";
  for (const auto& w : p.words) {
    s += " W[" + w.word + "]";
    for (const auto& f : w.formLines) s += "{" + f + "}";
  }
  return s;
}

const Lines kHeader{"#AUTHOR:", "#EMAIL:",     "#FAMILY:", "#SUMMARY:",
                    "#SIL:",    "#COPYRIGHT:", "#NAME:",   "#DESCRIPTION:"};

Lines With(Lines head, const Lines& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

struct ReadCase {
  const char* label;
  Lines lines;
  std::string shape;
  bool standard = false;
};

class ProjectRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ProjectRead, FollowsTheSectionRules) {
  TProjectSource project;
  project.ReadLines(GetParam().lines);
  EXPECT_EQ(Shape(project), GetParam().shape);
  EXPECT_EQ(project.IsStandard(), GetParam().standard);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ProjectRead,
    ::testing::Values(
        ReadCase{"StandardWithoutWords", With(kHeader, {"#TENSES", "0:All tenses", "#WORDS"}),
                 "T0[All tenses]", true},
        ReadCase{"AdvancedWithOnlyAllTensesIsStandard",
                 With(kHeader, {"#TENSES", "1:All tenses", "#WORDS"}), "T1[All tenses]", true},
        ReadCase{"TwoTensesStayAdvanced",
                 With(kHeader, {"#TENSES", "0:All tenses", "1:Past", "#WORDS"}),
                 "T0[All tenses]T1[Past]", false},
        ReadCase{"AllTensesComparedExactly", With(kHeader, {"#TENSES", "0:all tenses"}),
                 "T0[all tenses]", false},
        ReadCase{"NoTensesIsAdvanced", With(kHeader, {"#TENSES", "#WORDS"}), "", false},
        ReadCase{"TenseNumberRules",
                 {"#TENSES", "7:Seven", "x:not a number", "no colon", "$A:hex", "0x1F:hex2",
                  "  5:lead", "5 :trail", "-3:neg", "07:zero", ":empty", "9:a:b"},
                 "T7[Seven]T10[$A:hex]T31[0x1F:hex2]T5[  lead]T-3[neg]T7[0zero]T9[a:b]"},
        ReadCase{"SectionTagsCarryAnySuffixAndCase",
                 {"#tensesXYZ", "1:One", "#Words and more", "w", "#"},
                 "T1[One] W[w]"},
        ReadCase{"NoGoingBack",
                 {"#TENSES", "#AUTHOR:late", "1:One", "#WORDS", "2:Two", "#", "#TENSES", "#"},
                 "T1[One] W[2:Two] W[#TENSES]"},
        ReadCase{"FormLines",
                 {"#TENSES", "1:One", "#WORDS", "be", "1:<p>am</p>", "not a form",
                  "9:unknown tense", "1:again", "#", "go", "#"},
                 "T1[One] W[be]{1:<p>am</p>}{9:unknown tense}{1:again} W[go]"},
        ReadCase{"HeaderOnly", {"#AUTHOR:x"}, ""}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(ProjectRead, HeaderTagsAnyOrderLaterWinsLowerCaseKeepsTag) {
  TProjectSource project;
  project.ReadLines({"#NAME:First", "#author:Ann", "#Sil:eng", "#NAME:Second", "#SUMMARY:s",
                     "#COPYRIGHT:(c) me", "#EMAIL:e", "#FAMILY:f", "#DESCRIPTION:<html>",
                     "stray line", "#TENSES"});
  EXPECT_EQ(project.name, "Second");
  EXPECT_EQ(project.author, "#author:Ann");  // recognised, value keeps the tag as written
  EXPECT_EQ(project.sil, "#Sil:eng");
  EXPECT_EQ(project.summary, "s");
  EXPECT_EQ(project.copyright, "(c) me");
  EXPECT_EQ(project.email, "e");
  EXPECT_EQ(project.family, "f");
  EXPECT_EQ(project.description, "<html>");
}

struct BrokenCase {
  const char* label;
  Lines lines;
  std::string shape;
};

class ProjectReadRunsOut : public ::testing::TestWithParam<BrokenCase> {};

TEST_P(ProjectReadRunsOut, KeepsWhatWasReadAndReportsIndexZero) {
  TProjectSource project;
  project.author = "before";
  EXPECT_THROW_MSG(project.ReadLines(GetParam().lines), ListIndexError,
                   "List index out of bounds (0)");
  EXPECT_EQ(Shape(project), GetParam().shape);
}

INSTANTIATE_TEST_SUITE_P(Table, ProjectReadRunsOut,
                         ::testing::Values(BrokenCase{"EmptyFile", {}, ""},
                                           BrokenCase{"EndsInsideWordBlock",
                                                      {"#TENSES", "1:One", "#WORDS", "be", "1:am",
                                                       "#", "go", "1:went"},
                                                      "T1[One] W[be]{1:am} W[go]{1:went}"},
                                           BrokenCase{"BlankLineAfterLastBlock",
                                                      {"#TENSES", "#WORDS", "be", "#", ""},
                                                      " W[be] W[]"}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(ProjectWrite, NewStandardProjectWritesEightHeaderLinesAndItsTense) {
  TProjectSource project;
  project.ResetProject(true, true);
  EXPECT_TRUE(project.IsStandard());
  EXPECT_EQ(project.copyright, kCopyrightPlaceholder);
  EXPECT_EQ(
      project.Lines(),
      (Lines{"#AUTHOR:", "#EMAIL:", "#FAMILY:", "#SUMMARY:", "#SIL:", "#COPYRIGHT:", "#NAME:",
             "#DESCRIPTION:" + std::string(kEmptyPage), "#TENSES", "0:All tenses", "#WORDS"}));
  const std::string bytes = project.SaveToBytes();
  EXPECT_TRUE(bytes.starts_with(std::string("\xFF\xFE#\0A\0", 6)));
  EXPECT_TRUE(bytes.ends_with(std::string("S\0\r\0\n\0", 6)));

  TProjectSource back;
  back.ReadLines(LoadTextLines(bytes));
  EXPECT_EQ(Shape(back), "T0[All tenses]");
  EXPECT_TRUE(back.IsStandard());
}

TEST(ProjectWrite, ValuesAreFlattenedToSingleLines) {
  TProjectSource project;
  project.ResetProject(false, true);
  project.summary = "first\r\nsecond  third\r\nfour    blanks";
  project.description = "<html>\r\n<body>\r\n</body></html>";
  project.author = "Ann\nLee";  // a break a window never types would split the file
  project.tenses = {{1, "Präsens 😀"}};
  project.words = {{"be", {"1:<p>\r\nam</p>", "no number"}}, {"go\nes", {}}};
  const Lines lines = project.Lines();
  EXPECT_EQ(lines[0], "#AUTHOR:Ann Lee");
  EXPECT_EQ(lines[3], "#SUMMARY:first second third four  blanks");
  EXPECT_EQ(lines[5], "#COPYRIGHT:");
  EXPECT_EQ(lines[7], "#DESCRIPTION:<html><body></body></html>");
  EXPECT_EQ(Lines(lines.begin() + 8, lines.end()),
            (Lines{"#TENSES", "1:Präsens 😀", "#WORDS", "be", "1:<p>am</p>", "#", "go es", "#"}));

  TProjectSource back;
  back.ReadLines(LoadTextLines(project.SaveToBytes()));
  EXPECT_EQ(Shape(back), "T1[Präsens 😀] W[be]{1:<p>am</p>} W[go es]");
}

TEST(ProjectWrite, SummaryPairsOfBlanksAreHalvedInOnePass) {
  EXPECT_EQ(TProjectSource::FlattenSummary("a    b"), "a  b");
  EXPECT_EQ(TProjectSource::FlattenSummary("a   b"), "a  b");
  EXPECT_EQ(TProjectSource::FlattenSummary("a\r\n\r\nb"), "a b");
}

TEST(ProjectWrite, CopyrightOtherThanThePlaceholderIsKept) {
  TProjectSource project;
  project.ResetProject(false, false);
  project.copyright = "(c) 2024";
  EXPECT_EQ(project.Lines()[5], "#COPYRIGHT:(c) 2024");
}

struct EncodingCase {
  const char* label;
  std::string bytes;
};

class ProjectEncodings : public ::testing::TestWithParam<EncodingCase> {};

TEST_P(ProjectEncodings, ReadAlikeAndAreWrittenBackAsUtf16) {
  TempDir dir;
  storage::WriteFileWhole(dir.file("p.txt"), GetParam().bytes, false);
  TProjectSource project;
  project.Open(dir.file("p.txt"));
  EXPECT_EQ(project.name, "Français");
  EXPECT_EQ(Shape(project), "T1[Présent] W[être]{1:<p>suis</p>}");
  EXPECT_EQ(project.copyright, kCopyrightPlaceholder);  // empty in the file
  project.Save(dir.file("p.txt"));
  const std::string written = storage::ReadFileWhole(dir.file("p.txt"), 1 << 20);
  EXPECT_TRUE(written.starts_with("\xFF\xFE"));
  EXPECT_EQ(LoadTextLines(written)[6], "#NAME:Français");
}

std::string Utf16(const std::string& utf8, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char16_t u : nls::ToUtf16(utf8)) {
    const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
    bytes += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
  }
  return bytes;
}

const std::string kFrench =
    "#NAME:Français\r\n#COPYRIGHT:\r\n#TENSES\r\n1:Présent\r\n#WORDS\r\nêtre\r\n1:<p>suis</"
    "p>\r\n#\r\n";

INSTANTIATE_TEST_SUITE_P(Table, ProjectEncodings,
                         ::testing::Values(EncodingCase{"Utf16LittleEndian", Utf16(kFrench, false)},
                                           EncodingCase{"Utf16BigEndian", Utf16(kFrench, true)},
                                           EncodingCase{"Utf8Mark", "\xEF\xBB\xBF" + kFrench},
                                           EncodingCase{
                                               "Legacy8Bit",
                                               "#NAME:Fran\xE7"
                                               "ais\r#COPYRIGHT:\r#TENSES\n1:Pr\xE9sent\n#WORDS\n"
                                               "\xEAtre\n1:<p>suis</p>\n#"}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(ProjectOpen, EndsInsideWordBlockKeepsFieldsAndPlaceholder) {
  TempDir dir;
  dir.WriteLines("p.txt", {"#NAME:N", "#TENSES", "1:One", "#WORDS", "be", "1:am"});
  TProjectSource project;
  project.description = "shown before";
  EXPECT_THROW_MSG(project.Open(dir.file("p.txt")), ListIndexError, "List index out of bounds (0)");
  EXPECT_EQ(project.name, "N");
  EXPECT_EQ(project.copyright, kCopyrightPlaceholder);
  EXPECT_EQ(project.description, "shown before");  // the file had no description line
  EXPECT_EQ(Shape(project), "T1[One] W[be]{1:am}");
}

TEST(ProjectOpen, MissingFileIsAFileError) {
  TempDir dir;
  TProjectSource project;
  EXPECT_THROW_MSG(project.Open(dir.file("none.txt")), FileError,
                   "Cannot open \"" + dir.file("none.txt") + "\": No such file or directory");
}

}  // namespace
}  // namespace flexel
