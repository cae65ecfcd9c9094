// The Form realised on a web page: every control of the control map is an
// element of the page, and each operation is one call into the page's
// script (WebControls.js), as the window's form is one platform call.
#pragma once

#include "form/Form.h"

class WebForm final : public Form {
public:
    FieldText GetText(int id) const override;
    void SetText(int id, std::string_view text) override;
    int GetSelection(int id) const override;
    void SetSelection(int id, int index) override;
    bool GetCheck(int id) const override;
    void Enable(int id, bool enabled) override;

    // Beyond the Form, which never ticks a box: a share link's check boxes.
    void SetCheck(int id, bool checked);
};

// The page's one form.
extern WebForm PageForm;

// Creates the page's element for every control of the map, in creation
// order, and the menu's file input, save and clear buttons.
void CreateWebControls();
