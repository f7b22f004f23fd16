#include "cli/cli.h"

// The command table: one line per command.
int main(int argc, char** argv) {
  const flexel::cli::Command commands[] = {
      flexel::cli::MatchCommand(),
      flexel::cli::RegsvrCommand(),
  };
  return flexel::cli::Main(argc, argv, commands);
}
