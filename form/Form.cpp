#include "form/Form.h"

#include <algorithm>
#include <cstring>

namespace {

FieldText FieldTextOf(std::string_view text, std::size_t limit)
{
    const std::size_t nul = text.find('\0');
    if (nul != std::string_view::npos)
        text = text.substr(0, nul);
    FieldText field;
    field.length = static_cast<int>(std::min(text.size(), limit));
    std::memcpy(field.bytes, text.data(), static_cast<std::size_t>(field.length));
    field.bytes[field.length] = '\0';
    return field;
}

} // namespace

FieldText MakeFieldText(std::string_view text)
{
    return FieldTextOf(text, FieldText::Capacity - 1);
}

FieldText CutFieldText(std::string_view text)
{
    return FieldTextOf(text, FieldText::StorageBytes - 1);
}
