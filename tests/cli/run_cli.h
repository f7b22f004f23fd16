#pragma once
// Runs the built `flexel` program and captures what it wrote and how it ended.

#include <string>
#include <vector>

namespace flexel::test {

struct CliResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

[[nodiscard]] CliResult RunCli(const std::vector<std::string>& args);
// The same with input as the program's standard input.
[[nodiscard]] CliResult RunCliWithInput(const std::vector<std::string>& args,
                                        const std::string& input);

}  // namespace flexel::test
