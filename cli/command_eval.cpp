// flexel eval: a scripting host that runs object-model statements on one Languages object.

#include <ostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/engine_client.h"
#include "cli/json_writer.h"
#include "cli/statement.h"
#include "platform/automation/hresult.h"
#include "platform/automation/type_info.h"
#include "platform/nls/nls.h"

namespace flexel::cli {

namespace {

using automation::Dispatch;
using automation::VarType;

constexpr OptionSpec kEvalOptions[] = {
    {"--json", "", "print one JSON array with the result of every statement"},
    {"--htmldir", "DIR", "keep the pictures the engine writes in DIR (default: a temporary one)"},
};

constexpr std::string_view kEvalHelp =
    R"(Creates the engine for FILE, puts htmldir and stringdata = FILE, then runs
each STATEMENT in order on that one Languages object:

  STATEMENT := PATH | PATH=VALUE       read a value, or write one
  PATH      := MEMBER(.MEMBER)*
  MEMBER    := NAME | NAME(VALUE,...)
  VALUE     := an integer | "a string" with \" \\ \t \r \n

Member names are matched without regard to case. Each result is printed on
its own line (an object as "object" and its interface, a write prints
nothing); a failed member prints its message on standard error and the next
statement runs. With --json the output is one array, an element per
statement: the value, null for a write, {"object":"ILanguage"} for an
object, {"error":MESSAGE,"hresult":CODE} for a failure.
Exits 1 when a statement failed, 2 when one does not parse (nothing runs).

example:
  flexel eval data/languages/spanish.xml Count 'Item(0).Name' \
    'Item(0).ActiveWord.partofspeechid=0' 'Item(0).ActiveWord.Name="hablar"' \
    'Item(0).ActiveWord.TenseNames.Item(1).Tenses.Item(0).HTML'
)";

struct Outcome {
  bool failed = false;
  bool assignment = false;
  automation::Variant value;
  std::string error;
  automation::HRESULT hresult = 0;
};

Outcome Run(const Dispatch& languages, const Statement& statement) {
  Outcome outcome;
  try {
    Dispatch current = languages;
    const std::size_t last = statement.path.size() - 1;
    for (std::size_t i = 0; i < last; ++i) {
      current = current.Get(statement.path[i].name, statement.path[i].args);
    }
    const MemberCall& member = statement.path[last];
    if (statement.assigned) {
      current.Put(member.name, member.args, *statement.assigned);
      outcome.assignment = true;
    } else {
      outcome.value = current.Get(member.name, member.args).value();
    }
  } catch (const Error& error) {
    outcome.failed = true;
    outcome.error = error.what();
    outcome.hresult = error.hresult();
  }
  return outcome;
}

// "ILanguage" for an object whose interface is described; "IDispatch" or "IUnknown" otherwise.
std::string InterfaceName(const automation::Variant& value) {
  automation::RefPtr<automation::IDispatch> object;
  try {
    object = value.ToDispatch();
  } catch (const Error&) {
    return "IUnknown";  // an object without late binding has no interface to name
  }
  if (object) {
    if (const automation::InterfaceInfo* info = object->GetTypeInfo()) {
      return std::string(info->name);
    }
  }
  return "IDispatch";
}

void AppendJsonValue(std::string& out, const automation::Variant& value) {
  switch (value.Type()) {
    case VarType::kEmpty:
      out += "null";
      break;
    case VarType::kBool:
      AppendJsonBool(out, value.ToBool());
      break;
    case VarType::kI4:
      AppendJsonInt(out, value.ToInt());
      break;
    case VarType::kR8:
      AppendJsonDouble(out, value.ToDouble());
      break;
    case VarType::kBstr:
      AppendJsonString(out, value.ToString());
      break;
    case VarType::kDispatch:
    case VarType::kUnknown:
      out += "{\"object\":";
      AppendJsonString(out, InterfaceName(value));
      out += '}';
      break;
  }
}

std::string PlainValue(const automation::Variant& value) {
  switch (value.Type()) {
    case VarType::kEmpty:
      return {};
    case VarType::kBool:
      return value.ToBool() ? "true" : "false";
    case VarType::kR8: {
      std::string text;
      AppendJsonDouble(text, value.ToDouble());
      return text;
    }
    case VarType::kDispatch:
    case VarType::kUnknown:
      return "object " + InterfaceName(value);
    case VarType::kI4:
    case VarType::kBstr:
      break;
  }
  return value.ToString();
}

int RunEval(const Arguments& args, Context& context) {
  const auto& positionals = args.Positionals();
  if (positionals.empty()) {
    throw UsageError("missing FILE and STATEMENT");
  }
  if (positionals.size() < 2) {
    throw UsageError("missing STATEMENT");
  }
  // Every statement is parsed before the engine is touched, so a typo runs nothing.
  std::vector<Statement> statements;
  for (std::size_t i = 1; i < positionals.size(); ++i) {
    const std::string text = nls::DecodeLegacy(positionals[i]);
    try {
      statements.push_back(ParseStatement(text));
    } catch (const StatementError& error) {
      throw UsageError("statement '" + text + "' does not parse at position " +
                       std::to_string(error.position()) + ": " + error.what());
    }
  }
  const bool json = args.Has("--json");
  const LanguageFile file(positionals[0], args.Value("--htmldir"));

  bool anyFailed = false;
  std::string out = json ? "[" : "";
  for (std::size_t i = 0; i < statements.size(); ++i) {
    const Outcome outcome = Run(file.Languages(), statements[i]);
    anyFailed = anyFailed || outcome.failed;
    if (json) {
      out += i == 0 ? "\n  " : ",\n  ";
      if (outcome.failed) {
        out += "{\"error\":";
        AppendJsonString(out, outcome.error);
        out += ",\"hresult\":";
        AppendJsonInt(out, outcome.hresult);
        out += '}';
      } else if (outcome.assignment) {
        out += "null";
      } else {
        AppendJsonValue(out, outcome.value);
      }
      continue;
    }
    if (outcome.failed) {
      context.out << out;
      out.clear();
      context.out.flush();
      context.err << "flexel eval: " << positionals[i + 1] << ": " << outcome.error << " ("
                  << automation::HResultHex(outcome.hresult) << ")\n";
    } else if (!outcome.assignment) {
      out += PlainValue(outcome.value);
      out += '\n';
    }
  }
  if (json) {
    out += "\n]\n";
  }
  context.out << out;
  return anyFailed ? kExitNoResult : kExitOk;
}

}  // namespace

const Command& EvalCommand() {
  static const Command command{"eval",
                               "[--json] [--htmldir DIR] FILE STATEMENT...",
                               "Run object-model statements on a language extension's engine",
                               kEvalHelp,
                               kEvalOptions,
                               &RunEval};
  return command;
}

}  // namespace flexel::cli
