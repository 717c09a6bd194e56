// The menu format's documentation names every section and key that menu.ini
// takes: a key added, renamed or dropped in the settings table without the
// documentation following fails here.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "authoring/MenuCheck.h"
#include "authoring/MenuDocument.h"
#include "authoring/MenuSource.h"
#include "authoring/StarterMenu.h"
#include "format/MenuSettings.h"
#include "tests/runtime/TempFolder.h"

namespace {

std::string Documentation() {
    std::ifstream in(std::string(OVALYN_SOURCE_DIR) + "/demo/README.md", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(FormatDocumentationTest, NamesEverySectionAndKeyOfTheSettingsTable) {
    const std::string doc = Documentation();
    ASSERT_FALSE(doc.empty()) << "demo/README.md cannot be read";
    for (const SettingInfo& row : SettingTable()) {
        EXPECT_NE(doc.find("`[" + std::string(row.section) + "]`"), std::string::npos)
            << "section [" << row.section << "] is not documented";
        EXPECT_NE(doc.find("`" + std::string(row.key) + "`"), std::string::npos)
            << "key [" << row.section << "] " << row.key << " is not documented";
    }
    for (int index = 0; index < kPictureCount; ++index)
        EXPECT_NE(doc.find("`" + std::string(PictureKey(PictureAt(index))) + "`"),
                  std::string::npos)
            << "picture key " << PictureKey(PictureAt(index)) << " is not documented";
}

// The first ```ini block after the heading.
std::string IniExampleAfter(const std::string& doc, const std::string& heading) {
    const std::size_t at = doc.find(heading);
    const std::size_t start = at == std::string::npos ? at : doc.find("```ini\n", at);
    if (start == std::string::npos)
        return {};
    const std::size_t body = start + 7;
    return doc.substr(body, doc.find("```", body) - body);
}

TEST(FormatDocumentationTest, TheSmallestMenuShownBuildsWithoutAProblem) {
    const std::string ini = IniExampleAfter(Documentation(), "## The smallest useful menu");
    ASSERT_FALSE(ini.empty()) << "no ini example under the heading";
    TempFolder folder;
    folder.Write("menu.ini", ini);
    for (const StarterFile& file : StarterMenuFiles())
        if (file.name == "background.png" || file.name == "button.png")
            folder.Write(file.name, file.bytes);
    std::vector<Problem> problems;
    const LoadedMenu loaded = LoadMenuIniFolder(folder.Path(), problems);
    EXPECT_TRUE(problems.empty()) << ::testing::PrintToString(FormatAll(problems));
    const std::vector<Problem> checks = CheckMenu(loaded.menu, loaded.origins);
    EXPECT_TRUE(checks.empty()) << ::testing::PrintToString(FormatAll(checks));
    EXPECT_EQ(loaded.menu.Text(SettingId::LaunchProgram), "Game.exe");
}

} // namespace
