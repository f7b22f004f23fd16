#pragma once
// EXPECT_THROW_MSG(statement, type, message): the statement throws `type` whose what() is
// exactly `message`; a statement that does not throw fails the test.

#include <gtest/gtest.h>

#include <string>

#define EXPECT_THROW_MSG(statement, type, message)    \
  try {                                               \
    statement;                                        \
    ADD_FAILURE() << "no exception from " #statement; \
  } catch (const type& e) {                           \
    EXPECT_EQ(std::string(e.what()), message);        \
  }
