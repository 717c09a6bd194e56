// Opening, saving and building: the demo menu saved by the designer builds
// the very container its own folder builds; a failed save keeps the previous
// menu.ini; the modified mark follows the undo stack's clean index.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "authoring/FileBytes.h"
#include "authoring/MenuBuild.h"
#include "designer/model/DesignDocument.h"
#include "designer/model/DesignError.h"

namespace fs = std::filesystem;

namespace {

const SettingInfo& Row(SettingId id) {
    return Setting(id);
}

std::vector<uint8_t> FileBytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {});
}

std::vector<uint8_t> Built(const fs::path& folder, const fs::path& out) {
    const MenuBuild build = BuildMenu(folder.string(), true);
    EXPECT_EQ(build.stop, MenuBuild::Stop::None)
        << ::testing::PrintToString(FormatAll(build.problems));
    WriteContainerFile(build.container, out.string());
    return FileBytes(out);
}

struct DocumentFilesTest : ::testing::Test {
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        temp = fs::temp_directory_path() /
               (std::string("designer-model-") + info->name() + "-" +
                std::to_string(reinterpret_cast<uintptr_t>(this) % 100000));
        fs::remove_all(temp);
        fs::create_directories(temp);
    }
    void TearDown() override {
        std::error_code error;
        fs::permissions(temp, fs::perms::owner_all, fs::perm_options::add, error);
        fs::remove_all(temp, error);
    }
    fs::path temp;
    const fs::path demo = fs::path(OVALYN_SOURCE_DIR) / "demo" / "menu";
};

TEST_F(DocumentFilesTest, TheDemoSavedElsewhereBuildsTheSameContainer) {
    DesignDocument document;
    const std::vector<Problem> problems = document.Open(demo.string());
    EXPECT_TRUE(problems.empty()) << FormatAll(problems).front();
    EXPECT_FALSE(document.Modified());
    EXPECT_EQ(document.DisplayName(), "menu");
    document.SaveAs((temp / "copy").string());
    EXPECT_EQ(document.Folder(), (temp / "copy").string());
    EXPECT_EQ(FileBytes(temp / "copy" / "background.png"), FileBytes(demo / "background.png"))
        << "an unchanged picture is copied as the author made it";
    EXPECT_EQ(Built(temp / "copy", temp / "copy.ctr"), Built(demo, temp / "demo.ctr"));

    // BuildContainer writes what ctrpack build writes for the saved folder.
    document.BuildContainer((temp / "designer.ctr").string());
    EXPECT_EQ(FileBytes(temp / "designer.ctr"), FileBytes(temp / "demo.ctr"));
}

TEST_F(DocumentFilesTest, EditsSavedAndReopenedComeBackAndBuildAsTheyShow) {
    DesignDocument document;
    document.Open(demo.string());
    document.SaveAs((temp / "menu").string());
    document.MoveTo(ElementId::Launch, {100, 120});
    document.SetValue(Row(SettingId::LaunchCaption), "Play");
    document.SetValue(Row(SettingId::OptionsColor), "#102030");
    document.AddOption({"Windowed 2", "-w2"});
    document.SetNoticeText("New notice\r\n");
    document.ReplacePicture(PictureRole::Background, (demo / "button.png").string());
    EXPECT_TRUE(document.Modified());
    EXPECT_THROW(document.BuildContainer((temp / "early.ctr").string()), DesignError)
        << "a modified document is saved before it is built";
    document.Save();
    EXPECT_FALSE(document.Modified());
    EXPECT_EQ(document.Menu().Picture(PictureRole::Background).fileName, "button.bmp");
    // Another picture from a file of the same name keeps the first one's file.
    fs::create_directories(temp / "other");
    fs::copy_file(demo / "checkbox.png", temp / "other" / "button.png");
    document.ReplacePicture(PictureRole::CheckBoxTicked, (temp / "other" / "button.png").string());
    EXPECT_EQ(document.Menu().Picture(PictureRole::CheckBoxTicked).fileName, "button-2.bmp");
    document.Save();

    DesignDocument reopened;
    EXPECT_TRUE(reopened.Open((temp / "menu").string()).empty());
    EXPECT_EQ(reopened.Menu().ConfigurationList(), document.Menu().ConfigurationList());
    EXPECT_EQ(reopened.Menu().Entries(), document.Menu().Entries());
    EXPECT_EQ(reopened.Menu().Text(SettingId::LaunchLeft), "100");
    EXPECT_EQ(reopened.Menu().Text(SettingId::OptionCount), "4");
    reopened.BuildContainer((temp / "menu.ctr").string());
    EXPECT_EQ(FileBytes(temp / "menu.ctr"), Built(temp / "menu", temp / "again.ctr"));
}

TEST_F(DocumentFilesTest, ModifiedFollowsUndoRedoAndSave) {
    DesignDocument document;
    int folderChanges = 0;
    document.OnChange([&](const DesignChange& change) {
        folderChanges += change.Has(DesignChange::Folder) ? 1 : 0;
    });
    document.NewFromStarter((temp / "new").string());
    EXPECT_EQ(folderChanges, 1);
    EXPECT_FALSE(document.Modified());
    document.SetValue(Row(SettingId::WindowCaption), "Saved");
    document.Save();
    EXPECT_FALSE(document.Modified());
    document.SetValue(Row(SettingId::WindowCaption), "Later");
    EXPECT_TRUE(document.Modified());
    document.Undo();
    EXPECT_FALSE(document.Modified()) << "back at the saved state";
    document.Undo();
    EXPECT_TRUE(document.Modified());
    document.Redo();
    EXPECT_FALSE(document.Modified());
    document.SetValue(Row(SettingId::WindowCaption), "Saved too", EditStep::Continue);
    EXPECT_EQ(document.UndoStack().Count(), 2u) << "a save in between is never merged across";
}

TEST_F(DocumentFilesTest, AFailedSaveLeavesThePreviousMenuIniIntact) {
    DesignDocument document;
    document.NewFromStarter((temp / "menu").string());
    const std::vector<uint8_t> before = FileBytes(temp / "menu" / "menu.ini");
    document.SetValue(Row(SettingId::WindowCaption), "Unsaved");

    // A target that is a file.
    std::ofstream(temp / "file").put('x');
    EXPECT_THROW(document.SaveAs((temp / "file").string()), DesignError);
    EXPECT_TRUE(document.Modified());
    EXPECT_EQ(document.Folder(), (temp / "menu").string());

    // A folder that cannot be written (as root, permissions do not stop writes).
    fs::permissions(temp / "menu",
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    std::ofstream probe(temp / "menu" / "probe");
    const bool writable = probe.good();
    probe.close();
    if (writable) {
        fs::permissions(temp / "menu", fs::perms::owner_all, fs::perm_options::add);
        // Instead: menu.ini is a folder, so no file can be renamed over it.
        fs::rename(temp / "menu" / "menu.ini", temp / "menu.ini.kept");
        fs::create_directory(temp / "menu" / "menu.ini");
        EXPECT_THROW(document.Save(), DesignError);
        fs::remove(temp / "menu" / "menu.ini");
        fs::rename(temp / "menu.ini.kept", temp / "menu" / "menu.ini");
    } else {
        EXPECT_THROW(document.Save(), DesignError);
        fs::permissions(temp / "menu", fs::perms::owner_all, fs::perm_options::add);
    }
    EXPECT_EQ(FileBytes(temp / "menu" / "menu.ini"), before);
    EXPECT_TRUE(document.Modified());
    for (const auto& entry : fs::directory_iterator(temp / "menu"))
        EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos)
            << "left behind: " << entry.path();
}

TEST_F(DocumentFilesTest, ContainersOpenIntoAnEmptyFolderOnly) {
    const fs::path container = temp / "demo.ctr";
    Built(demo, container);
    fs::create_directories(temp / "busy");
    std::ofstream(temp / "busy" / "mine.txt") << "an author's file";
    DesignDocument document;
    EXPECT_THROW(document.OpenContainer(container.string(), (temp / "busy").string()), DesignError);
    EXPECT_TRUE(document.Untitled());

    document.OpenContainer(container.string(), (temp / "taken").string());
    EXPECT_EQ(document.Folder(), (temp / "taken").string());
    EXPECT_TRUE(fs::exists(temp / "taken" / "menu.ini"));
    document.BuildContainer((temp / "rebuilt.ctr").string());
    EXPECT_EQ(FileBytes(temp / "rebuilt.ctr"), FileBytes(container));

    EXPECT_THROW(document.NewFromStarter((temp / "taken").string()), DesignError);
    EXPECT_THROW(document.Open((temp / "nowhere").string()), DesignError);
}

TEST_F(DocumentFilesTest, NumberedFoldersOpenUntitledAndSaveAsMenuIni) {
    const fs::path container = temp / "demo.ctr";
    Built(demo, container);
    fs::create_directories(temp / "numbered");
    int n = 0;
    for (const std::vector<uint8_t>& entry : BuildMenu(demo.string(), true).source.menu.Entries())
        std::ofstream(temp / "numbered" / (std::to_string(++n) + "-entry"), std::ios::binary)
            .write(reinterpret_cast<const char*>(entry.data()),
                   static_cast<std::streamsize>(entry.size()));
    DesignDocument document;
    document.Open((temp / "numbered").string());
    EXPECT_TRUE(document.Untitled());
    EXPECT_EQ(document.DisplayName(), "Untitled");
    EXPECT_THROW(document.Save(), DesignError);
    document.SaveAs((temp / "named").string());
    EXPECT_TRUE(fs::exists(temp / "named" / "background.bmp"));
    EXPECT_EQ(Built(temp / "named", temp / "named.ctr"), FileBytes(container));
}

TEST_F(DocumentFilesTest, ProblemsNameTheLineAndTheElementToSelect) {
    DesignDocument document;
    document.NewFromStarter((temp / "menu").string());
    EXPECT_TRUE(document.Problems().empty()) << FormatAll(document.Problems()).front();
    document.ReplacePicture(PictureRole::ButtonPressed, (demo / "background.png").string());
    const std::vector<Problem> problems = document.Problems();
    ASSERT_FALSE(problems.empty());
    EXPECT_NE(problems.front().text.find("must have one size"), std::string::npos)
        << problems.front().Format();
    EXPECT_THROW(document.ReplacePicture(PictureRole::Background, (temp / "none.png").string()),
                 DesignError);
}

} // namespace
