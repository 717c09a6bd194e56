// The menu designer's program entry: Designer.exe [MENU_FOLDER].
#include <windows.h>

#include <cstdlib>

#include "designer/app/DesignerForm.h"
#include "framework/system/Locale.h"
#include "framework/ui/Application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    InitFormatSettingsFromLocale();
    Application->Initialize();
    Application->SetTitle(kDesignerTitle);
    TDesignerForm* form = nullptr;
    Application->CreateForm(form);
    if (__argc > 1)
        form->OpenFolder(__argv[1]);
    Application->Run();
    return 0;
}
