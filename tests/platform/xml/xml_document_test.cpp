#include "platform/xml/xml_document.h"

#include <gtest/gtest.h>

#include "platform/core/error.h"

namespace flexel::xml {
namespace {

std::string Fixture(const std::string& name) {
  return std::string(FLEXEL_TEST_DATA) + "/xml/" + name;
}

TEST(XmlDocument, WalksElementsByIndexAndByName) {
  XmlDocument doc = XmlDocument::OpenFile(Fixture("dom_basic.xml"));
  XmlElement root = doc.Root();
  ASSERT_TRUE(root);
  EXPECT_EQ(root.Name(), "languages");
  // The comment and the white space between elements are not children.
  EXPECT_EQ(root.ChildCount(), 3);
  EXPECT_EQ(root.Child(0).Name(), "file");
  EXPECT_FALSE(root.Child(3));
  EXPECT_FALSE(root.Child(-1));
  // By name: the first in document order.
  EXPECT_EQ(root.Child("language").Child("info").Child("name").Text(), "Español");
  EXPECT_FALSE(root.Child("nothing"));
  EXPECT_FALSE(root.Child("nothing").Child("deeper"));
  EXPECT_EQ(root.Children().size(), 3u);
}

TEST(XmlDocument, TextIsTrimmedConcatenatedCharacterData) {
  XmlDocument doc = XmlDocument::OpenFile(Fixture("dom_basic.xml"));
  XmlElement root = doc.Root();
  EXPECT_EQ(root.Child("file").Child("description").Text(), "Sample file");
  EXPECT_EQ(root.Child("file").Child("description").RawText(), "  Sample file  ");
  EXPECT_EQ(root.Child(2).Child("mixed").Text(), "ab<c>d");
  EXPECT_EQ(root.Child(1).Child("info").Child("empty").Text(), "");
}

TEST(XmlDocument, MissingAttributeDiffersFromEmpty) {
  XmlDocument doc = XmlDocument::OpenFile(Fixture("dom_basic.xml"));
  XmlElement second = doc.Root().Child(2);
  EXPECT_EQ(second.Attribute("present"), std::optional<std::string>(""));
  EXPECT_EQ(second.Attribute("filled"), std::optional<std::string>("yes"));
  EXPECT_EQ(second.Attribute("absent"), std::nullopt);
  EXPECT_EQ(second.AttributeOr("absent", "x"), "x");
  EXPECT_EQ(XmlElement().Attribute("any"), std::nullopt);
}

TEST(XmlDocument, DecodesWindows1252ToUtf8) {
  XmlDocument doc = XmlDocument::OpenFile(Fixture("dom_cp1252.xml"));
  EXPECT_EQ(doc.Root().Child("language").Child("info").Child("name").Text(),
            "Fran\u00e7ais \u20ac \u00bd");
}

TEST(XmlDocument, MalformedDocumentNamesFileLineAndReason) {
  const std::string path = Fixture("dom_malformed.xml");
  try {
    (void)XmlDocument::OpenFile(path);
    FAIL() << "no error";
  } catch (const FileError& e) {
    EXPECT_EQ(std::string(e.what()),
              path + ":4: Opening and ending tag mismatch: info line 4 and language");
  }
}

TEST(XmlDocument, MissingFileIsAFileError) {
  const std::string path = Fixture("no_such_file.xml");
  try {
    (void)XmlDocument::OpenFile(path);
    FAIL() << "no error";
  } catch (const FileError& e) {
    EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
  }
}

TEST(XmlDocument, BillionLaughsIsRefused) {
  // In an attribute and in element content; the line is the document's, not the entity's.
  for (const auto& [name, line] :
       {std::pair{"dom_laughs.xml", 14}, {"dom_laughs_content.xml", 15}}) {
    const std::string path = Fixture(name);
    try {
      (void)XmlDocument::OpenFile(path);
      ADD_FAILURE() << "no error for " << name;
    } catch (const FileError& e) {
      EXPECT_EQ(std::string(e.what()),
                path + ":" + std::to_string(line) + ": Detected an entity reference loop");
    }
  }
}

TEST(XmlDocument, ExternalEntitiesAreNotLoaded) {
  XmlDocument doc = XmlDocument::OpenFile(Fixture("dom_external.xml"));
  const std::string text = doc.Root().Child("item").Text();
  EXPECT_EQ(text.find("TOP-SECRET"), std::string::npos);
  EXPECT_EQ(text, "before &secret; after");
  // Internal entities are not expanded either.
  EXPECT_EQ(doc.Root().Child("other").Text(), "hello &who;");
}

TEST(XmlDocument, MovedFromDocumentIsClosed) {
  XmlDocument doc = XmlDocument::OpenFile(Fixture("dom_basic.xml"));
  XmlDocument other = std::move(doc);
  EXPECT_TRUE(other.IsOpen());
  EXPECT_FALSE(doc.IsOpen());  // NOLINT(bugprone-use-after-move)
  EXPECT_FALSE(doc.Root());    // NOLINT(bugprone-use-after-move)
  EXPECT_EQ(other.FileName(), Fixture("dom_basic.xml"));
}

}  // namespace
}  // namespace flexel::xml
