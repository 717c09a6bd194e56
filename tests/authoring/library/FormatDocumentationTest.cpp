// The menu format's documentation names every section and key that menu.ini
// takes: a key added, renamed or dropped in the settings table without the
// documentation following fails here.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "authoring/MenuDocument.h"
#include "authoring/MenuSettings.h"

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

} // namespace
