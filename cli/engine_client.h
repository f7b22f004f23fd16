#pragma once
// How the commands reach an engine, as the desktop program does: the ProgID comes from the
// file's extension, the Languages object is created through the registry folder, and the HTML
// folder is put before the language extension file. Nothing here links an engine.

#include <optional>
#include <string>

#include "platform/automation/client.h"

namespace flexel::cli {

// "Lexoro5xml.Languages" for ".xml", "Lexoro5vlx.Languages" for ".vlx", in any letter case.
// Throws UsageError for any other file name.
[[nodiscard]] std::string EngineProgId(const std::string& path);

// Creates the engine's Languages object. When the engine is not registered, or its plug-in
// cannot be loaded, the error says how to register it.
[[nodiscard]] automation::Dispatch CreateEngine(const std::string& progid);

// The folder where an engine writes pictures: a fresh temporary folder that is removed with this
// object, or the folder the user named (created when missing, and kept). Ends in "/".
class HtmlFolder {
 public:
  explicit HtmlFolder(const std::optional<std::string>& given);
  ~HtmlFolder();
  HtmlFolder(const HtmlFolder&) = delete;
  HtmlFolder& operator=(const HtmlFolder&) = delete;

  [[nodiscard]] const std::string& Path() const noexcept { return m_path; }

 private:
  std::string m_path;
  bool m_temporary = false;
};

// A language extension opened by its engine: `htmldir`, then `stringdata` are put. The engine
// is released before the HTML folder goes.
class LanguageFile {
 public:
  LanguageFile(const std::string& path, const std::optional<std::string>& htmlDir);

  [[nodiscard]] const std::string& Path() const noexcept { return m_path; }
  [[nodiscard]] const std::string& ProgId() const noexcept { return m_progid; }
  [[nodiscard]] const automation::Dispatch& Languages() const noexcept { return m_languages; }

  // The language chosen by its code (`GetIndex`), else the first one. Throws NoResultError
  // when the file has no languages or none with that code.
  [[nodiscard]] automation::Dispatch SelectLanguage(const std::optional<std::string>& code) const;

 private:
  std::string m_path;
  std::string m_progid;
  HtmlFolder m_html;
  automation::Dispatch m_languages;
};

// The part of speech N of a language; throws NoResultError when the language has no such one.
// Returns its name.
std::string CheckPartOfSpeech(const automation::Dispatch& language, int partOfSpeech);

// Reads --pos (default 0). Throws UsageError.
[[nodiscard]] int PartOfSpeechOption(const std::optional<std::string>& value);

}  // namespace flexel::cli
