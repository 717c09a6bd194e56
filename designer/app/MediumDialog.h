// The designer's "Build medium" form: the options of ctrpack media (output
// folder, launcher name, content folder, label, icon) in a small modal
// window. OK lays the saved menu out as a medium with ctrpack's own code.
#pragma once

#include <string>

#include "designer/model/MediumRequest.h"
#include "framework/ui/Form.h"

class TButton;
class TDesignerForm;
class TEdit;

class TMediumDialog : public TForm {
public:
    explicit TMediumDialog(TComponent* owner);
    const char* ClassName() const override { return "TMediumDialog"; }

    // The fields as the author left them (what the form starts with before).
    MediumFields Fields() const;
    void SetFields(const MediumFields& fields);

    // Runs the form until the medium is built (true; report holds what to
    // tell the author) or the author cancels. A refused medium is shown in a
    // box and the form stays open for a correction.
    bool Execute(const std::string& menuFolder, const std::string& launcher, std::string& report);

private:
    TEdit* AddRow(const std::string& caption, int& top, const char* browse, bool folder);
    void Browse(TEdit* edit, bool folder, const std::string& title);

    TEdit* outFolder_ = nullptr;
    TEdit* launcherName_ = nullptr;
    TEdit* content_ = nullptr;
    TEdit* label_ = nullptr;
    TEdit* icon_ = nullptr;
    TButton* ok_ = nullptr;
};

// The File menu's Build medium command: saves the menu first when it is
// untitled or modified (as Build container does), runs the form with the
// fields of the last run, and says where the medium is.
void BuildMediumCommand(TDesignerForm& designer);
