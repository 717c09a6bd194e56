// A glass form with three shaped buttons, every picture drawn in code: what the
// shaped-skin library's glass looks like. Drag the form with the left button; "Quit"
// ends the program.
//
// Options (for trying it out and for the test suite's screenshot check):
//   --emulate          blend with a captured screen picture even where the system
//                      could make the window layered
//   --at=X,Y           place the form's top-left corner at X,Y (default: centred)
//   --close-after=MS   end by itself MS milliseconds after the form was first activated
//   --ready-file=PATH  write PATH once the form has been activated and painted
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"
#include "framework/system/PlatformCalls.h"
#include "framework/ui/Application.h"
#include "framework/ui/Screen.h"
#include "skin/OvalynShapeButton.h"
#include "skin/OvalynShapeGlassForm.h"
#include "skin/OvalynSkin.h"

namespace {

struct TDemoOptions {
    bool Emulate = false;
    bool Placed = false;
    int Left = 0;
    int Top = 0;
    int CloseAfter = 0; // milliseconds; 0 = stay until Quit
    std::string ReadyFile;
};

TDemoOptions Options;

// Hides the layered-window call, so that the glass form emulates the glass itself.
class TWithoutLayeredWindows : public TPlatformCalls {
public:
    FARPROC GetProcAddress(HMODULE module, const char* procName) override {
        if (procName && std::strcmp(procName, "SetLayeredWindowAttributes") == 0)
            return nullptr;
        return TPlatformCalls::GetProcAddress(module, procName);
    }
};

// The colours the screenshot check looks for: flat areas of the skin and a button.
constexpr uint32_t kBandColour = 0x2878C8; // red 40, green 120, blue 200
constexpr uint32_t kWhite = 0xFFFFFF;

void PutPixel(TBitmap& picture, int x, int y, uint32_t rgb) {
    uint8_t* p = picture.ScanLine(y) + 3 * x;
    p[0] = static_cast<uint8_t>(rgb);
    p[1] = static_cast<uint8_t>(rgb >> 8);
    p[2] = static_cast<uint8_t>(rgb >> 16);
}

std::unique_ptr<TBitmap> NewPicture(int width, int height) {
    auto picture = std::make_unique<TBitmap>();
    picture->SetPixelFormat(pf24bit);
    picture->SetSize(width, height);
    return picture;
}

// Inside a rectangle with rounded corners of the given radius.
bool InRoundedRect(int x, int y, int width, int height, int radius) {
    const int cx = x < radius ? radius : (x >= width - radius ? width - radius - 1 : x);
    const int cy = y < radius ? radius : (y >= height - radius ? height - radius - 1 : y);
    const int dx = x - cx, dy = y - cy;
    return dx * dx + dy * dy <= radius * radius;
}

// The form's skin: a rounded slab with a flat title band and a soft gradient below;
// white around it is cut away.
std::unique_ptr<TBitmap> SkinPicture() {
    constexpr int width = 360, height = 220;
    auto picture = NewPicture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint32_t rgb = kWhite;
            if (InRoundedRect(x, y, width, height, 36)) {
                if (y >= 20 && y < 60 && x >= 30 && x < width - 30)
                    rgb = kBandColour;
                else
                    rgb = (20 + y / 4) << 16 | (60 + y / 3) << 8 | (110 + x / 4);
            }
            PutPixel(*picture, x, y, rgb);
        }
    return picture;
}

// A capsule-shaped button face of one colour on white.
std::unique_ptr<TBitmap> ButtonPicture(uint32_t rgb) {
    constexpr int width = 96, height = 40;
    auto picture = NewPicture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            PutPixel(*picture, x, y, InRoundedRect(x, y, width, height, 19) ? rgb : kWhite);
    return picture;
}

uint32_t Lighter(uint32_t rgb) {
    uint32_t out = 0;
    for (int shift : {0, 8, 16}) {
        const uint32_t c = (rgb >> shift) & 0xFF;
        out |= (c + (255 - c) / 3) << shift;
    }
    return out;
}

class TGlassDemoForm : public TOvalynShapeGlassForm {
public:
    explicit TGlassDemoForm(TComponent* owner) : TOvalynShapeGlassForm(owner) {
        SetCaption("Glass demo");
        auto skin = SkinPicture();
        Skin()->Assign(skin.get());
        AddButton("PlayButton", "Play", 24, 150, 0x30A050);
        AddButton("InfoButton", "Info", 132, 150, 0xD08020);
        TOvalynShapeButton* quit = AddButton("QuitButton", "Quit", 240, 150, 0xC03040);
        quit->OnClick = [this](TObject*) { Close(); };
        if (Options.Placed)
            SetBounds(Options.Left, Options.Top, Width(), Height());
        else
            SetBounds((Screen->Width() - Width()) / 2, (Screen->Height() - Height()) / 2, Width(),
                      Height());
        OnActivate = [this](TObject*) { FirstActivation(); };
    }

private:
    TOvalynShapeButton* AddButton(const char* name, const char* caption, int left, int top,
                                  uint32_t rgb) {
        auto* button = new TOvalynShapeButton(this);
        button->SetName(name);
        button->SetParent(this);
        button->SetLeft(left);
        button->SetTop(top);
        auto normal = ButtonPicture(rgb);
        auto over = ButtonPicture(Lighter(rgb));
        auto pressed = ButtonPicture(Lighter(Lighter(rgb)));
        button->SetMask(normal.get());
        button->SetOverBmp(over.get());
        button->SetPressedBmp(pressed.get());
        button->SetCaption(caption);
        button->Font()->SetColor(static_cast<TColor>(0xFFFFFF));
        button->Font()->SetStyle(TFontStyles{fsBold});
        return button;
    }

    // The glass is captured after OnActivate returns; the timers start from here.
    void FirstActivation() {
        if (activated_)
            return;
        activated_ = true;
        if (!Options.ReadyFile.empty())
            SetTimer(Handle(), kReadyTimer, 700, &TGlassDemoForm::Tick);
        if (Options.CloseAfter > 0)
            SetTimer(Handle(), kCloseTimer, static_cast<UINT>(Options.CloseAfter),
                     &TGlassDemoForm::Tick);
    }

    static void CALLBACK Tick(HWND window, UINT, UINT_PTR id, DWORD) {
        KillTimer(window, id);
        if (id == kReadyTimer) {
            // Every pending paint first, so the file means "what you see is done".
            UpdateWindow(window);
            if (FILE* file = std::fopen(Options.ReadyFile.c_str(), "w")) {
                std::fputs("ready\n", file);
                std::fclose(file);
            }
        } else if (id == kCloseTimer) {
            Application->Terminate();
        }
    }

    static constexpr UINT_PTR kReadyTimer = 1;
    static constexpr UINT_PTR kCloseTimer = 2;
    bool activated_ = false;
};

bool StartsWith(const char* text, const char* prefix, const char*& rest) {
    const size_t n = std::strlen(prefix);
    if (std::strncmp(text, prefix, n) != 0)
        return false;
    rest = text + n;
    return true;
}

void ReadOptions(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const char* value = nullptr;
        if (std::strcmp(argv[i], "--emulate") == 0) {
            Options.Emulate = true;
        } else if (StartsWith(argv[i], "--at=", value)) {
            Options.Placed = std::sscanf(value, "%d,%d", &Options.Left, &Options.Top) == 2;
        } else if (StartsWith(argv[i], "--close-after=", value)) {
            Options.CloseAfter = std::atoi(value);
        } else if (StartsWith(argv[i], "--ready-file=", value)) {
            Options.ReadyFile = value;
        }
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    ReadOptions(__argc, __argv);
    TWithoutLayeredWindows withoutLayered;
    if (Options.Emulate)
        SetPlatform(&withoutLayered);
    Application->Initialize();
    Application->SetTitle("Glass demo");
    TGlassDemoForm* form = nullptr;
    Application->CreateForm(form);
    Application->Run();
    delete Application; // the forms go with it, while the platform calls are still set
    Application = nullptr;
    SetPlatform(nullptr);
    return 0;
}
