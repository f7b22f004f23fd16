#include "cli/html_text.h"

#include <gtest/gtest.h>

#include <string>

namespace flexel::cli {
namespace {

// A stored page as the constructor writes it.
const std::string kPage =
    "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">"
    "<title>t</title><style>td{}</style></head><body><p><span class=\"irregular\">Irregular"
    "\n  verb.</span></p><table><tr><td class=\"pronoun\">I</td><td>was</td></tr>"
    "<tbody><tr><th>he/she/it</th><td> was&nbsp;</td></tr></tbody></table>"
    "<p>Ünïcode <b>bold</b><br>next</p><script>var x = 1;</script></body></html>";

TEST(HtmlTextTest, TablesAndTextInDocumentOrder) {
  const std::vector<HtmlBlock> blocks = HtmlTextBlocks(kPage);
  ASSERT_EQ(blocks.size(), 4u);
  EXPECT_FALSE(blocks[0].isTable);
  EXPECT_EQ(blocks[0].text, "Irregular verb.");
  EXPECT_TRUE(blocks[1].isTable);
  EXPECT_EQ(blocks[1].rows, (TextRows{{"I", "was"}, {"he/she/it", "was"}}));
  EXPECT_EQ(blocks[2].text, "Ünïcode bold");
  EXPECT_EQ(blocks[3].text, "next");
}

TEST(HtmlTextTest, EngineTableWithOpeningRowEnds) {
  const std::string table =
      "<table cellspacing=0 cellpadding=0><tr><td><p><span class=pronoun>yo</span>&nbsp;</p>"
      "</td><td><p><span class=normal>hablo</span>&nbsp;</p></td><tr>\r\n</table>";
  const std::vector<HtmlBlock> blocks = HtmlTextBlocks(table);
  ASSERT_EQ(blocks.size(), 1u);
  EXPECT_EQ(blocks[0].rows, (TextRows{{"yo", "hablo"}}));
}

TEST(HtmlTextTest, EmptyAndPlainPages) {
  EXPECT_TRUE(HtmlTextBlocks("").empty());
  const std::vector<HtmlBlock> blocks = HtmlTextBlocks("just words");
  ASSERT_EQ(blocks.size(), 1u);
  EXPECT_EQ(blocks[0].text, "just words");
}

TEST(HtmlTextTest, DeepNestingDoesNotExhaustTheStack) {
  std::string page;
  for (int i = 0; i < 100000; ++i) page += "<div>";
  page += "deep";
  EXPECT_NO_THROW((void)HtmlTextBlocks(page));
  EXPECT_NO_THROW((void)HtmlBodyContent("<body>" + page));
}

TEST(HtmlBodyTest, InsideOfTheBody) {
  EXPECT_EQ(HtmlBodyContent("<html><head><title>x</title></head><BODY class=a><p>ä &amp; b</p>"
                            "<table><tr><td>x</td></tr></table></BODY></html>"),
            "<p>ä &amp; b</p><table><tr><td>x</td></tr></table>");
}

TEST(HtmlBodyTest, FragmentUnchanged) {
  const std::string fragment = "<table cellspacing=0><tr><td>a</td><tr>\r\n</table>";
  EXPECT_EQ(HtmlBodyContent(fragment), fragment);
}

}  // namespace
}  // namespace flexel::cli
