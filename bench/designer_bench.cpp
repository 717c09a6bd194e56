// The designer on a menu with a 1920x1080 background, all measured in one run:
//
//  (a) opening the menu folder in a running designer until its canvas is
//      painted, against (b) the launcher's own start-up to its first paint on
//      the same menu (goal: at most 1.5 times);
//  (c) one drag step: a pointer move on the canvas with a button held, until
//      the canvas is repainted (goal: under 16 ms, so a drag keeps 60 frames a
//      second), beside one plain 1920x1080 copy from a memory DC to a window.
//
// Both programs run in this process with their own code: the designer's form
// (TDesignerForm) and the launcher's form (TForm1) with its folder pointed at
// the container built from the same menu, as the launcher tests do. A window
// counts as painted when the application's queue is empty (WM_PAINT included),
// RedrawWindow with RDW_UPDATENOW | RDW_ALLCHILDREN has returned and GdiFlush
// is done. Nothing is asserted on time: figures, ratios and goals are printed.
// Run it under Wine with scripts/wine-run; a screen smaller than the windows
// clips them, and what was on screen is printed with the figures.
//
//   bench_designer_bench [rounds]
#include <shlobj.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "designer/app/DesignerForm.h"
#include "designer/app/DocumentMenuContent.h"
#include "designer/app/MenuCanvas.h"
#include "designer/app/PropertyPanel.h"
#include "designer/model/ElementPosition.h"
#include "format/ConfigLog.h"
#include "format/MenuEntries.h"
#include "framework/runtime/Exceptions.h"
#include "framework/system/Locale.h"
#include "framework/ui/Application.h"
#include "framework/ui/FontNames.h"
#include "framework/ui/ListBox.h"
#include "framework/win32/Handles.h"
#include "launcher/Unit1.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kDragSteps = 200;
// Fewer rounds (the test command's one) also shorten the drag and the profiles.
int gDragSteps = kDragSteps;
int gProfileRuns = 5;
constexpr int kCopies = 60;
constexpr double kOpenGoal = 1.5;               // designer open / launcher start-up
constexpr double kDragGoalMs = 16.0;            // one frame at 60 frames a second
constexpr ElementId kDragged = ElementId::Quit; // shown in both modes

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double Min(const std::vector<double>& values) {
    return *std::min_element(values.begin(), values.end());
}

double Max(const std::vector<double>& values) {
    return *std::max_element(values.begin(), values.end());
}

// The build hands over paths of the build machine; under Wine they live on Z:.
std::string WindowsPath(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    if (!path.empty() && path[0] == '\\')
        path = "Z:" + path;
    return path;
}

// A photo-like 24-bit bottom-up bitmap: gradients with noise, so neither the
// file nor the screen gets an easy flat picture.
std::vector<uint8_t> NoisyBitmapFile(int width, int height) {
    const int stride = (width * 3 + 3) / 4 * 4;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(stride) * height;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::vector<uint8_t> bytes(file.bfSize, 0);
    std::memcpy(bytes.data(), &file, sizeof file);
    std::memcpy(bytes.data() + sizeof file, &info, sizeof info);
    uint32_t seed = 20240611;
    for (int y = 0; y < height; ++y) {
        uint8_t* row = bytes.data() + file.bfOffBits + static_cast<size_t>(y) * stride;
        for (int x = 0; x < width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            row[x * 3 + 0] = static_cast<uint8_t>(x * 200 / width + (seed >> 28));
            row[x * 3 + 1] = static_cast<uint8_t>(y * 200 / height + (seed >> 27 & 15));
            row[x * 3 + 2] = static_cast<uint8_t>((x + y) / 12 + (seed >> 29));
        }
    }
    return bytes;
}

void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

// The benchmark's folders in the temp folder, removed at the end.
struct Folders {
    std::filesystem::path root, menu, launcher;
    Folders() {
        char temp[MAX_PATH] = {};
        if (!GetTempPathA(sizeof temp, temp))
            throw std::runtime_error("no temp folder");
        root = std::filesystem::path(temp) /
               ("ovalyn-designer-bench-" + std::to_string(GetCurrentProcessId()));
        menu = root / "menu";
        launcher = root / "launcher";
        std::filesystem::remove_all(root);
        std::filesystem::create_directories(launcher);
    }
    ~Folders() {
        std::error_code ignored; // what cannot be removed stays in the temp folder
        std::filesystem::remove_all(root, ignored);
    }
};

// The demo menu with a generated 1920x1080 background, saved as a menu folder
// (menu.ini) and built into the launcher's container, both by the designer's
// own document code.
void MakeMenu(const Folders& folders) {
    const std::filesystem::path picture = folders.root / "background-1920x1080.bmp";
    WriteFile(picture, NoisyBitmapFile(kWidth, kHeight));
    DesignDocument document;
    const std::string demo = WindowsPath(OVALYN_DEMO_MENU);
    document.Open(demo);
    document.ReplacePicture(PictureRole::Background, picture.string());
    document.SaveAs(folders.menu.string());
    document.BuildContainer((folders.launcher / kContainerName).string());
    // The designer reports a folder it cannot open in a message box, which
    // would wait for a click: the saved folder must open here first.
    DesignDocument check;
    check.Open(folders.menu.string());
}

// The designer remembers every folder it opens in the user's recent menus;
// the benchmark's folder must not stay among them.
class RecentMenusKept {
public:
    RecentMenusKept() {
        char folder[MAX_PATH] = {};
        if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, 0, folder)))
            return;
        path_ = std::filesystem::path(folder) / "Ovalyn Designer" / "recent.txt";
        std::ifstream in(path_, std::ios::binary);
        existed_ = static_cast<bool>(in);
        bytes_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    ~RecentMenusKept() {
        if (path_.empty())
            return;
        if (!existed_) {
            std::error_code ignored;
            std::filesystem::remove(path_, ignored);
            return;
        }
        std::ofstream out(path_, std::ios::binary | std::ios::trunc);
        out.write(bytes_.data(), static_cast<std::streamsize>(bytes_.size()));
    }
    RecentMenusKept(const RecentMenusKept&) = delete;
    RecentMenusKept& operator=(const RecentMenusKept&) = delete;

private:
    std::filesystem::path path_;
    bool existed_ = false;
    std::vector<char> bytes_;
};

// An error box of either program would wait for a click that never comes:
// after this long the benchmark gives up instead of hanging.
constexpr DWORD kWatchdogMs = 300000;

DWORD WINAPI Watchdog(void*) {
    Sleep(kWatchdogMs);
    std::fprintf(stderr, "designer_bench: no end after %lu s (an error box waiting?), giving up\n",
                 kWatchdogMs / 1000);
    std::fflush(stderr);
    ExitProcess(3);
}

// Painted: the queue handled (paint messages included), then every window of
// the tree updated and GDI's batch flushed.
void PaintNow(HWND window) {
    Application->ProcessMessages();
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
}

// What part of a window's client area is on the screen and not clipped by its
// parents, in pixels.
SIZE ShownSize(HWND window) {
    RECT shown{};
    GetClientRect(window, &shown);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&shown), 2);
    for (HWND parent = GetParent(window); parent; parent = GetParent(parent)) {
        RECT client{};
        GetClientRect(parent, &client);
        MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&client), 2);
        IntersectRect(&shown, &shown, &client);
    }
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    IntersectRect(&shown, &shown, &screen);
    return {shown.right - shown.left, shown.bottom - shown.top};
}

// The designer as Designer.exe runs it, on the process's application object,
// with a window large enough for the whole 1920x1080 canvas.
class DesignerUnderTest {
public:
    explicit DesignerUnderTest(const std::string& menu) {
        Application->CreateForm(form_);
        // The canvas's panel is the client area less the property panel (380)
        // and the problems list (120); 2 more for the panel's bevel.
        form_->SetBounds(0, 0, 200, 200);
        form_->SetClientWidth(kWidth + 2 + 380);
        form_->SetClientHeight(kHeight + 2 + 120);
        form_->Show();
        PaintNow(form_->Handle());
        // The frame and menu bar may take more than the form's sums allow
        // for: grow the window until the whole canvas area is inside.
        form_->OpenFolder(menu);
        PaintNow(form_->Handle());
        const SIZE shown = ShownSize(form_->Canvas()->Handle());
        if (shown.cx < kWidth || shown.cy < kHeight) {
            form_->SetBounds(0, 0, form_->Width() + kWidth - shown.cx,
                             form_->Height() + kHeight - shown.cy);
            PaintNow(form_->Handle());
        }
    }
    ~DesignerUnderTest() {
        if (Application)
            Application->OnMessage = nullptr;
        delete form_;
    }

    // Opens the folder as the menu's Open command does, until painted.
    double Open(const std::string& folder) {
        PaintNow(form_->Handle()); // nothing left over from before is timed
        const auto start = Clock::now();
        if (!form_->OpenFolder(folder))
            throw std::runtime_error("the designer did not open " + folder);
        PaintNow(form_->Handle());
        const double ms = MillisecondsSince(start);
        if (!form_->Canvas()->BuildError().empty())
            throw std::runtime_error("the designer cannot build the menu: " +
                                     form_->Canvas()->BuildError());
        return ms;
    }

    TDesignerForm& Form() { return *form_; }

private:
    TDesignerForm* form_ = nullptr;
};

// The launcher's start-up as its program entry runs it (Form1 created and
// shown), in a fresh application object, on the container in folder.
class LauncherRun {
public:
    explicit LauncherRun(const std::string& folder) : saved_(Application) {
        application_ = std::make_unique<TApplication>(nullptr);
        Application = application_.get();
        ResetLauncherState();
        LauncherFolderOverride = folder;
    }
    ~LauncherRun() {
        application_.reset(); // frees Form1
        Form1 = nullptr;
        Application = saved_;
        ResetLauncherState();
        LauncherFolderOverride.clear();
    }

    double StartToPaint() {
        const auto start = Clock::now();
        Application->CreateForm(Form1);
        Form1->Show();
        PaintNow(Form1->Handle());
        const double ms = MillisecondsSince(start);
        if (Application->Terminated())
            throw std::runtime_error("the launcher ended at start-up instead of showing the menu");
        client_ = ShownSize(Form1->Handle());
        launchMode_ = DirectXOk;
        return ms;
    }
    SIZE Shown() const { return client_; }
    bool LaunchMode() const { return launchMode_; }

private:
    TApplication* saved_;
    std::unique_ptr<TApplication> application_;
    SIZE client_{};
    bool launchMode_ = false;
};

struct StartFigures {
    std::vector<double> designer, launcher;
    SIZE designerCanvas{}, launcherClient{};
    bool launcherLaunchMode = false;
};

StartFigures MeasureStarts(DesignerUnderTest& designer, const Folders& folders, int rounds) {
    const std::string menu = folders.menu.string();
    const std::string launcher = folders.launcher.string() + "\\";
    StartFigures figures;
    auto runLauncher = [&] {
        DeleteFileA((launcher + kConfigLogName).c_str()); // no saved choice: the menu shows
        LauncherRun run(launcher);
        const double ms = run.StartToPaint();
        figures.launcherClient = run.Shown();
        figures.launcherLaunchMode = run.LaunchMode();
        return ms;
    };
    // One of each first, so neither pays alone for cold caches.
    designer.Open(menu);
    runLauncher();
    for (int i = 0; i < rounds; ++i) {
        // The order turns each round, so neither always follows the other.
        if (i % 2 == 0) {
            figures.designer.push_back(designer.Open(menu));
            figures.launcher.push_back(runLauncher());
        } else {
            figures.launcher.push_back(runLauncher());
            figures.designer.push_back(designer.Open(menu));
        }
    }
    designer.Open(menu); // the canvas shows the menu for the drag
    figures.designerCanvas = ShownSize(designer.Form().Canvas()->Handle());
    return figures;
}

struct DragFigures {
    std::vector<double> step, filter, update;
    int misplaced = 0;  // steps after which the button was not where the pointer put it
    int extraMoves = 0; // pointer moves the canvas saw beyond the posted ones
};

// Presses the pointer on the button, then moves it step by step, each move
// posted to the canvas and taken through the application's loop, where the
// canvas's filter handles it as a real move. The clock runs from the post to
// the repainted canvas.
DragFigures MeasureDrag(DesignerUnderTest& designer) {
    TDesignerForm& form = designer.Form();
    TMenuCanvas& canvas = *form.Canvas();
    HWND window = canvas.Handle();
    DragFigures figures;

    // The filter's own share of each step: the model's move and every
    // handler of the change (canvas, property panel, problems, title).
    double filterMs = 0;
    int moves = 0;
    const std::function<bool(MSG&)> filter = Application->OnMessage;
    Application->OnMessage = [&](MSG& msg) {
        if (msg.message != WM_MOUSEMOVE)
            return filter(msg);
        ++moves;
        const auto start = Clock::now();
        const bool handled = filter(msg);
        filterMs += MillisecondsSince(start);
        return handled;
    };

    const TRect button = canvas.ElementRect(kDragged);
    const int pressX = (button.Left + button.Right) / 2, pressY = (button.Top + button.Bottom) / 2;
    const ElementPoint startPlace = *ElementPosition(form.Document().Menu(), kDragged);
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pressX, pressY));
    PaintNow(form.Handle());
    if (form.Document().Selection() != kDragged)
        throw std::runtime_error("the press did not select the button to drag");

    for (int k = 1; k <= gDragSteps; ++k) {
        // Back and forth over 160 pixels, and a little up and down.
        const int phase = k % 80;
        const int dx = 4 * (phase <= 40 ? phase : 80 - phase) + 1;
        const int dy = (k % 7) - 3;
        moves = 0;
        filterMs = 0;
        const auto start = Clock::now();
        PostMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pressX + dx, pressY + dy));
        Application->ProcessMessages();
        const double handled = MillisecondsSince(start);
        RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        GdiFlush();
        const double ms = MillisecondsSince(start);
        figures.step.push_back(ms);
        figures.filter.push_back(filterMs);
        figures.update.push_back(ms - handled);
        figures.extraMoves += std::max(moves - 1, 0);
        const ElementPoint wanted{startPlace.x + dx, startPlace.y + dy};
        if (ElementPosition(form.Document().Menu(), kDragged) != wanted)
            ++figures.misplaced;
    }
    PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(pressX, pressY));
    PaintNow(form.Handle());
    Application->OnMessage = filter;
    return figures;
}

// One plain 1920x1080 copy: BitBlt from a memory DC holding a noisy picture
// to the client DC of a shown borderless window of that size, then GdiFlush.
std::vector<double> MeasurePlainCopy(SIZE& shown) {
    std::unique_ptr<TForm> target(new TForm(Application));
    target->SetBorderStyle(bsNone);
    target->SetBounds(0, 0, kWidth, kHeight);
    target->Show();
    PaintNow(target->Handle());
    shown = ShownSize(target->Handle());

    WindowDc screen = WindowDc::Client(target->Handle());
    MemoryDc memory = MemoryDc::CompatibleWith(screen.get());
    BitmapHandle picture(CreateCompatibleBitmap(screen.get(), kWidth, kHeight));
    if (!screen || !memory || !picture)
        throw std::runtime_error("cannot make the copy's device contexts");
    const std::vector<uint8_t> file = NoisyBitmapFile(kWidth, kHeight);
    const auto* info = reinterpret_cast<const BITMAPINFO*>(file.data() + sizeof(BITMAPFILEHEADER));
    const auto* header = reinterpret_cast<const BITMAPFILEHEADER*>(file.data());
    SetDIBits(screen.get(), picture.get(), 0, kHeight, file.data() + header->bfOffBits, info,
              DIB_RGB_COLORS);
    HGDIOBJ old = SelectObject(memory.get(), picture.get());
    std::vector<double> times;
    for (int i = 0; i < kCopies; ++i) {
        const auto start = Clock::now();
        BitBlt(screen.get(), 0, 0, kWidth, kHeight, memory.get(), 0, 0, SRCCOPY);
        GdiFlush();
        times.push_back(MillisecondsSince(start));
    }
    SelectObject(memory.get(), old);
    return times;
}

// --- Where the time goes: the parts of an open and of a drag step, each
// timed alone (the designer's own handler runs them one after the other).

struct Part {
    std::string label;
    std::vector<double> ms;
};

void TimePart(Part& part, const std::function<void()>& work) {
    const auto start = Clock::now();
    work();
    part.ms.push_back(MillisecondsSince(start));
}

void RefillProblems(TDesignerForm& form, const std::vector<Problem>& problems) {
    TListBox* list = form.ProblemsList();
    list->Items()->Clear();
    for (const Problem& problem : problems)
        list->Items()->Add((problem.severity == Severity::Error ? "Error: " : "Warning: ") +
                           problem.Format());
    if (problems.empty())
        list->Items()->Add("No problems: the launcher takes this menu.");
}

std::vector<Part> ProfileOpen(DesignerUnderTest& designer, const std::string& menu) {
    TDesignerForm& form = designer.Form();
    std::vector<Part> parts = {{"document: read the folder (no window)", {}},
                               {"document: the model's checks (Problems)", {}},
                               {"canvas: Rebuild, then painted", {}},
                               {"property panel: rebuilt (window), painted", {}},
                               {"problems list: refilled, then painted", {}},
                               {"whole: the form's OpenFolder, not painted", {}},
                               {"whole: then the queue and the paint", {}},
                               {"whole: the document's Open (all handlers)", {}},
                               {"whole: then the queue and the paint", {}},
                               {"of the panel: ScreenFontNames (font row)", {}},
                               {"property panel: rebuilt (a button), painted", {}}};
    form.Document().Open(menu); // a drag before left it modified: no question box
    for (int i = 0; i < gProfileRuns; ++i) {
        PaintNow(form.Handle());
        TimePart(parts[0], [&] {
            DesignDocument document;
            document.Open(menu);
        });
        std::vector<Problem> problems;
        TimePart(parts[1], [&] { problems = form.Document().Problems(); });
        TimePart(parts[2], [&] {
            form.Canvas()->Rebuild();
            PaintNow(form.Handle());
        });
        TimePart(parts[3], [&] {
            form.Properties()->RequestRebuild();
            PaintNow(form.Handle());
        });
        TimePart(parts[4], [&] {
            RefillProblems(form, problems);
            PaintNow(form.Handle());
        });
        TimePart(parts[5], [&] { form.OpenFolder(menu); });
        TimePart(parts[6], [&] { PaintNow(form.Handle()); });
        TimePart(parts[7], [&] { form.Document().Open(menu); });
        TimePart(parts[8], [&] { PaintNow(form.Handle()); });
        TimePart(parts[9], [&] { ScreenFontNames(); });
        form.Document().Select(kDragged);
        PaintNow(form.Handle());
        TimePart(parts[10], [&] {
            form.Properties()->RequestRebuild();
            PaintNow(form.Handle());
        });
    }
    return parts;
}

// The canvas's Rebuild step by step with the launcher's construction code,
// on a borderless form of the menu's size instead of the canvas.
std::vector<Part> ProfileConstruction(DesignerUnderTest& designer) {
    std::vector<Part> parts = {{"menu content from the document", {}},
                               {"CreateMenuControls", {}},
                               {"LoadMenuBackground", {}},
                               {"BuildMenuControls", {}},
                               {"painted", {}},
                               {"freed", {}}};
    std::unique_ptr<TForm> host(new TForm(Application));
    host->SetBorderStyle(bsNone);
    host->SetBounds(0, 0, kWidth, kHeight);
    host->Show();
    const DesignDocument& document = designer.Form().Document();
    for (int i = 0; i < gProfileRuns; ++i) {
        PaintNow(host->Handle());
        std::unique_ptr<TDocumentMenuContent> content;
        TimePart(parts[0],
                 [&] { content = std::make_unique<TDocumentMenuContent>(document.Menu()); });
        auto owner = std::make_unique<TComponent>(nullptr);
        TMenuControls controls;
        TimePart(parts[1], [&] { controls = CreateMenuControls(owner.get(), host.get()); });
        TimePart(parts[2], [&] { LoadMenuBackground(controls, *content); });
        TimePart(parts[3], [&] { BuildMenuControls(controls, *content, true, 0); });
        TimePart(parts[4], [&] { PaintNow(host->Handle()); });
        TimePart(parts[5], [&] {
            owner.reset();
            PaintNow(host->Handle());
        });
    }
    return parts;
}

// The drag again, with the document's change handler replaced by one that
// does the designer's work for a move part by part (the title's menu items
// left out). Run last: the designer's own handler is not put back.
std::vector<Part> ProfileDragStep(DesignerUnderTest& designer, DragFigures& total) {
    TDesignerForm& form = designer.Form();
    DesignDocument& document = form.Document();
    std::vector<Part> parts = {{"canvas: DocumentChanged (place + frame)", {}},
                               {"property panel: Refresh", {}},
                               {"document: the model's checks (Problems)", {}},
                               {"problems list: refilled", {}},
                               {"title: SetCaption", {}}};
    document.OnChange([&](const DesignChange& change) {
        if (change.Has(DesignChange::Selection) || change.Has(DesignChange::All))
            form.Properties()->RequestRebuild(); // as the designer does: the press selects
        if (!change.Has(DesignChange::Lines))
            return;
        TimePart(parts[0], [&] { form.Canvas()->DocumentChanged(change); });
        TimePart(parts[1], [&] { form.Properties()->Refresh(); });
        std::vector<Problem> problems;
        TimePart(parts[2], [&] { problems = document.Problems(); });
        TimePart(parts[3], [&] { RefillProblems(form, problems); });
        TimePart(parts[4],
                 [&] { form.SetCaption(document.DisplayName() + " * - " + kDesignerTitle); });
    });
    total = MeasureDrag(designer);
    document.OnChange(nullptr);
    return parts;
}

void PrintParts(const char* title, const std::vector<Part>& parts) {
    std::printf("%s\n", title);
    for (const Part& part : parts)
        if (!part.ms.empty())
            std::printf("  %-46s %9.2f %9.2f %9.2f\n", part.label.c_str(), Median(part.ms),
                        Min(part.ms), Max(part.ms));
}

const char* Verdict(bool met) {
    return met ? "met" : "NOT MET";
}

void PrintRow(const char* label, const std::vector<double>& ms) {
    std::printf("  %-46s %9.2f %9.2f %9.2f\n", label, Median(ms), Min(ms), Max(ms));
}

void Report(const StartFigures& starts, const DragFigures& drag, const std::vector<double>& copy,
            SIZE copyShown, int rounds) {
    std::printf("designer benchmark: menu with a %dx%d background, screen %dx%d\n", kWidth, kHeight,
                GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    std::printf("shown on screen: designer canvas %ldx%ld, launcher client %ldx%ld, copy "
                "target %ldx%ld (launcher in %s mode)\n\n",
                starts.designerCanvas.cx, starts.designerCanvas.cy, starts.launcherClient.cx,
                starts.launcherClient.cy, copyShown.cx, copyShown.cy,
                starts.launcherLaunchMode ? "launch" : "requirement");

    std::printf("  %-46s %9s %9s %9s\n", "milliseconds", "median", "min", "max");
    std::printf("%d rounds, alternating:\n", rounds);
    PrintRow("(a) designer: open folder to painted canvas", starts.designer);
    PrintRow("(b) launcher: start-up to first paint", starts.launcher);
    const double openRatio = Median(starts.designer) / Median(starts.launcher);
    std::printf("  ratio (a)/(b), medians: %.2fx (min/min %.2fx)   goal at most %.1fx: %s\n\n",
                openRatio, Min(starts.designer) / Min(starts.launcher), kOpenGoal,
                Verdict(openRatio <= kOpenGoal));

    std::printf("%zu drag steps of the button, %d copies:\n", drag.step.size(), kCopies);
    PrintRow("(c) drag step: move to repainted canvas", drag.step);
    PrintRow("    of it: the canvas's filter (model+handlers)", drag.filter);
    PrintRow("    of it: the final update (RDW_UPDATENOW)", drag.update);
    PrintRow("plain 1920x1080 BitBlt, memory DC to window", copy);
    const double dragMedian = Median(drag.step);
    const long over = std::count_if(drag.step.begin(), drag.step.end(),
                                    [](double ms) { return ms >= kDragGoalMs; });
    std::printf("  ratio drag step / plain copy, medians: %.2fx\n", dragMedian / Median(copy));
    std::printf("  goal drag step under %.0f ms (median): %s; steps at or over %.0f ms: %ld of "
                "%zu\n",
                kDragGoalMs, Verdict(dragMedian < kDragGoalMs), kDragGoalMs, over,
                drag.step.size());
    std::printf("  checks: button misplaced after %d steps; extra pointer moves seen: %d\n",
                drag.misplaced, drag.extraMoves);
}

int Run(int rounds) {
    RecentMenusKept recent;
    Folders folders;
    MakeMenu(folders);
    DesignerUnderTest designer(folders.menu.string());
    const StartFigures starts = MeasureStarts(designer, folders, rounds);
    const DragFigures drag = MeasureDrag(designer);
    SIZE copyShown{};
    const std::vector<double> copy = MeasurePlainCopy(copyShown);
    Report(starts, drag, copy, copyShown, rounds);

    std::printf("\nwhere the time goes (milliseconds: median, min, max):\n");
    const std::string runs = " (" + std::to_string(gProfileRuns) + " runs):";
    PrintParts(("an open, part by part" + runs).c_str(),
               ProfileOpen(designer, folders.menu.string()));
    PrintParts(("the canvas's menu construction, step by step" + runs).c_str(),
               ProfileConstruction(designer));
    DragFigures profiled;
    const std::vector<Part> dragParts = ProfileDragStep(designer, profiled);
    PrintParts("a drag step, part by part:", dragParts);
    std::printf("  %-46s %9.2f %9.2f %9.2f\n", "the whole step, with the parts timed",
                Median(profiled.step), Min(profiled.step), Max(profiled.step));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    int rounds = 10;
    if (argc > 1) {
        rounds = std::atoi(argv[1]);
        if (rounds < 1 || rounds > 1000) {
            std::fprintf(stderr, "rounds must be 1 to 1000\n");
            return 2;
        }
    }
    gProfileRuns = std::min(rounds, 5);
    gDragSteps = std::min(kDragSteps, 20 * rounds);
    InitFormatSettingsFromLocale();
    FileHandle watchdog(CreateThread(nullptr, 0, Watchdog, nullptr, 0, nullptr));
    if (!watchdog.get()) {
        std::fprintf(stderr, "designer_bench: cannot start the watchdog thread\n");
        return 1;
    }
    try {
        return Run(rounds);
    } catch (const Exception& error) {
        std::fprintf(stderr, "designer_bench: %s\n", error.Message().c_str());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "designer_bench: %s\n", error.what());
    }
    return 1;
}
