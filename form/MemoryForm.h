// The Form held in memory: every control of the control map with its text,
// enabled flag, check state and list selection. The command-line program
// keeps its panels in one; the diagnosis and the report, in every front
// end, estimate from a copy of the rows in one (CopyObservationRows); the
// tests, fuzzers and benchmarks stand in for the user's typing and
// clicking through the setters below.
#pragma once

#include <array>
#include <string>

#include "form/ControlMap.h"
#include "form/Form.h"

class MemoryForm final : public Form {
public:
    // Every control in the initial state of the control map.
    MemoryForm();

    FieldText GetText(int id) const override;
    void SetText(int id, std::string_view text) override;
    int GetSelection(int id) const override;
    void SetSelection(int id, int index) override;
    bool GetCheck(int id) const override;
    void Enable(int id, bool enabled) override;

    // Beyond the Form: what a user's click or a test needs.
    void SetCheck(int id, bool checked);
    bool IsEnabled(int id) const;
    // The whole stored text, not cut to 99 bytes (labels can hold more).
    const std::string& FullText(int id) const;

private:
    struct ControlState {
        std::string text;
        bool enabled;
        bool checked;
        int selection;
    };

    const ControlState* Find(int id) const;
    ControlState* Find(int id);

    std::array<ControlState, ControlCount> controls;
};

