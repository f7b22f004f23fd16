#include <charconv>

#include "cli/cli.h"

namespace flexel::cli {

bool Arguments::Has(std::string_view option) const {
  for (const auto& [name, value] : m_options) {
    if (name == option) {
      return true;
    }
  }
  return false;
}

std::optional<std::string> Arguments::Value(std::string_view option) const {
  std::optional<std::string> result;
  for (const auto& [name, value] : m_options) {
    if (name == option) {
      result = value;
    }
  }
  return result;
}

Arguments ParseArguments(std::span<const std::string> args, std::span<const OptionSpec> options) {
  Arguments parsed;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    // "-" alone is an ordinary argument (a word may be written as a dash).
    if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
      parsed.m_positionals.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    if (arg == "--help" || arg == "-h") {
      parsed.m_options.emplace_back("--help", "");
      continue;
    }
    const std::size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    const OptionSpec* spec = nullptr;
    for (const OptionSpec& option : options) {
      if (option.name == name) {
        spec = &option;
      }
    }
    if (spec == nullptr) {
      throw UsageError("unknown option '" + name + "'");
    }
    if (spec->valueName.empty()) {
      if (equals != std::string::npos) {
        throw UsageError("option '" + name + "' takes no value");
      }
      parsed.m_options.emplace_back(name, "");
    } else if (equals != std::string::npos) {
      parsed.m_options.emplace_back(name, arg.substr(equals + 1));
    } else if (i + 1 < args.size()) {
      parsed.m_options.emplace_back(name, args[++i]);
    } else {
      throw UsageError("option '" + name + "' needs a value " + std::string(spec->valueName));
    }
  }
  return parsed;
}

std::size_t ParseCount(std::string_view option, std::string_view text) {
  std::size_t value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end) {
    throw UsageError("option '" + std::string(option) + "' needs a whole number, not '" +
                     std::string(text) + "'");
  }
  return value;
}

}  // namespace flexel::cli
