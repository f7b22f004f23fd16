// flexel_compile_tool [--no-autocorrect] [--quiet] SOURCE.txt...: compiles project sources into
// VLX files beside them, printing the compile log unless --quiet.

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "constructor/compileform_unit.h"

int main(int argc, char** argv) {
  std::vector<std::string> sources;
  bool autoCorrect = true;
  bool quiet = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--no-autocorrect") {
      autoCorrect = false;
    } else if (arg == "--quiet") {
      quiet = true;
    } else {
      sources.push_back(arg);
    }
  }
  if (sources.empty()) {
    std::fprintf(stderr, "usage: flexel_compile_tool [--no-autocorrect] [--quiet] SOURCE.txt...\n");
    return 2;
  }
  flexel::TCompileForm compiler([quiet](const std::string& line) {
    if (!quiet) std::printf("%s\n", line.c_str());
  });
  compiler.SetAutoCorrect(autoCorrect);
  try {
    compiler.CompileFiles(sources);
  } catch (const std::exception& e) {
    std::fflush(stdout);
    std::fprintf(stderr, "flexel_compile_tool: %s\n", e.what());
    return 1;
  }
  return 0;
}
