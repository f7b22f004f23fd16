#pragma once
// Paths of the language files under tests/data/xml/.

#include <string>

namespace flexel::testing {

inline std::string XmlFixture(const std::string& name) {
  return std::string(FLEXEL_TEST_DATA) + "/xml/" + name;
}

}  // namespace flexel::testing
