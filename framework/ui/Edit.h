// TEdit: a one-line text field over the standard EDIT window.
//
// The designer pushes one undo step per edit, so besides OnChange (every
// keystroke) the field reports a commit: OnCommit fires when Enter is
// pressed, and when the field loses the focus with a text that differs from
// the one it had when it took the focus (or when it last committed). Escape
// puts back the text of that moment. Text, ReadOnly and MaxLength live in the
// object and survive window re-creation.
#pragma once

#include "framework/ui/BorderStyle.h"
#include "framework/ui/WinControl.h"

class TEdit : public TWinControl {
public:
    explicit TEdit(TComponent* owner);

    const char* ClassName() const override { return "TEdit"; }

    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);
    // The most characters the user may type; 0 for no limit. Text set by
    // code is not cut.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int length);
    // Only digits may be typed (ES_NUMBER); a change creates the window anew.
    bool NumbersOnly() const { return numbersOnly_; }
    void SetNumbersOnly(bool numbersOnly);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);

    // The text differs from the one last committed (or taken with the focus):
    // the user has typed something not yet committed.
    bool Modified() const;
    // Fires OnCommit now and takes the current text as the committed one
    // (what Enter does). Keyboard routing calls it before a menu shortcut runs
    // so that, for example, saving includes what was just typed.
    void Commit();
    // Puts back the last committed text without firing OnCommit (Escape).
    void Revert();
    void SelectAll();

    // OnChange fires when the user changes the text (not when code sets it).
    TNotifyEvent OnChange;
    TNotifyEvent OnCommit;

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void SetTextBuf(const std::string& text) override;
    void CNCommand(TMessage& message) override;
    void CNCtlColor(TMessage& message) override;
    void DoEnter() override;
    void DoExit() override;

private:
    bool readOnly_ = false;
    int maxLength_ = 0;
    bool numbersOnly_ = false;
    TBorderStyle borderStyle_ = bsSingle;
    std::string committed_; // the text as of the focus or the last commit
    bool settingText_ = false;
};
