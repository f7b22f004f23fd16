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

}  // namespace
}  // namespace flexel::xml
