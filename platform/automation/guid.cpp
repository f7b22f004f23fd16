#include "platform/automation/guid.h"

#include <cstdio>

namespace flexel::automation {

std::string GUID::ToString() const {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                static_cast<unsigned>(data1), static_cast<unsigned>(data2),
                static_cast<unsigned>(data3), data4[0], data4[1], data4[2], data4[3], data4[4],
                data4[5], data4[6], data4[7]);
  return buffer;
}

}  // namespace flexel::automation
