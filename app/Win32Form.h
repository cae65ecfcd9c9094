// The Form realised by a main window's controls, found through its handle
// tables.
#pragma once

#include "app/HandleTables.h"
#include "form/Form.h"

class Win32Form final : public Form {
public:
    explicit Win32Form(const HandleTables& handles) : handles(handles) {}

    FieldText GetText(int id) const override;
    void SetText(int id, std::string_view text) override;
    int GetSelection(int id) const override;
    void SetSelection(int id, int index) override;
    bool GetCheck(int id) const override;
    void Enable(int id, bool enabled) override;

private:
    const HandleTables& handles;
};
