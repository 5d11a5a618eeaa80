#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "cli/cli_runner.h"

namespace zarvex::testing {

namespace fs = std::filesystem;

namespace {
std::string Quoted(const std::string& arg) {
    std::string q = "'";
    for (char c : arg)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}
}  // namespace

CliResult RunCli(const std::vector<std::string>& args) {
    static int counter = 0;
    const fs::path base =
        fs::temp_directory_path() /
        ("zarvex-cli-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::string command = Quoted(ZARVEX_CLI_PATH);
    for (const std::string& a : args)
        command += " " + Quoted(a);
    command += " >" + Quoted(base.string() + ".out") + " 2>" + Quoted(base.string() + ".err");
    const int raw = std::system(command.c_str());
    CliResult r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = ReadBytes(base.string() + ".out");
    r.err = ReadBytes(base.string() + ".err");
    fs::remove(base.string() + ".out");
    fs::remove(base.string() + ".err");
    return r;
}

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::map<std::string, std::string> Snapshot(const fs::path& folder) {
    std::map<std::string, std::string> entries;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(folder, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        const std::string rel = fs::relative(it->path(), folder).string();
        entries[rel] = it->is_directory() ? "/" : ReadBytes(it->path());
    }
    return entries;
}

fs::path FreshTestFolder(const std::string& prefix) {
    std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::replace(name.begin(), name.end(), '/', '-');
    const fs::path dir =
        fs::temp_directory_path() / (prefix + std::to_string(::getpid()) + "-" + name);
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

std::vector<std::string> FileNames(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder))
        if (e.is_regular_file())
            names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace zarvex::testing
