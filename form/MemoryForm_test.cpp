#include "form/MemoryForm.h"

#include <string>

#include <gtest/gtest.h>

namespace {

std::string Text(const Form& form, int id)
{
    return std::string(form.GetText(id).View());
}

TEST(MemoryForm, StartsInTheControlMapsInitialState)
{
    const MemoryForm form;
    EXPECT_EQ(Text(form, IDC_ATTACK), "50");
    EXPECT_EQ(Text(form, IDC_POWER), "300");
    EXPECT_EQ(Text(form, IDC_DEFENSE), "30");
    for (int id : {2021, 2022, 2003, 2004, 2005, 2006, 2007, 2008})
        EXPECT_EQ(Text(form, id), "0") << id;
    for (int id = 2009; id <= 2020; ++id)
        EXPECT_EQ(Text(form, id), "") << id;
    for (int id = 2023; id <= 2034; ++id)
        EXPECT_EQ(Text(form, id), "") << id;
    for (int id = 1005; id <= 1007; ++id)
        EXPECT_EQ(Text(form, id), "") << id;
    for (int id = 1011; id <= 1023; ++id)
        EXPECT_EQ(Text(form, id), "") << id;
    EXPECT_EQ(form.GetSelection(IDC_ATTR_RATE), 4);
    EXPECT_EQ(form.GetSelection(IDC_ATTR_RATE2), 4);
    for (int id = 4003; id <= 4014; ++id)
        EXPECT_EQ(form.GetSelection(id), 0) << id;
    for (int id = 6000; id <= 6002; ++id)
        EXPECT_FALSE(form.GetCheck(id)) << id;
    for (const ControlDef& def : ControlMap)
        EXPECT_TRUE(form.IsEnabled(def.id)) << def.name;
}

TEST(MemoryForm, ReadsBackAtMostNinetyNineBytes)
{
    MemoryForm form;
    const std::string digits(150, '7');
    form.SetText(IDC_ATTACK, digits);
    EXPECT_EQ(Text(form, IDC_ATTACK), digits.substr(0, 99));
    EXPECT_EQ(form.FullText(IDC_ATTACK), digits);
}

TEST(MemoryForm, TextEndsAtNulLikeAWindowText)
{
    MemoryForm form;
    form.SetText(IDC_POWER, std::string_view("12\0" "34", 5));
    EXPECT_EQ(Text(form, IDC_POWER), "12");
}

TEST(MemoryForm, SelectionOutsideTheItemsClearsIt)
{
    const struct {
        int id;
        int index;
        int expected;
    } cases[] = {
        {IDC_OBS_ATTR_0, 2, 2},   {IDC_OBS_ATTR_0, 3, -1},   {IDC_OBS_ATTR_0, -1, -1},
        {IDC_OBS_CHAIN_0, 4, 4},  {IDC_OBS_CHAIN_0, 5, -1},  {IDC_ATTR_RATE, 7, 7},
        {IDC_ATTR_RATE, 8, -1},   {IDC_ATTR_RATE, -2147483647 - 1, -1},
    };
    for (const auto& c : cases) {
        MemoryForm form;
        form.SetSelection(c.id, c.index);
        EXPECT_EQ(form.GetSelection(c.id), c.expected) << c.id << " " << c.index;
    }
}

TEST(MemoryForm, NumbersReadFromStoredTexts)
{
    MemoryForm form;
    form.SetText(IDC_OBS_ATTACK_0, "-35");
    EXPECT_EQ(form.GetNumber(IDC_OBS_ATTACK_0), -35);
    form.Enable(IDC_DEFENSE, false);
    EXPECT_FALSE(form.IsEnabled(IDC_DEFENSE));
    EXPECT_EQ(form.GetNumber(IDC_DEFENSE), 30) << "a disabled field is read like any other";
    form.SetText(IDC_POWER, "12ab");
    EXPECT_EQ(form.GetNumber(IDC_POWER), 12);
    form.SetText(IDC_POWER, "");
    EXPECT_EQ(form.GetNumber(IDC_POWER), 0);
}

TEST(MemoryForm, UnknownIdsAndMismatchedKindsAreHarmless)
{
    MemoryForm form;
    form.SetText(1234, "x");
    form.SetSelection(1234, 1);
    form.SetCheck(1234, true);
    form.Enable(1234, false);
    EXPECT_EQ(Text(form, 1234), "");
    EXPECT_EQ(form.GetSelection(1234), -1);
    EXPECT_FALSE(form.GetCheck(1234));

    form.SetSelection(IDC_ATTACK, 1);
    EXPECT_EQ(form.GetSelection(IDC_ATTACK), -1);
    form.SetCheck(IDC_ATTACK, true);
    EXPECT_FALSE(form.GetCheck(IDC_ATTACK));
}

} // namespace
