// A menu item's text (resources/ResourceText.h) as a button or a link
// that stands for the item shows it.
#pragma once

#include <string_view>

// The text before the tab that leads the keyboard shortcut, which only the
// window's menu draws, and without a closing "...", the window's sign that
// a dialog follows.
constexpr std::string_view MenuItemLabel(std::string_view item)
{
    constexpr std::string_view dialogFollows = "...";
    item = item.substr(0, item.find('\t'));
    if (item.ends_with(dialogFollows))
        item.remove_suffix(dialogFollows.size());
    return item;
}
