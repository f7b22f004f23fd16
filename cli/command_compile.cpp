// flexel compile: project sources into VLX files, printing the compile log.

#include <ostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "constructor/compileform_unit.h"

namespace flexel::cli {

namespace {

constexpr OptionSpec kCompileOptions[] = {
    {"--no-autocorrect", "",
     "check picture references without repairing them in the compiled pages"},
};

constexpr std::string_view kCompileHelp =
    R"(Compiles each project source PROJECT.txt into PROJECT.vlx beside it, one after
the other, and prints the compile log: the pictures checked, the words
processed and the verification of the written file. A picture reference
that does not lead to a file is repaired in the compiled pages when the
picture is found elsewhere (the project source itself is never changed),
unless --no-autocorrect is given.

Exits 0 when every file compiled and verified, 3 when one stopped with an
error or failed its verification (the files after it are not compiled).

example:
  flexel compile data/projects/english/english.txt
)";

int RunCompile(const Arguments& args, Context& context) {
  const std::vector<std::string>& sources = args.Positionals();
  if (sources.empty()) {
    throw UsageError("missing PROJECT.txt");
  }
  // The verification's verdict is the line after "File verified:".
  bool verifying = false;
  std::vector<std::string> unverified;
  std::string current;
  TCompileForm compiler([&](const std::string& line) {
    if (line.starts_with("Compiling: ")) {
      current = line.substr(std::string_view("Compiling: ").size());
    }
    if (verifying && line == "Failed!") {
      unverified.push_back(current);
    }
    verifying = line == "File verified:";
    context.out << line << '\n';
  });
  compiler.SetAutoCorrect(!args.Has("--no-autocorrect"));
  try {
    compiler.CompileFiles(sources);
  } catch (...) {
    context.out.flush();
    throw;
  }
  context.out.flush();
  for (const std::string& source : unverified) {
    context.err << "flexel compile: " << source << ": the written file failed its verification\n";
  }
  return unverified.empty() ? kExitOk : kExitFailure;
}

}  // namespace

const Command& CompileCommand() {
  static const Command command{"compile",
                               "[--no-autocorrect] PROJECT.txt...",
                               "Compile project sources into VLX files",
                               kCompileHelp,
                               kCompileOptions,
                               &RunCompile};
  return command;
}

}  // namespace flexel::cli
