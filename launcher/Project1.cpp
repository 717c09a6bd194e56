// The launcher's program entry: the application object, the one main window
// Form1 (whose creation runs the whole start-up), and the message loop.
#include <windows.h>

#include "framework/system/Locale.h"
#include "framework/ui/Application.h"
#include "launcher/Unit1.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    InitFormatSettingsFromLocale();
    Application->Initialize();
    Application->CreateForm(Form1);
    Application->Run();
    return 0;
}
