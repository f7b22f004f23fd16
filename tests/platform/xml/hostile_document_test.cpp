// Documents built to exhaust the reader: too large to commit, so written here.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/core/error.h"
#include "platform/xml/xml_document.h"

namespace flexel::xml {
namespace {

namespace fs = std::filesystem;

TEST(XmlHostileDocument, HundredMegabyteTextNodeIsRefused) {
  const fs::path dir =
      fs::temp_directory_path() / ("flexel_xml_huge_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const std::string path = (dir / "huge.xml").string();
  {
    std::ofstream out(path, std::ios::binary);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<language><name>";
    const std::string block(1 << 20, 'a');
    for (int i = 0; i < 100; ++i) out << block;
    out << "</name></language>\n";
  }
  try {
    (void)XmlDocument::OpenFile(path);
    ADD_FAILURE() << "no error";
  } catch (const FileError& e) {
    EXPECT_EQ(std::string(e.what()), path + ":2: xmlSAX2Characters: huge text node");
  }
  fs::remove_all(dir);
}

// Found by the fuzzer: nested entities whose expansion meets an undefined one raised an error per
// expansion, about a million, before the document was refused. Parsing ends at the second error
// now; the first one is what is reported.
TEST(XmlHostileDocument, NestedEntitiesWithAnUndefinedOneAreRefusedByTheFirstError) {
  const fs::path dir =
      fs::temp_directory_path() / ("flexel_xml_undefined_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const std::string path = (dir / "undefined.xml").string();
  {
    std::ofstream out(path, std::ios::binary);
    out << "<?xml version=\"1.0\"?>\n<!DOCTYPE d [\n <!ENTITY e1 \"&missing;&missing;\">\n";
    for (int i = 2; i <= 9; ++i) {
      out << " <!ENTITY e" << i << " \"";
      for (int k = 0; k < 10; ++k) out << "&e" << i - 1 << ";";
      out << "\">\n";
    }
    out << "]>\n<d a=\"&e9;\">&e9;</d>\n";
  }
  try {
    (void)XmlDocument::OpenFile(path);
    ADD_FAILURE() << "no error";
  } catch (const FileError& e) {
    EXPECT_EQ(std::string(e.what()), path + ":13: Entity 'missing' not defined");
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace flexel::xml
