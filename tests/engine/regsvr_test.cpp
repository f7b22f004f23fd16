// `flexel regsvr`, the registrar the build uses for the plug-ins.

#include <sys/wait.h>

#include <cstdlib>

#include "engine_fixture.h"

namespace flexel::engine::test {
namespace {

struct CliRun {
  int exitCode;
  std::string out;
  std::string err;
};

std::string Quoted(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

class Regsvr : public EngineTest {
 protected:
  CliRun Flexel(const std::vector<std::string>& args) {
    std::string command = Quoted(FLEXEL_CLI);
    for (const auto& arg : args) command += " " + Quoted(arg);
    command += " >" + Quoted(m_folder + "out") + " 2>" + Quoted(m_folder + "err");
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(m_folder + "out"),
            ReadFile(m_folder + "err")};
  }
};

TEST_F(Regsvr, RegistersAndUnregistersIntoTheGivenFolder) {
  const std::string folder = m_folder + "cli-registry";
  const std::string hive = folder + "/HKEY_CLASSES_ROOT.reg";
  CliRun run = Flexel({"regsvr", "--registry", folder, kVlx.plugin});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out,
            "DllRegisterServer in " + std::string(kVlx.plugin) + " succeeded (" + hive + ")\n");
  EXPECT_NE(ReadFile(hive).find("[HKEY_CLASSES_ROOT\\Lexoro5vlx.Languages\\Clsid]"),
            std::string::npos);

  run = Flexel({"regsvr", "-u", "--registry", folder, kVlx.plugin});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(ReadFile(hive), "REGEDIT4\n\n[HKEY_CLASSES_ROOT\\CLSID]\n");
}

TEST_F(Regsvr, ALibraryThatIsNoPluginFailsWithTheReason) {
  const std::string library = std::string(FLEXEL_BUILD_DIR) + "/lib/libflexel_platform.so";
  const CliRun run = Flexel({"regsvr", "--registry", m_folder + "r", library});
  EXPECT_EQ(run.exitCode, 3);
  EXPECT_EQ(run.err, "flexel regsvr: " + library + " does not export DllRegisterServer\n");
  EXPECT_EQ(Flexel({"regsvr"}).err,
            "flexel regsvr: expected one LIBRARY (usage: flexel regsvr [-u] [--registry DIR] "
            "LIBRARY)\n");
}

}  // namespace
}  // namespace flexel::engine::test
