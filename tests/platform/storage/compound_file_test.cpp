#include "platform/storage/compound_file.h"

#include <gtest/gtest.h>
#include <pthread.h>
#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>

#include "platform/core/error.h"
#include "platform/storage/whole_file.h"
#include "tests/expect_message.h"

namespace flexel::storage {
namespace {

namespace fs = std::filesystem;

class TempDir {
 public:
  TempDir() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    m_path = fs::temp_directory_path() /
             ("flexel_storage_" + std::to_string(::getpid()) + "_" + info->name());
    fs::remove_all(m_path);
    fs::create_directories(m_path);
  }
  ~TempDir() { fs::remove_all(m_path); }
  [[nodiscard]] std::string file(const std::string& name) const { return (m_path / name).string(); }
  [[nodiscard]] const fs::path& path() const { return m_path; }

 private:
  fs::path m_path;
};

// A tree with a root stream, a word storage with two streams, a nested storage and an empty one.
std::string SampleFile() {
  CompoundFileWriter writer;
  writer.Root().WriteStream(".header", "header bytes");
  auto& word = writer.Root().CreateStorage("be");
  word.WriteStream("1", "page one");
  word.WriteStream("2", std::string(10000, 'x'));  // beyond the small-block cutoff
  word.CreateStorage("inner").WriteStream("deep", "deep bytes");
  writer.Root().CreateStorage("_images");
  return writer.Serialize();
}

TEST(CompoundFile, WrittenTreeReadsBackWithNestingAndContent) {
  TempDir dir;
  const std::string path = dir.file("a.vlx");
  WriteFileWhole(path, SampleFile());

  Storage root = OpenCompoundFile(path);
  std::vector<std::string> names;
  for (const auto& child : root.Children()) {
    names.push_back(child.name + (child.isStorage ? "/" : "=" + std::to_string(child.size)));
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{".header=12", "_images/", "be/"}));
  EXPECT_EQ(root.ReadStream(".header", 100), "header bytes");

  auto word = root.OpenStorage("be");
  ASSERT_TRUE(word);
  EXPECT_EQ(word->ReadStream("1", 100), "page one");
  EXPECT_EQ(word->ReadStream("2", 20000), std::string(10000, 'x'));
  auto inner = word->OpenStorage("inner");
  ASSERT_TRUE(inner);
  EXPECT_EQ(inner->ReadStream("deep", 100), "deep bytes");
  auto images = root.OpenStorage("_images");
  ASSERT_TRUE(images);
  EXPECT_TRUE(images->Children().empty());
}

TEST(CompoundFile, MissingElementsAndWrongKindGiveNothing) {
  TempDir dir;
  WriteFileWhole(dir.file("a.vlx"), SampleFile());
  Storage root = OpenCompoundFile(dir.file("a.vlx"));
  EXPECT_FALSE(root.ReadStream("nothing", 100));
  EXPECT_FALSE(root.OpenStorage("nothing"));
  EXPECT_FALSE(root.OpenStorage(".header"));  // a stream, not a storage
  EXPECT_FALSE(root.ReadStream("be", 100));   // a storage, not a stream
}

TEST(CompoundFile, NamesAreFoundWithoutRegardToCase) {
  TempDir dir;
  WriteFileWhole(dir.file("a.vlx"), SampleFile());
  Storage root = OpenCompoundFile(dir.file("a.vlx"));
  auto word = root.OpenStorage("BE");
  ASSERT_TRUE(word);
  EXPECT_EQ(word->Name(), "be");
  EXPECT_EQ(root.FindStream(".HEADER"), ".header");
  EXPECT_TRUE(SameElementName("straße", "STRASSE") == false);  // simple case mapping only
  EXPECT_TRUE(SameElementName("Éa", "éA"));
}

TEST(CompoundFile, BuilderReusesStoragesAndReplacesStreams) {
  CompoundFileWriter writer;
  auto& first = writer.Root().CreateStorage("be");
  first.WriteStream("1", "old");
  auto& again = writer.Root().CreateStorage("Be");
  EXPECT_EQ(&first, &again);
  again.WriteStream("1", "new");
  again.WriteStream("2", "two");

  TempDir dir;
  writer.Save(dir.file("b.vlx"));
  Storage root = OpenCompoundFile(dir.file("b.vlx"));
  ASSERT_EQ(root.Children().size(), 1u);
  auto word = root.OpenStorage("be");
  ASSERT_TRUE(word);
  EXPECT_EQ(word->Children().size(), 2u);
  EXPECT_EQ(word->ReadStream("1", 100), "new");
}

TEST(CompoundFile, StreamAndStorageCannotShareAName) {
  CompoundFileWriter writer;
  writer.Root().WriteStream(".sizes", "x");
  writer.Root().CreateStorage("word");
  EXPECT_THROW_MSG(writer.Root().CreateStorage(".SIZES"), Error,
                   "Cannot create storage \".SIZES\": a stream has that name");
  EXPECT_THROW_MSG(writer.Root().WriteStream("word", "x"), Error,
                   "Cannot create stream \"word\": a storage has that name");
}

struct NameCase {
  const char* label;
  std::string name;
  std::string message;  // empty: accepted
};

class ElementNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(ElementNames, AreCheckedAsTheFormatRequires) {
  const NameCase& c = GetParam();
  EXPECT_EQ(IsValidElementName(c.name), c.message.empty());
  CompoundFileWriter writer;
  if (c.message.empty()) {
    EXPECT_NO_THROW(writer.Root().CreateStorage(c.name));
  } else {
    EXPECT_THROW_MSG(writer.Root().CreateStorage(c.name), Error, c.message);
    EXPECT_THROW_MSG(writer.Root().WriteStream(c.name, ""), Error, c.message);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ElementNames,
    ::testing::Values(
        NameCase{"ThirtyOne", std::string(31, 'a'), ""},
        NameCase{"ThirtyOneAccented", "é" + std::string(30, 'a'), ""},
        NameCase{"ThirtyTwo", std::string(32, 'a'),
                 "Cannot create element \"" + std::string(32, 'a') +
                     "\": the name is longer than 31 characters"},
        // Characters outside the basic plane take two UTF-16 units each.
        NameCase{"SixteenEmoji",
                 [] {
                   std::string s;
                   for (int i = 0; i < 16; ++i) s += "\xF0\x9F\x98\x80";
                   return s;
                 }(),
                 [] {
                   std::string s;
                   for (int i = 0; i < 16; ++i) s += "\xF0\x9F\x98\x80";
                   return "Cannot create element \"" + s +
                          "\": the name is longer than 31 characters";
                 }()},
        NameCase{"Empty", "", "Cannot create element \"\": the name is empty"},
        NameCase{"Slash", "a/b", "Cannot create element \"a/b\": the name contains \"/\""},
        NameCase{"Backslash", "a\\b", "Cannot create element \"a\\b\": the name contains \"\\\""},
        NameCase{"Colon", "a:b", "Cannot create element \"a:b\": the name contains \":\""},
        NameCase{"Bang", "a!", "Cannot create element \"a!\": the name contains \"!\""},
        NameCase{"BadUtf8", "a\xFF",
                 "Cannot create element \"a\xFF\": the name is not valid UTF-8"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(CompoundFile, StreamOverTheLimitIsAnError) {
  TempDir dir;
  WriteFileWhole(dir.file("a.vlx"), SampleFile());
  Storage root = OpenCompoundFile(dir.file("a.vlx"));
  EXPECT_THROW_MSG((void)root.ReadStream(".header", 11), FileError,
                   "Stream \".header\" is larger than 11 bytes");
}

TEST(CompoundFile, FilesThatAreNotCompoundFilesAreRejected) {
  TempDir dir;
  const std::string text = dir.file("text.vlx");
  WriteFileWhole(text, "just some text, long enough to look like something");
  EXPECT_THROW_MSG((void)OpenCompoundFile(text), FileError,
                   "\"" + text + "\" is not a compound file");
  EXPECT_FALSE(TryOpenCompoundFile(text));
  const std::string missing = dir.file("missing.vlx");
  EXPECT_THROW_MSG((void)OpenCompoundFile(missing), FileError, "Cannot open \"" + missing + "\"");
  EXPECT_FALSE(TryOpenCompoundFile(dir.path().string()));  // a folder
}

TEST(CompoundFile, ReadOnlyFileOpens) {
  TempDir dir;
  const std::string path = dir.file("ro.vlx");
  WriteFileWhole(path, SampleFile());
  ::chmod(path.c_str(), 0444);
  EXPECT_EQ(OpenCompoundFile(path).ReadStream(".header", 100), "header bytes");
}

struct SizeCase {
  const char* label;
  std::size_t size;
};

class StreamSizes : public ::testing::TestWithParam<SizeCase> {};

// Small streams live in the mini stream, others in their own sectors; both read back whole.
TEST_P(StreamSizes, RoundTripAcrossTheMiniStreamBoundary) {
  std::string bytes(GetParam().size, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 + i / 251);
  CompoundFileWriter writer;
  writer.Root().WriteStream("before", "x");
  writer.Root().CreateStorage("s").WriteStream("data", bytes);
  writer.Root().WriteStream("after", std::string(5000, 'a'));
  TempDir dir;
  writer.Save(dir.file("sizes.vlx"));
  Storage root = OpenCompoundFile(dir.file("sizes.vlx"));
  EXPECT_EQ(root.OpenStorage("s")->ReadStream("data", 1 << 24), bytes);
  EXPECT_EQ(root.ReadStream("before", 10), "x");
  EXPECT_EQ(root.ReadStream("after", 10000), std::string(5000, 'a'));
}

// A large stream is read piece by piece without reading it whole: every piece equals the same
// bytes of the whole, across mini-sector, sector and run boundaries.
TEST_P(StreamSizes, ReadPieceByPieceFromAnyOffset) {
  std::string bytes(GetParam().size, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 + i / 251);
  CompoundFileWriter writer;
  writer.Root().CreateStorage("s").WriteStream("data", bytes);
  TempDir dir;
  writer.Save(dir.file("pieces.vlx"));
  Storage root = OpenCompoundFile(dir.file("pieces.vlx"));
  auto stream = root.OpenStorage("s")->OpenStream("DATA", 1 << 24);
  ASSERT_TRUE(stream);
  ASSERT_EQ(stream->Size(), bytes.size());
  for (std::size_t offset : {0, 1, 63, 64, 100, 511, 512, 4095, 4096, 70000}) {
    for (std::size_t length : {1, 64, 700, 5000}) {
      const std::string expected = offset < bytes.size() ? bytes.substr(offset, length) : "";
      EXPECT_EQ(stream->Read(offset, length), expected) << offset << "+" << length;
    }
  }
  EXPECT_FALSE(root.OpenStream("s", 10));  // a storage is no stream
}

INSTANTIATE_TEST_SUITE_P(
    Table, StreamSizes,
    ::testing::Values(SizeCase{"Empty", 0}, SizeCase{"One", 1}, SizeCase{"MiniSectorMinusOne", 63},
                      SizeCase{"MiniSector", 64}, SizeCase{"CutoffMinusOne", 4095},
                      SizeCase{"Cutoff", 4096}, SizeCase{"CutoffPlusOne", 4097},
                      // Beyond 109 table sectors the table index continues
                      // in extra sectors.
                      SizeCase{"NeedsExtraTableIndex", 8 << 20}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(CompoundFile, ManyChildrenAreAllFound) {
  CompoundFileWriter writer;
  for (int i = 0; i < 5000; ++i) {
    writer.Root().CreateStorage("w" + std::to_string(i)).WriteStream("1", std::to_string(i));
  }
  TempDir dir;
  writer.Save(dir.file("many.vlx"));
  Storage root = OpenCompoundFile(dir.file("many.vlx"));
  EXPECT_EQ(root.Children().size(), 5000u);
  for (int i = 0; i < 5000; i += 499) {
    auto word = root.OpenStorage("W" + std::to_string(i));
    ASSERT_TRUE(word) << i;
    EXPECT_EQ(word->ReadStream("1", 10), std::to_string(i));
  }
}

class ForeignFiles : public ::testing::TestWithParam<const char*> {};

// Files of another writer (libgsf's): a sibling list instead of a balanced tree, and in the
// second 4096-byte sectors (format version 4).
TEST_P(ForeignFiles, AreReadWithTheirStoragesAndStreams) {
  Storage root = OpenCompoundFile(std::string(FLEXEL_TEST_DATA) + "/vlx/" + GetParam());
  EXPECT_EQ(root.ReadStream(".header", 100), "small root stream");
  auto word = root.OpenStorage("be");
  ASSERT_TRUE(word);
  EXPECT_EQ(word->Children().size(), 42u);
  std::string alphabet;
  for (int i = 0; i < 5000; ++i) alphabet += static_cast<char>('a' + i % 26);
  EXPECT_EQ(word->ReadStream("1", 10000), alphabet);
  EXPECT_EQ(word->ReadStream("2", 100), "page two");
  EXPECT_EQ(word->ReadStream("s39", 100), "s39");
  auto piecewise = word->OpenStream("1", 10000);
  ASSERT_TRUE(piecewise);
  std::string joined;
  for (std::uint64_t at = 0; at < piecewise->Size(); at += 77) joined += piecewise->Read(at, 77);
  EXPECT_EQ(joined, alphabet);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, ForeignFiles,
                         ::testing::Values("foreign_sector512.cfb", "foreign_sector4096.cfb"),
                         [](const auto& info) {
                           return std::string(info.param).find("4096") != std::string::npos
                                      ? "Sectors4096"
                                      : "Sectors512";
                         });

// ---- The written directory ----

std::uint32_t Get32(const std::string& b, std::size_t at);

struct DirEntry {
  std::u16string name;
  std::uint8_t color;
  std::uint32_t left, right, child;
};

// The directory entries, in order, of a file written with 512-byte sectors.
std::vector<DirEntry> ReadDirectory(const std::string& bytes) {
  auto sectorAt = [](std::uint32_t n) { return 512 * (std::size_t(n) + 1); };
  auto next = [&](std::uint32_t n) {
    return Get32(bytes, sectorAt(Get32(bytes, 0x4C + 4 * (n / 128))) + 4 * (n % 128));
  };
  std::vector<DirEntry> entries;
  for (std::uint32_t sector = Get32(bytes, 0x30); sector != 0xFFFFFFFEu; sector = next(sector)) {
    for (std::size_t at = sectorAt(sector); at < sectorAt(sector) + 512; at += 128) {
      DirEntry e{};
      const std::size_t nameBytes = static_cast<unsigned char>(bytes[at + 0x40]);
      for (std::size_t i = 0; i + 2 < nameBytes; i += 2) {
        e.name += static_cast<char16_t>(static_cast<unsigned char>(bytes[at + i]) |
                                        static_cast<unsigned char>(bytes[at + i + 1]) << 8);
      }
      e.color = static_cast<std::uint8_t>(bytes[at + 0x43]);
      e.left = Get32(bytes, at + 0x44);
      e.right = Get32(bytes, at + 0x48);
      e.child = Get32(bytes, at + 0x4C);
      entries.push_back(e);
    }
  }
  return entries;
}

bool DirectoryLess(const std::u16string& a, const std::u16string& b) {
  if (a.size() != b.size()) return a.size() < b.size();
  std::u16string ua = a, ub = b;
  for (auto* s : {&ua, &ub}) {
    for (auto& c : *s) {
      if (c < 128) c = static_cast<char16_t>(std::toupper(c));  // the test's names are ASCII
    }
  }
  return ua < ub;
}

// Black height of the subtree at id, or -1 when it breaks a red-black rule or the order.
int CheckTree(const std::vector<DirEntry>& entries, std::uint32_t id, bool parentRed,
              const std::u16string* low, const std::u16string* high, int& count) {
  if (id == 0xFFFFFFFFu) return 1;
  const DirEntry& e = entries.at(id);
  ++count;
  const bool red = e.color == 0;
  if (red && parentRed) return -1;
  if ((low && !DirectoryLess(*low, e.name)) || (high && !DirectoryLess(e.name, *high))) return -1;
  const int left = CheckTree(entries, e.left, red, low, &e.name, count);
  const int right = CheckTree(entries, e.right, red, &e.name, high, count);
  if (left < 0 || left != right) return -1;
  return left + (red ? 0 : 1);
}

TEST(CompoundFileDirectory, EveryStorageIsAValidRedBlackTree) {
  for (int n : {1, 2, 3, 4, 5, 7, 8, 9, 31, 32, 33, 100, 1000}) {
    CompoundFileWriter writer;
    auto& storage = writer.Root().CreateStorage("s");
    for (int i = 0; i < n; ++i) {
      // Names of different lengths and letter cases, added out of order.
      const int k = (i * 7919) % n;
      storage.WriteStream(
          std::string(k % 3 + 1, static_cast<char>(k % 2 ? 'a' : 'B')) + std::to_string(k), "");
    }
    const std::string bytes = writer.Serialize();
    const auto entries = ReadDirectory(bytes);
    ASSERT_GE(entries.size(), 2u);
    EXPECT_EQ(entries[0].color, 1) << n;
    const std::uint32_t storageId = entries[0].child;
    ASSERT_LT(storageId, entries.size());
    const std::uint32_t top = entries[storageId].child;
    EXPECT_EQ(entries.at(top).color, 1) << n;  // a black root
    int count = 0;
    EXPECT_GT(CheckTree(entries, top, false, nullptr, nullptr, count), 0) << n;
    EXPECT_EQ(count, n);
  }
}

// ---- Hostile files ----

std::uint32_t Get32(const std::string& b, std::size_t at) {
  std::uint32_t v;
  std::memcpy(&v, b.data() + at, 4);
  return v;
}
void Put32(std::string& b, std::size_t at, std::uint32_t v) { std::memcpy(b.data() + at, &v, 4); }

void WritePlain(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Offsets in a file written with 512-byte sectors.
struct Layout {
  const std::string& bytes;
  std::size_t sector(std::uint32_t n) const { return 512 * (std::size_t(n) + 1); }
  std::size_t fatEntry(std::uint32_t n) const {
    return sector(Get32(bytes, 0x4C + 4 * (n / 128))) + 4 * (n % 128);
  }
  std::uint32_t directoryStart() const { return Get32(bytes, 0x30); }
  // The directory entry whose UTF-16 name starts with the ASCII text name.
  std::size_t entry(const std::string& name) const {
    for (std::size_t at = sector(directoryStart()); at + 128 <= bytes.size(); at += 128) {
      bool same = true;
      for (std::size_t i = 0; i < name.size(); ++i) same &= bytes[at + 2 * i] == name[i];
      if (same && bytes[at + 2 * name.size()] == 0) return at;
    }
    return std::string::npos;
  }
};

// Reads everything in the file; returns normally or throws flexel::Error, never crashes.
void ReadEverything(const std::string& path) {
  std::function<void(const Storage&, int)> walk = [&](const Storage& storage, int depth) {
    if (depth > 40) return;
    for (const auto& child : storage.Children()) {
      if (child.isStorage) {
        if (auto sub = storage.OpenStorage(child.name)) walk(*sub, depth + 1);
      } else {
        try {
          (void)storage.ReadStream(child.name, 1 << 20);
        } catch (const Error&) {
        }
      }
    }
  };
  if (auto root = TryOpenCompoundFile(path)) walk(*root, 0);
}

TEST(CompoundFileHostile, LoopingSectorChainOfAStreamDoesNotHang) {
  TempDir dir;
  std::string bytes = SampleFile();
  Layout layout{bytes};
  const std::size_t entry = layout.entry("2");
  ASSERT_NE(entry, std::string::npos);
  const std::uint32_t start = Get32(bytes, entry + 0x74);
  Put32(bytes, layout.fatEntry(start), start);  // the chain points back at itself
  const std::string path = dir.file("loop.vlx");
  WriteFileWhole(path, bytes);
  auto root = TryOpenCompoundFile(path);
  if (!root) return;  // rejected at open: fine
  auto word = root->OpenStorage("be");
  if (!word) return;
  try {
    auto content = word->ReadStream("2", 1 << 20);
    EXPECT_NE(content, std::string(10000, 'x'));
  } catch (const FileError& e) {
    EXPECT_EQ(std::string(e.what()), "Stream \"2\" cannot be read");
  }
}

TEST(CompoundFileHostile, LoopingDirectoryChainDoesNotHang) {
  TempDir dir;
  std::string bytes = SampleFile();
  Layout layout{bytes};
  const std::uint32_t start = layout.directoryStart();
  Put32(bytes, layout.fatEntry(start), start);
  const std::string path = dir.file("dirloop.vlx");
  WriteFileWhole(path, bytes);
  ReadEverything(path);
}

TEST(CompoundFileHostile, HugeClaimedStreamSizeIsRefusedBeforeReading) {
  TempDir dir;
  std::string bytes = SampleFile();
  Layout layout{bytes};
  const std::size_t entry = layout.entry("2");
  ASSERT_NE(entry, std::string::npos);
  Put32(bytes, entry + 0x78, 0x7FFFFFF0u);
  const std::string path = dir.file("huge.vlx");
  WriteFileWhole(path, bytes);
  auto root = TryOpenCompoundFile(path);
  if (!root) return;
  auto word = root->OpenStorage("be");
  if (!word) return;
  // The stream is either dropped from the directory or refused when read.
  try {
    EXPECT_FALSE(word->ReadStream("2", 1 << 20));
  } catch (const FileError& e) {
    EXPECT_EQ(std::string(e.what()), "Stream \"2\" cannot be read");
  }
}

TEST(CompoundFileHostile, TruncatedFilesGiveErrorsOrPartialResults) {
  TempDir dir;
  const std::string bytes = SampleFile();
  const std::string path = dir.file("cut.vlx");
  for (std::size_t length = 0; length < bytes.size(); length += 97) {
    WritePlain(path, bytes.substr(0, length));
    ReadEverything(path);
  }
}

TEST(CompoundFileHostile, SingleByteDamageInHeaderTableAndDirectoryIsSurvived) {
  TempDir dir;
  const std::string bytes = SampleFile();
  Layout layout{bytes};
  const std::string path = dir.file("damaged.vlx");
  std::vector<std::pair<std::size_t, std::size_t>> regions = {
      {0, 512},                                        // header
      {layout.sector(Get32(bytes, 0x4C)), 512},        // first allocation table
      {layout.sector(layout.directoryStart()), 512}};  // directory
  for (const auto& [begin, length] : regions) {
    for (std::size_t at = begin; at < begin + length && at < bytes.size(); ++at) {
      for (unsigned char value : {0x00, 0xFF}) {
        if (static_cast<unsigned char>(bytes[at]) == value) continue;
        std::string damaged = bytes;
        damaged[at] = static_cast<char>(value);
        WritePlain(path, damaged);
        ReadEverything(path);
      }
    }
  }
}

// A directory whose root holds count streams linked one after another through their right
// links, as some writers produce it: a chain, not a tree. With descending names the chain is
// not even in the order a tree needs.
std::string SiblingChainFile(std::size_t count, bool closeTheCircle, bool descending = false) {
  const std::size_t perSector = 4;
  const std::size_t dirSectors = (count + 1 + perSector - 1) / perSector;
  std::size_t fatSectors = 1;
  while (dirSectors + fatSectors > fatSectors * 128) ++fatSectors;
  std::string header(512, '\0');
  const unsigned char signature[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
  std::memcpy(header.data(), signature, 8);
  header[0x18] = 0x3E;
  header[0x1A] = 3;
  header[0x1C] = '\xFE';
  header[0x1D] = '\xFF';
  header[0x1E] = 9;
  header[0x20] = 6;
  Put32(header, 0x2C, static_cast<std::uint32_t>(fatSectors));
  Put32(header, 0x30, 0);
  Put32(header, 0x38, 4096);
  Put32(header, 0x3C, 0xFFFFFFFEu);
  Put32(header, 0x44, 0xFFFFFFFEu);
  for (std::size_t i = 0; i < 109; ++i) {
    Put32(header, 0x4C + 4 * i, i < fatSectors ? std::uint32_t(dirSectors + i) : 0xFFFFFFFFu);
  }
  std::string directory((dirSectors * perSector) * 128, '\0');
  auto entry = [&](std::size_t id, const std::string& name, char type, std::uint32_t right,
                   std::uint32_t child) {
    const std::size_t at = id * 128;
    for (std::size_t i = 0; i < name.size(); ++i) directory[at + 2 * i] = name[i];
    directory[at + 0x40] = static_cast<char>(2 * name.size() + 2);
    directory[at + 0x42] = type;
    directory[at + 0x43] = 1;
    Put32(directory, at + 0x44, 0xFFFFFFFFu);
    Put32(directory, at + 0x48, right);
    Put32(directory, at + 0x4C, child);
    Put32(directory, at + 0x74, 0xFFFFFFFEu);
  };
  entry(0, "Root Entry", 5, 0xFFFFFFFFu, 1);
  for (std::size_t i = 1; i <= count; ++i) {
    const std::uint32_t next =
        i < count ? std::uint32_t(i + 1) : (closeTheCircle ? 1u : 0xFFFFFFFFu);
    entry(i, "s" + std::to_string(descending ? count + 1 - i : i), 2, next, 0xFFFFFFFFu);
  }
  std::string fat;
  for (std::size_t i = 0; i < fatSectors * 128; ++i) {
    std::uint32_t link = 0xFFFFFFFFu;
    if (i < dirSectors)
      link = i + 1 < dirSectors ? std::uint32_t(i + 1) : 0xFFFFFFFEu;
    else if (i < dirSectors + fatSectors)
      link = 0xFFFFFFFDu;
    fat.append(4, '\0');
    Put32(fat, fat.size() - 4, link);
  }
  return header + directory + fat;
}

// Runs work on a thread with a small stack, as a worker thread of a program may have.
void OnSmallStack(const std::function<void()>& work) {
  pthread_attr_t attr;
  pthread_attr_init(&attr);
  pthread_attr_setstacksize(&attr, 256 * 1024);
  pthread_t thread;
  auto run = [](void* arg) -> void* {
    (*static_cast<const std::function<void()>*>(arg))();
    return nullptr;
  };
  ASSERT_EQ(pthread_create(&thread, &attr, run, const_cast<std::function<void()>*>(&work)), 0);
  pthread_join(thread, nullptr);
  pthread_attr_destroy(&attr);
}

TEST(CompoundFileHostile, LongSiblingChainIsReadWithoutRecursion) {
  TempDir dir;
  WritePlain(dir.file("chain.vlx"), SiblingChainFile(50000, false));
  std::size_t children = 0;
  std::optional<std::string> last;
  OnSmallStack([&] {
    Storage root = OpenCompoundFile(dir.file("chain.vlx"));
    children = root.Children().size();
    last = root.ReadStream("s49999", 10);
  });
  EXPECT_EQ(children, 50000u);
  EXPECT_EQ(last, "");
}

TEST(CompoundFileHostile, ChildrenOutOfTreeOrderAreAllFound) {
  TempDir dir;
  WritePlain(dir.file("unordered.vlx"), SiblingChainFile(40, false, true));
  Storage root = OpenCompoundFile(dir.file("unordered.vlx"));
  for (int i = 1; i <= 40; ++i) {
    EXPECT_EQ(root.FindStream("s" + std::to_string(i)), "s" + std::to_string(i)) << i;
  }
  EXPECT_EQ(root.FindStream("S7"), "s7");
  EXPECT_FALSE(root.FindStream("s41"));
  EXPECT_FALSE(root.FindStream("s\xFF"));  // not valid text: names nothing
  EXPECT_EQ(root.Children().size(), 40u);
}

TEST(CompoundFileHostile, SiblingLinksInACircleEndTheList) {
  TempDir dir;
  WritePlain(dir.file("circle.vlx"), SiblingChainFile(10, true));
  EXPECT_EQ(OpenCompoundFile(dir.file("circle.vlx")).Children().size(), 10u);
}

// ---- Whole files ----

TEST(WholeFile, WriteReplacesTheFileAndLeavesNoTemporaryFiles) {
  TempDir dir;
  const std::string path = dir.file("out.bin");
  WriteFileWhole(path, "first version");
  WriteFileWhole(path, "second");
  EXPECT_EQ(ReadFileWhole(path, 100), "second");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(WholeFile, ErrorsNameTheFile) {
  TempDir dir;
  const std::string path = dir.file("out.bin");
  WriteFileWhole(path, "0123456789");
  EXPECT_THROW_MSG((void)ReadFileWhole(path, 9), FileError,
                   "Cannot read \"" + path + "\": larger than 9 bytes");
  EXPECT_THROW_MSG((void)ReadFileWhole(dir.path().string(), 9), FileError,
                   "Cannot read \"" + dir.path().string() + "\": not a regular file");
  const std::string missing = dir.file("none/out.bin");
  EXPECT_THROW_MSG(WriteFileWhole(missing, "x"), FileError,
                   "Cannot write \"" + missing + "\": No such file or directory");
}

}  // namespace
}  // namespace flexel::storage
