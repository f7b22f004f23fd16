#include "run_cli.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace flexel::test {

namespace {

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

CliResult RunCli(const std::vector<std::string>& args) { return RunCliWithInput(args, {}); }

CliResult RunCliWithInput(const std::vector<std::string>& args, const std::string& input) {
  char pattern[] = "/tmp/flexel-cli-XXXXXX";
  if (mkdtemp(pattern) == nullptr) {
    throw std::runtime_error("cannot make a temporary folder");
  }
  const std::filesystem::path dir(pattern);
  const std::string outPath = (dir / "out").string();
  const std::string errPath = (dir / "err").string();
  std::string inPath = "/dev/null";
  if (!input.empty()) {
    inPath = (dir / "in").string();
    std::ofstream(inPath, std::ios::binary) << input;
  }

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, inPath.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  std::vector<std::string> argvText{FLEXEL_CLI};
  argvText.insert(argvText.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& arg : argvText) {
    argv.push_back(arg.data());
  }
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, FLEXEL_CLI, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    std::filesystem::remove_all(dir);
    throw std::runtime_error("cannot start " + std::string(FLEXEL_CLI));
  }
  int status = 0;
  waitpid(pid, &status, 0);
  CliResult result;
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  result.out = ReadAll(outPath);
  result.err = ReadAll(errPath);
  std::filesystem::remove_all(dir);
  return result;
}

}  // namespace flexel::test
