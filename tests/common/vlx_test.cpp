#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "common/compileform_unit.h"
#include "platform/core/error.h"
#include "platform/nls/nls.h"
#include "platform/storage/compound_file.h"
#include "platform/storage/whole_file.h"
#include "tests/expect_message.h"

namespace flexel {
namespace {

namespace fs = std::filesystem;

std::string Utf16Le(std::u16string_view text) {
  std::string bytes;
  for (char16_t u : text) {
    bytes.push_back(static_cast<char>(u & 0xFF));
    bytes.push_back(static_cast<char>(u >> 8));
  }
  return bytes;
}

std::string Utf16Be(std::u16string_view text) {
  std::string bytes;
  for (char16_t u : text) {
    bytes.push_back(static_cast<char>(u >> 8));
    bytes.push_back(static_cast<char>(u & 0xFF));
  }
  return bytes;
}

struct LinesCase {
  const char* label;
  std::string bytes;
  std::vector<std::string> lines;
};

class TextStreamLines : public ::testing::TestWithParam<LinesCase> {};

TEST_P(TextStreamLines, AreDecodedBySignatureAndSplitAtEveryLineEnd) {
  EXPECT_EQ(LoadTextLines(GetParam().bytes), GetParam().lines);
}

using Lines = std::vector<std::string>;

INSTANTIATE_TEST_SUITE_P(
    Table, TextStreamLines,
    ::testing::Values(
        LinesCase{"Utf16LittleEndian", "\xFF\xFE" + Utf16Le(u"a\r\n\u00E9\r\n"), Lines{"a", "é"}},
        LinesCase{"Utf16BigEndian", "\xFE\xFF" + Utf16Be(u"a\r\n\u00E9\r\n"), Lines{"a", "é"}},
        LinesCase{"Utf16SurrogatePair", "\xFF\xFE" + Utf16Le(u"\U0001F600"), Lines{"😀"}},
        LinesCase{"Utf8Mark", "\xEF\xBB\xBF\xC3\xA9t\xC3\xA9\r\n", Lines{"été"}},
        LinesCase{"LegacyWindows1252", "caf\xE9\n\x80", Lines{"café", "€"}},
        LinesCase{"Utf8WithoutMarkStaysUtf8", "caf\xC3\xA9", Lines{"café"}},
        LinesCase{"AllFourLineEnds",
                  "a\r\nb\rc\nd\xE2\x80\xA8"
                  "e",
                  Lines{"a", "b", "c", "d", "e"}},
        LinesCase{"EmptyLinesKept", "a\r\n\r\nb", Lines{"a", "", "b"}},
        LinesCase{"FinalBreakOpensNoLine", "a\n\n", Lines{"a", ""}},
        LinesCase{"NulEndsTheText", std::string("a\nb\0c\nd", 7), Lines{"a", "b"}},
        LinesCase{"NulEndsUtf16Text", "\xFF\xFE" + Utf16Le(std::u16string(u"a\r\nb\0c", 6)),
                  Lines{"a", "b"}},
        LinesCase{"OddUtf16ByteDropped", "\xFF\xFE" + Utf16Le(u"ab") + "x", Lines{"ab"}},
        LinesCase{"MarkOnly", "\xFF\xFE", Lines{}}, LinesCase{"Empty", "", Lines{}}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(TextStream, IsWrittenAsUtf16LittleEndianWithMarkAndCrLf) {
  EXPECT_EQ(SaveTextLines({"a", "é"}), std::string("\xFF\xFE"
                                                   "a\0\r\0\n\0\xE9\0\r\0\n\0",
                                                   14));
  EXPECT_EQ(SaveTextLines({}), "\xFF\xFE");
  const Lines lines{"😀 one", "", "ü"};
  EXPECT_EQ(LoadTextLines(SaveTextLines(lines)), lines);
}

TEST(Compression, DecodesExactlyTheRecordedLength) {
  const std::string text(5000, 'q');
  const std::string packed = CompressStream(text);
  EXPECT_EQ(packed[0], '\x78');  // a zlib stream (RFC 1950)
  EXPECT_EQ(DecompressStream(packed, text.size(), "s"), text);
  EXPECT_EQ(DecompressStream(packed, 10, "s"), std::string(10, 'q'));
  EXPECT_EQ(DecompressStream(packed, 0, "s"), "");
  EXPECT_THROW_MSG((void)DecompressStream(packed, text.size() + 1, "be/1"), FileError,
                   "Stream \"be/1\" is damaged");
  EXPECT_THROW_MSG((void)DecompressStream("not zlib at all", 4, ".index"), FileError,
                   "Stream \".index\" is damaged");
}

// Writes VLX files stream by stream, so tests can leave out or damage any part.
class VlxBuilder {
 public:
  void Root(std::string_view name, const Lines& lines) { add({}, name, lines); }
  void Page(std::string_view word, int id, const Lines& lines) {
    add(word, std::to_string(id), lines);
  }
  void Raw(std::string_view storage, std::string_view name, std::string bytes) {
    target(storage).WriteStream(name, std::move(bytes));
  }
  Lines sizes;
  bool compressed = true;
  bool writeSizes = true;

  void Save(const std::string& path) {
    if (writeSizes) Raw({}, kSizesStream, SaveTextLines(sizes));
    if (compressed) Raw({}, kCompressStream, SaveTextLines({"YES"}));
    m_file.Save(path);
  }

 private:
  storage::StorageBuilder& target(std::string_view storage) {
    return storage.empty() ? m_file.Root() : m_file.Root().CreateStorage(storage);
  }
  void add(std::string_view storage, std::string_view name, const Lines& lines) {
    const std::string bytes = SaveTextLines(lines);
    if (compressed) {
      sizes.push_back(SizeKey(storage, name) + "=" + std::to_string(bytes.size()));
      Raw(storage, name, CompressStream(bytes));
    } else {
      Raw(storage, name, bytes);
    }
  }
  storage::CompoundFileWriter m_file;
};

class VlxReader : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = fs::temp_directory_path() /
            ("flexel_vlx_" + std::to_string(::getpid()) + "_" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(m_dir);
    fs::create_directories(m_dir);
  }
  void TearDown() override { fs::remove_all(m_dir); }
  std::string file(const std::string& name) const { return (m_dir / name).string(); }

  // A compressed file of five words in project order and three tenses.
  static void Fill(VlxBuilder& vlx) {
    vlx.Root(kHeaderStream, {"AUTHOR=Ann", "NAME=English", "SIL=eng", "name=second", "SUMMARY=?"});
    vlx.Root(kTensesStream, {"1:Present", "$A:Hex:tense", "no colon", "x:Bad number"});
    vlx.Root(kIndexStream, {"walk", "Be", "apple", "Zebra", "être", "a=b"});
    vlx.Page("Be", 1, {"<p>am</p>"});
    vlx.Page("Be", 10, {"<p>was</p>", "second line"});
    vlx.Page("a=b", 1, {"equals"});
  }

  fs::path m_dir;
};

TEST_F(VlxReader, MissingOrForeignFilesGiveEmptyLists) {
  for (const std::string& path : {file("missing.vlx"), file("text.vlx")}) {
    if (path.ends_with("text.vlx")) storage::WriteFileWhole(path, "plain text, not a container");
    const Tvlx vlx(path);
    EXPECT_FALSE(vlx.HasHeader());
    EXPECT_EQ(vlx.WordCount(), 0);
    EXPECT_EQ(vlx.TenseCount(), 0);
    EXPECT_EQ(vlx.PageText("be", 1), "");
    EXPECT_FALSE(vlx.ReadPicture("lexoro5vlx0.gif"));
  }
}

TEST_F(VlxReader, WordsComeBackSortedAndAreFoundInAnyCase) {
  VlxBuilder builder;
  Fill(builder);
  builder.Save(file("a.vlx"));
  const Tvlx vlx(file("a.vlx"));
  ASSERT_TRUE(vlx.HasHeader());
  ASSERT_EQ(vlx.WordCount(), 6);
  Lines words;
  for (int i = 0; i < vlx.WordCount(); ++i) words.push_back(vlx.Word(i));
  EXPECT_EQ(words, (Lines{"a=b", "apple", "Be", "être", "walk", "Zebra"}));
  EXPECT_EQ(vlx.Word(-1), "");
  EXPECT_EQ(vlx.Word(6), "");
  for (const char* present : {"BE", "be", "ÊTRE", "zebra", "APPLE", "a=b"}) {
    EXPECT_TRUE(vlx.ContainsWord(present)) << present;
  }
  for (const char* absent : {"etre", "b", "", "zebras"}) {
    EXPECT_FALSE(vlx.ContainsWord(absent)) << absent;
  }
}

TEST_F(VlxReader, HeaderValuesByKeyWithoutRegardToCase) {
  VlxBuilder builder;
  Fill(builder);
  builder.Save(file("a.vlx"));
  const Tvlx vlx(file("a.vlx"));
  EXPECT_EQ(vlx.HeaderValue("name"), "English");  // the first of two lines
  EXPECT_EQ(vlx.HeaderValue("Sil"), "eng");
  EXPECT_EQ(vlx.HeaderValue("SUMMARY"), "?");
  EXPECT_EQ(vlx.HeaderValue("COPYRIGHT"), "");
}

TEST_F(VlxReader, TenseNamesAndIds) {
  VlxBuilder builder;
  Fill(builder);
  builder.Save(file("a.vlx"));
  const Tvlx vlx(file("a.vlx"));
  ASSERT_EQ(vlx.TenseCount(), 4);
  const std::vector<std::pair<int, std::string>> expected{
      {1, "Present"}, {10, "Hex:tense"}, {-1, ""}, {-1, "Bad number"}, {-1, ""}};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(vlx.TenseID(i), expected[i].first) << i;
    EXPECT_EQ(vlx.TenseName(i), expected[i].second) << i;
  }
}

TEST_F(VlxReader, PagesAreReadByWordAndTenseId) {
  VlxBuilder builder;
  Fill(builder);
  builder.Save(file("a.vlx"));
  const Tvlx vlx(file("a.vlx"));
  EXPECT_EQ(vlx.PageText("Be", 1), "<p>am</p>\r\n");
  EXPECT_EQ(vlx.PageText("BE", 10), "<p>was</p>\r\nsecond line\r\n");  // storage name in any case
  EXPECT_EQ(vlx.PageText("a=b", 1), "equals\r\n");
  EXPECT_EQ(vlx.PageText("Be", 2), "");
  EXPECT_EQ(vlx.PageText("walk", 1), "");
  EXPECT_EQ(vlx.PageText("", 1), "");
  EXPECT_THROW_MSG((void)vlx.ReadList("walk", "1"), FileError, "Storage \"walk\" does not exist");
  EXPECT_THROW_MSG((void)vlx.ReadList("Be", "2"), FileError, "Stream \"Be/2\" does not exist");
  EXPECT_EQ(vlx.ReadList({}, "nothing"), Lines{});
}

TEST_F(VlxReader, UncompressedFilesAreReadAsTheyAre) {
  VlxBuilder builder;
  builder.compressed = false;
  builder.writeSizes = false;
  builder.Raw({}, kHeaderStream, "\xFE\xFF" + Utf16Be(u"NAME=Big endian\r\n"));
  builder.Raw({}, kIndexStream, "\xEF\xBB\xBFw\xC3\xB6rd\r\n");
  builder.Raw({}, kTensesStream, "1:Pr\xE9sent\r\n");
  builder.Raw("wörd", "1", "page");
  builder.Save(file("plain.vlx"));
  const Tvlx vlx(file("plain.vlx"));
  EXPECT_FALSE(vlx.Compressed());
  EXPECT_EQ(vlx.HeaderValue("NAME"), "Big endian");
  EXPECT_EQ(vlx.Word(0), "wörd");
  EXPECT_EQ(vlx.TenseName(0), "Présent");
  EXPECT_EQ(vlx.PageText("wörd", 1), "page\r\n");
}

TEST_F(VlxReader, ReadOnlyFileOpens) {
  VlxBuilder builder;
  Fill(builder);
  builder.Save(file("ro.vlx"));
  ::chmod(file("ro.vlx").c_str(), 0444);
  EXPECT_TRUE(Tvlx(file("ro.vlx")).HasHeader());
}

TEST_F(VlxReader, EmptyRecordedLengthGivesAnEmptyList) {
  VlxBuilder builder;
  builder.Root(kHeaderStream, {"NAME=x"});
  builder.Raw({}, kIndexStream, CompressStream(""));
  builder.sizes.push_back(";.index=0");
  builder.Save(file("a.vlx"));
  const Tvlx vlx(file("a.vlx"));
  EXPECT_TRUE(vlx.HasHeader());
  EXPECT_EQ(vlx.WordCount(), 0);
}

struct DamageCase {
  const char* label;
  std::string sizeLine;    // the size entry of ".index"; empty: none
  std::string indexBytes;  // empty: a good compressed stream
  std::string message;
};

class DamagedRootStream : public VlxReader, public ::testing::WithParamInterface<DamageCase> {};

TEST_P(DamagedRootStream, FailsTheOpenWithItsReason) {
  const DamageCase& c = GetParam();
  VlxBuilder builder;
  builder.Root(kHeaderStream, {"NAME=x"});
  const std::string index = SaveTextLines({"word"});
  builder.Raw({}, kIndexStream, c.indexBytes.empty() ? CompressStream(index) : c.indexBytes);
  if (!c.sizeLine.empty()) builder.sizes.push_back(c.sizeLine);
  builder.Save(file("bad.vlx"));
  EXPECT_THROW_MSG(Tvlx vlx(file("bad.vlx")), FileError, c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DamagedRootStream,
    ::testing::Values(
        DamageCase{"SizeEntryMissing", "", "", "Stream \".index\" has no recorded size"},
        DamageCase{"SizeNotANumber", ";.index=many", "", "Stream \".index\" has no recorded size"},
        DamageCase{"SizeNegative", ";.index=-4", "", "Stream \".index\" has no recorded size"},
        DamageCase{"SizeOver64MiB", ";.index=67108865", "",
                   "Stream \".index\" has a recorded size over 67108864 bytes"},
        DamageCase{"SizeBeyondTheData", ";.index=100", "", "Stream \".index\" is damaged"},
        DamageCase{"NotZlib", ";.index=10", "garbage bytes", "Stream \".index\" is damaged"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(VlxReader, DamagedPageIsAnEmptyPage) {
  VlxBuilder builder;
  Fill(builder);
  builder.Raw("walk", "1", CompressStream(SaveTextLines({"no size entry"})));
  builder.Save(file("a.vlx"));
  const Tvlx vlx(file("a.vlx"));
  EXPECT_EQ(vlx.PageText("walk", 1), "");
  EXPECT_THROW_MSG((void)vlx.ReadList("walk", "1"), FileError,
                   "Stream \"walk/1\" has no recorded size");
}

TEST_F(VlxReader, TruncatedFileGivesAnErrorOrWhatCanBeRead) {
  VlxBuilder builder;
  Fill(builder);
  builder.Raw(kImagesStorage, "lexoro5vlx0.gif", std::string(6000, 'g'));
  builder.Save(file("whole.vlx"));
  const std::string bytes = storage::ReadFileWhole(file("whole.vlx"), 1 << 20);
  for (std::size_t length = 0; length < bytes.size(); length += 211) {
    storage::WriteFileWhole(file("cut.vlx"), bytes.substr(0, length), false);
    try {
      const Tvlx vlx(file("cut.vlx"));
      (void)vlx.PageText("Be", 10);
      (void)vlx.ReadPicture("lexoro5vlx0.gif");
    } catch (const FileError&) {
      // A root stream cut off is reported; anything else would be a fault.
    }
  }
}

TEST_F(VlxReader, PicturesAreReadRawFromTheImageStorage) {
  VlxBuilder builder;
  Fill(builder);
  builder.Raw(kImagesStorage, "lexoro5vlx0.gif", std::string("GIF89a\0\x01", 8));
  builder.Save(file("a.vlx"));
  const Tvlx vlx(file("a.vlx"));
  EXPECT_EQ(vlx.ReadPicture("lexoro5vlx0.gif"), std::string("GIF89a\0\x01", 8));
  EXPECT_FALSE(vlx.ReadPicture("lexoro5vlx1.gif"));
}

struct IndexCase {
  const char* label;
  Lines index;   // as stored
  Lines sorted;  // as the reader gives them back
};

class IndexOrder : public VlxReader, public ::testing::WithParamInterface<IndexCase> {};

// Words come back in collation order, letter case ignored, words equal but for their case in
// the order of the file.
TEST_P(IndexOrder, WordsComeBackSorted) {
  VlxBuilder builder;
  builder.Root(kHeaderStream, {"NAME=x"});
  builder.Root(kIndexStream, GetParam().index);
  builder.Save(file("a.vlx"));
  const Tvlx vlx(file("a.vlx"));
  Lines words;
  for (int i = 0; i < vlx.WordCount(); ++i) words.push_back(vlx.Word(i));
  EXPECT_EQ(words, GetParam().sorted);
  for (const auto& word : GetParam().index) {
    EXPECT_TRUE(vlx.ContainsWord(nls::ToUpper(word))) << word;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, IndexOrder,
    ::testing::Values(
        IndexCase{"AlreadySorted", {"alpha", "Bravo", "charlie"}, {"alpha", "Bravo", "charlie"}},
        IndexCase{"ReverseMixedCase",
                  {"delta", "Charlie", "bravo", "ALPHA", "alpha", "Alpha"},
                  {"ALPHA", "alpha", "Alpha", "bravo", "Charlie", "delta"}},
        IndexCase{"DigitsBeforeLettersAndPrefixesFirst",
                  {"a2", "ab", "a10", "A1", "a1", "abcdefghij", "abcdefghi", "ABCDEFGHIJK", "a"},
                  {"a", "A1", "a1", "a10", "a2", "ab", "abcdefghi", "abcdefghij", "ABCDEFGHIJK"}},
        IndexCase{"AccentsAfterPlainLetters",
                  {"côté", "cote", "Côte", "coté", "cotE"},
                  {"cote", "cotE", "coté", "Côte", "côté"}},
        IndexCase{"SameTextsInAnyCaseKeepTheirOrder",
                  {"Zulu", "zulu", "ZULU", "yankee"},
                  {"yankee", "Zulu", "zulu", "ZULU"}}),
    [](const auto& info) { return std::string(info.param.label); });

// The size table as the writer leaves it, or as other writers may: a stream's length is found
// whatever the order and the line ends of the table.
struct SizeTableCase {
  const char* label;
  bool sorted;
  bool reversed;
  std::u16string lineEnd;
};

class SizeTableShapes : public VlxReader, public ::testing::WithParamInterface<SizeTableCase> {};

TEST_P(SizeTableShapes, EveryPageFindsItsLength) {
  const SizeTableCase& c = GetParam();
  Lines words{"cote", "coté", "côte", "côté", "a=b", "a;b", "Resume", "résumé"};
  for (int i = 0; i < 300; ++i) words.push_back("w" + std::to_string(i * 37 % 300));
  const std::vector<int> tenses{1, 2, 10, 11};
  VlxBuilder builder;
  builder.writeSizes = false;
  builder.Root(kHeaderStream, {"NAME=x"});
  builder.Root(kIndexStream, words);
  for (const auto& word : words) {
    for (int id : tenses) builder.Page(word, id, {word + " in " + std::to_string(id)});
  }
  Lines sizes = builder.sizes;
  if (c.sorted) {
    std::stable_sort(sizes.begin(), sizes.end(),
                     [](const auto& a, const auto& b) { return nls::CompareText(a, b) < 0; });
  }
  if (c.reversed) std::reverse(sizes.begin(), sizes.end());
  std::u16string text;
  for (const auto& line : sizes) text += nls::ToUtf16(line) + c.lineEnd;
  builder.Raw({}, kSizesStream, "\xFF\xFE" + Utf16Le(text));
  builder.Save(file("a.vlx"));

  const Tvlx vlx(file("a.vlx"));
  ASSERT_EQ(vlx.WordCount(), static_cast<int>(words.size()));
  for (const auto& word : words) {
    for (int id : tenses) {
      EXPECT_EQ(vlx.PageText(word, id), word + " in " + std::to_string(id) + "\r\n") << word;
    }
  }
  EXPECT_EQ(vlx.SizeLines(), sizes);
}

INSTANTIATE_TEST_SUITE_P(Table, SizeTableShapes,
                         ::testing::Values(SizeTableCase{"SortedAsWritten", true, false, u"\r\n"},
                                           SizeTableCase{"InTheOrderOfWriting", false, false,
                                                         u"\r\n"},
                                           SizeTableCase{"Reversed", true, true, u"\r\n"},
                                           SizeTableCase{"LineFeeds", true, false, u"\n"},
                                           SizeTableCase{"CarriageReturns", true, false, u"\r"},
                                           SizeTableCase{"LineSeparators", true, false, u"\u2028"}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(VlxReader, MissingEntryInASortedSizeTableFailsTheRead) {
  VlxBuilder builder;
  builder.Root(kHeaderStream, {"NAME=x"});
  for (int i = 0; i < 200; ++i) builder.Page("w" + std::to_string(i), 1, {"page"});
  builder.sizes.erase(
      std::find(builder.sizes.begin(), builder.sizes.end(),
                SizeKey("w150", "1") + "=" + std::to_string(SaveTextLines({"page"}).size())));
  std::stable_sort(builder.sizes.begin(), builder.sizes.end(),
                   [](const auto& a, const auto& b) { return nls::CompareText(a, b) < 0; });
  builder.Save(file("a.vlx"));
  const Tvlx vlx(file("a.vlx"));
  EXPECT_EQ(vlx.PageText("w149", 1), "page\r\n");
  EXPECT_EQ(vlx.PageText("w150", 1), "");
  EXPECT_THROW_MSG((void)vlx.ReadList("w150", "1"), FileError,
                   "Stream \"w150/1\" has no recorded size");
  EXPECT_EQ(vlx.PageText("w151", 1), "page\r\n");
}

}  // namespace
}  // namespace flexel
