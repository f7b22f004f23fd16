// flexel words: the word list of one part of speech of a language.

#include <ostream>
#include <string>

#include "cli/cli.h"
#include "cli/engine_client.h"

namespace flexel::cli {

namespace {

constexpr OptionSpec kWordsOptions[] = {
    {"--language", "CODE", "the language with this code (default: the first of the file)"},
    {"--pos", "N", "the part of speech N, counted from 0 (default 0)"},
    {"--htmldir", "DIR", "folder for the pictures the engine writes (default: a temporary one)"},
};

constexpr std::string_view kWordsHelp =
    R"(Prints the words of one part of speech, one per line, as the engine lists
them (a homonym reads NUMBER@WORD). `flexel languages FILE` shows the codes
for --language. Exits 1 when the list is empty or the language or part of
speech does not exist.

example:
  flexel words data/languages/spanish.xml --pos 0
)";

int RunWords(const Arguments& args, Context& context) {
  const auto& positionals = args.Positionals();
  if (positionals.empty()) {
    throw UsageError("missing FILE");
  }
  if (positionals.size() > 1) {
    throw UsageError("unexpected argument '" + positionals[1] + "'");
  }
  const int partOfSpeech = PartOfSpeechOption(args.Value("--pos"));
  const LanguageFile file(positionals[0], args.Value("--htmldir"));
  const automation::Dispatch language = file.SelectLanguage(args.Value("--language"));
  CheckPartOfSpeech(language, partOfSpeech);
  const automation::Dispatch words =
      language.Get("PartsOfSpeech").Get("Item", {partOfSpeech}).Get("Words");
  const int count = words.Get("Count").ToInt();
  if (count < 1) {
    throw NoResultError("no words in part of speech " + std::to_string(partOfSpeech) + " of " +
                        language.Get("Name").ToString());
  }
  std::string out;
  for (int n = 0; n < count; ++n) {
    out += words.Get("Item", {n}).Get("Name").ToString();
    out += '\n';
  }
  context.out << out;
  return kExitOk;
}

}  // namespace

const Command& WordsCommand() {
  static const Command command{"words",
                               "[--language CODE] [--pos N] [--htmldir DIR] FILE",
                               "List the words of a part of speech",
                               kWordsHelp,
                               kWordsOptions,
                               &RunWords};
  return command;
}

}  // namespace flexel::cli
