// What a screen reader says of the panels' fields and results: each edit
// field and list by its column ("3行目 クリダメ", "属性倍率"; in spell mode
// the spell words), and the calculator's results in one sentence. In the
// form's code page.
#pragma once

#include <string>

class Form;

// Empty for a control that is no edit field or list of the panels.
std::string FieldName(const Form& form, int id);

// The caption over an edit field or list, which a phone shows over every
// field and a wide screen over each column in its header's place: its
// column's name (for a row's field, without the row), none for a field
// spell mode disables.
std::string FieldCaption(const Form& form, int id);

std::string CalculationAnnouncement(const Form& form);
