#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine_xml/flexel_render.h"
#include "engine_xml/flexel_transliterator.h"
#include "platform/core/error.h"

namespace flexel {
namespace {

using ::testing::StrEq;
using ::testing::ThrowsMessage;

// Shows which path a text took without needing a table.
CellRendering Tagging() {
  CellRendering r;
  r.display = [](std::string_view t) { return "D(" + std::string(t) + ")"; };
  r.native = [](std::string_view t) { return "N(" + std::string(t) + ")"; };
  return r;
}

struct CellCase {
  const char* name;
  const char* forms;
  int row;
  int column;
  const char* html;   // TenseCellHTML with the plain rendering
  const char* plain;  // TenseCell with the plain rendering
};

void PrintTo(const CellCase& c, std::ostream* os) { *os << c.name; }

class CellTest : public ::testing::TestWithParam<CellCase> {};

TEST_P(CellTest, HtmlAndPlain) {
  const CellCase& c = GetParam();
  EXPECT_EQ(TenseCellHTML(c.forms, c.row, c.column, CellRendering{}), c.html);
  EXPECT_EQ(TenseCell(c.forms, c.row, c.column, CellRendering{}), c.plain);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CellTest,
    ::testing::Values(
        CellCase{"PronounColumn", "ich\tging*/", 1, 0, "<span class=pronoun>ich</span>", "ich"},
        CellCase{"PronounIgnoresMarkers", "ich*_\tx/", 1, 0, "<span class=pronoun>ich</span>",
                 "ich"},
        CellCase{"Irregular", "ich\tging*/", 1, 1, "<span class=irregular>ging</span>", "ging"},
        CellCase{"NotUsedOverIrregular", "p\t_x*/", 1, 1, "<span class=notused>x</span>", "x"},
        CellCase{"ArchaicOverIrregular", "p\t*x\xC2\xBD/", 1, 1, "<span class=archaic>x</span>",
                 "x"},
        CellCase{"OrtoUnderIrregular", "p\t+x*/", 1, 1, "<span class=irregular>x</span>", "x"},
        CellCase{"Orto", "p\tx+/", 1, 1, "<span class=orto>x</span>", "x"},
        CellCase{"Alternatives", "p\ta;b+/", 1, 1,
                 "<span class=normal>a</span>; <span class=orto>b</span>", "a; b"},
        CellCase{"EmptyLastAlternative", "p\ta;/", 1, 1,
                 "<span class=normal>a</span>; <span class=normal></span>", "a; "},
        CellCase{"HomonymNumberRemoved", "p\t2@haben*/", 1, 1, "<span class=irregular>haben</span>",
                 "haben"},
        CellCase{"AtWithoutNumberKept", "p\tx@y/", 1, 1, "<span class=normal>x@y</span>", "x@y"},
        CellCase{"SecondRow", "a\tb/c\td/", 2, 1, "<span class=normal>d</span>", "d"},
        CellCase{"RowZeroIsRowOne", "a\tb/c\td/", 0, 0, "<span class=pronoun>a</span>", "a"},
        CellCase{"RowPastLast", "a\tb/c\td/", 3, 0, "", ""},
        CellCase{"UnterminatedRowIsNoRow", "a/b", 2, 0, "", ""},
        CellCase{"ColumnPastLast", "a\tb/c/", 2, 1, "", ""},
        CellCase{"NegativeColumn", "a\tb/", 1, -1, "", ""},
        CellCase{"EmptyCell", "\tb/", 1, 0, "", ""},
        CellCase{"MultiByteText",
                 "p\t\xC3\xBC"
                 "ber*/",
                 1, 1,
                 "<span class=irregular>\xC3\xBC"
                 "ber</span>",
                 "\xC3\xBC"
                 "ber"}),
    [](const ::testing::TestParamInfo<CellCase>& info) { return std::string(info.param.name); });

TEST(RenderTest, NativeCellsTakeTheNativePath) {
  const std::string forms = "\\\\ich\t\\\\ka*;\\kb\tkc/";
  EXPECT_EQ(TenseCellHTML(forms, 1, 0, Tagging()), "<span class=pronoun>N(ich)</span>");
  EXPECT_EQ(TenseCellHTML(forms, 1, 1, Tagging()),
            "<span class=irregular>N(ka)</span>; <span class=normal>N(\\kb)</span>");
  EXPECT_EQ(TenseCellHTML(forms, 1, 2, Tagging()), "<span class=normal>D(kc)</span>");
  // The plain cell is the display text; "\\" only asks for native rendering.
  EXPECT_EQ(TenseCell(forms, 1, 1, Tagging()), "D(ka); D(\\kb)");
}

TEST(RenderTest, RowAndColumnCounts) {
  EXPECT_EQ(TenseRowCount("a\tb/c\td/"), 2);
  EXPECT_EQ(TenseColCount("a\tb/c\td/"), 2);
  EXPECT_EQ(TenseRowCount("a/b\tc\td/e\tf\tg\th"), 2);
  EXPECT_EQ(TenseColCount("a/b\tc\td/e\tf\tg\th"), 3);
  EXPECT_EQ(TenseRowCount(""), 0);
  EXPECT_EQ(TenseColCount(""), 0);
  EXPECT_EQ(TenseColCount("//"), 1);
}

TEST(RenderTest, TableHtmlExact) {
  EXPECT_EQ(TenseTableHTML("ich\tbin/du\tbist*/er/", CellRendering{}),
            "<table cellspacing=0 cellpadding=0>"
            "<tr><td><p><span class=pronoun>ich</span>&nbsp;</p></td>"
            "<td><p><span class=normal>bin</span>&nbsp;</p></td><tr>\r\n"
            "<tr><td><p><span class=pronoun>du</span>&nbsp;</p></td>"
            "<td><p><span class=irregular>bist</span>&nbsp;</p></td><tr>\r\n"
            "<tr><td><p><span class=pronoun>er</span>&nbsp;</p></td>"
            "<td><p>&nbsp;</p></td><tr>\r\n"
            "</table>");
  EXPECT_EQ(TenseTableHTML("", CellRendering{}), "");
  EXPECT_EQ(TenseTableHTML("no row", CellRendering{}), "");
}

TEST(RenderTest, TableThroughTransliterators) {
  const TTransliterator display(
      {"k\t\\u0915\t1", "a\t\\u0905\t1", "{e}a\t\\u093E\t0", "k{e}\t\\u0915\t0"}, "");
  const TTransliterator native({"x\t\\u0058\t0"}, "");
  const CellRendering rendering = TransliteratedRendering(display, native, "(q:x)");
  EXPECT_EQ(TenseTableHTML("ka\tka*;\\\\a/", rendering),
            "<table cellspacing=0 cellpadding=0><tr>"
            "<td><p><span class=pronoun>\u0915\u093E</span>&nbsp;</p></td>"
            "<td><p><span class=irregular>\u0915\u093E</span>; "
            "<span class=normal>\\\\\u0905</span>&nbsp;</p></td><tr>\r\n</table>");
  EXPECT_EQ(TenseCellHTML("p\t\\\\\\q;x/", 1, 1, rendering),
            "<span class=normal>X</span>; <span class=normal>X</span>");
  EXPECT_EQ(WordDisplayText("ka", rendering), "ka (\u0915\u093E)");
}

TEST(RenderTest, WordDisplay) {
  CellRendering same;
  same.display = [](std::string_view t) { return std::string(t); };
  same.native = [](std::string_view t) { return std::string(t); };
  EXPECT_EQ(WordDisplayText("sein", same), "sein");
  EXPECT_EQ(WordDisplayText("sein", Tagging()), "N(sein) (D(sein))");
  CellRendering noNative = Tagging();
  noNative.native = [](std::string_view) { return std::string(); };
  EXPECT_EQ(WordDisplayText("sein", noNative), "D(sein)");
}

TEST(RenderTest, OversizedCellsFailInsteadOfCutting) {
  const std::string longest(255, 'a');
  EXPECT_EQ(TenseCell("p\t" + longest + "/", 1, 1, CellRendering{}), longest);
  std::string wide;
  for (int i = 0; i < 255; ++i) wide += "\xC3\xA4";  // characters, not bytes, are counted
  EXPECT_EQ(TenseCell("p\t" + wide + "/", 1, 1, CellRendering{}), wide);

  EXPECT_THAT(
      [&] { (void)TenseCellHTML("p\tx;" + longest + "a/", 1, 1, CellRendering{}); },
      ThrowsMessage<Error>(StrEq("Alternative longer than 255 characters (row 1, column 1)")));
  EXPECT_THAT(
      [&] { (void)TenseCell("p\t" + longest + "a/", 0, 1, CellRendering{}); },
      ThrowsMessage<Error>(StrEq("Alternative longer than 255 characters (row 1, column 1)")));

  std::string many = "a";
  for (int i = 0; i < 254; ++i) many += ";a";
  EXPECT_NO_THROW((void)TenseCellHTML("p\t" + many + "/", 1, 1, CellRendering{}));
  EXPECT_THAT(
      [&] { (void)TenseTableHTML("p/q\t" + many + ";a/", CellRendering{}); },
      ThrowsMessage<Error>(StrEq("Cell with more than 255 alternatives (row 2, column 1)")));
}

TEST(RenderTest, TableTooLargeFails) {
  const std::string forms = std::string(kMaxTableCells, '\t') + "/";
  EXPECT_THAT([&] { (void)TenseTableHTML(forms, CellRendering{}); },
              ThrowsMessage<Error>(StrEq("Tense table with 65537 cells is too large")));
}

TEST(RenderTest, PageReplacesTagsOfTenses0To99) {
  std::vector<int> asked;
  const auto table = [&asked](int tense) {
    asked.push_back(tense);
    // A table that happens to hold a tag must not be expanded again.
    return tense == 1 ? std::string("<flexel:{2}>") : "[T" + std::to_string(tense) + "]";
  };
  EXPECT_EQ(PageHTML("<p><flexel:{3}></p><flexel:{0}><flexel:{3}><flexel:{99}><flexel:{150}>"
                     "<flexel:{03}><flexel:{1}><flexel:{x}><flexel:{7}",
                     table),
            "<p>[T3]</p>[T0][T3][T99]<flexel:{150}><flexel:{03}><flexel:{2}><flexel:{x}>"
            "<flexel:{7}");
  EXPECT_THAT(asked, ::testing::ElementsAre(3, 0, 99, 1));
  EXPECT_EQ(PageHTML("no tags", table), "no tags");
}

TEST(RenderTest, PageThatExplodesFails) {
  const std::string big(std::size_t{1} << 20, 'x');
  std::string tmpl;
  for (int i = 0; i < 100; ++i) tmpl += "<flexel:{5}>";
  EXPECT_THAT([&] { (void)PageHTML(tmpl, [&big](int) { return big; }); },
              ThrowsMessage<Error>(StrEq("Verb page larger than 64 MB")));
}

class LanguageInfoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = std::filesystem::temp_directory_path() /
            ("flexel_render_test_" + std::to_string(::getpid()));
    std::filesystem::remove_all(m_dir);
    std::filesystem::create_directories(m_dir);
  }
  void TearDown() override { std::filesystem::remove_all(m_dir); }
  [[nodiscard]] std::string Dir() const { return m_dir.string() + "/"; }
  [[nodiscard]] std::string Read(const std::string& name) const {
    std::ifstream in(m_dir / name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::filesystem::path m_dir;
};

TEST_F(LanguageInfoTest, ExtraInformationAndImages) {
  {
    std::ofstream old(m_dir / "xmlverb0.gif", std::ios::binary);
    old << "an older, longer picture";
  }
  const std::vector<std::string> extra = {"Summary\tS", "Comments\tC", "History\tH\tmore"};
  const std::vector<InfoPicture> pictures = {{"A map", "GIF", std::string("GIF89a\0\1", 8)},
                                             {"A <b>face</b>", "jpeg", "\xFF\xD8"}};
  EXPECT_EQ(LanguageInfoHTML(extra, pictures, Dir()),
            "<h2>Additional information</h2>"
            "<h3>Comments</h3><p>C</p>\r\n"
            "<h3>History</h3><p>H\tmore</p>\r\n"
            "<hr>"
            "<h2>Images</h2>"
            "<p><img src=\"xmlverb0.gif\"><br>A map</p>"
            "<p><img src=\"xmlverb1.jpeg\"><br>A <b>face</b></p>"
            "<hr>");
  EXPECT_EQ(Read("xmlverb0.gif"), std::string("GIF89a\0\1", 8));
  EXPECT_EQ(Read("xmlverb1.jpeg"), "\xFF\xD8");
  // Nothing but the two pictures is left behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir),
                          std::filesystem::directory_iterator()),
            2);
}

TEST_F(LanguageInfoTest, NothingToShow) {
  EXPECT_EQ(LanguageInfoHTML({}, {}, Dir()), "");
  EXPECT_EQ(LanguageInfoHTML({"Summary\tS"}, {}, Dir()), "<h2>Additional information</h2><hr>");
}

TEST_F(LanguageInfoTest, UnwritableFolderNamesTheFile) {
  const std::string missing = Dir() + "missing/";
  EXPECT_THAT(
      [&] {
        (void)LanguageInfoHTML({}, {{"d", "gif", "x"}}, missing);
      },
      ThrowsMessage<FileError>(
          StrEq("Cannot create file \"" + missing + "xmlverb0.gif\". No such file or directory")));
}

TEST(RenderTest, PictureFileNamesStayInTheFolder) {
  EXPECT_EQ(PictureFileName(0, "GIF"), "xmlverb0.gif");
  EXPECT_EQ(PictureFileName(3, "Jpeg"), "xmlverb3.jpeg");
  EXPECT_EQ(PictureFileName(1, "../../etc/x\"y"), "xmlverb1.etcxy");
  EXPECT_EQ(PictureFileName(2, ""), "xmlverb2.bmp");
  EXPECT_EQ(PictureFileName(4, std::string(100, 'p')), "xmlverb4." + std::string(16, 'p'));
}

}  // namespace
}  // namespace flexel
