// The expression evaluator of cross references on arbitrary text: a value or flexel::Error.

#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_support.h"
#include "platform/core/error.h"
#include "platform/expr/expr.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    (void)flexel::expr::Evaluate(flexel::fuzz::AsText(data, size));
  } catch (const flexel::Error&) {
  }
  return 0;
}
