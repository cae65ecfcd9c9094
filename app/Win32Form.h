// The Form realised by the main window's controls, found through the
// handle tables.
#pragma once

#include "form/Form.h"

class Win32Form final : public Form {
public:
    FieldText GetText(int id) const override;
    void SetText(int id, std::string_view text) override;
    int GetSelection(int id) const override;
    void SetSelection(int id, int index) override;
    bool GetCheck(int id) const override;
    void Enable(int id, bool enabled) override;
};

// The form of the one main window.
extern Win32Form MainForm;
