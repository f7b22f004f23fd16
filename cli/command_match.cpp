// flexel match: tries a rule pattern on a word, as the check rules and code records do.

#include <ostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "common/flexel_transducer.h"
#include "platform/core/error.h"
#include "platform/nls/nls.h"
#include "platform/storage/whole_file.h"

namespace flexel::cli {

namespace {

constexpr std::size_t kGroupFileLimit = 16 * 1024 * 1024;

constexpr OptionSpec kMatchOptions[] = {
    {"--groups", "FILE", "character groups, one per line: ID<TAB>MEMBERS"},
    {"--budget", "STEPS", "give up after this many steps (default 1000000)"},
};

constexpr std::string_view kMatchHelp =
    R"(Prints the output the pattern writes for WORD and exits 0, or prints nothing
and exits 1 when the pattern does not match. A PATTERN holding "|" is a list
of alternatives, tried in order until one matches (an empty alternative ends
the list). Every character is one letter, also beyond ASCII (ä, ñ, ж).

The pattern must match the whole word:
  abc            the letters themselves, copied to the output
  ?              any one letter, copied
  *              one or more letters (shortest first), copied
  (src:tgt)      matches src and writes tgt in its place; (src:) drops src
  [G]            any member of group G, tried in order
  [(G)]          a group of src:tgt pairs; the first pair that fits rewrites
A "[" or "(" that nothing closes is an ordinary letter.

Groups come from FILE, one per line: the id with its brackets, a TAB, then
the members separated by ","; lines starting with "#" are comments. Example:
  [V]	a,e,i,o,u
  [E]	ar:o,er:o,ir:o

examples:
  flexel match '*(en:)' laufen                    prints lauf
  flexel match '(ser:fu)i' seri                   prints fui
  flexel match 'xa|*' b                           prints b
  flexel match --groups groups.tsv '*[(E)]' vivir  prints vivo
  flexel match --groups groups.tsv 'h[V]bl[V]r' hablar
)";

std::vector<std::string> ReadGroups(const std::string& path) {
  const std::string text = nls::DecodeLegacy(storage::ReadFileWhole(path, kGroupFileLimit));
  std::vector<std::string> groups;
  std::size_t start = 0;
  int lineNumber = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) {
      end = text.size();
    }
    std::string line = text.substr(start, end - start);
    start = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    if (line.empty() || line.front() == '#') {
      continue;
    }
    if (line.find('\t') == std::string::npos) {
      throw FileError(path + ":" + std::to_string(lineNumber) +
                      ": expected ID<TAB>MEMBERS, found no TAB");
    }
    groups.push_back(std::move(line));
  }
  return groups;
}

int RunMatch(const Arguments& args, Context& context) {
  const std::vector<std::string>& positionals = args.Positionals();
  if (positionals.size() < 2) {
    throw UsageError(positionals.empty() ? "missing PATTERN and WORD" : "missing WORD");
  }
  if (positionals.size() > 2) {
    throw UsageError("unexpected argument '" + positionals[2] + "'");
  }
  TTransducer transducer;
  if (const auto budget = args.Value("--budget")) {
    transducer.SetStepBudget(ParseCount("--budget", *budget));
  }
  if (const auto groups = args.Value("--groups")) {
    transducer.SetGroups(ReadGroups(*groups));
  }
  // The shell hands over bytes; text in a legacy code page is read as the rule files are.
  const std::string pattern = nls::DecodeLegacy(positionals[0]);
  const std::string word = nls::DecodeLegacy(positionals[1]);
  std::string output;
  const bool matched = pattern.find('|') != std::string::npos
                           ? transducer.MatchAlternatives(pattern, word, output)
                           : transducer.Match(pattern, word, output);
  if (matched) {
    context.out << output << '\n';
    return kExitOk;
  }
  if (transducer.BudgetExhausted()) {
    context.err << "flexel match: gave up after " << transducer.StepBudget()
                << " steps without a match; the pattern may still match with a larger"
                   " --budget\n";
  }
  return kExitNoResult;
}

}  // namespace

const Command& MatchCommand() {
  static const Command command{"match",
                               "[--groups FILE] [--budget STEPS] PATTERN WORD",
                               "Try a rule pattern on a word and print its output",
                               kMatchHelp,
                               kMatchOptions,
                               &RunMatch};
  return command;
}

}  // namespace flexel::cli
