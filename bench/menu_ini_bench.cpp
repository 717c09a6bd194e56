// How the authoring work grows with the size of a menu: checking a menu.ini
// with many keys in one section (what "ctrpack check" does: read it, run the
// launcher's checks) and taking apart a configuration list with many extra
// lines (what "ctrpack decompile" does: read the entries, write menu.ini),
// each at n and at 4n lines. Linear work takes four times as long for four
// times the lines; the goal is at most 5 times.
//
// Each measurement runs in a process of its own, as ctrpack does: within one
// process the allocator keeps the pages of a small run for the next one but
// gives a large run's back to the system, which would favour the small size.
//
//   bench_menu_ini_bench [n]     (default 10000)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "authoring/MenuBuild.h"
#include "authoring/MenuCheck.h"
#include "authoring/MenuIni.h"

namespace {

constexpr double kGoal = 5.0;
constexpr int kRuns = 3;

std::string ManyKeys(int keys) {
    std::string ini = "[Window]\r\nCaption=Many\r\n[Options]\r\n";
    for (int i = 1; i <= keys; ++i)
        ini += "Option" + std::to_string(i) + "=Choice " + std::to_string(i) + ";-p" +
               std::to_string(i) + "\r\n";
    return ini;
}

std::vector<uint8_t> LongList(int extraLines) {
    std::string list;
    for (int line = 0; line < kFixedLines; ++line)
        list += (line == LineOf(SettingId::OptionCount) ? "0" : "1") + std::string("\r\n");
    for (int i = 0; i < extraLines; ++i)
        list += "extra line " + std::to_string(i) + "\r\n";
    return std::vector<uint8_t>(list.begin(), list.end());
}

// One measurement in this process: the work's seconds, on stdout.
int MeasureOnce(const std::string& work, int size) {
    const std::string ini = ManyKeys(size);
    const std::vector<uint8_t> list = LongList(size);
    const auto start = std::chrono::steady_clock::now();
    if (work == "check") {
        std::vector<Problem> problems;
        const MenuIniResult read = ReadMenuIni("menu.ini", ini, problems);
        (void)CheckMenu(read.menu, read.origins);
    } else {
        MenuDocument menu = MenuFromEntries("bench.ctr", {list});
        NameDecompiledFiles(menu);
        (void)WriteMenuIni(menu);
    }
    const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
    std::printf("%.9f\n", spent.count());
    return 0;
}

// The fastest of kRuns measurements, each in a child process.
double Measure(const char* self, const char* work, int size) {
    double best = 1e30;
    for (int run = 0; run < kRuns; ++run) {
        const std::string command =
            "\"" + std::string(self) + "\" --once " + work + " " + std::to_string(size);
#ifdef _WIN32
        FILE* child = _popen(command.c_str(), "r");
#else
        FILE* child = popen(command.c_str(), "r");
#endif
        double seconds = -1;
        if (!child || std::fscanf(child, "%lf", &seconds) != 1) {
            std::fprintf(stderr, "menu_ini_bench: no figure from %s\n", command.c_str());
            std::exit(1);
        }
#ifdef _WIN32
        _pclose(child);
#else
        pclose(child);
#endif
        best = seconds < best ? seconds : best;
    }
    return best;
}

void Row(const char* self, const char* what, const char* work, int n) {
    const double small = Measure(self, work, n), large = Measure(self, work, 4 * n);
    const double ratio = large / small;
    std::printf("%-40s %8.1f ms at %6d, %8.1f ms at %6d: %.2fx (goal at most %.0fx: %s)\n", what,
                small * 1000, n, large * 1000, 4 * n, ratio, kGoal,
                ratio <= kGoal ? "met" : "NOT MET");
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--once") == 0)
        return MeasureOnce(argv[2], std::atoi(argv[3]));
    const int n = argc > 1 ? std::atoi(argv[1]) : 10000;
    if (n < 1 || n > 1000000) {
        std::fprintf(stderr, "n must be 1 to 1000000\n");
        return 2;
    }
    Row(argv[0], "check: keys in one section", "check", n);
    Row(argv[0], "decompile: extra configuration lines", "decompile", n);
    return 0;
}
