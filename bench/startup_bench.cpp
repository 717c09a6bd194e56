// Start-up time of the launcher against a minimal Win32 program: from process
// start to the first painted window, both with a 1920x1080 client area. The
// launcher gets a container whose background is the demo menu's, scaled up
// to 1920x1080; the two programs are started alternately in one run and the
// ratio of the medians is printed.
//
//   bench_startup_bench [repetitions]
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "authoring/MenuBuild.h"
#include "format/ConfigLog.h"
#include "format/MenuEntries.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr DWORD kStartTimeoutMs = 30000;
constexpr DWORD kExitTimeoutMs = 10000;

class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE handle) : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        std::swap(handle_, other.handle_);
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() {
        if (handle_ && handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
    }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_ = nullptr;
};

[[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error(what + " (error " + std::to_string(GetLastError()) + ")");
}

// The build hands over paths of the build machine; under Wine they live on Z:.
std::string WindowsPath(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    if (!path.empty() && path[0] == '\\')
        path = "Z:" + path;
    return path;
}

// The demo background scaled (nearest pixel) to the benchmark size, so the
// skin keeps its colours, transparent ones included.
std::vector<uint8_t> ScaledBackground(const std::vector<uint8_t>& source, const std::string& name) {
    BITMAPFILEHEADER fileHeader;
    BITMAPINFOHEADER info;
    if (source.size() < sizeof fileHeader + sizeof info)
        throw std::runtime_error(name + ": too short for a bitmap");
    std::memcpy(&fileHeader, source.data(), sizeof fileHeader);
    std::memcpy(&info, source.data() + sizeof fileHeader, sizeof info);
    if (fileHeader.bfType != 0x4D42 || info.biBitCount != 24 || info.biCompression != BI_RGB ||
        info.biWidth <= 0 || info.biHeight <= 0)
        throw std::runtime_error(name + ": not an uncompressed bottom-up 24-bit bitmap");
    const int64_t sourceStride = (int64_t(info.biWidth) * 3 + 3) / 4 * 4;
    if (static_cast<uint64_t>(fileHeader.bfOffBits + sourceStride * info.biHeight) > source.size())
        throw std::runtime_error(name + ": pixel data cut short");

    const int stride = (kWidth * 3 + 3) / 4 * 4;
    BITMAPFILEHEADER outFile{};
    BITMAPINFOHEADER outInfo{};
    outInfo.biSize = sizeof outInfo;
    outInfo.biWidth = kWidth;
    outInfo.biHeight = kHeight;
    outInfo.biPlanes = 1;
    outInfo.biBitCount = 24;
    outInfo.biCompression = BI_RGB;
    outInfo.biSizeImage = stride * kHeight;
    outFile.bfType = 0x4D42;
    outFile.bfOffBits = sizeof outFile + sizeof outInfo;
    outFile.bfSize = outFile.bfOffBits + outInfo.biSizeImage;

    std::vector<uint8_t> out(outFile.bfSize, 0);
    std::memcpy(out.data(), &outFile, sizeof outFile);
    std::memcpy(out.data() + sizeof outFile, &outInfo, sizeof outInfo);
    for (int y = 0; y < kHeight; ++y) {
        const int64_t sourceY = int64_t(y) * info.biHeight / kHeight;
        const uint8_t* sourceRow = source.data() + fileHeader.bfOffBits + sourceY * sourceStride;
        uint8_t* row = out.data() + outFile.bfOffBits + int64_t(y) * stride;
        for (int x = 0; x < kWidth; ++x) {
            const int64_t sourceX = int64_t(x) * info.biWidth / kWidth;
            std::memcpy(row + x * 3, sourceRow + sourceX * 3, 3);
        }
    }
    return out;
}

void CreateFolder(const std::string& path) {
    if (!CreateDirectoryA(path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        Fail("cannot create folder " + path);
}

// Best effort: what cannot be removed is only left in the temp folder.
void RemoveFolder(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA((folder + "\\" + found.cFileName).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    RECT rect;
    if (owner == search->processId && IsWindowVisible(window) && GetWindowRect(window, &rect) &&
        rect.right > rect.left && rect.bottom > rect.top) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindUnpaintedChild(HWND child, LPARAM parameter) {
    if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(parameter) = true;
        return FALSE;
    }
    return TRUE;
}

// Painted: no visible window of the tree is still waiting for WM_PAINT.
bool IsPainted(HWND window) {
    if (GetUpdateRect(window, nullptr, FALSE))
        return false;
    bool unpainted = false;
    EnumChildWindows(window, FindUnpaintedChild, reinterpret_cast<LPARAM>(&unpainted));
    return !unpainted;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return double(f.QuadPart);
    }();
    return double(to.QuadPart - from.QuadPart) * 1000.0 / frequency;
}

// Starts the program and returns the time to its first painted window; the
// program is then closed with WM_CLOSE (terminated if it does not end).
// clientSize receives the window's client area.
double TimeToFirstPaint(const std::string& exe, const std::string& arguments,
                        const std::string& folder, SIZE& clientSize) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string line = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
    LARGE_INTEGER start, now;
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process))
        Fail("cannot start " + exe);
    UniqueHandle processHandle(process.hProcess), threadHandle(process.hThread);

    WindowSearch search{process.dwProcessId, nullptr};
    bool painted = false;
    for (;;) {
        if (!search.found)
            EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            // The round trip makes sure the showing call has returned and the
            // window's thread is back at its queue, update region in place.
            DWORD_PTR ignored;
            if (SendMessageTimeoutA(search.found, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000,
                                    &ignored) &&
                IsPainted(search.found)) {
                painted = true;
                break;
            }
        }
        QueryPerformanceCounter(&now);
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0 ||
            Milliseconds(start, now) > kStartTimeoutMs)
            break;
        Sleep(1);
    }
    QueryPerformanceCounter(&now);
    RECT client{};
    if (search.found)
        GetClientRect(search.found, &client);
    if (search.found)
        PostMessageA(search.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, kExitTimeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, kExitTimeoutMs);
    }
    if (!painted)
        throw std::runtime_error(exe + ": no painted window within " +
                                 std::to_string(kStartTimeoutMs) + " ms");
    // A message box would be timed in the menu's place.
    char className[64] = "";
    GetClassNameA(search.found, className, sizeof className);
    if (std::strcmp(className, "#32770") == 0)
        throw std::runtime_error(exe + ": showed a message box instead of its window");
    clientSize = {client.right, client.bottom};
    return Milliseconds(start, now);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Bench {
    std::string launcherExe;
    std::string launcherFolder;
    std::string minimalExe;
    int minimalRun = 0;
    int minimalConfirmed = 0;
    SIZE launcherClient{};
    SIZE minimalClient{};

    double Launcher() {
        // A saved choice would make the launcher start the program instead.
        DeleteFileA((launcherFolder + "\\" + kConfigLogName).c_str());
        return TimeToFirstPaint(launcherExe, "", launcherFolder, launcherClient);
    }

    // The program's own signal must already be set when the outside view
    // says painted; the count tells whether the detection can be trusted.
    double Minimal(bool withLists = false) {
        const std::string eventName = "OvalynMinimalPainted" +
                                      std::to_string(GetCurrentProcessId()) + "_" +
                                      std::to_string(minimalRun++);
        UniqueHandle event(CreateEventA(nullptr, TRUE, FALSE, eventName.c_str()));
        if (!event.get())
            Fail("cannot create event");
        const double ms = TimeToFirstPaint(minimalExe, eventName + (withLists ? " lists" : ""),
                                           launcherFolder, minimalClient);
        if (WaitForSingleObject(event.get(), 0) == WAIT_OBJECT_0)
            ++minimalConfirmed;
        return ms;
    }
};

void PrintRow(const char* name, const std::vector<double>& times) {
    std::printf("%-10s median %8.1f ms   min %8.1f ms   max %8.1f ms\n", name, Median(times),
                *std::min_element(times.begin(), times.end()),
                *std::max_element(times.begin(), times.end()));
}

void Measure(int repetitions, const std::string& root);

int Run(int repetitions) {
    char tempPath[MAX_PATH];
    if (!GetTempPathA(MAX_PATH, tempPath))
        Fail("no temp folder");
    const std::string root =
        std::string(tempPath) + "ovalyn-startup-" + std::to_string(GetCurrentProcessId());
    CreateFolder(root);
    const auto removeAll = [&root] {
        RemoveFolder(root + "\\launcher");
        RemoveFolder(root);
    };
    try {
        Measure(repetitions, root);
    } catch (...) {
        removeAll();
        throw;
    }
    removeAll();
    return 0;
}

void Measure(int repetitions, const std::string& root) {
    const std::string folder = root + "\\launcher";
    CreateFolder(folder);

    // The demo menu as the authoring library reads it, frameless (like the
    // minimal program's popup) and with its background scaled up.
    const std::string demoMenu = WindowsPath(OVALYN_DEMO_MENU);
    MenuSource demo = ReadMenuSource(demoMenu);
    if (HasErrors(demo.problems))
        throw std::runtime_error(demoMenu + ": " + FormatAll(demo.problems).front());
    demo.menu.SetText(SettingId::WindowBorder, "0");
    MenuFileData& background = demo.menu.Picture(PictureRole::Background);
    background.bytes = ScaledBackground(background.bytes, demoMenu + " background");
    WriteContainerFile(ContainerOfMenu(demo.menu, demoMenu), folder + "\\" + kContainerName);
    const std::string launcher = folder + "\\Launcher.exe";
    if (!CopyFileA(WindowsPath(OVALYN_LAUNCHER_EXE).c_str(), launcher.c_str(), FALSE))
        Fail("cannot copy the launcher");

    Bench bench{launcher, folder, WindowsPath(OVALYN_MINIMAL_EXE)};
    // One start of each first, so neither pays alone for a cold cache.
    bench.Launcher();
    bench.Minimal();
    bench.minimalConfirmed = 0;
    bench.minimalRun = 0;

    std::vector<double> launcherTimes, minimalTimes, listsTimes;
    for (int i = 0; i < repetitions; ++i) {
        // The order turns each round, so none always follows another.
        for (int k = 0; k < 3; ++k) {
            switch ((i + k) % 3) {
            case 0:
                launcherTimes.push_back(bench.Launcher());
                break;
            case 1:
                minimalTimes.push_back(bench.Minimal());
                break;
            default:
                listsTimes.push_back(bench.Minimal(true));
                break;
            }
        }
    }

    std::printf("start to first painted %dx%d window, %d starts each\n", kWidth, kHeight,
                repetitions);
    PrintRow("launcher", launcherTimes);
    PrintRow("minimal", minimalTimes);
    PrintRow("+2 lists", listsTimes);
    // A display smaller than the window may make the system shrink it.
    std::printf("client areas shown: launcher %ldx%ld, minimal %ldx%ld\n", bench.launcherClient.cx,
                bench.launcherClient.cy, bench.minimalClient.cx, bench.minimalClient.cy);
    std::printf("ratio launcher/minimal (medians): %.2fx   (goal: at most 1.15x)\n",
                Median(launcherTimes) / Median(minimalTimes));
    std::printf("minimal window with the menu's two drop-down lists / minimal: %.2fx\n",
                Median(listsTimes) / Median(minimalTimes));
    std::printf("ratio launcher/(minimal with the two lists): %.2fx\n",
                Median(launcherTimes) / Median(listsTimes));
    std::printf("minimal program's own paint signal set at detection: %d of %d starts\n",
                bench.minimalConfirmed, bench.minimalRun);
}

} // namespace

int main(int argc, char** argv) {
    int repetitions = 15;
    if (argc > 1) {
        repetitions = std::atoi(argv[1]);
        if (repetitions < 1 || repetitions > 1000) {
            std::fprintf(stderr, "repetitions must be 1 to 1000\n");
            return 2;
        }
    }
    try {
        return Run(repetitions);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "startup_bench: %s\n", error.what());
        return 1;
    }
}
