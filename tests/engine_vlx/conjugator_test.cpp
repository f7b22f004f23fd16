#include "engine_vlx/conjugator.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "common/compileform_unit.h"
#include "constructor/compileform_unit.h"
#include "platform/core/error.h"
#include "platform/storage/compound_file.h"
#include "tests/constructor/test_support.h"

namespace flexel::vlx {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using flexel::testing::TempDir;

// Compiles a project (the pictures of the "pictures" fixture at hand) and opens it in the engine
// with the HTML folder html/ of the test's folder.
class VlxEngine : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir.CopyProject("pictures");
    fs::create_directories(m_dir.file("html"));
    m_engine.SetHtmlDirectory(m_dir.file("html") + "/");
  }

  std::string Compile(const std::string& name, const Lines& lines) {
    m_dir.WriteLines(name + ".txt", lines);
    TCompileForm compiler(nullptr);
    compiler.CompileProject(m_dir.file(name + ".txt"));
    return m_dir.file(name + ".vlx");
  }

  std::string Verbs() {
    return Compile(
        "verbs",
        {"#AUTHOR:Ann",
         "#EMAIL:?",
         "#FAMILY:Testic",
         "#SUMMARY:?",
         "#SIL:tst",
         "#COPYRIGHT:?",
         "#NAME:Test language",
         "#DESCRIPTION:<html><body><img src=\"flag.gif\"> <IMG SRC=\"nothing.gif\"></body></html>",
         "#TENSES",
         "2:Past",
         "1:Present",
         "#WORDS",
         "walk",
         "1:<p>walk</p>",
         "2:<html><p>walked <embed SRC=\"" + m_dir.file("pics/a.gif") + "\"></p>",
         "#",
         "be",
         "1:<p>am</p>",
         "#",
         "Also",
         "#"});
  }

  Lines HtmlFiles() const {
    Lines names;
    for (const auto& entry : fs::directory_iterator(m_dir.file("html"))) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  TempDir m_dir;
  TConjugator m_engine{"/nowhere/lib/Lexoro5vlx/"};
};

TEST_F(VlxEngine, OneLanguageFromTheHeader) {
  m_engine.OpenLanguageFile(Verbs());
  ASSERT_EQ(m_engine.LanguageCount(), 1);
  EXPECT_EQ(m_engine.CurrentLanguage(), -1);
  m_engine.SelectLanguage(0);
  EXPECT_EQ(m_engine.LanguageName(), "Test language");
  EXPECT_EQ(m_engine.LanguageCode(), "tst");
  EXPECT_EQ(m_engine.LanguageFamily(), "Testic");
  EXPECT_EQ(m_engine.LanguageSummary(), "");       // "?" is not given
  EXPECT_EQ(m_engine.CreatorText(), "\tAnn\t\t");  // copyright and e-mail "?", no web address
  EXPECT_EQ(m_engine.FindLanguageByCode("TST"), 0);
  EXPECT_EQ(m_engine.FindLanguageByCode("ts"), -1);
  EXPECT_EQ(m_engine.BooksText(), "");
  EXPECT_EQ(m_engine.CountryCount(), 0);
  EXPECT_EQ(m_engine.FlagPicture(), "");
  EXPECT_THROW_MSG(m_engine.SelectLanguage(1), ListIndexError, "List index out of bounds (1)");
  EXPECT_EQ(m_engine.CurrentLanguage(), 0);
}

TEST_F(VlxEngine, OnePartOfSpeechWithTheSortedWords) {
  m_engine.OpenLanguageFile(Verbs());
  m_engine.SelectLanguage(0);
  EXPECT_EQ(m_engine.PartOfSpeechCount(), 1);
  EXPECT_EQ(m_engine.PartOfSpeechName(0), "Verbs");
  EXPECT_EQ(m_engine.PartOfSpeechName(1), "");
  EXPECT_FALSE(m_engine.PartOfSpeechHeuristic(0));
  ASSERT_EQ(m_engine.WordCount(0), 3);
  EXPECT_EQ((Lines{m_engine.WordText(0, 0), m_engine.WordText(0, 1), m_engine.WordText(0, 2)}),
            (Lines{"Also", "be", "walk"}));
  EXPECT_EQ(m_engine.WordText(0, 3), "");
  EXPECT_EQ(m_engine.WordType(0, 0), -1);
  EXPECT_EQ(m_engine.WordDisplay("walk"), "walk");
  EXPECT_TRUE(m_engine.VerbExists("WALK"));
  EXPECT_FALSE(m_engine.VerbExists("run"));
  EXPECT_FALSE(m_engine.Morphology().Implemented());
}

TEST_F(VlxEngine, ActiveWordGivesTheTenseLinesAndStoredPages) {
  m_engine.OpenLanguageFile(Verbs());
  m_engine.SelectLanguage(0);
  TBaseverb& word = m_engine.ActiveWord();
  EXPECT_EQ(word.ConjugationPattern(), -1);
  EXPECT_EQ(word.TensesRaw(), "");
  EXPECT_EQ(word.TenseListCount(), 0);

  word.SetWord(0, 0, "walk");
  EXPECT_EQ(word.WordName(), "walk");
  EXPECT_EQ(word.WordNameW(), "walk");
  EXPECT_EQ(word.ConjugationPattern(), 1);
  EXPECT_FALSE(word.Found());
  EXPECT_EQ(word.TensesRaw(), "2:Past\r\n1:Present\r\n");  // file order, not sorted by ID
  EXPECT_EQ(word.TenseListCount(), 2);
  const InflectionEntry past = word.Inflection(0);
  EXPECT_EQ(past.idsText, "0");
  EXPECT_EQ(past.indent, 0);
  EXPECT_EQ(past.name, "Past");
  EXPECT_EQ(past.count, 1);
  EXPECT_EQ(word.TenseKey("1", 0), 1);
  EXPECT_THROW_MSG((void)word.TenseKey("x", 0), ConvertError, "'x' is not a valid integer value");
  // Line 1 is tense ID 1.
  EXPECT_EQ(word.TenseTableHTML(1), "<p>walk</p>\r\n");
  EXPECT_EQ(word.TenseRowCount(1), 1);
  EXPECT_EQ(word.TenseColCount(1), 0);
  EXPECT_EQ(word.TenseCell(1, 1, 0), "");
  EXPECT_EQ(word.TenseCellHTML(1, 1, 0), "");
  EXPECT_EQ(word.TenseTableHTML(5), "");  // no such line

  word.SetWord(0, 0, "BE");  // the index and the storages ignore letter case
  EXPECT_EQ(word.TenseTableHTML(1), "<p>am</p>\r\n");
  EXPECT_EQ(word.TenseTableHTML(0), "");  // no page for Past
}

TEST_F(VlxEngine, SameTenseTwiceReadsTheFileOnce) {
  m_engine.OpenLanguageFile(Verbs());
  m_engine.SelectLanguage(0);
  auto& word = static_cast<TMyVerb&>(m_engine.ActiveWord());
  word.SetWord(0, 0, "walk");
  const std::size_t before = m_engine.Reader().StreamReads();
  const std::string first = word.TensePage(1);
  EXPECT_EQ(word.TensePage(1), first);
  EXPECT_EQ(m_engine.Reader().StreamReads(), before + 1);
  (void)word.TensePage(0);
  (void)word.TensePage(1);
  EXPECT_EQ(m_engine.Reader().StreamReads(), before + 3);
  word.SetWord(0, 0, "walk");  // the same word: nothing changes, the cache stays
  (void)word.TensePage(1);
  EXPECT_EQ(m_engine.Reader().StreamReads(), before + 3);
}

TEST_F(VlxEngine, UnknownWordAfterAKnownOneKeepsThePatternButHasNoPages) {
  m_engine.OpenLanguageFile(Verbs());
  m_engine.SelectLanguage(0);
  TBaseverb& word = m_engine.ActiveWord();
  word.SetWord(0, 0, "run");
  EXPECT_EQ(word.ConjugationPattern(), -1);
  word.SetWord(0, 0, "walk");
  word.SetWord(0, 0, "run");
  EXPECT_EQ(word.ConjugationPattern(), 1);
  EXPECT_FALSE(m_engine.VerbExists(word.WordName()));
  EXPECT_EQ(word.TenseTableHTML(1), "");
}

TEST_F(VlxEngine, AnotherFileForgetsTheWordOfThePreviousOne) {
  const std::string first = Verbs();
  const std::string second = Compile("other", {"#NAME:Other", "#TENSES", "1:Present", "#WORDS",
                                               "walk", "1:<p>other walk</p>", "#"});
  m_engine.OpenLanguageFile(first);
  m_engine.SelectLanguage(0);
  m_engine.ActiveWord().SetWord(0, 0, "walk");
  (void)m_engine.ActiveWord().TenseTableHTML(1);
  m_engine.OpenLanguageFile(second);
  EXPECT_EQ(m_engine.ActiveWord().ConjugationPattern(), -1);
  m_engine.SelectLanguage(0);
  m_engine.ActiveWord().SetWord(0, 0, "walk");
  EXPECT_EQ(m_engine.ActiveWord().ConjugationPattern(), 1);
  EXPECT_EQ(m_engine.ActiveWord().TenseTableHTML(0), "<p>other walk</p>\r\n");
}

TEST_F(VlxEngine, FilesWithoutALanguage) {
  storage::WriteFileWhole(m_dir.file("text.vlx"), "not a compound file", false);
  const std::string bare = Compile("bare", {"#TENSES", "#WORDS"});  // empty header
  m_engine.OpenLanguageFile(Verbs());  // nothing of this file may stay visible
  for (const std::string& path : {m_dir.file("missing.vlx"), m_dir.file("text.vlx"), bare}) {
    m_engine.OpenLanguageFile(path);
    EXPECT_EQ(m_engine.LanguageCount(), 0) << path;
    EXPECT_EQ(m_engine.PartOfSpeechCount(), 0) << path;
    EXPECT_EQ(m_engine.WordCount(0), 0) << path;
    EXPECT_THROW_MSG(m_engine.SelectLanguage(0), ListIndexError, "List index out of bounds (0)");
  }
  // With no file, an empty code matches the empty SIL value.
  EXPECT_EQ(m_engine.FindLanguageByCode(""), 0);
}

TEST_F(VlxEngine, DamagedWordIndexFailsTheOpenWithTheReason) {
  storage::CompoundFileWriter writer;
  writer.Root().WriteStream(".header", CompressStream(SaveTextLines({"NAME=x"})));
  writer.Root().WriteStream(".index", CompressStream(SaveTextLines({"w"})));
  writer.Root().WriteStream(".sizes", SaveTextLines({";.header=10"}));
  writer.Root().WriteStream(".compress", SaveTextLines({"YES"}));
  writer.Save(m_dir.file("damaged.vlx"));
  EXPECT_THROW_MSG(m_engine.OpenLanguageFile(m_dir.file("damaged.vlx")), FileError,
                   "Stream \".index\" has no recorded size");
  EXPECT_EQ(m_engine.LanguageCount(), 0);
  EXPECT_EQ(m_engine.PartOfSpeechCount(), 0);
}

TEST_F(VlxEngine, DescriptionPicturesAreExtractedBeforeTheTextIsReturned) {
  m_engine.OpenLanguageFile(Verbs());
  m_engine.SelectLanguage(0);
  const std::string html = m_engine.LanguageInfoHTML();
  // The compiler mapped flag.gif; nothing.gif names no stream and is skipped without error.
  EXPECT_EQ(html,
            "<html><body><img src=\"lexoro5vlx0.gif\"> <IMG SRC=\"nothing.gif\"></body></html>");
  EXPECT_EQ(HtmlFiles(), Lines{"lexoro5vlx0.gif"});
  EXPECT_EQ(storage::ReadFileWhole(m_dir.file("html/lexoro5vlx0.gif"), 1000),
            storage::ReadFileWhole(m_dir.file("flag.gif"), 1000));
}

TEST_F(VlxEngine, TensePagePicturesAreExtracted) {
  m_engine.OpenLanguageFile(Verbs());
  m_engine.SelectLanguage(0);
  m_engine.ActiveWord().SetWord(0, 0, "walk");
  EXPECT_EQ(m_engine.ActiveWord().TenseTableHTML(0),
            "<html><p>walked <embed SRC=\"lexoro5vlx1.gif\"></p>\r\n");
  EXPECT_EQ(HtmlFiles(), Lines{"lexoro5vlx1.gif"});
}

TEST_F(VlxEngine, HtmlFolderWithoutTrailingSlashStillReceivesThePictures) {
  m_engine.SetHtmlDirectory(m_dir.file("html"));
  m_engine.OpenLanguageFile(Verbs());
  m_engine.SelectLanguage(0);
  (void)m_engine.LanguageInfoHTML();
  EXPECT_EQ(HtmlFiles(), Lines{"lexoro5vlx0.gif"});
}

TEST_F(VlxEngine, BundledSampleAnswersThroughTheEngine) {
  m_engine.OpenLanguageFile(std::string(FLEXEL_BUILD_DIR) + "/data/english.vlx");
  ASSERT_EQ(m_engine.LanguageCount(), 1);
  m_engine.SelectLanguage(0);
  EXPECT_EQ(m_engine.LanguageName(), "English (sample)");
  EXPECT_EQ(m_engine.FindLanguageByCode("ENG"), 0);
  ASSERT_EQ(m_engine.WordCount(0), 5);
  EXPECT_EQ(m_engine.WordText(0, 0), "be");
  EXPECT_EQ(m_engine.WordText(0, 2), "Have");
  EXPECT_EQ(m_engine.WordText(0, 4), "walk");  // "walk" comes first in the project
  TBaseverb& word = m_engine.ActiveWord();
  word.SetWord(0, 0, "have");
  EXPECT_EQ(word.TenseListCount(), 4);
  EXPECT_EQ(word.Inflection(3).name, "Future");
  EXPECT_NE(word.TenseTableHTML(0).find("<td>has</td>"), std::string::npos);
  word.SetWord(0, 0, "see");
  EXPECT_EQ(word.TenseTableHTML(3), "");  // "see" has no future page
  EXPECT_NE(m_engine.LanguageInfoHTML().find("src=\"lexoro5vlx0.png\""), std::string::npos);
  EXPECT_EQ(HtmlFiles(), Lines{"lexoro5vlx0.png"});
}

// A damaged file may name a picture stream anything; only plain names become files.
TEST_F(VlxEngine, PictureNamesThatAreNotPlainFileNamesWriteNothing) {
  // Element names cannot hold "/" when written, so the names are patched in afterwards.
  const Lines placeholders{"..Qx", "QQ", "aQb", ".."};
  const Lines hostile{"../x", "..", "a/b", ".."};
  storage::CompoundFileWriter writer;
  std::string description = "<html>";
  for (std::size_t i = 0; i < placeholders.size(); ++i) {
    writer.Root().CreateStorage("_images").WriteStream(placeholders[i], "PICTURE");
    description += "<img src=\"" + hostile[i] + "\">";
  }
  writer.Root().CreateStorage("_images").WriteStream("ok.gif", "PICTURE");
  description += "<img src=\"ok.gif\"><img src=\"\"><img src=\"unclosed>";
  writer.Root().WriteStream(".header", SaveTextLines({"NAME=x", "DESCRIPTION=" + description}));
  std::string bytes = writer.Serialize();
  auto patch = [&bytes](const std::string& from, const std::string& to) {
    std::string a, b;  // UTF-16 little endian with the terminating NUL
    for (char c : from) a += std::string{c, '\0'};
    for (char c : to) b += std::string{c, '\0'};
    a += std::string(2, '\0');
    b += std::string(2, '\0');
    const std::size_t at = bytes.find(a);
    ASSERT_NE(at, std::string::npos) << from;
    bytes.replace(at, a.size(), b);
  };
  patch("..Qx", "../x");
  patch("QQ", "..");
  patch("aQb", "a/b");
  storage::WriteFileWhole(m_dir.file("hostile.vlx"), bytes, false);
  fs::create_directories(m_dir.file("html/sub"));
  m_engine.SetHtmlDirectory(m_dir.file("html/sub/"));

  m_engine.OpenLanguageFile(m_dir.file("hostile.vlx"));
  m_engine.SelectLanguage(0);
  // The streams are there; only their names keep them out.
  EXPECT_EQ(m_engine.Reader().ReadPicture("../x"), "PICTURE");
  EXPECT_EQ(m_engine.Reader().ReadPicture("a/b"), "PICTURE");
  EXPECT_EQ(m_engine.LanguageInfoHTML(), description);
  EXPECT_EQ(HtmlFiles(), Lines{"sub"});  // nothing beside the HTML folder
  Lines inside;
  for (const auto& entry : fs::directory_iterator(m_dir.file("html/sub"))) {
    inside.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(inside, Lines{"ok.gif"});
  EXPECT_FALSE(fs::exists(m_dir.file("html/x")));
}

}  // namespace
}  // namespace flexel::vlx
