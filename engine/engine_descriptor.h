#pragma once
// What distinguishes one engine plug-in from the other: its type library, its fixed values and
// how it makes its conjugator. The frame (server.h) and the object classes do the rest, so an
// engine plug-in is its descriptor plus FLEXEL_ENGINE_EXPORTS.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "common/base_conjugator.h"
#include "engine/type_library.h"

namespace flexel::engine {

using ConjugatorFactory = std::unique_ptr<TBaseConjugator> (*)(const std::string& dataDirectory);

struct EngineDescriptor {
  const TypeLibrary& typeLibrary;
  std::int32_t listColor;   // Languages.ListColor, a COLORREF
  std::string_view filter;  // Languages.filter, "description|pattern"
  // An Inflection keeps a copy of its tense-list line (XML) instead of reading its line anew
  // on every call (VLX).
  bool inflectionKeepsLine;
  ConjugatorFactory createConjugator;
};

// The two engines, completed by the plug-in's conjugator factory.
[[nodiscard]] EngineDescriptor XmlEngine(ConjugatorFactory createConjugator) noexcept;
[[nodiscard]] EngineDescriptor VlxEngine(ConjugatorFactory createConjugator) noexcept;

// The engine of one Languages object, shared by every object obtained from it.
class TEngine {
 public:
  TEngine(const EngineDescriptor& descriptor, std::unique_ptr<TBaseConjugator> conjugator)
      : m_descriptor(descriptor), m_conjugator(std::move(conjugator)) {}
  TEngine(const TEngine&) = delete;
  TEngine& operator=(const TEngine&) = delete;

  [[nodiscard]] const EngineDescriptor& Descriptor() const noexcept { return m_descriptor; }
  [[nodiscard]] const TypeLibrary& Library() const noexcept { return m_descriptor.typeLibrary; }
  [[nodiscard]] TBaseConjugator& Conjugator() const noexcept { return *m_conjugator; }

 private:
  const EngineDescriptor& m_descriptor;
  std::unique_ptr<TBaseConjugator> m_conjugator;
};

using EngineRef = std::shared_ptr<TEngine>;

}  // namespace flexel::engine
