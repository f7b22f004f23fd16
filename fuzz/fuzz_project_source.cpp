// The project source reader on hostile bytes: decoded like a file, read into the project model,
// written back; what is written must read back to the same lines. The summary is left out: each
// writing halves its pairs of blanks, as the format has it.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "common/compileform_unit.h"
#include "constructor/project_source.h"
#include "fuzz/fuzz_support.h"
#include "platform/core/error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string> lines = flexel::LoadTextLines(flexel::fuzz::AsText(data, size));
  flexel::TProjectSource project;
  project.ResetProject(false, false);
  try {
    project.ReadLines(lines);
  } catch (const flexel::Error&) {
  }
  project.summary.clear();
  const std::vector<std::string> written = project.Lines();
  flexel::TProjectSource again;
  again.ResetProject(false, false);
  try {
    again.ReadLines(flexel::LoadTextLines(project.SaveToBytes()));
  } catch (const flexel::Error&) {
    __builtin_trap();  // a saved project is always whole
  }
  again.summary.clear();
  const std::vector<std::string> reread = again.Lines();
  if (reread != written) {
    for (std::size_t i = 0; i < written.size() || i < reread.size(); ++i) {
      const std::string a = i < written.size() ? written[i] : "<none>";
      const std::string b = i < reread.size() ? reread[i] : "<none>";
      if (a != b) {
        std::fprintf(stderr, "line %zu written \"%s\" read back \"%s\"\n", i, a.c_str(),
                     b.c_str());
        break;
      }
    }
    __builtin_trap();
  }
  return 0;
}
