#include "platform/expr/expr.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/core/error.h"

namespace flexel::expr {
namespace {

struct ValueCase {
  const char* name;
  const char* text;
  std::int64_t value;
};

class ExprValue : public testing::TestWithParam<ValueCase> {};

TEST_P(ExprValue, Evaluates) { EXPECT_EQ(Evaluate(GetParam().text), GetParam().value); }

INSTANTIATE_TEST_SUITE_P(
    Cases, ExprValue,
    testing::Values(
        ValueCase{"Literal", "42", 42}, ValueCase{"Hex", "$1F", 31}, ValueCase{"Blanks", "  7 ", 7},
        ValueCase{"Precedence", "1+2*3", 7}, ValueCase{"Brackets", "(1+2)*3", 9},
        ValueCase{"LeftToRight", "10-3-2", 5}, ValueCase{"UnaryMinus", "-3*-2", 6},
        ValueCase{"UnaryPlus", "+4", 4}, ValueCase{"SlashTruncates", "7/2", 3},
        ValueCase{"NegativeTruncatesToZero", "-7/2", -3}, ValueCase{"Div", "7 DIV 2", 3},
        ValueCase{"ModSignOfDividend", "-7 mod 3", -1}, ValueCase{"Shl", "1 shl 4", 16},
        ValueCase{"Shr", "256 SHR 4", 16}, ValueCase{"ShiftPastWidth", "1 shl 64", 0},
        ValueCase{"EqualTrue", "2=2", -1}, ValueCase{"EqualFalse", "2=3", 0},
        ValueCase{"NotEqual", "2<>3", -1}, ValueCase{"LessEqual", "3<=3", -1},
        ValueCase{"Greater", "3>4", 0}, ValueCase{"GreaterEqual", "4>=3", -1},
        ValueCase{"Less", "1+1<3", -1}, ValueCase{"AndOfComparisons", "1<2 and 2<3", -1},
        ValueCase{"OrOfComparisons", "1>2 or 2>3", 0}, ValueCase{"NotTrue", "not (1=1)", 0},
        ValueCase{"NotIsBitwise", "not 0", -1}, ValueCase{"AndIsBitwise", "12 and 10", 8},
        ValueCase{"TrueFalse", "TRUE - FALSE", -1}, ValueCase{"IfTrue", "IF(1=1, 10, 20)", 10},
        ValueCase{"IfFalse", "If(0, 10, 20)", 20},
        ValueCase{"IfDoesNotEvaluateUnusedBranch", "IF(1, 5, 1/0)", 5},
        ValueCase{"NestedIf", "IF(3>2, IF(0, 1, 2), 3)", 2}, ValueCase{"SlotFormula", "2*3+1", 7}),
    [](const testing::TestParamInfo<ValueCase>& info) { return std::string(info.param.name); });

struct ErrorCase {
  const char* name;
  const char* text;
  const char* message;
};

class ExprError : public testing::TestWithParam<ErrorCase> {};

TEST_P(ExprError, Throws) {
  try {
    (void)Evaluate(GetParam().text);
    FAIL() << "no error for " << GetParam().text;
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), GetParam().message);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExprError,
    testing::Values(
        ErrorCase{"Empty", "", "Invalid expression '': unexpected end"},
        ErrorCase{"DanglingOperator", "1+", "Invalid expression '1+': unexpected end"},
        ErrorCase{"TrailingToken", "1 2", "Invalid expression '1 2': unexpected '2' at position 3"},
        ErrorCase{"UnclosedBracket", "(1+2", "Invalid expression '(1+2': unexpected end"},
        ErrorCase{"StrayBracket", "1+2)",
                  "Invalid expression '1+2)': unexpected ')' at position 4"},
        ErrorCase{"UnknownWord", "x+1", "Invalid expression 'x+1': unknown word 'x' at position 1"},
        ErrorCase{"LetterAfterDigits", "1f(1,2,3)",
                  "Invalid expression '1f(1,2,3)': '1f' is not a number at position 1"},
        ErrorCase{"BareDollar", "$",
                  "Invalid expression '$': hexadecimal digits expected after '$' at position 1"},
        ErrorCase{"IfMissingArgument", "IF(1,2)",
                  "Invalid expression 'IF(1,2)': ',' expected instead of ')' at position 7"},
        ErrorCase{"NegativeShift", "1 shl -1",
                  "Invalid expression '1 shl -1': negative shift count"},
        ErrorCase{"DivisionByZero", "5/(2-2)", "Division by zero in expression '5/(2-2)'"},
        ErrorCase{"ModByZero", "5 mod 0", "Division by zero in expression '5 mod 0'"},
        ErrorCase{"LiteralTooBig", "99999999999999999999",
                  "Integer overflow in expression '99999999999999999999'"},
        ErrorCase{"ProductTooBig", "$7FFFFFFFFFFFFFFF*2",
                  "Integer overflow in expression '$7FFFFFFFFFFFFFFF*2'"}),
    [](const testing::TestParamInfo<ErrorCase>& info) { return std::string(info.param.name); });

TEST(Expr, NestingIsBounded) {
  const std::string fine = std::string(30, '(') + "1" + std::string(30, ')');
  EXPECT_EQ(Evaluate(fine), 1);
  const std::string deep = std::string(100000, '(') + "1" + std::string(100000, ')');
  try {
    (void)Evaluate(deep);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()),
              "Invalid expression '" + deep + "': nested deeper than 64 levels");
  }
  const std::string minuses = std::string(100000, '-') + "1";
  EXPECT_THROW((void)Evaluate(minuses), Error);
}

}  // namespace
}  // namespace flexel::expr
