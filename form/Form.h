// The Form: the logic's only way to read and write the controls, each
// addressed by its control ID. The window and the in-memory form realise it.
#pragma once

#include <cstdint>
#include <string_view>

#include "form/IntegerField.h"

// A control's text as read back: at most 99 bytes, like a window text read
// into a 100-byte buffer.
struct FieldText {
    static constexpr int Capacity = 100;
    char bytes[Capacity];
    int length;

    std::string_view View() const { return {bytes, static_cast<std::size_t>(length)}; }
};

// Copies at most 99 bytes of text, stopping at a NUL as a window text would.
FieldText MakeFieldText(std::string_view text);

class Form {
public:
    virtual ~Form() = default;

    virtual FieldText GetText(int id) const = 0;
    virtual void SetText(int id, std::string_view text) = 0;
    // Selected item index of a drop-down list, -1 when none is selected.
    virtual int GetSelection(int id) const = 0;
    // An index outside the list's items clears the selection.
    virtual void SetSelection(int id, int index) = 0;
    virtual bool GetCheck(int id) const = 0;
    virtual void Enable(int id, bool enabled) = 0;

    // The text read as an integer field (ReadInteger).
    std::int32_t GetNumber(int id) const { return ReadInteger(GetText(id).View()); }
};
