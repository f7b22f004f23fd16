// flexel conjugate: every tense of words through one engine object, as text, JSON or HTML.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/engine_client.h"
#include "cli/html_text.h"
#include "cli/json_writer.h"
#include "cli/text_table.h"
#include "cli/word_reader.h"
#include "platform/core/error.h"
#include "platform/nls/nls.h"

namespace flexel::cli {

namespace {

using automation::Dispatch;

constexpr OptionSpec kConjugateOptions[] = {
    {"--words-from", "FILE", "more words, one per line, from FILE (\"-\" for standard input)"},
    {"--language", "CODE", "the language with this code (default: the first of the file)"},
    {"--pos", "N", "the part of speech N, counted from 0 (default 0)"},
    {"--format", "FORMAT", "text (default), json (one object per word and line) or html"},
    {"--htmldir", "DIR", "keep the pictures the engine writes in DIR (default: a temporary one)"},
};

constexpr std::string_view kConjugateHelp =
    R"(Conjugates each WORD in the language's part of speech and prints every tense.
All words go through one engine object, so a long list costs one start.

formats:
  text  headings and tenses indented by their level, each tense a table
        aligned for the terminal
  json  one object per word and line:
        {"language","silcode","partOfSpeech","word","nameW","typeid",
         "verbExists","inflections":[{"name","indent","tenses":[{"rows":
         [[cell,...],...],"html"}]}]}
        a VLX file gives each tense's stored page in "html" and no "rows";
        a word the engine fails on gives {"word","error"}
  html  one standalone UTF-8 page holding the tables of every word

Exits 0 when every word was conjugated, 1 when a word got no conjugation (or
the language or part of speech does not exist), 3 when the engine failed on a
word (the other words are still printed).

examples:
  flexel conjugate data/languages/spanish.xml hablar comer
  flexel conjugate data/languages/spanish.xml --format json --words-from verbs.txt
  flexel conjugate words.vlx --format html --htmldir page/ walk > page/walk.html
)";

enum class Format { kText, kJson, kHtml };

Format ParseFormat(const std::optional<std::string>& value) {
  if (!value || *value == "text") {
    return Format::kText;
  }
  if (*value == "json") {
    return Format::kJson;
  }
  if (*value == "html") {
    return Format::kHtml;
  }
  throw UsageError("option '--format' takes text, json or html, not '" + *value + "'");
}

struct TenseForms {
  TextRows rows;
  std::string html;
};

struct InflectionForms {
  std::string name;
  int indent = 0;
  std::vector<TenseForms> tenses;
};

struct WordForms {
  std::string word;
  std::string nameW;
  int typeId = 0;
  bool verbExists = false;
  std::vector<InflectionForms> inflections;

  // Some tense has a form or a page: an unknown word of a VLX file keeps the tense list but
  // has empty pages.
  [[nodiscard]] bool HasResult() const {
    for (const InflectionForms& inflection : inflections) {
      for (const TenseForms& tense : inflection.tenses) {
        if (!tense.rows.empty() || !tense.html.empty()) {
          return true;
        }
      }
    }
    return false;
  }
};

struct Needs {
  bool rows;
  bool html;
  bool htmlWithoutRows;  // the page only when the tense gives no cells (text of a VLX tense)
};

TenseForms ReadTense(const Dispatch& tense, const Needs& needs) {
  TenseForms forms;
  if (needs.rows || needs.htmlWithoutRows) {
    const int columns = tense.Get("ColCount").ToInt();
    if (columns > 0) {
      const int count = tense.Get("Count").ToInt();
      forms.rows.reserve(static_cast<std::size_t>(std::max(count, 0)));
      for (int r = 1; r <= count; ++r) {
        std::vector<std::string>& row = forms.rows.emplace_back();
        row.reserve(static_cast<std::size_t>(columns));
        for (int c = 0; c < columns; ++c) {
          row.push_back(tense.Get("Col", {r, c}).ToString());
        }
      }
    }
  }
  if (needs.html || (needs.htmlWithoutRows && forms.rows.empty())) {
    forms.html = tense.Get("HTML").ToString();
  }
  return forms;
}

WordForms ReadWord(const Dispatch& activeWord, int partOfSpeech, const std::string& word,
                   const Needs& needs) {
  activeWord.Put("partofspeechid", partOfSpeech);
  activeWord.Put("Name", word);
  WordForms forms;
  forms.word = activeWord.Get("Name").ToString();
  forms.nameW = activeWord.Get("NameW").ToString();
  forms.typeId = activeWord.Get("typeid").ToInt();
  forms.verbExists = activeWord.Get("VerbExists").ToBool();
  const Dispatch inflections = activeWord.Get("TenseNames");
  const int count = inflections.Get("Count").ToInt();
  forms.inflections.reserve(static_cast<std::size_t>(std::max(count, 0)));
  for (int i = 0; i < count; ++i) {
    const Dispatch inflection = inflections.Get("Item", {i});
    InflectionForms& entry = forms.inflections.emplace_back();
    entry.name = inflection.Get("Name").ToString();
    entry.indent = inflection.Get("indent").ToInt();
    const Dispatch tenses = inflection.Get("Tenses");
    const int tenseCount = tenses.Get("Count").ToInt();
    for (int k = 0; k < tenseCount; ++k) {
      entry.tenses.push_back(ReadTense(tenses.Get("Item", {k}), needs));
    }
  }
  return forms;
}

struct Heading {
  std::string language;
  std::string silcode;
  std::string partOfSpeech;
};

// Writes the words of one run in one format; each word's text is flushed at once.
class Writer {
 public:
  Writer(std::ostream& out, Heading heading, bool flushEach)
      : m_out(out), m_heading(std::move(heading)), m_flushEach(flushEach) {}
  virtual ~Writer() = default;
  virtual void Begin() {}
  virtual void Word(const WordForms& forms) = 0;
  virtual void Failure(const std::string& word, const std::string& message) = 0;
  virtual void End() {}

 protected:
  // A batch stops at the first output that cannot be written rather than conjugating on.
  void Flush(const std::string& text) {
    m_out.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (m_flushEach) m_out.flush();
    if (!m_out) {
      throw FileError("cannot write the output");
    }
  }

  std::ostream& m_out;
  Heading m_heading;
  bool m_flushEach;
};

// A level the terminal can still show; a hostile file's indent does not push text off screen.
int ShownIndent(int indent) { return std::clamp(indent, 0, 16); }

class TextWriter final : public Writer {
 public:
  using Writer::Writer;

  void Word(const WordForms& forms) override {
    std::string text;
    Separate(text);
    text += forms.nameW.empty() ? forms.word : forms.nameW;
    text += "  (" + m_heading.language + ", " + m_heading.partOfSpeech + ")";
    if (!forms.HasResult()) {
      text += ": no conjugation\n";
      Flush(text);
      return;
    }
    text += '\n';
    for (const InflectionForms& inflection : forms.inflections) {
      const std::string indent(static_cast<std::size_t>(ShownIndent(inflection.indent)) * 2, ' ');
      text += indent + inflection.name + '\n';
      for (const TenseForms& tense : inflection.tenses) {
        AppendTense(text, tense, indent + "  ");
      }
    }
    Flush(text);
  }

  void Failure(const std::string&, const std::string&) override {}

 private:
  void Separate(std::string& text) {
    if (m_any) {
      text += '\n';
    }
    m_any = true;
  }

  static void AppendTense(std::string& text, const TenseForms& tense, const std::string& indent) {
    if (!tense.rows.empty()) {
      AppendTable(text, tense.rows, indent);
      return;
    }
    for (const HtmlBlock& block : HtmlTextBlocks(tense.html)) {
      if (block.isTable) {
        AppendTable(text, block.rows, indent);
      } else {
        text += indent + block.text + '\n';
      }
    }
  }

  bool m_any = false;
};

class JsonWriter final : public Writer {
 public:
  using Writer::Writer;

  void Word(const WordForms& forms) override {
    std::string text = "{\"language\":";
    AppendJsonString(text, m_heading.language);
    text += ",\"silcode\":";
    AppendJsonString(text, m_heading.silcode);
    text += ",\"partOfSpeech\":";
    AppendJsonString(text, m_heading.partOfSpeech);
    text += ",\"word\":";
    AppendJsonString(text, forms.word);
    text += ",\"nameW\":";
    AppendJsonString(text, forms.nameW);
    text += ",\"typeid\":";
    AppendJsonInt(text, forms.typeId);
    text += ",\"verbExists\":";
    AppendJsonBool(text, forms.verbExists);
    text += ",\"inflections\":[";
    for (std::size_t i = 0; i < forms.inflections.size(); ++i) {
      const InflectionForms& inflection = forms.inflections[i];
      text += i == 0 ? "{\"name\":" : ",{\"name\":";
      AppendJsonString(text, inflection.name);
      text += ",\"indent\":";
      AppendJsonInt(text, inflection.indent);
      text += ",\"tenses\":[";
      for (std::size_t t = 0; t < inflection.tenses.size(); ++t) {
        const TenseForms& tense = inflection.tenses[t];
        text += t == 0 ? "{\"rows\":[" : ",{\"rows\":[";
        for (std::size_t r = 0; r < tense.rows.size(); ++r) {
          text += r == 0 ? "[" : ",[";
          for (std::size_t c = 0; c < tense.rows[r].size(); ++c) {
            if (c > 0) {
              text += ',';
            }
            AppendJsonString(text, tense.rows[r][c]);
          }
          text += ']';
        }
        text += "],\"html\":";
        AppendJsonString(text, tense.html);
        text += '}';
      }
      text += "]}";
    }
    text += "]}\n";
    Flush(text);
  }

  void Failure(const std::string& word, const std::string& message) override {
    std::string text = "{\"word\":";
    AppendJsonString(text, word);
    text += ",\"error\":";
    AppendJsonString(text, message);
    text += "}\n";
    Flush(text);
  }
};

void AppendHtmlText(std::string& out, std::string_view text) {
  const std::string valid = nls::IsValidUtf8(text) ? std::string(text) : nls::DecodeLegacy(text);
  for (const char c : valid) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
}

class HtmlWriter final : public Writer {
 public:
  using Writer::Writer;

  void Begin() override {
    std::string text = "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>";
    AppendHtmlText(text, m_heading.language);
    text +=
        "</title>\n<style>\n"
        "body { font-family: sans-serif; margin: 1em 2em; }\n"
        "table { border-collapse: collapse; margin: 0.2em 0 1em 0; }\n"
        "td { padding: 0 1.5em 0 0; vertical-align: top; }\n"
        "td p { margin: 0; }\n"
        "h3 { margin: 0.6em 0 0.2em 0; font-size: 1em; }\n"
        ".normal { }\n"
        ".orto { color: #0000c0; }\n"
        ".irregular { color: #c00000; font-weight: bold; }\n"
        ".archaic { color: #800080; }\n"
        ".notused { color: #808080; }\n"
        ".pronoun { color: #008000; }\n"
        ".nothing { font-style: italic; }\n"
        "</style>\n</head>\n<body>\n";
    Flush(text);
  }

  void Word(const WordForms& forms) override {
    std::string text = "<section class=\"word\">\n<h1>";
    AppendHtmlText(text, forms.nameW.empty() ? forms.word : forms.nameW);
    text += "</h1>\n<p>";
    AppendHtmlText(text, m_heading.language + ", " + m_heading.partOfSpeech);
    text += "</p>\n";
    if (!forms.HasResult()) {
      text += "<p class=\"nothing\">No conjugation.</p>\n</section>\n";
      Flush(text);
      return;
    }
    for (const InflectionForms& inflection : forms.inflections) {
      const std::string margin = std::to_string(ShownIndent(inflection.indent) * 2);
      text += inflection.tenses.empty() ? "<h2 style=\"margin-left: " : "<h3 style=\"margin-left: ";
      text += margin + "em\">";
      AppendHtmlText(text, inflection.name);
      text += inflection.tenses.empty() ? "</h2>\n" : "</h3>\n";
      for (const TenseForms& tense : inflection.tenses) {
        text += "<div style=\"margin-left: " + margin + "em\">\n";
        text += HtmlBodyContent(tense.html);
        text += "\n</div>\n";
      }
    }
    text += "</section>\n";
    Flush(text);
  }

  void Failure(const std::string& word, const std::string& message) override {
    std::string text = "<section class=\"word\">\n<h1>";
    AppendHtmlText(text, word);
    text += "</h1>\n<p class=\"nothing\">";
    AppendHtmlText(text, message);
    text += "</p>\n</section>\n";
    Flush(text);
  }

  void End() override { Flush("</body>\n</html>\n"); }
};

std::unique_ptr<Writer> MakeWriter(Format format, std::ostream& out, Heading heading,
                                   bool flushEach) {
  switch (format) {
    case Format::kJson:
      return std::make_unique<JsonWriter>(out, std::move(heading), flushEach);
    case Format::kHtml:
      return std::make_unique<HtmlWriter>(out, std::move(heading), flushEach);
    case Format::kText:
      break;
  }
  return std::make_unique<TextWriter>(out, std::move(heading), flushEach);
}

Needs NeedsOf(Format format) {
  switch (format) {
    case Format::kJson:
      return {true, true, false};
    case Format::kHtml:
      return {false, true, false};
    case Format::kText:
      break;
  }
  return {false, false, true};
}

int RunConjugate(const Arguments& args, Context& context) {
  const auto& positionals = args.Positionals();
  if (positionals.empty()) {
    throw UsageError("missing FILE and WORD");
  }
  const auto wordsFrom = args.Value("--words-from");
  if (positionals.size() < 2 && !wordsFrom) {
    throw UsageError("missing WORD (or --words-from FILE)");
  }
  const Format format = ParseFormat(args.Value("--format"));
  const int partOfSpeech = PartOfSpeechOption(args.Value("--pos"));

  std::ifstream wordFile;
  std::istream* wordInput = nullptr;
  if (wordsFrom && *wordsFrom == "-") {
    wordInput = &std::cin;
  } else if (wordsFrom) {
    std::error_code ec;
    if (std::filesystem::is_directory(*wordsFrom, ec)) {
      throw FileError(*wordsFrom + ": Is a directory");
    }
    wordFile.open(*wordsFrom, std::ios::binary);
    if (!wordFile) {
      throw FileError(*wordsFrom + ": cannot be opened");
    }
    wordInput = &wordFile;
  }

  const LanguageFile file(positionals[0], args.Value("--htmldir"));
  const Dispatch language = file.SelectLanguage(args.Value("--language"));
  Heading heading{language.Get("Name").ToString(), language.Get("silcode").ToString(),
                  CheckPartOfSpeech(language, partOfSpeech)};
  const Dispatch activeWord = language.Get("ActiveWord");
  const Needs needs = NeedsOf(format);
  const std::unique_ptr<Writer> writer = MakeWriter(format, context.out, std::move(heading), context.flushEachResult);

  bool failed = false;
  bool missing = false;
  std::size_t count = 0;
  // A word the engine fails on is reported and the batch goes on; output that cannot be
  // written ends it.
  auto conjugate = [&](const std::string& word) {
    ++count;
    WordForms forms;
    try {
      forms = ReadWord(activeWord, partOfSpeech, word, needs);
    } catch (const Error& error) {
      failed = true;
      context.err << "flexel conjugate: " << word << ": " << error.what() << '\n';
      writer->Failure(word, error.what());
      return;
    }
    missing = missing || !forms.HasResult();
    writer->Word(forms);
  };

  writer->Begin();
  for (std::size_t i = 1; i < positionals.size(); ++i) {
    conjugate(nls::DecodeLegacy(positionals[i]));
  }
  if (wordInput != nullptr) {
    WordReader reader(*wordInput, *wordsFrom == "-" ? "standard input" : *wordsFrom);
    std::string word;
    while (reader.Next(word)) {
      conjugate(word);
    }
  }
  writer->End();
  if (count == 0) {
    throw NoResultError("no words to conjugate");
  }
  if (failed) {
    return kExitFailure;
  }
  return missing ? kExitNoResult : kExitOk;
}

}  // namespace

const Command& ConjugateCommand() {
  static const Command command{
      "conjugate",
      "[--language CODE] [--pos N] [--format text|json|html] [--htmldir DIR] "
      "[--words-from FILE|-] FILE WORD...",
      "Conjugate words and print every tense",
      kConjugateHelp,
      kConjugateOptions,
      &RunConjugate};
  return command;
}

}  // namespace flexel::cli
