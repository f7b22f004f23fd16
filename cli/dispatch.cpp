#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <exception>
#include <iomanip>
#include <iostream>
#include <new>

#include "cli/cli.h"
#include "platform/registry/registry.h"

#ifndef FLEXEL_VERSION
#define FLEXEL_VERSION "0.0.0"
#endif

namespace flexel::cli {

namespace {

constexpr OptionSpec kRegistryOption = {
    "--registry", "DIR", "registry folder of the engines (default: $FLEXEL_REGISTRY)"};

constexpr OptionSpec kGlobalOptions[] = {
    {"--help", "", "show this help"},
    {"--version", "", "show the program's version"},
    kRegistryOption,
};

std::string& RegistryOptionValue() {
  static std::string value;
  return value;
}

void UseRegistryFolder(const std::string& folder) {
  if (folder.empty()) {
    throw UsageError("option '--registry' needs a folder");
  }
  RegistryOptionValue() = folder;
  registry::SetRegistryFolder(folder);
}

// The command's own options plus the global ones every command accepts.
std::vector<OptionSpec> CommandOptions(const Command& command) {
  std::vector<OptionSpec> options(command.options.begin(), command.options.end());
  if (std::none_of(options.begin(), options.end(),
                   [](const OptionSpec& o) { return o.name == kRegistryOption.name; })) {
    options.push_back(kRegistryOption);
  }
  return options;
}

std::string OptionColumn(const OptionSpec& option) {
  std::string column(option.name);
  if (!option.valueName.empty()) {
    column.append(" ").append(option.valueName);
  }
  return column;
}

void PrintOptions(std::ostream& out, std::span<const OptionSpec> options) {
  std::size_t width = 0;
  for (const OptionSpec& option : options) {
    width = std::max(width, OptionColumn(option).size());
  }
  for (const OptionSpec& option : options) {
    out << "  " << std::left << std::setw(static_cast<int>(width) + 2) << OptionColumn(option)
        << option.help << '\n';
  }
}

void PrintGeneralHelp(std::ostream& out, std::span<const Command> commands) {
  out << "usage: flexel COMMAND [OPTIONS] [ARGUMENTS]\n"
         "       flexel help COMMAND\n\n"
         "Conjugates words with the engines of language extensions (*.xml, *.vlx),\n"
         "evaluates object-model statements, compiles table projects and lets rule\n"
         "authors try their patterns.\n\n"
         "commands:\n";
  std::size_t width = 4;
  for (const Command& command : commands) {
    width = std::max(width, command.name.size());
  }
  for (const Command& command : commands) {
    out << "  " << std::left << std::setw(static_cast<int>(width) + 2) << command.name
        << command.summary << '\n';
  }
  out << "  " << std::left << std::setw(static_cast<int>(width) + 2) << "help"
      << "Show the help of a command\n\noptions:\n";
  PrintOptions(out, kGlobalOptions);
  out << "\nOptions may stand before or after the arguments; \"--\" ends the options.\n"
         "Without --registry and $FLEXEL_REGISTRY, engines are looked up in\n"
         "$XDG_CONFIG_HOME/flexel/registry/ (~/.config/flexel/registry/).\n"
         "Exit codes: 0 done, 1 no result, 2 usage error, 3 engine or file failure.\n";
}

std::string CommandUsage(const Command& command) {
  std::string usage = "flexel " + std::string(command.name);
  if (!command.arguments.empty()) {
    usage.append(" ").append(command.arguments);
  }
  return usage;
}

void PrintCommandHelp(std::ostream& out, const Command& command) {
  out << "usage: " << CommandUsage(command) << "\n\n" << command.summary << ".\n";
  if (!command.help.empty()) {
    out << '\n' << command.help;
  }
  std::vector<OptionSpec> options = CommandOptions(command);
  options.push_back({"--help", "", "show this help"});
  out << "\noptions:\n";
  PrintOptions(out, options);
}

const Command* FindCommand(std::span<const Command> commands, std::string_view name) {
  for (const Command& command : commands) {
    if (command.name == name) {
      return &command;
    }
  }
  return nullptr;
}

int Usage(Context& context, std::string_view prefix, const std::string& message,
          std::string_view usage) {
  context.err << prefix << ": " << message << " (usage: " << usage << ")\n";
  return kExitUsage;
}

int RunCommand(const Command& command, std::span<const std::string> args, Context& context) {
  const std::string prefix = "flexel " + std::string(command.name);
  const std::string usage = CommandUsage(command);
  try {
    const std::vector<OptionSpec> options = CommandOptions(command);
    const Arguments parsed = ParseArguments(args, options);
    if (parsed.Has("--help")) {
      PrintCommandHelp(context.out, command);
      return kExitOk;
    }
    if (const auto folder = parsed.Value("--registry")) {
      UseRegistryFolder(*folder);
    }
    return command.run(parsed, context);
  } catch (const UsageError& error) {
    return Usage(context, prefix, error.what(), usage);
  } catch (const NoResultError& error) {
    context.err << prefix << ": " << error.what() << '\n';
    return kExitNoResult;
  } catch (const std::bad_alloc&) {
    context.err << prefix << ": out of memory\n";
  } catch (const std::exception& error) {
    context.err << prefix << ": " << error.what() << '\n';
  }
  return kExitFailure;
}

}  // namespace

const std::string& RegistryFolderOption() noexcept { return RegistryOptionValue(); }

int RunFlexel(std::span<const std::string> args, std::span<const Command> commands,
              Context& context) {
  constexpr std::string_view kUsage = "flexel COMMAND [OPTIONS] [ARGUMENTS]";
  // Global options before the command: "--registry DIR" or "--registry=DIR".
  while (!args.empty() && args.front().starts_with("--registry")) {
    const std::string& option = args.front();
    std::string folder;
    std::size_t used = 1;
    if (option.starts_with("--registry=")) {
      folder = option.substr(std::string_view("--registry=").size());
    } else if (option == "--registry" && args.size() > 1) {
      folder = args[1];
      used = 2;
    } else if (option == "--registry") {
      return Usage(context, "flexel", "option '--registry' needs a value DIR", kUsage);
    } else {
      break;
    }
    try {
      UseRegistryFolder(folder);
    } catch (const UsageError& error) {
      return Usage(context, "flexel", error.what(), kUsage);
    }
    args = args.subspan(used);
  }
  if (args.empty()) {
    return Usage(context, "flexel", "no command given", kUsage);
  }
  const std::string& first = args.front();
  if (first == "--help" || first == "-h") {
    PrintGeneralHelp(context.out, commands);
    return kExitOk;
  }
  if (first == "--version") {
    context.out << "flexel " << FLEXEL_VERSION << '\n';
    return kExitOk;
  }
  if (first == "help") {
    if (args.size() == 1) {
      PrintGeneralHelp(context.out, commands);
      return kExitOk;
    }
    if (args.size() > 2) {
      return Usage(context, "flexel help", "too many arguments", "flexel help [COMMAND]");
    }
    const Command* command = FindCommand(commands, args[1]);
    if (command == nullptr) {
      return Usage(context, "flexel help", "unknown command '" + args[1] + "'",
                   "flexel help [COMMAND]");
    }
    PrintCommandHelp(context.out, *command);
    return kExitOk;
  }
  if (first.size() > 1 && first[0] == '-') {
    return Usage(context, "flexel", "unknown option '" + first + "'", kUsage);
  }
  const Command* command = FindCommand(commands, first);
  if (command == nullptr) {
    return Usage(context, "flexel", "unknown command '" + first + "'", kUsage);
  }
  return RunCommand(*command, args.subspan(1), context);
}

int Main(int argc, char** argv, std::span<const Command> commands) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    args.emplace_back(argv[i]);
  }
  // A reader that goes away (`| head`) makes writes fail instead of killing the process, so
  // the command ends through its own error path and removes its temporary folders.
  std::signal(SIGPIPE, SIG_IGN);
  Context context{std::cout, std::cerr, ::isatty(STDOUT_FILENO) == 1};
  const int code = RunFlexel(args, commands, context);
  std::cout.flush();
  if (!std::cout) {
    if (code != kExitFailure) {
      std::cerr << "flexel: cannot write the output\n";
    }
    return kExitFailure;
  }
  return code;
}

}  // namespace flexel::cli
