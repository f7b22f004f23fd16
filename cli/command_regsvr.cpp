// flexel regsvr: registers an engine plug-in under HKEY_CLASSES_ROOT of the registry folder, so
// programs can create its Languages by ProgID, or removes that registration.

#include <ostream>
#include <string>

#include "cli/cli.h"
#include "platform/automation/client.h"
#include "platform/registry/registry.h"

namespace flexel::cli {

namespace {

constexpr OptionSpec kRegsvrOptions[] = {
    {"-u", "", "remove the registration instead"},
    {"--registry", "DIR", "the registry folder to write"},
};

constexpr std::string_view kRegsvrHelp =
    R"(Loads LIBRARY and calls its DllRegisterServer, which writes the class of its
Languages object and its ProgID (Lexoro5xml.Languages, Lexoro5vlx.Languages)
into HKEY_CLASSES_ROOT; with -u it calls DllUnregisterServer, which removes
them again. The registry folder is DIR, else $FLEXEL_REGISTRY, else
$XDG_CONFIG_HOME/flexel/registry/.

examples:
  flexel regsvr build/lib/lexoro5xml.so
  flexel regsvr -u --registry /tmp/registry build/lib/lexoro5vlx.so
)";

int RunRegsvr(const Arguments& args, Context& context) {
  if (args.Positionals().size() != 1) throw UsageError("expected one LIBRARY");
  if (const auto folder = args.Value("--registry")) {
    if (folder->empty()) throw UsageError("option '--registry' needs a folder");
    registry::SetRegistryFolder(*folder);
  }
  const bool unregister = args.Has("-u");
  const std::string& library = args.Positionals().front();
  automation::RegisterServer(library, unregister);
  context.out << (unregister ? "DllUnregisterServer" : "DllRegisterServer") << " in " << library
              << " succeeded (" << registry::HivePath(registry::Hive::kClassesRoot) << ")\n";
  return kExitOk;
}

}  // namespace

const Command& RegsvrCommand() {
  static const Command command{"regsvr",
                               "[-u] [--registry DIR] LIBRARY",
                               "Register an engine plug-in, or remove its registration",
                               kRegsvrHelp,
                               kRegsvrOptions,
                               &RunRegsvr};
  return command;
}

}  // namespace flexel::cli
