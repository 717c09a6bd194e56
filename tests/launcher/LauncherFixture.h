// A launcher under test: a folder of its own with a container and maybe a
// "Config.log", a fresh application object, the recording platform seam, a
// controlled DirectX registry value, a fake Shift key and a local application
// data folder inside the test's folder (so per-user files go with it).
// Start() creates Form1 as the program entry does, which runs the whole
// start-up.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "DirectXKey.h"
#include "framework/system/RecordingPlatform.h"

class TApplication;
class TOvalynShapeButton;
class TWinControl;

class LauncherFixture : public ::testing::Test {
protected:
    LauncherFixture();
    ~LauncherFixture() override;
    void SetUp() override;
    void TearDown() override;

    // A configuration list whose every line holds a valid value: DirectX
    // "4.09", groups 1 to 4 shown, three options, no sounds.
    static std::vector<std::string> BaseConfig();
    // The entries 2 to 8 that go with it: notice text and small pictures.
    static std::vector<std::string> BaseEntries();

    // Makes folder (with its trailing backslash) the launcher's folder.
    void UseFolder(const std::string& folder);
    void WriteConfigLog(const std::string& text);
    std::string ConfigLogText() const; // "" when there is none
    bool ConfigLogExists() const;
    // Writes the container from Config and Entries (unless NoContainer) and
    // creates Form1.
    void Start();
    // The launcher's next run in the same folder: a fresh application object
    // and launcher state, no recorded calls, then Start().
    void Restart();

    // The per-user "Config.log" of the launcher's folder.
    std::string UserFile() const;
    // A folder named "Config.log" beside the executable refuses every write
    // of the file and is no file to read, as on a read-only medium.
    void MakeFolderUnwritable();

    TOvalynShapeButton* Button(int n) const;
    // A left click delivered as window messages, so the framework's own
    // handling (and its error box for escaping errors) takes part.
    static void Click(TWinControl* control);

    // Recorded calls.
    std::vector<std::string> Sounds() const; // "NAME/flags" per PlaySoundA
    std::vector<TRecordedCall> Boxes() const { return Platform.CallsOf("MessageBoxA"); }
    std::string LastBoxText() const;
    bool Terminated() const;

    std::vector<std::string> Config = BaseConfig();
    std::vector<std::string> Entries = BaseEntries();
    bool NoContainer = false;
    bool ShiftHeld = false;
    std::string Folder;        // with its trailing backslash
    std::string AppDataFolder; // what SHGetFolderPathA answers
    TRecordingPlatform Platform;
    std::unique_ptr<TDirectXKey> DirectX;

private:
    std::string rootFolder_;
    std::unique_ptr<ScopedPlatform> scopedPlatform_;
    std::unique_ptr<TApplication> application_;
    TApplication* savedApplication_ = nullptr;
};

// The texts the runtime uses for its errors.
inline const std::string kRangeErrorText = "Fehler bei Bereichspr\xFC"
                                           "fung";
