// The VLX engine as a plug-in: the Lexoro5vlx type library served over the VLX facade. The
// frame, the class factory and registration come from engine/.

#include <memory>
#include <string>

#include "engine/server.h"
#include "engine_vlx/conjugator.h"

namespace flexel::vlx_plugin {

std::unique_ptr<TBaseConjugator> CreateConjugator(const std::string& dataDirectory) {
  return std::make_unique<vlx::TConjugator>(dataDirectory);
}

const engine::EngineDescriptor kDescriptor = engine::VlxEngine(&CreateConjugator);

}  // namespace flexel::vlx_plugin

FLEXEL_ENGINE_EXPORTS(flexel::vlx_plugin::kDescriptor)
