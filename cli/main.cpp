#include "cli/cli.h"

// The command table: one line per command.
int main(int argc, char** argv) {
  const flexel::cli::Command commands[] = {
      flexel::cli::ConjugateCommand(), flexel::cli::LanguagesCommand(),
      flexel::cli::WordsCommand(),     flexel::cli::EvalCommand(),
      flexel::cli::EnginesCommand(),   flexel::cli::CompileCommand(),
      flexel::cli::MatchCommand(),
      flexel::cli::RegsvrCommand(),
  };
  return flexel::cli::Main(argc, argv, commands);
}
