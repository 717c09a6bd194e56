#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "ButtonPictures.h"
#include "WindowFixture.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Jpeg.h"
#include "framework/runtime/Exceptions.h"
#include "framework/runtime/Streams.h"
#include "framework/runtime/StringList.h"
#include "framework/system/IniFile.h"
#include "framework/system/Paths.h"
#include "framework/system/RecordingPlatform.h"
#include "skin/OvalynShapeButton.h"
#include "tests/runtime/TempFolder.h"

namespace {

std::string IniValue(const std::string& file, const std::string& section, const std::string& key) {
    char value[256];
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "(missing)", value, sizeof value,
                             file.c_str());
    return value;
}

void WriteIni(const std::string& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

// Every pixel of two pictures, compared as the screen would show them.
::testing::AssertionResult SamePicture(TBitmap& actual, TBitmap& expected) {
    if (actual.Width() != expected.Width() || actual.Height() != expected.Height())
        return ::testing::AssertionFailure()
               << actual.Width() << " x " << actual.Height() << " instead of " << expected.Width()
               << " x " << expected.Height();
    for (int y = 0; y < actual.Height(); ++y)
        for (int x = 0; x < actual.Width(); ++x)
            if (actual.Canvas().Pixels(x, y) != expected.Canvas().Pixels(x, y))
                return ::testing::AssertionFailure() << "pixel " << x << ", " << y << " differs";
    return ::testing::AssertionSuccess();
}

SkinRegion WindowRegion(TWinControl& control) {
    SkinRegion region(CreateRectRgn(0, 0, 0, 0));
    if (GetWindowRgn(control.Handle(), region.get()) == ERROR)
        return SkinRegion();
    return region;
}

} // namespace

// ---- texts and paths ----------------------------------------------------------------------

TEST(SkinFolderTexts, OnlyDriveLetterPathsAreAbsolute) {
    EXPECT_FALSE(IsRelativePath("C:\\skins"));
    EXPECT_FALSE(IsRelativePath("c:\\"));
    EXPECT_FALSE(IsRelativePath("1:\\whatever")); // nothing else is checked
    EXPECT_TRUE(IsRelativePath("skins\\blue"));
    EXPECT_TRUE(IsRelativePath("\\skins"));
    EXPECT_TRUE(IsRelativePath("\\\\server\\share"));
    EXPECT_TRUE(IsRelativePath("D:skins"));
    EXPECT_TRUE(IsRelativePath("C:"));
    EXPECT_TRUE(IsRelativePath(""));
}

TEST(SkinFolderTexts, ColoursAreWrittenRedFirstInUpperCase) {
    EXPECT_EQ(ColorToHexText(clRed), "FF0000");
    EXPECT_EQ(ColorToHexText(clFuchsia), "FF00FF");
    EXPECT_EQ(ColorToHexText(clWhite), "FFFFFF");
    EXPECT_EQ(ColorToHexText(0x0A0B0C), "0C0B0A");
    EXPECT_EQ(ColorToHexText(clBtnFace), ColorToHexText(ColorToRGB(clBtnFace)));
}

TEST(SkinFolderTexts, ColourTextsAreReadPairByPair) {
    EXPECT_EQ(HexTextToColor("ff00ff"), clFuchsia);
    EXPECT_EQ(HexTextToColor("FF00FF"), clFuchsia);
    EXPECT_EQ(HexTextToColor(""), clBlack);
    EXPECT_EQ(HexTextToColor("FF"), clRed);
    EXPECT_EQ(HexTextToColor("00ff"), clLime);
    EXPECT_EQ(HexTextToColor("0C0B0A"), 0x0A0B0C);
    EXPECT_EQ(HexTextToColor("0000FFtrailing"), clBlue);
    EXPECT_THROW(HexTextToColor("zz0000"), EConvertError);
    EXPECT_THROW(HexTextToColor("red"), EConvertError);
    for (TColor color : {clRed, clNavy, static_cast<TColor>(0x7F8081)})
        EXPECT_EQ(HexTextToColor(ColorToHexText(color)), color);
}

TEST(SkinFolderTexts, AlignmentAndLayoutWords) {
    TOvalynShapeButton button(nullptr);
    const std::pair<const char*, TAlignment> alignments[] = {
        {"CENTER", taCenter}, {"Right", taRightJustify},  {"middle", taLeftJustify},
        {"", taLeftJustify},  {" center", taLeftJustify}, {"left", taLeftJustify}};
    for (const auto& [word, expected] : alignments) {
        button.SetAlignment(taRightJustify == expected ? taCenter : taRightJustify);
        button.SetAlignmentText(word);
        EXPECT_EQ(button.Alignment(), expected) << '"' << word << '"';
    }
    const std::pair<const char*, TTextLayout> layouts[] = {{"Top", tlTop},
                                                           {"BOTTOM", tlBottom},
                                                           {"middle", tlCenter},
                                                           {"center", tlCenter},
                                                           {"", tlCenter}};
    for (const auto& [word, expected] : layouts) {
        button.SetLayout(expected == tlTop ? tlBottom : tlTop);
        button.SetLayoutText(word);
        EXPECT_EQ(button.Layout(), expected) << '"' << word << '"';
    }
    for (TAlignment a : {taLeftJustify, taRightJustify, taCenter}) {
        button.SetAlignment(a);
        const std::string word = button.AlignmentText();
        button.SetAlignment(a == taCenter ? taLeftJustify : taCenter);
        button.SetAlignmentText(word);
        EXPECT_EQ(button.Alignment(), a) << word;
    }
    button.SetLayout(tlBottom);
    EXPECT_EQ(button.LayoutText(), "bottom");
    button.SetLayout(tlTop);
    EXPECT_EQ(button.LayoutText(), "top");
}

// ---- saving and loading ---------------------------------------------------------------------

class SkinFolderTest : public WindowTest {
protected:
    TOvalynShapeButton* NewButton(const std::string& name) {
        auto* button = new TOvalynShapeButton(&Form());
        button->SetName(name);
        button->SetParent(&Form());
        return button;
    }
};

TEST_F(SkinFolderTest, TwoButtonsRoundTripThroughOneFolder) {
    TempFolder folder;
    ButtonPictures pictures;
    TOvalynShapeButton* first = NewButton("First");
    first->SetMask(pictures.Mask.get());
    first->SetPressedBmp(pictures.Pressed.get());
    first->SetOverBmp(pictures.Over.get());
    first->SetDisabledBmp(pictures.Disabled.get());
    first->SetBounds(11, 12, 50, 24);
    first->SetAlignment(taRightJustify);
    first->SetLayout(tlBottom);
    first->Font()->SetName("Courier New");
    first->Font()->SetSize(14);
    first->Font()->SetStyle(TFontStyles{fsBold, fsUnderline});
    first->Font()->SetColor(clNavy);
    first->DisabledFont()->SetColor(clGray);
    TOvalynShapeButton* second = NewButton("Second");
    auto secondMask = MakeBitmap(NoiseMask(20, 10, 50, 0xFF00FF, 0x00FF00, 9));
    second->SetInvisibleColor(clFuchsia);
    second->SetMask(secondMask.get());
    second->SetBounds(100, 50, 20, 10);
    second->SetLayout(tlTop);
    first->SaveSkin(folder.Path());
    second->SaveSkin(folder.Path());

    // One settings file with a section each, separate pictures.
    const std::string ini = folder.File("coord.ini");
    EXPECT_EQ(IniValue(ini, "First", "Left"), "11");
    EXPECT_EQ(IniValue(ini, "Second", "InvisibleColor"), "FF00FF");
    EXPECT_EQ(IniValue(ini, "First", "Alignment"), "right");
    EXPECT_EQ(IniValue(ini, "First", "FontBold"), "1");
    EXPECT_EQ(IniValue(ini, "First", "FontItalic"), "0");
    EXPECT_EQ(IniValue(ini, "First", "FontColor"), "000080");
    EXPECT_EQ(IniValue(ini, "First", "DisabledFontColor"), "808080");
    for (const char* file : {"mask_First.bmp", "disabledBmp_First.bmp", "pressedBmp_First.bmp",
                             "overBmp_First.bmp", "mask_Second.bmp", "pressedBmp_Second.bmp"})
        EXPECT_TRUE(FileExists(folder.File(file))) << file;

    Form().DestroyComponents();
    TOvalynShapeButton* firstAgain = NewButton("First");
    TOvalynShapeButton* secondAgain = NewButton("Second");
    firstAgain->LoadSkin(folder.Path());
    secondAgain->LoadSkin(folder.Path());
    EXPECT_EQ(firstAgain->BoundsRect(), Bounds(11, 12, 50, 24));
    EXPECT_EQ(firstAgain->Alignment(), taRightJustify);
    EXPECT_EQ(firstAgain->Layout(), tlBottom);
    EXPECT_EQ(firstAgain->InvisibleColor(), clWhite);
    EXPECT_EQ(firstAgain->Font()->Name(), "Courier New");
    EXPECT_EQ(firstAgain->Font()->Size(), 14);
    EXPECT_EQ(firstAgain->Font()->Style(), (TFontStyles{fsBold, fsUnderline}));
    EXPECT_EQ(firstAgain->Font()->Color(), clNavy);
    EXPECT_EQ(firstAgain->DisabledFont()->Color(), clGray);
    EXPECT_TRUE(SamePicture(*firstAgain->Mask(), *pictures.Mask));
    EXPECT_TRUE(SamePicture(*firstAgain->PressedBmp(), *pictures.Pressed));
    EXPECT_TRUE(SamePicture(*firstAgain->OverBmp(), *pictures.Over));
    EXPECT_TRUE(SamePicture(*firstAgain->DisabledBmp(), *pictures.Disabled));
    EXPECT_EQ(firstAgain->ClickSound(), folder.Path() + "\\First.wav");
    EXPECT_TRUE(SameRegion(WindowRegion(*firstAgain).get(),
                           ReferenceRegionOf(*pictures.Mask, 0xFFFFFF).get()));

    EXPECT_EQ(secondAgain->BoundsRect(), Bounds(100, 50, 20, 10));
    EXPECT_EQ(secondAgain->InvisibleColor(), clFuchsia);
    EXPECT_EQ(secondAgain->Layout(), tlTop);
    EXPECT_TRUE(SameRegion(WindowRegion(*secondAgain).get(),
                           ReferenceRegionOf(*secondMask, 0xFF00FF).get()));
    EXPECT_TRUE(secondAgain->PressedBmp()->Empty());
}

TEST_F(SkinFolderTest, SectionKeysAreWrittenInTheirOrder) {
    TempFolder folder;
    NewButton("Ordered")->SaveSkin(folder.Path());
    TIniFile ini(folder.File("coord.ini"));
    TStringList keys;
    ini.ReadSection("Ordered", keys);
    std::vector<std::string> expected = {"Left",           "Top",       "Width", "Height",
                                         "InvisibleColor", "Alignment", "Layout"};
    for (const char* prefix : {"Font", "DisabledFont"})
        for (const char* key :
             {"Name", "Size", "Bold", "Italic", "Underline", "StrikeOut", "Color"})
            expected.push_back(std::string(prefix) + key);
    ASSERT_EQ(keys.Count(), static_cast<int>(expected.size()));
    for (int i = 0; i < keys.Count(); ++i)
        EXPECT_EQ(keys[i], expected[i]) << "key " << i;
}

TEST_F(SkinFolderTest, SystemColourComesBackAsItsValueAtSaving) {
    TempFolder folder;
    TOvalynShapeButton* button = NewButton("Sys");
    button->SetInvisibleColor(clBtnFace);
    button->SaveSkin(folder.Path());
    button->SetInvisibleColor(clWhite);
    button->LoadSkin(folder.Path());
    EXPECT_EQ(button->InvisibleColor(), ColorToRGB(clBtnFace));
}

TEST_F(SkinFolderTest, EmptyFolderEmptiesTheButton) {
    TempFolder folder;
    ButtonPictures pictures;
    TOvalynShapeButton* button = NewButton("Nothing");
    button->SetMask(pictures.Mask.get());
    button->SetPressedBmp(pictures.Pressed.get());
    button->SetBounds(7, 8, 50, 24);
    button->SetInvisibleColor(clFuchsia);
    button->SetAlignment(taRightJustify);
    button->SetLayout(tlBottom);
    button->Font()->SetStyle(TFontStyles{fsItalic});
    button->LoadSkin(folder.Path());
    // Missing keys keep the current look, except the font colour.
    EXPECT_EQ(button->InvisibleColor(), clFuchsia);
    EXPECT_EQ(button->Alignment(), taRightJustify);
    EXPECT_EQ(button->Layout(), tlBottom);
    EXPECT_EQ(button->Font()->Style(), TFontStyles{fsItalic});
    EXPECT_TRUE(button->Mask()->Empty());
    EXPECT_TRUE(button->PressedBmp()->Empty());
    EXPECT_TRUE(button->OverBmp()->Empty());
    EXPECT_TRUE(button->DisabledBmp()->Empty());
    EXPECT_FALSE(WindowRegion(*button));
    EXPECT_EQ(button->BoundsRect(), Bounds(7, 8, 0, 0));
    EXPECT_EQ(button->ClickSound(), folder.Path() + "\\Nothing.wav");
    // A missing font colour turns the font black.
    EXPECT_EQ(button->Font()->Color(), clBlack);
}

TEST_F(SkinFolderTest, JpegMaskIsReadWhenThereIsNoBitmap) {
    TempFolder folder;
    const std::string jpeg = std::string(OVALYN_TEST_DATA) + "/mask_JpegButton.jpg";
    ASSERT_TRUE(CopyFileA(jpeg.c_str(), folder.File("mask_JpegButton.jpg").c_str(), FALSE));
    TJPEGImage decoded;
    decoded.LoadFromFile(jpeg);
    TOvalynShapeButton* button = NewButton("JpegButton");
    button->LoadSkin(folder.Path());
    EXPECT_EQ(button->Mask()->Width(), 16);
    EXPECT_EQ(button->Mask()->Height(), 8);
    EXPECT_EQ(button->Width(), 16);
    EXPECT_TRUE(SamePicture(*button->Mask(), decoded.Bitmap()));
    EXPECT_TRUE(SameRegion(WindowRegion(*button).get(),
                           ReferenceRegionOf(decoded.Bitmap(), 0xFFFFFF).get()));
    // The red half is visible, the white half cut out.
    EXPECT_TRUE(PtInRegion(WindowRegion(*button).get(), 12, 4));
    EXPECT_FALSE(PtInRegion(WindowRegion(*button).get(), 2, 4));

    // A bitmap of the same name wins.
    auto bitmap = MakeBitmap(TestMask(5, 3, 0x0000FF));
    bitmap->SaveToFile(folder.File("mask_JpegButton.bmp"));
    button->LoadSkin(folder.Path());
    EXPECT_EQ(button->Mask()->Width(), 5);
}

TEST_F(SkinFolderTest, MalformedValuesFallBackOrConvertAsWritten) {
    TempFolder folder;
    TOvalynShapeButton* button = NewButton("Odd");
    button->SetBounds(5, 6, 40, 40);
    WriteIni(folder.File("coord.ini"), "[odd]\r\n"
                                       "left=abc\r\n"
                                       "Top=0x10\r\n"
                                       "Width=$20\r\n"
                                       "Height=12px\r\n"
                                       "InvisibleColor=ff00ff\r\n"
                                       "Alignment=CENTER\r\n"
                                       "Layout=Top\r\n"
                                       "FontBold=yes\r\n"
                                       "FontItalic=2\r\n"
                                       "FontSize=big\r\n");
    const int sizeBefore = button->Font()->Size();
    button->LoadSkin(folder.Path());
    EXPECT_EQ(button->Left(), 5);   // not a number: the current value
    EXPECT_EQ(button->Top(), 16);   // 0x hexadecimal
    EXPECT_EQ(button->Width(), 32); // $ hexadecimal
    EXPECT_EQ(button->Height(), 0); // not a number: the empty mask's height
    EXPECT_EQ(button->InvisibleColor(), clFuchsia);
    EXPECT_EQ(button->Alignment(), taCenter);
    EXPECT_EQ(button->Layout(), tlTop);
    EXPECT_FALSE(button->Font()->Style().Contains(fsBold)); // "yes" is no integer: false
    EXPECT_TRUE(button->Font()->Style().Contains(fsItalic));
    EXPECT_EQ(button->Font()->Size(), sizeBefore);

    WriteIni(folder.File("coord.ini"),
             "[Odd]\r\nInvisibleColor=\r\nAlignment=middle\r\nLayout=middle\r\n");
    button->SetLayout(tlBottom);
    button->LoadSkin(folder.Path());
    EXPECT_EQ(button->InvisibleColor(), clBlack);
    EXPECT_EQ(button->Alignment(), taLeftJustify);
    EXPECT_EQ(button->Layout(), tlCenter);

    WriteIni(folder.File("coord.ini"), "[Odd]\r\nInvisibleColor=12zz56\r\n");
    EXPECT_THROW(button->LoadSkin(folder.Path()), EConvertError);
    WriteIni(folder.File("coord.ini"), "[Odd]\r\nDisabledFontColor=nothex\r\n");
    EXPECT_THROW(button->LoadFonts(folder.Path()), EConvertError);
}

TEST_F(SkinFolderTest, ReadingFontKeysAddsStylesButNeverRemovesThem) {
    TempFolder folder;
    TOvalynShapeButton* button = NewButton("Fonty");
    WriteIni(folder.File("coord.ini"),
             "[Fonty]\r\nFontBold=0\r\nFontStrikeOut=1\r\nFontName=Arial\r\nFontColor=00FF00\r\n");
    TFont font;
    font.SetStyle(TFontStyles{fsBold});
    font.SetColor(clRed);
    button->ReadFontKeys(folder.Path(), "Font", font);
    EXPECT_EQ(font.Style(), (TFontStyles{fsBold, fsStrikeOut}));
    EXPECT_EQ(font.Name(), "Arial");
    EXPECT_EQ(font.Color(), clLime);
    button->ReadFontKeys(folder.Path(), "DisabledFont", font); // no keys of that group
    EXPECT_EQ(font.Name(), "Arial");
    EXPECT_EQ(font.Color(), clBlack);
}

TEST_F(SkinFolderTest, SoundIsCopiedBesideThePictures) {
    TempFolder folder;
    const std::string sound = folder.File("source.wav");
    std::ofstream(sound, std::ios::binary) << "RIFF";
    TRecordingPlatform platform;
    ScopedPlatform scoped(platform);
    TOvalynShapeButton* button = NewButton("Loud");
    button->SetClickSound(sound);
    button->SaveSkin(folder.Path());
    auto copies = platform.CallsOf("CopyFileA");
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].Args, (std::vector<std::string>{sound, folder.Path() + "\\Loud.wav", "0"}));
    EXPECT_TRUE(FileExists(folder.File("Loud.wav")));

    // Without a sound the copy fails, and that is no error.
    button->SetClickSound("");
    EXPECT_NO_THROW(button->SaveSkin(folder.Path()));
}

// Relative folders lie in the executable's folder, not in the working folder:
// these tests run from a working folder of their own, elsewhere, so that
// resolving against the working folder fails them.
class SkinFolderElsewhere : public SkinFolderTest {
protected:
    void SetUp() override {
        SkinFolderTest::SetUp();
        char current[MAX_PATH] = {};
        ASSERT_GT(GetCurrentDirectoryA(sizeof current, current), 0u);
        saved_ = current;
        ASSERT_TRUE(SetCurrentDirectoryA(working_.Path().c_str()));
        ASSERT_NE(IncludeTrailingBackslash(working_.Path()), ExecutableFolder());
    }
    void TearDown() override {
        SetCurrentDirectoryA(saved_.c_str());
        SkinFolderTest::TearDown();
    }
    // Nothing was made in the working folder.
    bool WorkingFolderEmpty() const {
        return std::filesystem::is_empty(std::filesystem::path(working_.Path()));
    }

private:
    TempFolder working_;
    std::string saved_;
};

TEST_F(SkinFolderElsewhere, RelativeFoldersLieInTheExecutablesFolder) {
    const std::string name = "skin_relative_" + std::to_string(GetCurrentProcessId());
    const std::string resolved = ExecutableFolder() + name;
    TOvalynShapeButton* button = NewButton("Rel");
    button->SetBounds(5, 6, 40, 40);
    button->SaveSkin(name);
    EXPECT_TRUE(FileExists(resolved + "\\coord.ini"));
    EXPECT_TRUE(FileExists(resolved + "\\mask_Rel.bmp"));
    EXPECT_TRUE(WorkingFolderEmpty());

    // Read back from the same relative name: the folder lies only beside the program.
    button->SetBounds(0, 0, 10, 10);
    button->LoadSkin(name);
    EXPECT_EQ(button->Top(), 6);
    EXPECT_EQ(button->Width(), 40);
    std::error_code ignored;
    std::filesystem::remove_all(resolved, ignored);
}

TEST_F(SkinFolderElsewhere, EmptyFolderNameMeansTheExecutablesFolder) {
    TOvalynShapeButton* button = NewButton("BesideTheProgram");
    button->SetBounds(3, 4, 40, 40);
    button->SaveSkin("");
    const std::string beside = ExecutableFolder() + "mask_BesideTheProgram.bmp";
    EXPECT_TRUE(FileExists(beside));
    EXPECT_EQ(IniValue(ExecutableFolder() + "coord.ini", "BesideTheProgram", "Top"), "4");
    EXPECT_TRUE(WorkingFolderEmpty());
    for (const char* file : {"mask_", "disabledBmp_", "pressedBmp_", "overBmp_"})
        DeleteFileA((ExecutableFolder() + file + "BesideTheProgram.bmp").c_str());
    DeleteFileA((ExecutableFolder() + "coord.ini").c_str());
}

TEST_F(SkinFolderElsewhere, FolderWithoutParentCannotBeCreated) {
    TempFolder folder;
    const std::string missing = folder.Path() + "\\not_there\\skins";
    TOvalynShapeButton* button = NewButton("Orphan");
    try {
        button->SaveSkin(missing);
        FAIL() << "no exception";
    } catch (const OvalynShapeException& error) {
        EXPECT_EQ(error.Message(), "Can not create folder: " + missing);
    }
    try {
        button->SaveSkin("not_there_either\\skins");
        FAIL() << "no exception";
    } catch (const OvalynShapeException& error) {
        EXPECT_EQ(error.Message(),
                  "Can not create folder: " + ExecutableFolder() + "not_there_either\\skins");
    }
}

TEST_F(SkinFolderTest, OnlyTheLastLevelIsCreated) {
    TempFolder folder;
    TOvalynShapeButton* button = NewButton("Maker");
    button->SaveSkin(folder.Path() + "\\new");
    EXPECT_TRUE(FileExists(folder.Path() + "\\new\\coord.ini"));
    std::error_code ignored;
    std::filesystem::remove_all(folder.Path() + "\\new", ignored);
}
