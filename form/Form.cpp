#include "form/Form.h"

#include <algorithm>
#include <cstring>

FieldText MakeFieldText(std::string_view text)
{
    const std::size_t nul = text.find('\0');
    if (nul != std::string_view::npos)
        text = text.substr(0, nul);
    FieldText field;
    field.length = static_cast<int>(std::min<std::size_t>(text.size(), FieldText::Capacity - 1));
    std::memcpy(field.bytes, text.data(), static_cast<std::size_t>(field.length));
    field.bytes[field.length] = '\0';
    return field;
}
