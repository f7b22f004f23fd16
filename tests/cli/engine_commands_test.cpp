// The commands that drive an engine, run as a user runs them: a registry folder of their own
// with the plug-ins registered by `flexel regsvr`, fixtures under tests/data/cli/.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/registry/registry.h"
#include "run_cli.h"

namespace flexel::test {
namespace {

namespace fs = std::filesystem;

#ifdef FLEXEL_LEXORO5XML_PLUGIN

const std::string kData = std::string(FLEXEL_TEST_DATA) + "/cli/";
const std::string kTiny = kData + "tiny.xml";

// The table of tense 1 of "hablar" in tiny.xml, as the engine renders a tense.
const std::string kPresentTable =
    "<table cellspacing=0 cellpadding=0>"
    "<tr><td><p><span class=pronoun>I</span>&nbsp;</p></td>"
    "<td><p><span class=normal>hablo</span>&nbsp;</p></td><tr>\r\n"
    "<tr><td><p><span class=pronoun>you all</span>&nbsp;</p></td>"
    "<td><p><span class=normal>habláis</span>&nbsp;</p></td><tr>\r\n"
    "</table>";

fs::path MakeTempFolder(const char* stem) {
  std::string pattern = (fs::temp_directory_path() / (std::string(stem) + "-XXXXXX")).string();
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("cannot make a temporary folder");
  }
  return pattern;
}

class EngineCommandsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    s_registry = new std::string(MakeTempFolder("flexel-cli-registry").string());
    Register(FLEXEL_LEXORO5XML_PLUGIN);
#ifdef FLEXEL_LEXORO5VLX_PLUGIN
    Register(FLEXEL_LEXORO5VLX_PLUGIN);
#endif
  }

  static void TearDownTestSuite() {
    fs::remove_all(*s_registry);
    delete s_registry;
    s_registry = nullptr;
  }

  static void Register(const std::string& plugin) {
    const CliResult result = RunCli({"--registry", *s_registry, "regsvr", plugin});
    ASSERT_EQ(result.exitCode, 0) << result.err;
  }

  // The command with this suite's registry folder given among its options.
  static CliResult Run(std::vector<std::string> args, const std::string& input = {}) {
    args.insert(args.begin() + 1, {"--registry", *s_registry});
    return RunCliWithInput(args, input);
  }

  static std::string* s_registry;
};

std::string* EngineCommandsTest::s_registry = nullptr;

TEST_F(EngineCommandsTest, LanguagesListsIndexCodeAndName) {
  const CliResult result = Run({"languages", kTiny});
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out, "0\ttny\tTinyish\n1\twde\tWideish\n");
  EXPECT_EQ(result.exitCode, 0);
}

TEST_F(EngineCommandsTest, RegistryAsGlobalOptionBeforeTheCommand) {
  const CliResult result = RunCli({"--registry", *s_registry, "languages", kTiny});
  EXPECT_EQ(result.out, "0\ttny\tTinyish\n1\twde\tWideish\n");
  EXPECT_EQ(result.exitCode, 0);
}

TEST_F(EngineCommandsTest, ExtensionInAnyLetterCase) {
  const fs::path folder = MakeTempFolder("flexel-cli-case");
  fs::copy_file(kTiny, folder / "Tiny.XmL");
  const CliResult result = Run({"languages", (folder / "Tiny.XmL").string()});
  fs::remove_all(folder);
  EXPECT_EQ(result.out, "0\ttny\tTinyish\n1\twde\tWideish\n");
  EXPECT_EQ(result.exitCode, 0);
}

struct OutputCase {
  const char* name;
  std::vector<std::string> args;
  int exitCode;
  std::string out;
  std::string err;
};

void PrintTo(const OutputCase& c, std::ostream* os) { *os << c.name; }

class EngineOutputTest : public EngineCommandsTest,
                         public ::testing::WithParamInterface<OutputCase> {};

TEST_P(EngineOutputTest, Runs) {
  const OutputCase& c = GetParam();
  const CliResult result = Run(c.args);
  EXPECT_EQ(result.out, c.out);
  EXPECT_EQ(result.err, c.err);
  EXPECT_EQ(result.exitCode, c.exitCode);
}

INSTANTIATE_TEST_SUITE_P(
    Cli, EngineOutputTest,
    ::testing::Values(
        OutputCase{"WordsOfFirstLanguage", {"words", kTiny}, 0, "cantar\nhablar\n", ""},
        OutputCase{"WordsOfSecondPartOfSpeech", {"words", kTiny, "--pos", "1"}, 0, "casa\n", ""},
        OutputCase{"WordsByLanguageCode", {"words", "--language", "WDE", kTiny}, 0, "食べる\n", ""},
        OutputCase{"WordsOfMissingPartOfSpeech",
                   {"words", kTiny, "--pos", "2"},
                   1,
                   "",
                   "flexel words: the language Tinyish has no part of speech 2 (it has 2)\n"},
        OutputCase{"WordsOfUnknownLanguage",
                   {"words", kTiny, "--language", "xx"},
                   1,
                   "",
                   "flexel words: no language with the code 'xx' in " + kTiny + "\n"},
        OutputCase{"FileWithoutLanguages",
                   {"languages", kData + "nameless.xml"},
                   1,
                   "",
                   "flexel languages: no languages in " + kData + "nameless.xml\n"},
        OutputCase{"ConjugateInFileWithoutLanguages",
                   {"conjugate", kData + "nameless.xml", "x"},
                   1,
                   "",
                   "flexel conjugate: no languages in " + kData + "nameless.xml\n"},
        OutputCase{"ConjugateText",
                   {"conjugate", kTiny, "hablar"},
                   0,
                   "hablar  (Tinyish, verbs)\n"
                   "Indicative\n"
                   "  Present\n"
                   "    I        hablo\n"
                   "    you all  habláis\n"
                   "  Past\n"
                   "    I        hablé; hablava\n"
                   "    you all  fu\"\n",
                   ""},
        OutputCase{"ConjugateTextAlignsWideLetters",
                   {"conjugate", "--language", "wde", kTiny, "食べる"},
                   0,
                   "食べる  (Wideish, verbs)\n"
                   "Polite\n"
                   "  私          食べます\n"
                   "  あなたたち  食べました\n",
                   ""},
        OutputCase{"ConjugateSecondPartOfSpeechAndBlankBetweenWords",
                   {"conjugate", kTiny, "--pos=1", "casa", "mesa"},
                   0,
                   "casa  (Tinyish, nouns)\nPlural\n  casas\n\n"
                   "mesa  (Tinyish, nouns)\nPlural\n  mesas\n",
                   ""},
        OutputCase{"ConjugateWordWithoutConjugation",
                   {"conjugate", kTiny, "hablar", "xyz"},
                   1,
                   "hablar  (Tinyish, verbs)\n"
                   "Indicative\n"
                   "  Present\n"
                   "    I        hablo\n"
                   "    you all  habláis\n"
                   "  Past\n"
                   "    I        hablé; hablava\n"
                   "    you all  fu\"\n"
                   "\n"
                   "xyz  (Tinyish, verbs): no conjugation\n",
                   ""},
        OutputCase{"ConjugateBadFormat",
                   {"conjugate", kTiny, "hablar", "--format", "xml"},
                   2,
                   "",
                   "flexel conjugate: option '--format' takes text, json or html, not 'xml' "
                   "(usage: flexel conjugate [--language CODE] [--pos N] [--format "
                   "text|json|html] [--htmldir DIR] [--words-from FILE|-] FILE WORD...)\n"},
        OutputCase{"ConjugateWithoutWord",
                   {"conjugate", kTiny},
                   2,
                   "",
                   "flexel conjugate: missing WORD (or --words-from FILE) (usage: flexel "
                   "conjugate [--language CODE] [--pos N] [--format text|json|html] [--htmldir "
                   "DIR] [--words-from FILE|-] FILE WORD...)\n"},
        OutputCase{"NotALanguageExtension",
                   {"languages", kData + "groups.tsv"},
                   2,
                   "",
                   "flexel languages: '" + kData +
                       "groups.tsv' is not a language extension (*.xml or *.vlx) (usage: "
                       "flexel languages [--htmldir DIR] FILE)\n"},
        OutputCase{"MissingFile",
                   {"languages", kData + "missing.xml"},
                   3,
                   "",
                   "flexel languages: " + kData + "missing.xml: No such file or directory\n"},
        OutputCase{"EvalPlainLines",
                   {"eval", kTiny, "Item(1).silcode", "Item(0)", "Item(0).issorted",
                    "Item(0).ActiveWord.Name=\"cantar\"", "Item(0).ActiveWord.typeid"},
                   0,
                   "wde\nobject ILanguage\ntrue\n1\n",
                   ""},
        OutputCase{"EvalFailureGoesOn",
                   {"eval", kTiny, "Item(7).Name", "Count"},
                   1,
                   "2\n",
                   "flexel eval: Item(7).Name: List index out of bounds (7) (0x8000FFFF)\n"},
        OutputCase{"EvalBadStatementRunsNothing",
                   {"eval", kTiny, "Count", "Item(0.Name"},
                   2,
                   "",
                   "flexel eval: statement 'Item(0.Name' does not parse at position 7: "
                   "expected ',' or ')' (usage: flexel eval [--json] [--htmldir DIR] FILE "
                   "STATEMENT...)\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EngineCommandsTest, FileTheEngineRejectsNamesTheFile) {
  const std::string file = std::string(FLEXEL_TEST_DATA) + "/xml/dom_malformed.xml";
  const CliResult result = Run({"languages", file});
  EXPECT_EQ(result.exitCode, 3);
  EXPECT_TRUE(result.err.starts_with("flexel languages: " + file)) << result.err;
}

TEST_F(EngineCommandsTest, ConjugateJsonHasTheEngineAnswers) {
  const CliResult result = Run({"conjugate", kTiny, "--format", "json", "hablar", "xyz"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "");
  std::istringstream lines(result.out);
  std::string line;
  std::vector<nlohmann::json> words;
  while (std::getline(lines, line)) {
    words.push_back(nlohmann::json::parse(line));
  }
  ASSERT_EQ(words.size(), 2u);
  const nlohmann::json& hablar = words[0];
  EXPECT_EQ(hablar["language"], "Tinyish");
  EXPECT_EQ(hablar["silcode"], "tny");
  EXPECT_EQ(hablar["partOfSpeech"], "verbs");
  EXPECT_EQ(hablar["word"], "hablar");
  EXPECT_EQ(hablar["nameW"], "hablar");
  EXPECT_EQ(hablar["typeid"], 1);
  EXPECT_EQ(hablar["verbExists"], true);
  const nlohmann::json& inflections = hablar["inflections"];
  ASSERT_EQ(inflections.size(), 3u);
  EXPECT_EQ(inflections[0],
            nlohmann::json::parse(R"({"name":"Indicative","indent":0,"tenses":[]})"));
  EXPECT_EQ(inflections[1]["name"], "Present");
  EXPECT_EQ(inflections[1]["indent"], 1);
  ASSERT_EQ(inflections[1]["tenses"].size(), 1u);
  EXPECT_EQ(inflections[1]["tenses"][0]["rows"],
            nlohmann::json::parse(R"([["I","hablo"],["you all","habláis"]])"));
  EXPECT_EQ(inflections[1]["tenses"][0]["html"], kPresentTable);
  EXPECT_EQ(inflections[2]["tenses"][0]["rows"],
            nlohmann::json::parse(R"([["I","hablé; hablava"],["you all","fu\""]])"));

  const nlohmann::json& xyz = words[1];
  EXPECT_EQ(xyz["word"], "xyz");
  EXPECT_EQ(xyz["typeid"], 0);
  EXPECT_EQ(xyz["verbExists"], false);
  EXPECT_EQ(xyz["inflections"], nlohmann::json::array());
}

TEST_F(EngineCommandsTest, ConjugateWordsFromStandardInputAndFile) {
  const CliResult fromInput = Run({"conjugate", "--format=json", "--words-from", "-", kTiny},
                                  "hablar\r\n\n  cantar \nhablar");
  EXPECT_EQ(fromInput.exitCode, 0) << fromInput.err;
  std::istringstream lines(fromInput.out);
  std::vector<std::string> words;
  for (std::string line; std::getline(lines, line);) {
    words.push_back(nlohmann::json::parse(line)["word"]);
  }
  EXPECT_EQ(words, (std::vector<std::string>{"hablar", "cantar", "hablar"}));

  const CliResult empty = Run({"conjugate", "--words-from", "-", kTiny}, "\n  \r\n");
  EXPECT_EQ(empty.exitCode, 1);
  EXPECT_EQ(empty.out, "");
  EXPECT_EQ(empty.err, "flexel conjugate: no words to conjugate\n");
  const CliResult directory = Run({"conjugate", "--words-from", kData, kTiny});
  EXPECT_EQ(directory.exitCode, 3);
  EXPECT_EQ(directory.err, "flexel conjugate: " + kData + ": Is a directory\n");

  // Words of the arguments come first; a file in the old code page is read as such.
  const fs::path folder = MakeTempFolder("flexel-cli-words");
  std::ofstream(folder / "words.txt", std::ios::binary) << "cantar\n";
  const CliResult fromFile = Run({"conjugate", kTiny, "--pos", "1",
                                  "ca\xf1"
                                  "a",
                                  "--words-from", (folder / "words.txt").string()});
  fs::remove_all(folder);
  EXPECT_EQ(fromFile.exitCode, 0) << fromFile.err;
  EXPECT_EQ(fromFile.out,
            "caña  (Tinyish, nouns)\nPlural\n  cañas\n\n"
            "cantar  (Tinyish, nouns)\nPlural\n  cantars\n");
}

TEST_F(EngineCommandsTest, ConjugateHtmlIsOneStandalonePage) {
  const CliResult result = Run({"conjugate", kTiny, "--format", "html", "hablar", "xyz"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_TRUE(result.out.starts_with("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">"))
      << result.out;
  EXPECT_TRUE(result.out.ends_with("</body>\n</html>\n"));
  EXPECT_NE(result.out.find("<h1>hablar</h1>"), std::string::npos);
  EXPECT_NE(result.out.find(kPresentTable), std::string::npos);
  EXPECT_NE(result.out.find("<h1>xyz</h1>\n<p>Tinyish, verbs</p>\n<p class=\"nothing\">No "
                            "conjugation.</p>"),
            std::string::npos);
}

TEST_F(EngineCommandsTest, TemporaryHtmlFolderIsRemovedAndAGivenOneKept) {
  const fs::path temp = MakeTempFolder("flexel-cli-tmp");
  const char* old = std::getenv("TMPDIR");
  const std::string saved = old ? old : "";
  setenv("TMPDIR", temp.c_str(), 1);
  const CliResult result = Run({"conjugate", kTiny, "hablar"});
  const CliResult kept = Run({"languages", kTiny, "--htmldir", (temp / "pages").string()});
  if (old) {
    setenv("TMPDIR", saved.c_str(), 1);
  } else {
    unsetenv("TMPDIR");
  }
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(kept.exitCode, 0);
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(temp)) {
    left.push_back(entry.path().filename().string());
  }
  fs::remove_all(temp);
  EXPECT_EQ(left, (std::vector<std::string>{"pages"}));
}

TEST_F(EngineCommandsTest, ReaderThatGoesAwayEndsTheBatchAndCleansUp) {
  const fs::path temp = MakeTempFolder("flexel-cli-pipe");
  {
    std::ofstream words(temp / "words.txt");
    for (int i = 0; i < 20000; ++i) words << "hablar\n";
  }
  const std::string script =
      "TMPDIR='" + temp.string() + "/html' '" + FLEXEL_CLI + "' conjugate --registry '" +
      *s_registry + "' '" + kTiny + "' --words-from - < '" + (temp / "words.txt").string() +
      "' 2>'" + (temp / "err").string() + "' | head -c 10 > /dev/null; echo ${PIPESTATUS[0]} > '" +
      (temp / "status").string() + "'";
  fs::create_directory(temp / "html");
  std::ofstream(temp / "run.sh") << script << '\n';
  ASSERT_EQ(std::system(("bash '" + (temp / "run.sh").string() + "'").c_str()), 0);
  std::ifstream status(temp / "status");
  int code = -1;
  status >> code;
  std::ifstream errFile(temp / "err");
  const std::string err((std::istreambuf_iterator<char>(errFile)), {});
  const bool htmlFolderEmpty = fs::is_empty(temp / "html");
  fs::remove_all(temp);
  EXPECT_EQ(code, 3);
  EXPECT_EQ(err, "flexel conjugate: cannot write the output\n");
  EXPECT_TRUE(htmlFolderEmpty);
}

TEST_F(EngineCommandsTest, EvalJsonGivesTheEngineAnswers) {
  const CliResult result =
      Run({"eval", kTiny, "--json", "Count", "Item(0).Name", "Item(0).ActiveWord.partofspeechid=0",
           "Item(0).ActiveWord.Name=\"hablar\"",
           "Item(0).ActiveWord.TenseNames.Item(1).Tenses.Item(0).HTML", "item(0).BOGUS",
           "Item(0).ActiveWord", "Item(0).ActiveWord.VerbExists", "Count.Name"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "");
  const nlohmann::json values = nlohmann::json::parse(result.out);
  ASSERT_EQ(values.size(), 9u);
  EXPECT_EQ(values[0], 2);
  EXPECT_EQ(values[1], "Tinyish");
  EXPECT_EQ(values[2], nullptr);
  EXPECT_EQ(values[3], nullptr);
  EXPECT_EQ(values[4], kPresentTable);
  EXPECT_EQ(values[5],
            nlohmann::json::parse(R"({"error":"Unknown name: BOGUS","hresult":-2147352570})"));
  EXPECT_EQ(values[6], nlohmann::json::parse(R"({"object":"IActiveWord"})"));
  EXPECT_EQ(values[7], true);
  EXPECT_EQ(values[8]["error"], "Object required: Name");
}

TEST_F(EngineCommandsTest, EnginesReportsEachRegisteredEngine) {
  const CliResult result = Run({"engines"});
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.exitCode, 0);
  const std::string xml = fs::path(FLEXEL_LEXORO5XML_PLUGIN).lexically_normal().string();
  EXPECT_NE(result.out.find("\tLexoro5xml.Languages; OK.\n\t\t" + xml + "\n"), std::string::npos)
      << result.out;
}

TEST(EnginesRegistryTest, NoEnginesAndABrokenOne) {
  const fs::path folder = MakeTempFolder("flexel-cli-broken");
  const CliResult none = RunCli({"engines", "--registry", folder.string()});
  EXPECT_EQ(none.exitCode, 1);
  EXPECT_EQ(none.err, "flexel engines: no engines are registered in " + folder.string() + "/\n");

  // A class whose plug-in is gone, and a ProgID without a class (not listed).
  registry::SetRegistryFolder(folder.string());
  registry::UpdateHive(registry::Hive::kClassesRoot, [](registry::Key& root) {
    const std::string clsid = "{11111111-2222-3333-4444-555555555555}";
    root.Create("Lexoro9gone.Languages/Clsid").SetDefault(clsid);
    root.Create("CLSID/" + clsid + "/InprocServer32").SetDefault("/nonexistent/lexoro9gone.so");
    root.Create("LexoroNoClass.Languages");
  });
  registry::SetRegistryFolder({});
  const CliResult broken = RunCli({"--registry", folder.string(), "engines"});
  fs::remove_all(folder);
  EXPECT_EQ(broken.exitCode, 3);
  EXPECT_EQ(broken.out, "\tLexoro9gone.Languages; Failure.\n\t\t/nonexistent/lexoro9gone.so\n");
  EXPECT_TRUE(
      broken.err.starts_with("flexel engines: Lexoro9gone.Languages: Cannot load "
                             "/nonexistent/lexoro9gone.so: "))
      << broken.err;
}

TEST(UnregisteredEngineTest, SaysHowToRegister) {
  const fs::path folder = MakeTempFolder("flexel-cli-empty");
  const CliResult result = RunCli({"languages", kTiny, "--registry", folder.string()});
  fs::remove_all(folder);
  EXPECT_EQ(result.exitCode, 3);
  EXPECT_EQ(result.out, "");
  const std::string plugin = fs::path(FLEXEL_LEXORO5XML_PLUGIN).lexically_normal().string();
  EXPECT_EQ(result.err, "flexel languages: the engine Lexoro5xml.Languages is not registered in " +
                            folder.string() + "/; register it with: flexel --registry " +
                            folder.string() + " regsvr " + plugin + "\n");
}

#ifdef FLEXEL_LEXORO5VLX_PLUGIN

// The sample project compiled by `flexel compile`, then read through the VLX engine.
class VlxCommandsTest : public EngineCommandsTest {
 protected:
  static void SetUpTestSuite() {
    EngineCommandsTest::SetUpTestSuite();
    s_folder = new fs::path(MakeTempFolder("flexel-cli-vlx"));
    const std::string project = std::string(FLEXEL_SOURCE_DIR) + "/data/projects/english";
    for (const auto& entry : fs::directory_iterator(project)) {
      fs::copy_file(entry.path(), *s_folder / entry.path().filename());
    }
    const CliResult compiled = RunCli({"compile", (*s_folder / "english.txt").string()});
    ASSERT_EQ(compiled.exitCode, 0) << compiled.err;
  }

  static void TearDownTestSuite() {
    fs::remove_all(*s_folder);
    delete s_folder;
    s_folder = nullptr;
    EngineCommandsTest::TearDownTestSuite();
  }

  static std::string Vlx() { return (*s_folder / "english.vlx").string(); }

  // The page the project source holds for a word and tense: the form line without "N:".
  static std::string SourcePage(const std::string& word, int tense) {
    std::ifstream in(*s_folder / "english.txt", std::ios::binary);
    bool inWord = false;
    const std::string prefix = std::to_string(tense) + ":";
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line == word) inWord = true;
      if (line == "#") inWord = false;
      if (inWord && line.starts_with(prefix)) return line.substr(prefix.size());
    }
    return {};
  }

  static fs::path* s_folder;
};

fs::path* VlxCommandsTest::s_folder = nullptr;

TEST_F(VlxCommandsTest, LanguagesAndSortedWords) {
  const CliResult languages = Run({"languages", Vlx()});
  EXPECT_EQ(languages.out, "0\teng\tEnglish (sample)\n");
  EXPECT_EQ(languages.exitCode, 0) << languages.err;
  const CliResult words = Run({"words", Vlx()});
  EXPECT_EQ(words.out, "be\ngo\nHave\nsee\nwalk\n");
  EXPECT_EQ(words.exitCode, 0) << words.err;
}

TEST_F(VlxCommandsTest, ConjugateTextReadsTheStoredPages) {
  const CliResult result = Run({"conjugate", Vlx(), "be"});
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_TRUE(
      result.out.starts_with("be  (English (sample), Verbs)\n"
                             "Present\n"
                             "  I          am\n"
                             "  you        are\n"
                             "  he/she/it  is\n"))
      << result.out;
  EXPECT_NE(result.out.find("Past\n  Irregular verb.\n  I          was\n"), std::string::npos)
      << result.out;
}

TEST_F(VlxCommandsTest, ConjugateJsonGivesEachStoredPage) {
  const CliResult result = Run({"conjugate", Vlx(), "--format", "json", "be", "fly"});
  EXPECT_EQ(result.exitCode, 1);
  std::istringstream lines(result.out);
  std::string line;
  ASSERT_TRUE(std::getline(lines, line));
  const nlohmann::json be = nlohmann::json::parse(line);
  EXPECT_EQ(be["partOfSpeech"], "Verbs");
  EXPECT_EQ(be["typeid"], 1);
  EXPECT_EQ(be["verbExists"], true);
  ASSERT_EQ(be["inflections"].size(), 4u);
  for (int tense = 1; tense <= 4; ++tense) {
    const nlohmann::json& inflection = be["inflections"][tense - 1];
    EXPECT_EQ(inflection["indent"], 0);
    ASSERT_EQ(inflection["tenses"].size(), 1u);
    EXPECT_EQ(inflection["tenses"][0]["rows"], nlohmann::json::array());
    // The page as stored; the container keeps it as a text of lines, ended by a line break.
    std::string html = inflection["tenses"][0]["html"];
    while (html.ends_with('\n') || html.ends_with('\r')) html.pop_back();
    EXPECT_EQ(html, SourcePage("be", tense)) << tense;
  }
  ASSERT_TRUE(std::getline(lines, line));
  const nlohmann::json fly = nlohmann::json::parse(line);
  EXPECT_EQ(fly["word"], "fly");
  EXPECT_EQ(fly["verbExists"], false);
}

TEST_F(VlxCommandsTest, EvalOfVlxMembersAndPicturesInTheHtmlFolder) {
  const fs::path pages = MakeTempFolder("flexel-cli-pages");
  const CliResult result = Run({"eval", Vlx(), "Item(0).Name", "Item(0).date"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.out, "English (sample)\n");
  EXPECT_EQ(result.err, "flexel eval: Item(0).date: Unknown name: date (0x80020006)\n");
  const CliResult html = Run({"eval", Vlx(), "--htmldir", pages.string(), "Item(0).HTML"});
  EXPECT_EQ(html.exitCode, 0) << html.err;
  EXPECT_TRUE(fs::is_regular_file(pages / "lexoro5vlx0.png"));
  fs::remove_all(pages);
}

#endif  // FLEXEL_LEXORO5VLX_PLUGIN

#endif  // FLEXEL_LEXORO5XML_PLUGIN

// Compiling needs no engine.
class CompileCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_folder = fs::temp_directory_path() / ("flexel-cli-compile-" + std::to_string(::getpid()));
    fs::remove_all(m_folder);
    fs::create_directories(m_folder);
    for (const auto& entry :
         fs::directory_iterator(std::string(FLEXEL_SOURCE_DIR) + "/data/projects/english")) {
      fs::copy_file(entry.path(), m_folder / entry.path().filename());
    }
  }
  void TearDown() override { fs::remove_all(m_folder); }

  fs::path m_folder;
};

TEST_F(CompileCommandTest, CompilesAndPrintsTheLog) {
  const std::string source = (m_folder / "english.txt").string();
  const CliResult result = RunCli({"compile", source});
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_TRUE(result.out.starts_with("\nCompiling: " + source + "\nChecking pictures\n"))
      << result.out;
  EXPECT_NE(result.out.find("\nREADY\nFile verified:\nOK.\n"), std::string::npos);
  EXPECT_TRUE(fs::is_regular_file(m_folder / "english.vlx"));
}

TEST_F(CompileCommandTest, NoAutocorrectLeavesOutCorrected) {
  const CliResult result =
      RunCli({"compile", "--no-autocorrect", (m_folder / "english.txt").string()});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_NE(result.out.find("\tERROR: banner.png\n\tShould be: "), std::string::npos);
  EXPECT_EQ(result.out.find("\tCorrected\n"), std::string::npos);
}

TEST_F(CompileCommandTest, ErrorStopsTheBatch) {
  std::ofstream(m_folder / "broken.txt")
      << "#NAME:x\n#SIL:x\n#TENSES\n1:A\n#WORDS\nw\n1:<p>x</p>\n";
  const std::string broken = (m_folder / "broken.txt").string();
  const std::string english = (m_folder / "english.txt").string();
  const CliResult result = RunCli({"compile", broken, english});
  EXPECT_EQ(result.exitCode, 3);
  EXPECT_EQ(result.err, "flexel compile: List index out of bounds (0)\n");
  EXPECT_EQ(result.out.find("Compiling: " + english), std::string::npos);
  EXPECT_FALSE(fs::exists(m_folder / "english.vlx"));

  const CliResult missing = RunCli({"compile", (m_folder / "none.txt").string()});
  EXPECT_EQ(missing.exitCode, 3);
  EXPECT_EQ(missing.err, "flexel compile: Cannot open \"" + (m_folder / "none.txt").string() +
                             "\": No such file or directory\n");
}

TEST_F(CompileCommandTest, FileThatFailsItsVerificationIsAFailure) {
  // Without header tags the written file has an empty header, which the check reads as failed.
  std::ofstream(m_folder / "nohead.txt") << "#TENSES\n1:A\n#WORDS\n";
  const std::string source = (m_folder / "nohead.txt").string();
  const CliResult result = RunCli({"compile", source});
  EXPECT_EQ(result.exitCode, 3);
  EXPECT_TRUE(result.out.ends_with("READY\nFile verified:\nFailed!\n\n")) << result.out;
  EXPECT_EQ(result.err,
            "flexel compile: " + source + ": the written file failed its verification\n");
}

TEST(CompileUsageTest, NeedsAProject) {
  const CliResult result = RunCli({"compile"});
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_EQ(result.err,
            "flexel compile: missing PROJECT.txt (usage: flexel compile [--no-autocorrect] "
            "PROJECT.txt...)\n");
}

}  // namespace
}  // namespace flexel::test
