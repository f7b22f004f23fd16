// flexel languages: the languages of a language extension file.

#include <ostream>
#include <string>

#include "cli/cli.h"
#include "cli/engine_client.h"

namespace flexel::cli {

namespace {

constexpr OptionSpec kLanguagesOptions[] = {
    {"--htmldir", "DIR", "folder for the pictures the engine writes (default: a temporary one)"},
};

constexpr std::string_view kLanguagesHelp =
    R"(Prints one line per language of FILE: its index, a TAB, its code, a TAB and
its name. The index and the code select a language in the other commands
(--language CODE). FILE is an XML language extension (*.xml) or a VLX file
(*.vlx); its engine must be registered (see `flexel help engines`).
Exits 1 when the file holds no language.

example:
  flexel languages data/languages/spanish.xml
)";

int RunLanguages(const Arguments& args, Context& context) {
  const auto& positionals = args.Positionals();
  if (positionals.empty()) {
    throw UsageError("missing FILE");
  }
  if (positionals.size() > 1) {
    throw UsageError("unexpected argument '" + positionals[1] + "'");
  }
  const LanguageFile file(positionals[0], args.Value("--htmldir"));
  const automation::Dispatch& languages = file.Languages();
  const int count = languages.Get("Count").ToInt();
  if (count < 1) {
    throw NoResultError("no languages in " + file.Path());
  }
  std::string out;
  for (int i = 0; i < count; ++i) {
    const automation::Dispatch language = languages.Get("Item", {i});
    out += std::to_string(i) + '\t' + language.Get("silcode").ToString() + '\t' +
           language.Get("Name").ToString() + '\n';
  }
  context.out << out;
  return kExitOk;
}

}  // namespace

const Command& LanguagesCommand() {
  static const Command command{
      "languages",    "[--htmldir DIR] FILE", "List the languages of a language extension file",
      kLanguagesHelp, kLanguagesOptions,      &RunLanguages};
  return command;
}

}  // namespace flexel::cli
