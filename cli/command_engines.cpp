// flexel engines: the engines registered in the registry folder, each tried by creating it.

#include <ostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "platform/automation/client.h"
#include "platform/nls/nls.h"
#include "platform/registry/registry.h"

namespace flexel::cli {

namespace {

constexpr std::string_view kEnginesHelp =
    R"(Lists every ProgID of the registry folder that matches "lexoro*.languages"
(without regard to case) and whose class names its plug-in, as three parts:

	ProgID; OK. (or Failure.)
		the plug-in file

"OK." means an object of the engine could be created, "Failure." that it
could not; the reason is written to standard error. Exits 0 when every engine
works, 1 when none is registered, 3 when one fails.

An engine is registered with `flexel regsvr build/lib/lexoro5xml.so` (and
lexoro5vlx.so for VLX files); `--registry DIR` picks the registry folder.
)";

bool IsEngineProgId(const std::string& name) {
  const std::string lower = nls::ToLower(name);
  constexpr std::string_view kPrefix = "lexoro";
  constexpr std::string_view kSuffix = ".languages";
  return lower.size() >= kPrefix.size() + kSuffix.size() && lower.starts_with(kPrefix) &&
         lower.ends_with(kSuffix);
}

int RunEngines(const Arguments& args, Context& context) {
  if (!args.Positionals().empty()) {
    throw UsageError("unexpected argument '" + args.Positionals().front() + "'");
  }
  const auto root = registry::ReadHive(registry::Hive::kClassesRoot);
  int found = 0;
  bool failed = false;
  for (const auto& key : root->SubKeys()) {
    if (!IsEngineProgId(key->Name())) {
      continue;
    }
    const registry::Key* clsid = key->Find("Clsid");
    const std::string classId = clsid ? clsid->DefaultValue() : std::string();
    const registry::Key* server =
        classId.empty() ? nullptr : root->Find("CLSID/" + classId + "/InprocServer32");
    if (server == nullptr) {
      continue;
    }
    ++found;
    std::string serverPath = server->DefaultValue();
    if (const auto codeBase = server->GetString("CodeBase"); codeBase && !codeBase->empty()) {
      serverPath += "\n\t\t" + *codeBase;
    }
    std::string failure;
    try {
      automation::Dispatch object(automation::CreateObject(key->Name()));
    } catch (const std::exception& error) {
      failure = error.what();
    }
    context.out << '\t' << key->Name() << "; " << (failure.empty() ? "OK." : "Failure.") << "\n\t\t"
                << serverPath << '\n';
    if (!failure.empty()) {
      context.err << "flexel engines: " << key->Name() << ": " << failure << '\n';
      failed = true;
    }
  }
  if (found == 0) {
    throw NoResultError("no engines are registered in " + registry::RegistryFolder());
  }
  return failed ? kExitFailure : kExitOk;
}

}  // namespace

const Command& EnginesCommand() {
  static const Command command{
      "engines",    "", "List the registered engines and check that each can be created",
      kEnginesHelp, {}, &RunEngines};
  return command;
}

}  // namespace flexel::cli
