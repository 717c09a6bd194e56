#include "framework/ui/Edit.h"

#include "framework/graphics/Color.h"
#include "framework/graphics/Font.h"
#include "framework/runtime/ScopeExit.h"

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 121, 21);
    SetTabStop(true);
}

void TEdit::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    CreateSubClass(params, "EDIT");
    params.Style |= ES_LEFT | ES_AUTOHSCROLL;
    if (readOnly_)
        params.Style |= ES_READONLY;
    if (numbersOnly_)
        params.Style |= ES_NUMBER;
    if (borderStyle_ == bsSingle)
        params.ExStyle |= WS_EX_CLIENTEDGE;
    // The text goes in once the field's limit is set: an edit field takes
    // 30,000 characters at first, and a long window text at creation makes
    // the creation itself fail.
    params.Caption.clear();
}

void TEdit::CreateWnd() {
    // The window gets the stored text: that is no edit by the user.
    const std::string text = StoredText();
    settingText_ = true;
    ScopeExit set([this] { settingText_ = false; });
    TWinControl::CreateWnd();
    SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
    SetWindowTextA(Handle(), text.c_str());
}

void TEdit::SetTextBuf(const std::string& text) {
    {
        settingText_ = true;
        ScopeExit set([this] { settingText_ = false; });
        TWinControl::SetTextBuf(text);
    }
    // Text from code is the new committed value: the field shows the model.
    committed_ = text;
}

void TEdit::SetReadOnly(bool readOnly) {
    if (readOnly_ == readOnly)
        return;
    readOnly_ = readOnly;
    if (HandleAllocated())
        SendMessageA(Handle(), EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
}

void TEdit::SetMaxLength(int length) {
    if (length < 0)
        length = 0;
    if (maxLength_ == length)
        return;
    maxLength_ = length;
    if (HandleAllocated())
        SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(length), 0);
}

void TEdit::SetNumbersOnly(bool numbersOnly) {
    if (numbersOnly_ == numbersOnly)
        return;
    numbersOnly_ = numbersOnly;
    RecreateWnd();
}

void TEdit::SetBorderStyle(TBorderStyle style) {
    if (style != bsNone)
        style = bsSingle;
    if (borderStyle_ == style)
        return;
    borderStyle_ = style;
    RecreateWnd();
}

bool TEdit::Modified() const {
    return Text() != committed_;
}

void TEdit::Commit() {
    committed_ = Text();
    // The handler may free this field (a property panel rebuilding itself):
    // nothing of this object is touched after it.
    if (OnCommit)
        OnCommit(this);
}

void TEdit::Revert() {
    if (!HandleAllocated())
        return;
    settingText_ = true;
    SetWindowTextA(Handle(), committed_.c_str());
    settingText_ = false;
    SetStoredText(committed_);
    SelectAll();
}

void TEdit::SelectAll() {
    if (HandleAllocated())
        SendMessageA(Handle(), EM_SETSEL, 0, -1);
}

void TEdit::DoEnter() {
    committed_ = Text();
    TWinControl::DoEnter();
}

void TEdit::DoExit() {
    bool commit = !Recreating() && !ComponentState().Contains(csDestroying) && Modified();
    TWinControl::DoExit();
    if (commit)
        Commit();
}

void TEdit::CNCommand(TMessage& message) {
    if (HIWORD(message.WParam) == EN_CHANGE && !settingText_ && OnChange)
        OnChange(this);
}

void TEdit::CNCtlColor(TMessage& message) {
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    SetTextColor(dc, ColorToColorRef(Font()->Color()));
    SetBkColor(dc, ColorToColorRef(Color()));
    message.Result = reinterpret_cast<LRESULT>(ColorBrush());
}

void TEdit::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_KEYDOWN:
        if (message.WParam == VK_RETURN) {
            Commit();
            return;
        }
        if (message.WParam == VK_ESCAPE && Modified()) {
            Revert();
            return;
        }
        break;
    case WM_CHAR:
        // A one-line edit beeps at Enter and Escape; both are handled above.
        if (message.WParam == '\r' || message.WParam == 0x1B)
            return;
        // Ctrl+A arrives as character 1; the classic edit control has no
        // select-all of its own and would beep.
        if (message.WParam == 0x01) {
            SelectAll();
            return;
        }
        break;
    default:
        break;
    }
    TWinControl::WndProc(message);
}
