#include "support/cli_runner.h"

#include <sys/wait.h>

#include <cstdlib>

#include "support/files.h"
#include "support/scratch_folder.h"

namespace zarvex::testing {

namespace {
std::string Quoted(const std::string& arg) {
    std::string q = "'";
    for (char c : arg)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}
}  // namespace

CliResult RunCli(const std::vector<std::string>& args) {
    const ScratchFolder captured("cli-output");
    std::string command = Quoted(ZARVEX_CLI_PATH);
    for (const std::string& a : args)
        command += " " + Quoted(a);
    command += " >" + Quoted(captured.File("out")) + " 2>" + Quoted(captured.File("err"));
    const int raw = std::system(command.c_str());
    CliResult r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = ReadBytes(captured.File("out"));
    r.err = ReadBytes(captured.File("err"));
    return r;
}

}  // namespace zarvex::testing
