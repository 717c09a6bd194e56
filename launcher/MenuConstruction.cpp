#include "launcher/MenuConstruction.h"

#include <climits>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Font.h"
#include "framework/portable/Convert.h"
#include "framework/runtime/CheckedMath.h"
#include "framework/runtime/Exceptions.h"
#include "framework/runtime/StringList.h"
#include "framework/ui/ComboBox.h"
#include "framework/ui/Image.h"
#include "framework/ui/Memo.h"
#include "launcher/ConfigLines.h"
#include "launcher/LaunchCommand.h"
#include "skin/OvalynShapeButton.h"
#include "skin/OvalynShapeCheckBoxButton.h"

namespace {

int32_t IntLine(const TMenuContent& content, int index) {
    return StrToInt(content.Line(index));
}

int32_t Abs(int32_t value) {
    if (value == INT32_MIN)
        throw EIntOverflow();
    return value < 0 ? -value : value;
}

void LoadEntry(TMenuContent& content, uint8_t fileNo, TBitmap& bitmap) {
    auto stream = content.Entry(fileNo);
    bitmap.LoadFromStream(*stream);
}

struct ButtonSettings {
    bool Shown = false;
    uint16_t Left = 0;
    uint16_t Top = 0;
    std::string Caption;
};

void BuildButtons(const TMenuControls& controls, TMenuContent& content, bool launchMode) {
    std::array<ButtonSettings, kMenuButtonGroups + 1> groups{}; // index = Tag; 0 unused
    for (int g = 1; g <= kMenuButtonGroups; ++g) {
        groups[g].Shown = StrToBool(content.Line(4 * g - 3));
        groups[g].Left = Narrow<uint16_t>(IntLine(content, 4 * g - 2));
        groups[g].Top = Narrow<uint16_t>(IntLine(content, 4 * g - 1));
        groups[g].Caption = content.Line(4 * g);
    }
    if (launchMode)
        groups[1].Shown = false;
    else
        groups[3].Shown = false;

    const int32_t buttonFontLine = IntLine(content, lnButtonFontSize);
    const uint16_t buttonFontSize = Narrow<uint16_t>(Abs(buttonFontLine));
    const bool buttonFontBold = buttonFontLine < 0;

    // Working bitmaps; the controls keep copies of their own.
    TBitmap normal, pressed, over;
    LoadEntry(content, 4, normal);
    LoadEntry(content, 5, pressed);
    LoadEntry(content, 6, over);

    for (TOvalynShapeButton* button : controls.Buttons) {
        const int tag = button->Tag();
        if (tag < 1 || tag > kMenuButtonGroups || !groups[tag].Shown)
            continue;
        button->Font()->SetSize(buttonFontSize);
        if (buttonFontBold)
            button->Font()->SetStyle({fsBold});
        button->SetLeft(groups[tag].Left);
        button->SetTop(groups[tag].Top);
        button->SetVisible(true);
        button->SetCaption(groups[tag].Caption);
        button->SetMask(&normal);
        button->SetPressedBmp(&pressed);
        button->SetOverBmp(&over);
        button->Font()->SetColor(IntLine(content, lnButtonFontColor));
        button->Font()->SetName(content.Line(lnFontName));
    }
}

void BuildCheckBox(TOvalynShapeCheckBoxButton* box, TMenuContent& content) {
    TBitmap normal, pressed;
    LoadEntry(content, 7, normal);
    LoadEntry(content, 8, pressed);
    if (IntLine(content, lnCheckBoxFontSize) < 0)
        box->Font()->SetStyle({fsBold});
    box->SetMask(&normal);
    box->SetPressedBmp(&pressed);
    box->Font()->SetName(content.Line(lnFontName));
    box->Font()->SetSize(IntLine(content, lnCheckBoxFontSize));
    box->Font()->SetColor(IntLine(content, lnCheckBoxFontColor));
    box->SetCaption(content.Line(lnCheckBoxCaption));
    box->SetLeft(IntLine(content, lnCheckBoxLeft));
    box->SetTop(IntLine(content, lnCheckBoxTop));
}

void BuildOptionList(TComboBox* options, const TMenuContent& content) {
    options->SetWidth(IntLine(content, lnOptionsWidth));
    options->SetLeft(IntLine(content, lnOptionsLeft));
    options->SetTop(IntLine(content, lnOptionsTop));
    options->SetColor(IntLine(content, lnOptionsColor));
    options->Font()->SetName(content.Line(lnFontName));
    const int32_t optionsFontLine = IntLine(content, lnOptionsFontSize);
    options->Font()->SetSize(Abs(optionsFontLine));
    if (optionsFontLine < 0)
        options->Font()->SetStyle({fsBold});
    options->Items()->Clear();
    options->Font()->SetColor(Abs(IntLine(content, lnOptionsFontColor)));
}

void BuildNotice(TMemo* memo, TMenuContent& content) {
    switch (IntLine(content, lnMemoScrollBars)) {
    case 1:
        memo->SetScrollBars(ssVertical);
        break;
    case 2:
        memo->SetScrollBars(ssHorizontal);
        break;
    case 3:
        memo->SetScrollBars(ssBoth);
        break;
    default:
        break;
    }
    if (content.Line(lnMemoWordWrap) != "-1")
        memo->SetWordWrap(false);
    memo->SetLeft(IntLine(content, lnMemoLeft));
    memo->SetTop(IntLine(content, lnMemoTop));
    memo->SetWidth(IntLine(content, lnMemoWidth));
    memo->SetHeight(IntLine(content, lnMemoHeight));
    {
        auto stream = content.Entry(2);
        memo->Lines()->LoadFromStream(*stream);
    }
    memo->SetColor(IntLine(content, lnMemoColor));
    const int32_t memoFontLine = IntLine(content, lnMemoFontSize);
    memo->Font()->SetSize(Abs(memoFontLine));
    if (memoFontLine < 0)
        memo->Font()->SetStyle({fsBold});
    memo->Font()->SetColor(IntLine(content, lnMemoFontColor));
    memo->SetVisible(true);
}

} // namespace

TMenuControls CreateMenuControls(TComponent* owner, TWinControl* parent) {
    TMenuControls controls;
    controls.Background = new TImage(owner);
    TImage* image = controls.Background;
    image->SetName("Image1");
    image->SetParent(parent);
    image->SetBounds(0, 0, 105, 105);
    image->SetAutoSize(true);

    for (int n = 1; n <= kMenuButtonGroups; ++n) {
        auto* button = new TOvalynShapeButton(owner);
        controls.Buttons[n - 1] = button;
        button->SetName("OvalynShapeButton" + std::to_string(n));
        button->SetParent(parent);
        // Button 10 carries its own number too, so that group 10 drives it.
        button->SetTag(n);
        button->SetBounds(n < 10 ? 8 + 40 * (n - 1) : 368, 184, 25, 25);
        button->SetVisible(false);
        button->SetInvisibleColor(clFuchsia);
        button->SetWordWrap(false);
        button->SetMargin(0);
        button->SetDisableSound(false);
        button->SetTabOrder(n - 1);
    }

    auto* box = new TOvalynShapeCheckBoxButton(owner);
    controls.CheckBox = box;
    box->SetName("OvalynShapeCheckBoxButton1");
    box->SetParent(parent);
    box->SetBounds(56, 128, 113, 24);
    box->SetCaption("x");
    box->SetAlignment(taLeftJustify);
    box->SetChecked(false);
    box->SetInvisibleColor(clFuchsia);
    box->SetTabOrder(10);

    auto* memo = new TMemo(owner);
    controls.Notice = memo;
    memo->SetName("Memo1");
    memo->SetParent(parent);
    memo->SetBounds(152, 16, 185, 89);
    memo->SetAlignment(taCenter);
    memo->SetReadOnly(true);
    memo->SetBorderStyle(bsNone);
    memo->SetBevelInner(bvLowered);
    memo->SetBevelOuter(bvRaised);
    memo->SetBevelKind(bkSoft);
    memo->SetVisible(false);
    memo->SetTabOrder(11);

    auto* options = new TComboBox(owner);
    controls.Options = options;
    options->SetName("ComboBox1");
    options->SetParent(parent);
    options->SetTag(13);
    options->SetStyle(csDropDownList);
    options->SetBounds(152, 112, 185, 21);
    options->SetItemHeight(13);
    options->SetBevelKind(bkSoft);
    options->SetVisible(false);
    options->SetTabOrder(12);
    return controls;
}

void LoadMenuBackground(const TMenuControls& controls, TMenuContent& content) {
    auto background = content.Entry(3);
    controls.Background->Picture()->LoadFromStream(*background);
}

void BuildMenuControls(const TMenuControls& controls, TMenuContent& content, bool launchMode,
                       int8_t savedOption) {
    BuildButtons(controls, content, launchMode);
    TOvalynShapeCheckBoxButton* box = controls.CheckBox;
    BuildCheckBox(box, content);
    BuildOptionList(controls.Options, content);
    FillOptionList(controls.Options, content, savedOption);

    if (launchMode) {
        if (controls.Options->Items()->Count() > 1)
            controls.Options->SetVisible(true);
        box->SetVisible(StrToBool(content.Line(lnCheckBoxFontColor)));
        return;
    }
    box->SetVisible(false);
    BuildNotice(controls.Notice, content);
}

void FillOptionList(TComboBox* options, const TMenuContent& content, int8_t savedOption) {
    const int32_t count = IntLine(content, lnOptionCount);
    if (count <= 1)
        return;
    for (int32_t k = 0; k < count; ++k)
        options->Items()->Add(OptionName(content.Line(CheckedAdd<int32_t>(lnFirstOption, k))));
    options->SetItemIndex(savedOption);
}
