#pragma once
// The calling thread's error information: a failing member leaves it, the caller takes it.
// It lives in the shared platform library, so a plug-in sets it and its client reads it.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/automation/guid.h"

namespace flexel::automation {

struct ErrorInfo {
  GUID guid;                // the interface whose member failed
  std::string source;       // the ProgID of the failing class, when it gives one
  std::string description;  // the failure's message
  std::string helpFile;
  std::uint32_t helpContext = 0;
};

// Replaces the thread's error information; nullopt clears it.
void SetErrorInfo(std::optional<ErrorInfo> info) noexcept;
// Takes the thread's error information, leaving none behind.
[[nodiscard]] std::optional<ErrorInfo> GetErrorInfo() noexcept;

}  // namespace flexel::automation
