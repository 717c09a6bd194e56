#include "launcher/MenuConstruction.h"

#include <climits>

#include "format/ButtonActions.h"
#include "format/LaunchCommand.h"
#include "format/MenuEntries.h"
#include "format/MenuSettings.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Font.h"
#include "framework/portable/Convert.h"
#include "framework/runtime/CheckedMath.h"
#include "framework/runtime/Exceptions.h"
#include "framework/runtime/StringList.h"
#include "framework/ui/ComboBox.h"
#include "framework/ui/Image.h"
#include "framework/ui/Memo.h"
#include "skin/OvalynShapeButton.h"
#include "skin/OvalynShapeCheckBoxButton.h"

namespace {

const std::string& Line(const TMenuContent& content, SettingId id) {
    return content.Line(LineOf(id));
}

int32_t IntLine(const TMenuContent& content, SettingId id) {
    return StrToInt(Line(content, id));
}

int32_t Abs(int32_t value) {
    if (value == INT32_MIN)
        throw EIntOverflow();
    return value < 0 ? -value : value;
}

void LoadEntry(TMenuContent& content, PictureRole role, TBitmap& bitmap) {
    auto stream = content.Entry(EntryOf(role));
    bitmap.LoadFromStream(*stream);
}

struct ButtonSettings {
    bool Shown = false;
    uint16_t Left = 0;
    uint16_t Top = 0;
    std::string Caption;
};

void BuildButtons(const TMenuControls& controls, TMenuContent& content, bool launchMode) {
    std::array<ButtonSettings, kButtonGroups + 1> groups{}; // index = Tag; 0 unused
    for (int g = 1; g <= kButtonGroups; ++g) {
        groups[g].Shown = StrToBool(Line(content, ButtonSetting(g, kButtonShown)));
        groups[g].Left = Narrow<uint16_t>(IntLine(content, ButtonSetting(g, kButtonLeft)));
        groups[g].Top = Narrow<uint16_t>(IntLine(content, ButtonSetting(g, kButtonTop)));
        groups[g].Caption = Line(content, ButtonSetting(g, kButtonCaption));
    }
    // The install button belongs to the requirement mode, the launch button
    // to the launch mode.
    const uint8_t mode = launchMode ? kLaunchMode : kRequirementMode;
    for (const ButtonAction& action : ButtonActions())
        if ((action.modes & mode) == 0)
            groups[action.group].Shown = false;

    const int32_t buttonFontLine = IntLine(content, SettingId::ButtonFontSize);
    const uint16_t buttonFontSize = Narrow<uint16_t>(Abs(buttonFontLine));
    const bool buttonFontBold = buttonFontLine < 0;

    // Working bitmaps; the controls keep copies of their own.
    TBitmap normal, pressed, over;
    LoadEntry(content, PictureRole::ButtonShape, normal);
    LoadEntry(content, PictureRole::ButtonPressed, pressed);
    LoadEntry(content, PictureRole::ButtonOver, over);

    for (TOvalynShapeButton* button : controls.Buttons) {
        const int tag = button->Tag();
        if (tag < 1 || tag > kButtonGroups || !groups[tag].Shown)
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
        button->Font()->SetColor(IntLine(content, SettingId::ButtonFontColor));
        button->Font()->SetName(Line(content, SettingId::FontName));
    }
}

void BuildCheckBox(TOvalynShapeCheckBoxButton* box, TMenuContent& content) {
    TBitmap normal, pressed;
    LoadEntry(content, PictureRole::CheckBoxShape, normal);
    LoadEntry(content, PictureRole::CheckBoxTicked, pressed);
    if (IntLine(content, SettingId::CheckBoxFontSize) < 0)
        box->Font()->SetStyle({fsBold});
    box->SetMask(&normal);
    box->SetPressedBmp(&pressed);
    box->Font()->SetName(Line(content, SettingId::FontName));
    box->Font()->SetSize(IntLine(content, SettingId::CheckBoxFontSize));
    box->Font()->SetColor(IntLine(content, SettingId::CheckBoxFontColor));
    box->SetCaption(Line(content, SettingId::CheckBoxCaption));
    box->SetLeft(IntLine(content, SettingId::CheckBoxLeft));
    box->SetTop(IntLine(content, SettingId::CheckBoxTop));
}

void BuildOptionList(TComboBox* options, const TMenuContent& content) {
    options->SetWidth(IntLine(content, SettingId::OptionsWidth));
    options->SetLeft(IntLine(content, SettingId::OptionsLeft));
    options->SetTop(IntLine(content, SettingId::OptionsTop));
    options->SetColor(IntLine(content, SettingId::OptionsColor));
    options->Font()->SetName(Line(content, SettingId::FontName));
    const int32_t optionsFontLine = IntLine(content, SettingId::OptionsFontSize);
    options->Font()->SetSize(Abs(optionsFontLine));
    if (optionsFontLine < 0)
        options->Font()->SetStyle({fsBold});
    options->Items()->Clear();
    options->Font()->SetColor(Abs(IntLine(content, SettingId::OptionsFontColor)));
}

void BuildNotice(TMemo* memo, TMenuContent& content) {
    switch (IntLine(content, SettingId::NoticeScrollBars)) {
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
    if (Line(content, SettingId::NoticeWordWrap) != "-1")
        memo->SetWordWrap(false);
    memo->SetLeft(IntLine(content, SettingId::NoticeLeft));
    memo->SetTop(IntLine(content, SettingId::NoticeTop));
    memo->SetWidth(IntLine(content, SettingId::NoticeWidth));
    memo->SetHeight(IntLine(content, SettingId::NoticeHeight));
    {
        auto stream = content.Entry(kNoticeEntry);
        memo->Lines()->LoadFromStream(*stream);
    }
    memo->SetColor(IntLine(content, SettingId::NoticeColor));
    const int32_t memoFontLine = IntLine(content, SettingId::NoticeFontSize);
    memo->Font()->SetSize(Abs(memoFontLine));
    if (memoFontLine < 0)
        memo->Font()->SetStyle({fsBold});
    memo->Font()->SetColor(IntLine(content, SettingId::NoticeFontColor));
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

    for (int n = 1; n <= kButtonGroups; ++n) {
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
    auto background = content.Entry(EntryOf(PictureRole::Background));
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
        box->SetVisible(StrToBool(Line(content, SettingId::CheckBoxFontColor)));
        return;
    }
    box->SetVisible(false);
    BuildNotice(controls.Notice, content);
}

void FillOptionList(TComboBox* options, const TMenuContent& content, int8_t savedOption) {
    const int32_t count = IntLine(content, SettingId::OptionCount);
    if (count <= 1)
        return;
    for (int32_t k = 0; k < count; ++k)
        options->Items()->Add(OptionName(content.Line(CheckedAdd<int32_t>(kFirstOptionLine, k))));
    options->SetItemIndex(savedOption);
}
