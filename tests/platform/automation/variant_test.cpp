#include "platform/automation/variant.h"

#include <gtest/gtest.h>

#include <limits>

namespace flexel::automation {
namespace {

struct CoercionCase {
  const char* name;
  Variant from;
  VarType to;
  HRESULT hr;
  Variant expected;
};

class VariantCoercion : public ::testing::TestWithParam<CoercionCase> {};

TEST_P(VariantCoercion, ChangesType) {
  const auto& c = GetParam();
  Variant out = "stale";
  EXPECT_EQ(c.from.ChangeType(c.to, out), c.hr);
  EXPECT_EQ(out, c.expected);
  if (Succeeded(c.hr)) {
    EXPECT_EQ(out.Type(), c.to);
  }
}

const double kHuge = 1e12;

INSTANTIATE_TEST_SUITE_P(
    Variant, VariantCoercion,
    ::testing::Values(
        CoercionCase{"EmptyToInt", Variant(), VarType::kI4, S_OK, Variant(0)},
        CoercionCase{"EmptyToText", Variant(), VarType::kBstr, S_OK, Variant("")},
        CoercionCase{"EmptyToBool", Variant(), VarType::kBool, S_OK, Variant(false)},
        CoercionCase{"TrueToInt", Variant(true), VarType::kI4, S_OK, Variant(-1)},
        CoercionCase{"TrueToText", Variant(true), VarType::kBstr, S_OK, Variant("True")},
        CoercionCase{"IntToBool", Variant(7), VarType::kBool, S_OK, Variant(true)},
        CoercionCase{"ZeroToBool", Variant(0), VarType::kBool, S_OK, Variant(false)},
        CoercionCase{"IntToText", Variant(-42), VarType::kBstr, S_OK, Variant("-42")},
        CoercionCase{"IntToDouble", Variant(3), VarType::kR8, S_OK, Variant(3.0)},
        CoercionCase{"DoubleHalfToEven", Variant(2.5), VarType::kI4, S_OK, Variant(2)},
        CoercionCase{"DoubleHalfUp", Variant(3.5), VarType::kI4, S_OK, Variant(4)},
        CoercionCase{"DoubleTooLarge", Variant(kHuge), VarType::kI4, DISP_E_OVERFLOW, Variant()},
        CoercionCase{"DoubleToText", Variant(0.25), VarType::kBstr, S_OK, Variant("0.25")},
        CoercionCase{"TextToInt", Variant(" 12 "), VarType::kI4, S_OK, Variant(12)},
        CoercionCase{"TextPlusSign", Variant("+5"), VarType::kI4, S_OK, Variant(5)},
        CoercionCase{"TextFractionToInt", Variant("1.5"), VarType::kI4, S_OK, Variant(2)},
        CoercionCase{"TextNotNumber", Variant("12a"), VarType::kI4, DISP_E_TYPEMISMATCH, Variant()},
        CoercionCase{"EmptyTextToInt", Variant(""), VarType::kI4, DISP_E_TYPEMISMATCH, Variant()},
        CoercionCase{"TextTooLarge", Variant("3000000000"), VarType::kI4, DISP_E_OVERFLOW,
                     Variant()},
        CoercionCase{"TextToDouble", Variant("-1e3"), VarType::kR8, S_OK, Variant(-1000.0)},
        CoercionCase{"TextTrueToBool", Variant("TRUE"), VarType::kBool, S_OK, Variant(true)},
        CoercionCase{"TextNumberToBool", Variant("0"), VarType::kBool, S_OK, Variant(false)},
        CoercionCase{"TextWordToBool", Variant("yes"), VarType::kBool, DISP_E_TYPEMISMATCH,
                     Variant()},
        CoercionCase{"IntToObject", Variant(1), VarType::kDispatch, DISP_E_TYPEMISMATCH, Variant()},
        CoercionCase{"NullObjectToText", Variant(RefPtr<IDispatch>()), VarType::kBstr,
                     DISP_E_TYPEMISMATCH, Variant()}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Variant, ThrowingCoercionCarriesCodeAndKinds) {
  try {
    (void)Variant("abc").ToInt();
    FAIL() << "no error";
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.hresult(), DISP_E_TYPEMISMATCH);
    EXPECT_STREQ(e.what(), "Type mismatch (String to Integer)");
  }
  EXPECT_EQ(Variant(std::numeric_limits<std::int32_t>::min()).ToString(), "-2147483648");
  EXPECT_EQ(Variant("ß").ToString(), "ß");
}

}  // namespace
}  // namespace flexel::automation
