#include "cli/engine_client.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string_view>

#include "cli/cli.h"
#include "platform/automation/hresult.h"
#include "platform/core/error.h"
#include "platform/nls/nls.h"
#include "platform/registry/registry.h"

namespace flexel::cli {

namespace {

namespace fs = std::filesystem;

std::string WithSlash(std::string folder) {
  if (folder.empty() || folder.back() != '/') {
    folder.push_back('/');
  }
  return folder;
}

// The plug-in file that registers a ProgID: "lexoro5xml.so" for "Lexoro5xml.Languages".
std::string PluginFileName(const std::string& progid) {
  return nls::ToLower(progid.substr(0, progid.find('.'))) + ".so";
}

// Where the plug-in lies beside this program (<bin>/../lib/), else the build's usual place.
std::string PluginPathHint(const std::string& progid) {
  const std::string file = PluginFileName(progid);
  std::error_code ec;
  const fs::path self = fs::read_symlink("/proc/self/exe", ec);
  if (!ec) {
    const fs::path candidate = (self.parent_path().parent_path() / "lib" / file).lexically_normal();
    if (fs::exists(candidate, ec)) {
      return candidate.string();
    }
  }
  return "build/lib/" + file;
}

std::string RegisterHint(const std::string& progid) {
  std::string command = "flexel ";
  if (!RegistryFolderOption().empty()) {
    command += "--registry " + RegistryFolderOption() + " ";
  }
  return command + "regsvr " + PluginPathHint(progid);
}

// The file must be there and readable before an engine is asked: engines answer a missing file
// with zero languages, which would hide the real cause.
void CheckReadableFile(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    throw FileError(path + ": " + std::strerror(errno));
  }
  if (S_ISDIR(info.st_mode)) {
    throw FileError(path + ": " + std::strerror(EISDIR));
  }
  if (::access(path.c_str(), R_OK) != 0) {
    throw FileError(path + ": " + std::strerror(errno));
  }
}

}  // namespace

std::string EngineProgId(const std::string& path) {
  const std::string extension = nls::ToLower(fs::path(path).extension().string());
  if (extension == ".xml") {
    return "Lexoro5xml.Languages";
  }
  if (extension == ".vlx") {
    return "Lexoro5vlx.Languages";
  }
  throw UsageError("'" + path + "' is not a language extension (*.xml or *.vlx)");
}

automation::Dispatch CreateEngine(const std::string& progid) {
  try {
    return automation::Dispatch(automation::CreateObject(progid));
  } catch (const automation::AutomationError& error) {
    if (error.hresult() == automation::REGDB_E_CLASSNOTREG) {
      throw automation::AutomationError("the engine " + progid + " is not registered in " +
                                            registry::RegistryFolder() +
                                            "; register it with: " + RegisterHint(progid),
                                        error.hresult());
    }
    if (error.hresult() == automation::CO_E_ERRORINDLL) {
      throw automation::AutomationError(
          std::string(error.what()) + "; register the engine again with: " + RegisterHint(progid),
          error.hresult());
    }
    throw;
  }
}

HtmlFolder::HtmlFolder(const std::optional<std::string>& given) {
  if (given) {
    if (given->empty()) {
      throw UsageError("option '--htmldir' needs a folder");
    }
    std::error_code ec;
    fs::create_directories(*given, ec);
    if (ec) {
      throw FileError(*given + ": " + ec.message());
    }
    m_path = WithSlash(*given);
    return;
  }
  std::error_code ec;
  fs::path base = fs::temp_directory_path(ec);
  if (ec) {
    base = "/tmp";
  }
  std::string pattern = (base / "flexel-html-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    throw FileError(pattern + ": " + std::strerror(errno));
  }
  m_path = WithSlash(pattern);
  m_temporary = true;
}

HtmlFolder::~HtmlFolder() {
  if (m_temporary) {
    std::error_code ec;
    fs::remove_all(m_path, ec);  // a folder left behind in the temporary area is harmless
  }
}

LanguageFile::LanguageFile(const std::string& path, const std::optional<std::string>& htmlDir)
    : m_path(path), m_progid(EngineProgId(path)), m_html(htmlDir) {
  CheckReadableFile(path);
  m_languages = CreateEngine(m_progid);
  m_languages.Put("htmldir", m_html.Path());
  m_languages.Put("stringdata", path);
}

automation::Dispatch LanguageFile::SelectLanguage(const std::optional<std::string>& code) const {
  const int count = m_languages.Get("Count").ToInt();
  if (count < 1) {
    throw NoResultError("no languages in " + m_path);
  }
  int index = 0;
  if (code) {
    index = m_languages.Get("GetIndex", {*code}).ToInt();
    if (index < 0) {
      throw NoResultError("no language with the code '" + *code + "' in " + m_path);
    }
  }
  return m_languages.Get("Item", {index});
}

std::string CheckPartOfSpeech(const automation::Dispatch& language, int partOfSpeech) {
  const automation::Dispatch parts = language.Get("PartsOfSpeech");
  const int count = parts.Get("Count").ToInt();
  if (partOfSpeech >= count) {
    throw NoResultError("the language " + language.Get("Name").ToString() +
                        " has no part of speech " + std::to_string(partOfSpeech) + " (it has " +
                        std::to_string(count) + ")");
  }
  return parts.Get("Item", {partOfSpeech}).Get("Name").ToString();
}

int PartOfSpeechOption(const std::optional<std::string>& value) {
  if (!value) {
    return 0;
  }
  const std::size_t n = ParseCount("--pos", *value);
  if (n > 1000000) {
    throw UsageError("option '--pos' is out of range: " + *value);
  }
  return static_cast<int>(n);
}

}  // namespace flexel::cli
