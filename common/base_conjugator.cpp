#include "common/base_conjugator.h"

#include "platform/core/error.h"

namespace flexel {

std::string TBaseConjugator::HtmlDirectory() const {
  if (!m_htmlDirectory.empty()) return m_htmlDirectory;
  // Data directory "…/lib/Lexoro5xml/" -> "…/lib/html/".
  std::string dir = m_dataDirectory;
  if (!dir.empty()) dir.pop_back();
  const auto slash = dir.find_last_of('/');
  dir = slash == std::string::npos ? std::string() : dir.substr(0, slash + 1);
  return dir + "html/";
}

double TBaseConjugator::LanguageDate() {
  throw Error("This engine keeps no language dates");
}

}  // namespace flexel
