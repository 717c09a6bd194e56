// The designer's Build medium fields turned into a medium by ctrpack's own
// code: the form's defaults and blanks, the refusal lines that match the
// command line's, and nothing written when the medium is refused.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "designer/model/DesignError.h"
#include "designer/model/MediumRequest.h"
#include "tests/runtime/TempFolder.h"

namespace fs = std::filesystem;

namespace {

const std::string kDemoMenu = (fs::path(OVALYN_SOURCE_DIR) / "demo" / "menu").string();

std::string Text(const std::vector<uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

class MediumRequest : public ::testing::Test {
protected:
    void SetUp() override {
        launcher = work.Write("Launcher.exe", std::string("MZ launcher"));
        fs::create_directories(work.File("content"));
        work.Write("content/DemoApp.exe", std::string("MZ demo program"));
    }

    MediumFields Fields() const {
        MediumFields fields;
        fields.outFolder = work.File("medium");
        fields.content = work.File("content");
        return fields;
    }

    // The refusal's text; fails the test when the medium was built.
    std::string Refusal(const MediumFields& fields) {
        try {
            BuildMediumFromFields(fields, kDemoMenu, launcher);
        } catch (const DesignError& error) {
            return error.what();
        }
        ADD_FAILURE() << "the medium was built";
        return {};
    }

    TempFolder work;
    std::string launcher;
};

TEST_F(MediumRequest, LaysOutTheMediumWithTheNamesGivenAndSaysWhere) {
    MediumFields fields = Fields();
    fields.launcherName = "  Setup.exe ";
    fields.label = "OVALYN\t";
    fields.outFolder = "  " + fields.outFolder + " ";
    const std::string report = BuildMediumFromFields(fields, kDemoMenu, launcher);
    EXPECT_EQ(report.rfind("The medium is in " + work.File("medium") + " (start Setup.exe).", 0),
              0u)
        << report;
    for (const char* name : {"Setup.exe", "L-Ctnr.ctr", "autorun.inf", "DemoApp.exe"})
        EXPECT_TRUE(fs::is_regular_file(work.File("medium") + "/" + name)) << name;
    const std::string autorun = Text(ReadWholeFile(work.File("medium/autorun.inf")));
    EXPECT_NE(autorun.find("open=Setup.exe"), std::string::npos) << autorun;
    EXPECT_NE(autorun.find("label=OVALYN\r\n"), std::string::npos) << autorun;
}

TEST_F(MediumRequest, ABlankLauncherNameIsLauncherExe) {
    MediumFields fields = Fields();
    fields.launcherName = " ";
    BuildMediumFromFields(fields, kDemoMenu, launcher);
    EXPECT_TRUE(fs::is_regular_file(work.File("medium/Launcher.exe")));
}

TEST_F(MediumRequest, RefusesWithTheCommandLinesLinesAndWritesNothing) {
    fs::remove(work.File("content/DemoApp.exe"));
    MediumFields fields = Fields();
    fields.launcherName = "Set:up.exe";
    const std::string refusal = Refusal(fields);
    // Every problem on a line of its own, as ctrpack media prints them.
    EXPECT_NE(refusal.find("Error: " + kDemoMenu +
                           "/menu.ini:25: [Launch] Program: \"DemoApp.exe\" is not in the "
                           "content folder"),
              std::string::npos)
        << refusal;
    EXPECT_NE(refusal.find("\nError: "), std::string::npos) << refusal;
    EXPECT_NE(refusal.find("Set:up.exe"), std::string::npos) << refusal;
    EXPECT_NE(refusal.find("problem(s) on the medium; nothing written."), std::string::npos)
        << refusal;
    EXPECT_FALSE(fs::exists(work.File("medium")));
}

TEST_F(MediumRequest, RefusesAMissingOutputFolderOrLauncherBeforeWriting) {
    MediumFields fields = Fields();
    fields.outFolder = "  ";
    EXPECT_EQ(Refusal(fields), "The medium needs an output folder (a new or empty folder).");

    launcher = work.File("nowhere/Launcher.exe");
    const std::string refusal = Refusal(Fields());
    EXPECT_NE(refusal.find(launcher + ": is no file"), std::string::npos) << refusal;
    EXPECT_FALSE(fs::exists(work.File("medium")));
}

} // namespace
