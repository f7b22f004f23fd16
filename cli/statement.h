#pragma once
// The statements of `flexel eval`: a path of members from the Languages object, read or
// written.
//   STATEMENT := PATH | PATH '=' VALUE
//   PATH      := MEMBER ('.' MEMBER)*
//   MEMBER    := NAME ['(' VALUE (',' VALUE)* ')']
//   VALUE     := integer | "string" with \" \\ \t \r \n
// Blanks may stand between the parts. Names are matched by the object, without regard to case.

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/variant.h"

namespace flexel::cli {

struct MemberCall {
  std::string name;
  std::vector<automation::Variant> args;
};

struct Statement {
  std::vector<MemberCall> path;
  std::optional<automation::Variant> assigned;  // set for PATH=VALUE
};

// A statement that does not parse. position counts code points from 1.
class StatementError : public std::runtime_error {
 public:
  StatementError(std::size_t position, const std::string& reason)
      : std::runtime_error(reason), m_position(position) {}
  [[nodiscard]] std::size_t position() const noexcept { return m_position; }

 private:
  std::size_t m_position;
};

[[nodiscard]] Statement ParseStatement(std::string_view text);

}  // namespace flexel::cli
