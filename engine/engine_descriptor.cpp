#include "engine/engine_descriptor.h"

namespace flexel::engine {

// ListColor is a COLORREF (red in the lowest byte): green for XML, purple for VLX.
EngineDescriptor XmlEngine(ConjugatorFactory createConjugator) noexcept {
  return EngineDescriptor{XmlTypeLibrary(), 6723840, "Flexel XML language extension|*.xml", true,
                          createConjugator};
}

EngineDescriptor VlxEngine(ConjugatorFactory createConjugator) noexcept {
  return EngineDescriptor{VlxTypeLibrary(), 13369497, "Flexel visual language extension|*.vlx",
                          false, createConjugator};
}

}  // namespace flexel::engine
