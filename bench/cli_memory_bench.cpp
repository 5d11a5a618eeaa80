// The peak memory of zarvex-cli reading large files, measured on the child process
// alone (its maximum resident set): broken files of 20 MB in five shapes, which the
// readers must refuse or read within three times the file's size and 16 MB, and a
// sound design of over 100,000 short items, whose budget is fourteen times its size
// and 16 MB. The figures are counters (peak_MB, file_MB, budget_MB); a run over its
// budget is reported as an error of that benchmark. Run under no sanitizer: its own
// memory would be measured.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr double kMB = 1024.0 * 1024.0;
constexpr std::size_t kBrokenBytes = 20u << 20;

// The peak resident memory of zarvex-cli running args, in bytes; -1 when it did not
// run to an exit.
long long PeakBytesOfCli(const std::vector<std::string>& args) {
    const pid_t child = ::fork();
    if (child == 0) {
        std::vector<char*> argv{const_cast<char*>(ZARVEX_CLI_PATH)};
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        const int devNull = ::open("/dev/null", O_WRONLY);
        ::dup2(devNull, 1);
        ::dup2(devNull, 2);
        ::execv(ZARVEX_CLI_PATH, argv.data());
        ::_exit(127);
    }
    int status = 0;
    struct rusage usage {};
    if (::wait4(child, &status, 0, &usage) != child || !WIFEXITED(status))
        return -1;
    return static_cast<long long>(usage.ru_maxrss) * 1024;
}

// Writes head, then line again and again up to bytes, then tail, without holding it
// all here: this process's memory at the fork would count for the child's peak.
std::size_t WriteRepeated(const fs::path& path, const std::string& head, const std::string& line,
                          std::size_t bytes, const std::string& tail = "") {
    std::ofstream out(path, std::ios::binary);
    out << head;
    std::size_t written = head.size();
    std::string block;
    while (block.size() < (64u << 10))
        block += line;
    for (; written < bytes; written += block.size())
        out << block;
    out << tail;
    return written + tail.size();
}

fs::path Folder() {
    const fs::path dir = fs::temp_directory_path() / "zarvex-bench-memory";
    fs::create_directories(dir);
    return dir;
}

std::string StructureHead() {
    return "<Product_Name>\r\nGeneral Menu Structure Description Format\r\n</Product_Name>\r\n"
           "<Product_Version>\r\n1.0\r\n</Product_Version>\r\n<Structure_Description>\r\n";
}

// A project's head up to its item list, read from a broken-file case of the tests;
// empty when that file is missing.
std::string ProjectHead() {
    std::ifstream in(fs::path(ZARVEX_TEST_DATA_DIR) / "cli" / "broken" / "level_not_integer.zarvex",
                     std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto at = text.find("<Item_Parameters>\r\n");
    return at == std::string::npos ? std::string() : text.substr(0, at + 19);
}

void Report(benchmark::State& state, long long peak, std::size_t bytes, double budget) {
    state.counters["peak_MB"] = static_cast<double>(peak) / kMB;
    state.counters["file_MB"] = static_cast<double>(bytes) / kMB;
    state.counters["budget_MB"] = budget / kMB;
    if (peak <= 0)
        state.SkipWithError("zarvex-cli did not run to an exit");
    else if (static_cast<double>(peak) > budget)
        state.SkipWithError("over its memory budget");
}

enum Shape { kBlankLines, kLevelsOnly, kLongFields, kEndlessLine, kCarriageReturnsOnly };

void BM_BrokenFilePeak(benchmark::State& state) {
    const auto shape = static_cast<Shape>(state.range(0));
    std::string longLine;
    for (int f = 0; f < 10; ++f)
        longLine += (f == 6 ? "0" : "a field of sixteen or more") + std::string("#$@");
    const bool structure = shape == kLevelsOnly || shape == kCarriageReturnsOnly;
    const std::string head = structure ? StructureHead() : ProjectHead();
    if (head.empty()) {
        state.SkipWithError("the tests' broken project files are missing");
        return;
    }
    const std::string line = shape == kBlankLines    ? "\r\n"
                             : shape == kLevelsOnly  ? "0\n"
                             : shape == kLongFields  ? longLine + "\r\n"
                             : shape == kEndlessLine ? "x"
                                                     : "0#$@a#$@\r";
    const fs::path dir = Folder();
    const fs::path input = dir / (structure ? "big.gms" : "big.zarvex");
    const std::size_t bytes = WriteRepeated(input, head, line, kBrokenBytes);
    long long peak = 0;
    for (auto _ : state) {
        peak = structure
                   ? PeakBytesOfCli({"import-gms", input.string(), (dir / "o.zarvex").string()})
                   : PeakBytesOfCli({"export-gms", input.string(), (dir / "o").string()});
    }
    Report(state, peak, bytes, 3.0 * static_cast<double>(bytes) + 16 * kMB);
    fs::remove_all(dir);
}
BENCHMARK(BM_BrokenFilePeak)
    ->ArgName("shape")
    ->DenseRange(kBlankLines, kCarriageReturnsOnly)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

void BM_ManyShortItemsPeak(benchmark::State& state) {
    const std::string head = StructureHead() + "0#$@Home#$@#$@index.html#$@#$@\r\n";
    const std::string line = "1#$@Short item#$@#$@page.html#$@#$@\r\n";
    const fs::path dir = Folder();
    const fs::path input = dir / "many.gms";
    const std::size_t bytes =
        WriteRepeated(input, head, line, 100000 * line.size(), "</Structure_Description>\r\n");
    long long peak = 0;
    for (auto _ : state)
        peak = PeakBytesOfCli({"import-gms", input.string(), (dir / "many.zarvex").string()});
    Report(state, peak, bytes, 14.0 * static_cast<double>(bytes) + 16 * kMB);
    fs::remove_all(dir);
}
BENCHMARK(BM_ManyShortItemsPeak)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
