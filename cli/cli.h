#pragma once
// The `flexel` command-line tool. Each command lives in its own source file
// (command_<name>.cpp) and is listed once in the command table of main.cpp; all commands share
// the option parser, the exit codes and the error handling of RunFlexel.

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace flexel::cli {

// Exit codes of every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitNoResult = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitFailure = 3;  // engine or file failure

// A command line that does not fit the command; reported in one line with the usage.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A command that ran but found nothing to give (no languages, no such word): its one line goes
// to standard error and the command exits with kExitNoResult.
class NoResultError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct OptionSpec {
  std::string_view name;       // "--groups"
  std::string_view valueName;  // "FILE"; empty for a flag
  std::string_view help;
};

// A parsed command line: options may stand before, between or after the positionals; "--"
// ends the options; a value follows its option as "--name value" or "--name=value".
class Arguments {
 public:
  [[nodiscard]] bool Has(std::string_view option) const;
  // The value given last, if the option was given.
  [[nodiscard]] std::optional<std::string> Value(std::string_view option) const;
  [[nodiscard]] const std::vector<std::string>& Positionals() const noexcept {
    return m_positionals;
  }

 private:
  friend Arguments ParseArguments(std::span<const std::string> args,
                                  std::span<const OptionSpec> options);
  std::vector<std::pair<std::string, std::string>> m_options;
  std::vector<std::string> m_positionals;
};

// "--help" and "-h" are accepted by every command. Throws UsageError.
[[nodiscard]] Arguments ParseArguments(std::span<const std::string> args,
                                       std::span<const OptionSpec> options);
// A whole non-negative number for an option value. Throws UsageError.
[[nodiscard]] std::size_t ParseCount(std::string_view option, std::string_view text);

struct Context {
  std::ostream& out;
  std::ostream& err;
  // A person watching sees each result as soon as it is made; a pipe or file gets it in
  // large writes.
  bool flushEachResult = true;
};

struct Command {
  std::string_view name;
  std::string_view arguments;  // usage after the name: "[--groups FILE] PATTERN WORD"
  std::string_view summary;    // one line for the command list
  std::string_view help;       // what `flexel help NAME` explains after the usage
  std::span<const OptionSpec> options;
  int (*run)(const Arguments& args, Context& context);
};

// Runs the command line (without the program name) against the command table; returns the
// exit code. Errors go to context.err, never out of this function.
[[nodiscard]] int RunFlexel(std::span<const std::string> args, std::span<const Command> commands,
                            Context& context);
// RunFlexel on the process's arguments and standard streams.
[[nodiscard]] int Main(int argc, char** argv, std::span<const Command> commands);

// The registry folder given on the command line (--registry DIR, accepted before the command
// and among every command's options); empty when the default applies.
[[nodiscard]] const std::string& RegistryFolderOption() noexcept;

// The commands, one per source file.
[[nodiscard]] const Command& MatchCommand();
[[nodiscard]] const Command& EnginesCommand();
[[nodiscard]] const Command& LanguagesCommand();
[[nodiscard]] const Command& WordsCommand();
[[nodiscard]] const Command& ConjugateCommand();
[[nodiscard]] const Command& EvalCommand();
[[nodiscard]] const Command& CompileCommand();
[[nodiscard]] const Command& RegsvrCommand();

}  // namespace flexel::cli
