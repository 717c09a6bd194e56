// The standard controls: combo box, memo and image.
#include <gtest/gtest.h>

#include <cstring>

#include "UiTestSupport.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/runtime/Exceptions.h"
#include "framework/runtime/Streams.h"
#include "framework/ui/ComboBox.h"
#include "framework/ui/Image.h"
#include "framework/ui/Memo.h"
#include "framework/ui/Picture.h"

namespace {

class ControlsFixture : public ::testing::Test {
protected:
    void SetUp() override { form = MakeShownForm(100, 100, 400, 300); }
    template <typename T> T* Add(int left, int top, int width, int height) {
        T* control = new T(form.get());
        control->SetParent(form.get());
        control->SetBounds(left, top, width, height);
        return control;
    }
    ScopedTestApplication app;
    std::unique_ptr<TestForm> form;
};

// What the user's pick in the list does: the selection changes and the
// parent hears CBN_SELCHANGE.
void PickAsTheUserDoes(TComboBox& combo, int index) {
    SendMessageA(combo.Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(GetParent(combo.Handle()), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(combo.Handle()), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo.Handle()));
}

std::string WindowText(HWND window) {
    char text[512]{};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

LONG Style(HWND window) {
    return GetWindowLongA(window, GWL_STYLE);
}

} // namespace

TEST_F(ControlsFixture, ComboClickFiresOnUserPicksButNotOnItemIndexWrites) {
    auto* combo = Add<TComboBox>(10, 10, 185, 21);
    combo->SetStyle(csDropDownList);
    for (const char* item : {"Full", "Minimal", "Custom"})
        combo->Items()->Add(item);
    int clicks = 0;
    int indexSeenInClick = -2;
    combo->OnClick = [&](TObject*) {
        ++clicks;
        indexSeenInClick = combo->ItemIndex();
    };

    combo->SetItemIndex(1);
    PumpFor(20);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(combo->ItemIndex(), 1);

    PickAsTheUserDoes(*combo, 2);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(indexSeenInClick, 2);
    EXPECT_EQ(combo->ItemIndex(), 2);
}

TEST_F(ControlsFixture, ComboIndexOutsideTheEntriesSelectsNothing) {
    auto* combo = Add<TComboBox>(10, 10, 185, 21);
    combo->Items()->Add("one");
    combo->Items()->Add("two");
    combo->SetItemIndex(1);
    combo->SetItemIndex(5);
    EXPECT_EQ(combo->ItemIndex(), -1);
    combo->SetItemIndex(0);
    combo->SetItemIndex(-3);
    EXPECT_EQ(combo->ItemIndex(), -1);
}

TEST_F(ControlsFixture, ComboItemsAndSelectionSurviveWindowRecreation) {
    auto* combo = Add<TComboBox>(10, 10, 185, 21);
    combo->Items()->Add("a");
    combo->Items()->Add("b");
    combo->Items()->Add("c");
    combo->SetItemIndex(2);
    HWND before = combo->Handle();
    combo->SetStyle(csDropDownList);
    ASSERT_NE(combo->Handle(), before);
    EXPECT_EQ(SendMessageA(combo->Handle(), CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_TRUE(Style(combo->Handle()) & CBS_DROPDOWNLIST);
    combo->Clear();
    EXPECT_EQ(SendMessageA(combo->Handle(), CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(combo->ItemIndex(), -1);
}

TEST(ComboWithoutWindow, SelectionFollowsInsertionsAndDeletionsAndReachesTheWindow) {
    ScopedTestApplication app;
    TForm form(nullptr);
    form.AfterConstruction();
    auto* combo = new TComboBox(&form);
    combo->SetParent(&form);
    combo->Items()->Add("b");
    combo->Items()->Add("c");
    combo->SetItemIndex(1); // "c"
    combo->Items()->Insert(0, "a");
    EXPECT_EQ(combo->ItemIndex(), 2);
    combo->Items()->Delete(0);
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_FALSE(combo->HandleAllocated());

    HWND window = combo->Handle();
    EXPECT_EQ(SendMessageA(window, CB_GETCURSEL, 0, 0), 1);
    char text[16]{};
    SendMessageA(window, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "c");
    combo->Items()->Delete(1);
    EXPECT_EQ(combo->ItemIndex(), -1);
}

TEST_F(ControlsFixture, MemoShowsLinesLoadedFromAStream) {
    auto* memo = Add<TMemo>(10, 10, 185, 89);
    const char text[] = "DirectX 9 is needed.\r\nPlease install it.\r\n";
    TMemoryStream stream;
    stream.WriteBuffer(text, static_cast<int64_t>(std::strlen(text)));
    stream.Seek(0, TSeekOrigin::soBeginning);
    memo->Lines()->LoadFromStream(stream);
    ASSERT_EQ(memo->Lines()->Count(), 2);
    EXPECT_EQ((*memo->Lines())[1], "Please install it.");
    EXPECT_EQ(WindowText(memo->Handle()), "DirectX 9 is needed.\r\nPlease install it.");
    memo->Lines()->Add("third");
    EXPECT_EQ(SendMessageA(memo->Handle(), EM_GETLINECOUNT, 0, 0), 3);
    memo->Clear();
    EXPECT_EQ(WindowText(memo->Handle()), "");
}

TEST_F(ControlsFixture, MemoStylePropertiesRecreateTheWindowAndKeepTheLines) {
    auto* memo = Add<TMemo>(10, 10, 185, 89);
    memo->SetReadOnly(true);
    memo->Lines()->Add("kept");
    HWND window = memo->Handle();
    EXPECT_TRUE(Style(window) & ES_MULTILINE);
    EXPECT_TRUE(Style(window) & ES_READONLY);
    EXPECT_FALSE(Style(window) & ES_AUTOHSCROLL); // word wrap on
    EXPECT_FALSE(Style(window) & (WS_VSCROLL | WS_HSCROLL));

    memo->SetAlignment(taCenter);
    EXPECT_NE(memo->Handle(), window);
    EXPECT_EQ(Style(memo->Handle()) & (ES_CENTER | ES_RIGHT), ES_CENTER);
    memo->SetAlignment(taRightJustify);
    EXPECT_EQ(Style(memo->Handle()) & (ES_CENTER | ES_RIGHT), ES_RIGHT);

    memo->SetScrollBars(ssVertical);
    EXPECT_EQ(Style(memo->Handle()) & (WS_VSCROLL | WS_HSCROLL), WS_VSCROLL);
    memo->SetScrollBars(ssHorizontal);
    EXPECT_EQ(Style(memo->Handle()) & (WS_VSCROLL | WS_HSCROLL), WS_HSCROLL);
    memo->SetScrollBars(ssBoth);
    EXPECT_EQ(Style(memo->Handle()) & (WS_VSCROLL | WS_HSCROLL), WS_VSCROLL | WS_HSCROLL);

    memo->SetWordWrap(false);
    EXPECT_TRUE(Style(memo->Handle()) & ES_AUTOHSCROLL);
    EXPECT_TRUE(Style(memo->Handle()) & ES_READONLY);
    EXPECT_EQ(WindowText(memo->Handle()), "kept");
    EXPECT_EQ(memo->BoundsRect(), Bounds(10, 10, 185, 89));
}

TEST_F(ControlsFixture, MemoBevelTakesItsEdgeFromTheClientArea) {
    auto* memo = Add<TMemo>(10, 10, 185, 89);
    memo->SetBorderStyle(bsNone);
    memo->HandleNeeded();
    RECT plain{};
    GetClientRect(memo->Handle(), &plain);
    EXPECT_EQ(plain.right, 185);
    EXPECT_EQ(plain.bottom, 89);

    memo->SetBevelKind(bkSoft);
    memo->SetBevelInner(bvLowered);
    memo->SetBevelOuter(bvRaised);
    RECT beveled{};
    GetClientRect(memo->Handle(), &beveled);
    EXPECT_EQ(memo->BevelWidth(), 2);
    EXPECT_EQ(beveled.right, 185 - 4);
    EXPECT_EQ(beveled.bottom, 89 - 4);
    EXPECT_EQ(memo->Width(), 185);
}

TEST_F(ControlsFixture, MemoAnswersItsColourRequestWithItsColour) {
    auto* memo = Add<TMemo>(10, 10, 185, 89);
    memo->SetReadOnly(true);
    memo->SetColor(RGB(10, 20, 30));
    memo->Font()->SetColor(RGB(200, 100, 50));
    HDC dc = CreateCompatibleDC(nullptr);
    // The read-only edit asks its parent, which hands the question back to it.
    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(form->Handle(), WM_CTLCOLORSTATIC,
                                                       reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(memo->Handle())));
    ASSERT_NE(brush, nullptr);
    LOGBRUSH described{};
    GetObjectA(brush, sizeof described, &described);
    EXPECT_EQ(described.lbColor, RGB(10, 20, 30));
    EXPECT_EQ(GetBkColor(dc), RGB(10, 20, 30));
    EXPECT_EQ(GetTextColor(dc), RGB(200, 100, 50));
    DeleteDC(dc);
}

namespace {
void WriteBmp(TMemoryStream& stream, int width, int height) {
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(width, height);
    bitmap.Canvas().Brush().SetColor(clBlue);
    bitmap.Canvas().FillRect(Rect(0, 0, width, height));
    bitmap.SaveToStream(stream);
    stream.Seek(0, TSeekOrigin::soBeginning);
}
} // namespace

TEST_F(ControlsFixture, ImageWithAutoSizeTakesThePicturesSizeAndRepaints) {
    auto* image = Add<TImage>(0, 0, 105, 105);
    image->SetAutoSize(true);
    UpdateWindow(form->Handle());
    TMemoryStream stream;
    WriteBmp(stream, 64, 48);
    image->Picture()->LoadFromStream(stream);
    EXPECT_EQ(image->Width(), 64);
    EXPECT_EQ(image->Height(), 48);
    RECT pending{};
    EXPECT_TRUE(GetUpdateRect(form->Handle(), &pending, FALSE));
    EXPECT_EQ(pending.left, 0);
    EXPECT_GE(pending.right, 64);

    TImage fixed(nullptr);
    TMemoryStream again;
    WriteBmp(again, 30, 20);
    fixed.Picture()->LoadFromStream(again);
    EXPECT_EQ(fixed.Width(), 105);
    fixed.SetAutoSize(true);
    EXPECT_EQ(fixed.Width(), 30);
    EXPECT_EQ(fixed.Height(), 20);
}

TEST_F(ControlsFixture, ImageKeepsItsPictureWhenAStreamIsNoBitmap) {
    auto* image = Add<TImage>(0, 0, 105, 105);
    image->SetAutoSize(true);
    TMemoryStream stream;
    WriteBmp(stream, 40, 30);
    image->Picture()->LoadFromStream(stream);
    TMemoryStream junk;
    junk.WriteBuffer("not a bitmap at all", 19);
    junk.Seek(0, TSeekOrigin::soBeginning);
    EXPECT_THROW(image->Picture()->LoadFromStream(junk), Exception);
    EXPECT_EQ(image->Picture()->Width(), 40);
    EXPECT_EQ(image->Width(), 40);
}

// A control hidden while its window is due keeps what it is given in its
// own fields; the window made when it is shown carries all of it.
TEST_F(ControlsFixture, HiddenComboGetsItsItemsAndSelectionWithItsLateWindow) {
    auto* combo = new TComboBox(form.get());
    combo->SetVisible(false);
    combo->SetParent(form.get());
    for (const char* item : {"Full", "Minimal", "Custom"})
        combo->Items()->Add(item);
    combo->SetItemIndex(1);
    combo->Items()->Insert(0, "None");
    EXPECT_FALSE(combo->HandleAllocated());
    EXPECT_EQ(combo->ItemIndex(), 2);

    combo->SetVisible(true);
    ASSERT_TRUE(combo->HandleAllocated());
    EXPECT_EQ(SendMessageA(combo->Handle(), CB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(SendMessageA(combo->Handle(), CB_GETCURSEL, 0, 0), 2);
    char text[16]{};
    SendMessageA(combo->Handle(), CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "None");
}

TEST_F(ControlsFixture, ComboHiddenThroughItsParentsRecreationKeepsTheUsersPick) {
    auto* combo = Add<TComboBox>(10, 10, 185, 21);
    for (const char* item : {"a", "b", "c"})
        combo->Items()->Add(item);
    combo->HandleNeeded();
    PickAsTheUserDoes(*combo, 2);
    combo->SetVisible(false);

    form->RecreateWnd();
    EXPECT_FALSE(combo->HandleAllocated());
    EXPECT_EQ(combo->ItemIndex(), 2);
    combo->SetVisible(true);
    ASSERT_TRUE(combo->HandleAllocated());
    EXPECT_EQ(SendMessageA(combo->Handle(), CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageA(combo->Handle(), CB_GETCURSEL, 0, 0), 2);
}

TEST_F(ControlsFixture, HiddenMemoShowsItsLinesAndTheTypedTextOnceShownAgain) {
    auto* memo = new TMemo(form.get());
    memo->SetVisible(false);
    memo->SetParent(form.get());
    memo->SetBounds(10, 10, 185, 89);
    memo->Lines()->Add("first");
    memo->Lines()->Add("second");
    EXPECT_FALSE(memo->HandleAllocated());
    memo->SetVisible(true);
    ASSERT_TRUE(memo->HandleAllocated());
    EXPECT_EQ(WindowText(memo->Handle()), "first\r\nsecond");

    // Typed into the window, then hidden while the form's window is made again.
    const int end = GetWindowTextLengthA(memo->Handle());
    SendMessageA(memo->Handle(), EM_SETSEL, static_cast<WPARAM>(end), end);
    SendMessageA(memo->Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("\r\nthird"));
    memo->SetVisible(false);
    form->RecreateWnd();
    EXPECT_FALSE(memo->HandleAllocated());
    ASSERT_EQ(memo->Lines()->Count(), 3);
    EXPECT_EQ((*memo->Lines())[2], "third");
    memo->SetVisible(true);
    EXPECT_EQ(WindowText(memo->Handle()), "first\r\nsecond\r\nthird");
}

namespace {
std::string TempFile(const char* name) {
    char folder[MAX_PATH]{};
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

void SaveBytes(const std::string& name, const void* bytes, int64_t count) {
    TFileStream out(name, fm::fmCreate);
    out.WriteBuffer(bytes, count);
}
} // namespace

TEST(Picture, LoadFromFileReplacesThePictureWithOneChange) {
    TMemoryStream stream;
    WriteBmp(stream, 12, 7);
    const std::string name = TempFile("ovalyn_picture_good.bmp");
    SaveBytes(name, stream.Memory(), stream.Size());
    TPicture picture;
    int changes = 0;
    picture.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &picture);
        ++changes;
    };
    picture.LoadFromFile(name);
    DeleteFileA(name.c_str());
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(picture.Width(), 12);
    EXPECT_EQ(picture.Height(), 7);
    EXPECT_EQ(picture.Bitmap()->PixelFormat(), pf24bit);
    EXPECT_EQ(picture.Bitmap()->Canvas().Pixels(11, 6), clBlue);

    TMemoryStream wider;
    WriteBmp(wider, 20, 3);
    picture.LoadFromStream(wider);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(picture.Width(), 20);
}

TEST(Picture, DamagedOrMissingFileLeavesThePictureAsItWas) {
    TPicture picture;
    TMemoryStream stream;
    WriteBmp(stream, 12, 7);
    picture.LoadFromStream(stream);
    int changes = 0;
    picture.OnChange = [&](TObject*) { ++changes; };

    const std::string damaged = TempFile("ovalyn_picture_damaged.bmp");
    SaveBytes(damaged, stream.Memory(), 40); // cut off inside the headers
    EXPECT_THROW(picture.LoadFromFile(damaged), EInvalidGraphic);
    DeleteFileA(damaged.c_str());
    EXPECT_THROW(picture.LoadFromFile(TempFile("ovalyn_picture_missing.bmp")), EFOpenError);

    EXPECT_EQ(changes, 0);
    EXPECT_EQ(picture.Width(), 12);
    EXPECT_EQ(picture.Height(), 7);
    EXPECT_EQ(picture.Bitmap()->Canvas().Pixels(0, 0), clBlue);
}
