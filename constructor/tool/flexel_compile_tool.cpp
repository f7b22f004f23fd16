// flexel_compile_tool [--no-autocorrect] SOURCE.txt...: compiles project sources into VLX files
// beside them, printing the compile log.

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "constructor/compileform_unit.h"

int main(int argc, char** argv) {
  std::vector<std::string> sources;
  bool autoCorrect = true;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--no-autocorrect") {
      autoCorrect = false;
    } else {
      sources.push_back(arg);
    }
  }
  if (sources.empty()) {
    std::fprintf(stderr, "usage: flexel_compile_tool [--no-autocorrect] SOURCE.txt...\n");
    return 2;
  }
  flexel::TCompileForm compiler([](const std::string& line) { std::printf("%s\n", line.c_str()); });
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
