#include "platform/automation/error_info.h"

#include <gtest/gtest.h>

#include <thread>

namespace flexel::automation {
namespace {

TEST(ErrorInfo, IsTakenOnceAndBelongsToItsThread) {
  const GUID iid = GUID::Literal("{200CA957-6AEA-4C35-A8DE-367E0E74C320}");
  SetErrorInfo(ErrorInfo{iid, "Lexoro5xml.Languages", "List index out of bounds (3)", "", 7});
  std::optional<ErrorInfo> seenByOtherThread = ErrorInfo{};
  std::thread([&] { seenByOtherThread = GetErrorInfo(); }).join();
  EXPECT_FALSE(seenByOtherThread.has_value());

  const auto info = GetErrorInfo();
  ASSERT_TRUE(info.has_value());
  EXPECT_EQ(info->guid, iid);
  EXPECT_EQ(info->source, "Lexoro5xml.Languages");
  EXPECT_EQ(info->description, "List index out of bounds (3)");
  EXPECT_EQ(info->helpContext, 7u);
  EXPECT_FALSE(GetErrorInfo().has_value());
}

}  // namespace
}  // namespace flexel::automation
