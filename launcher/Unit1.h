// Unit1: the launcher's main window TForm1, its stored layout, the launcher's
// unit-level state, the start-up sequence, the menu construction and every
// command and event handler.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "framework/ui/Form.h"

class TComboBox;
class TImage;
class TKRVAAppendix;
class TMemo;
class TMemoryStream;
class TOvalynShapeButton;
class TOvalynShapeCheckBoxButton;
class TStringList;
struct TMenuControls;

class TForm1 : public TForm {
public:
    // Builds the stored layout: every component below exists, with its
    // initial properties and event bindings, before FormCreate runs.
    explicit TForm1(TComponent* owner);
    const char* ClassName() const override { return "TForm1"; }

    // Components, owned by the form (freed with it).
    TImage* Image1;
    TOvalynShapeButton* OvalynShapeButton1;
    TOvalynShapeButton* OvalynShapeButton2;
    TOvalynShapeButton* OvalynShapeButton3;
    TOvalynShapeButton* OvalynShapeButton4;
    TOvalynShapeButton* OvalynShapeButton5;
    TOvalynShapeButton* OvalynShapeButton6;
    TOvalynShapeButton* OvalynShapeButton7;
    TOvalynShapeButton* OvalynShapeButton8;
    TOvalynShapeButton* OvalynShapeButton9;
    TOvalynShapeButton* OvalynShapeButton10;
    TOvalynShapeCheckBoxButton* OvalynShapeCheckBoxButton1;
    TMemo* Memo1;
    TComboBox* ComboBox1;
    TComboBox* ComboBox2;
    TKRVAAppendix* KRVAAppendix1;

    // Event handlers. The buttons' click and press handlers are entries into
    // the table of button actions.
    void FormCreate(TObject* sender);
    void FormShow(TObject* sender);
    void OvalynShapeButton1Click(TObject* sender);
    void OvalynShapeButton2Click(TObject* sender);
    void OvalynShapeButton3Click(TObject* sender);
    void OvalynShapeButton4Click(TObject* sender);
    void OvalynShapeButton1MouseEnter(TObject* sender);
    void OvalynShapeButton1MouseLeave(TObject* sender);
    void OvalynShapeButton1MouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x,
                                     int y);
    void OvalynShapeButton2MouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x,
                                     int y);
    void OvalynShapeCheckBoxButton1Click(TObject* sender);
    void ComboBox1Click(TObject* sender);

    // What a click on the button of group 1 to 10 does, by its row in the
    // table of button actions.
    void ButtonClick(int group);

    // The start-up's missing-container road: beep, error box, termination.
    void ContainerMissing();
    // Turns the initial layout into the configured menu (once, in FormCreate).
    void BuildMenuWindow();
    void BuildControls();
    // Adds the option lines' names to ComboBox1 and selects SavedOption.
    void FillOptionList();
    // Starts the configured program with the chosen option, writes
    // "Config.log" and ends the launcher. A program that does not start is
    // reported in the error box, and the menu stays without a write.
    void LaunchProgram();
    // Writes "Config.log" beside the executable, else in the per-user file;
    // raises EConfigLogError when neither can be written.
    void SaveConfigLog();
    // Writes "Config.log" and ends the launcher; a choice that cannot be
    // kept is reported first.
    void SaveAndQuit();

private:
    class TContainerMenuContent;
    // The menu's components as the shared menu construction takes them.
    TMenuControls Controls() const;
    // Entry fileNo of the container, descrambled; owned by the caller.
    std::unique_ptr<TMemoryStream> ExtractEntry(uint8_t fileNo);
    void ReadConfigLog();
    void SetUpSounds();
    void StartDirectly();
    // Starts the configured program; false, after the error box, when it
    // does not start.
    bool StartConfiguredProgram();
    // Opens target with the shell's "open"; false, after the error box, when
    // the shell cannot.
    bool OpenWithShell(const std::string& target);
};

extern TForm1* Form1;

// The launcher state: one set per process, read and changed by TForm1.
extern std::unique_ptr<TStringList> ConfigList; // the configuration list
extern bool AutoStart;      // "Config.log" line 0 is "-1": start the program directly
extern bool RememberChoice; // written as "Config.log" line 0; follows the check box
extern int8_t SavedOption;  // option index from "Config.log" line 2
extern bool DirectXOk;      // the installed DirectX version is not below line 0
extern bool EnterSoundOn, DownSoundOn, LeaveSoundOn;
extern std::string EnterSound, DownSound, LeaveSound;

// Puts the launcher state back to its values at process start.
void ResetLauncherState();

// Where "Config.log" and "L-Ctnr.ctr" are and programs are found: the
// executable folder, unless a test points this at a folder of its own.
extern std::string LauncherFolderOverride;
std::string LauncherFolder();

// Whether Shift is held at start (the way back from the direct start). Tests
// replace it; the default asks the keyboard.
extern std::function<bool()> ShiftKeyHeld;
