#include "platform/automation/error_info.h"

namespace flexel::automation {
namespace detail {
thread_local std::optional<ErrorInfo> t_errorInfo;
}  // namespace detail

void SetErrorInfo(std::optional<ErrorInfo> info) noexcept { detail::t_errorInfo = std::move(info); }

std::optional<ErrorInfo> GetErrorInfo() noexcept {
  std::optional<ErrorInfo> info = std::move(detail::t_errorInfo);
  detail::t_errorInfo.reset();
  return info;
}

}  // namespace flexel::automation
