// The Form: the logic's only way to read and write the controls, each
// addressed by its control ID. The window and the in-memory form realise it.
#pragma once

#include <cstdint>
#include <string_view>

#include "form/IntegerField.h"

// A control's text as read back, in UTF-8: at most 99 bytes, like a window
// text read into a 100-byte buffer. The window counts its 99 bytes in code
// page 932, as it always has, and one of those bytes may take three in
// UTF-8: the storage holds that too.
struct FieldText {
    static constexpr int Capacity = 100;
    static constexpr int StorageBytes = 3 * (Capacity - 1) + 1;
    char bytes[StorageBytes];
    int length;

    std::string_view View() const { return {bytes, static_cast<std::size_t>(length)}; }
};

// Copies at most 99 bytes of text, stopping at a NUL as a window text would.
FieldText MakeFieldText(std::string_view text);

// The same for a text its platform has cut to 99 bytes of its own already:
// up to the storage's size.
FieldText CutFieldText(std::string_view text);

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
