#include "platform/automation/guid.h"

#include <gtest/gtest.h>

namespace flexel::automation {
namespace {

TEST(Guid, ParsesAndFormatsInUpperCase) {
  const auto g = GUID::Parse("{3becf0ac-bc78-4ace-80f3-a96ee29d3ac9}");
  ASSERT_TRUE(g.has_value());
  EXPECT_EQ(g->data1, 0x3BECF0ACu);
  EXPECT_EQ(g->data2, 0xBC78u);
  EXPECT_EQ(g->data3, 0x4ACEu);
  EXPECT_EQ(g->data4[0], 0x80u);
  EXPECT_EQ(g->data4[7], 0xC9u);
  EXPECT_EQ(g->ToString(), "{3BECF0AC-BC78-4ACE-80F3-A96EE29D3AC9}");
  constexpr GUID literal = GUID::Literal("{3BECF0AC-BC78-4ACE-80F3-A96EE29D3AC9}");
  EXPECT_EQ(literal, *g);
  EXPECT_NE(literal, GUID::Literal("{3BECF0AC-BC78-4ACE-80F3-A96EE29D3AC8}"));
}

class MalformedGuid : public ::testing::TestWithParam<const char*> {};

TEST_P(MalformedGuid, IsRefused) { EXPECT_FALSE(GUID::Parse(GetParam()).has_value()); }

INSTANTIATE_TEST_SUITE_P(Guid, MalformedGuid,
                         ::testing::Values("3BECF0AC-BC78-4ACE-80F3-A96EE29D3AC9",
                                           "{3BECF0AC-BC78-4ACE-80F3-A96EE29D3AC9",
                                           "{3BECF0ACBC78-4ACE-80F3-A96EE29D3AC9x}",
                                           "{3BECF0AC-BC78-4ACE-80F3-A96EE29D3AG9}",
                                           "{3BECF0AC-BC78-4ACE-80F3-A96EE29D3AC9} ", ""));

}  // namespace
}  // namespace flexel::automation
