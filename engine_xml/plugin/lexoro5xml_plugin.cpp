// The XML engine as a plug-in: the Lexoro5xml type library served over the XML facade. The
// frame, the class factory and registration come from engine/.

#include <memory>
#include <string>

#include "engine/server.h"
#include "engine_xml/flexel_conjugator.h"

namespace flexel::xml_plugin {

std::unique_ptr<TBaseConjugator> CreateConjugator(const std::string& dataDirectory) {
  return std::make_unique<TConjugator>(dataDirectory);
}

const engine::EngineDescriptor kDescriptor = engine::XmlEngine(&CreateConjugator);

}  // namespace flexel::xml_plugin

FLEXEL_ENGINE_EXPORTS(flexel::xml_plugin::kDescriptor)
