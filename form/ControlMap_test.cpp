#include "form/ControlMap.h"

#include <set>
#include <string_view>

#include <gtest/gtest.h>

namespace {

TEST(ControlMap, TextsAreUtf8InEveryBuild)
{
    // Written out byte by byte: a build with another execution charset
    // would leave other bytes here.
    EXPECT_EQ(std::string_view(FindControlDef(IDC_SPELL_MODE)->text), "\xE8\xA1\x93\xE3\x83\xA2\xE3\x83\xBC\xE3\x83\x89");
    EXPECT_EQ(std::string_view(AttributeItems[0]), "\xE6\x96\xAC");
    EXPECT_EQ(std::string_view(FindControlDef(IDC_CALC_HEADER)->text).substr(0, 11),
              "\xE6\x94\xBB\xE6\x92\x83 \xE3\x80\x80 ");
}

TEST(ControlMap, HeadersMixIdeographicAndAsciiSpaces)
{
    const auto count = [](std::string_view text, std::string_view what) {
        int n = 0;
        for (std::size_t at = text.find(what); at != std::string_view::npos; at = text.find(what, at + what.size()))
            ++n;
        return n;
    };
    const struct {
        int id;
        int ideographic;
        int ascii;
    } cases[] = {
        {IDC_CALC_HEADER, 7, 4},
        {IDC_CALC_RESULT_HEADER, 2, 1},
        {IDC_EST_HEADER, 5, 4},
        {IDC_EST_RESULT_HEADER, 3, 0},
    };
    for (const auto& c : cases) {
        const std::string_view text = FindControlDef(c.id)->text;
        EXPECT_EQ(count(text, "\u3000"), c.ideographic) << c.id;
        EXPECT_EQ(count(text, " "), c.ascii) << c.id;
    }
}

// The panel the map names is the one whose frame holds the control, and a
// frame is its own panel's; the spell-mode box alone stands above both.
TEST(ControlMap, EveryControlIsInThePanelWhoseFrameHoldsIt)
{
    for (const ControlDef& def : ControlMap) {
        Panel holder = Panel::Window;
        for (const ControlDef& frame : ControlMap)
            if (frame.kind == ControlKind::Group && def.x >= frame.x && def.x < frame.x + frame.width &&
                def.y >= frame.y && def.y < frame.y + frame.height)
                holder = frame.panel;
        EXPECT_EQ(def.panel, holder) << def.name;
    }
    EXPECT_EQ(FrameOf(Panel::Calculator)->id, IDC_GROUP_CALC);
    EXPECT_EQ(FrameOf(Panel::Estimator)->id, IDC_GROUP_ESTIMATE);
    EXPECT_EQ(FrameOf(Panel::Window), nullptr);
    EXPECT_EQ(FindControlDef(IDC_SPELL_MODE)->panel, Panel::Window);
}

TEST(ControlMap, LookupFindsEveryControlAndNothingElse)
{
    std::set<int> ids;
    for (int i = 0; i < ControlCount; ++i) {
        EXPECT_EQ(FindControl(ControlMap[i].id), i);
        ids.insert(ControlMap[i].id);
    }
    EXPECT_EQ(ids.size(), 82u);
    for (int id : {0, 1000, 1002, 1003, 1024, 2035, 3005, 4000, 4002, 4016, 5002, 6003, 109, 110, 111, -1, 99999})
        EXPECT_EQ(FindControl(id), -1) << id;
}

TEST(ControlMap, ObservationRowsAreLaidOutRowByRow)
{
    for (int r = 0; r < ObservationRowCount; ++r) {
        const ObservationRow row = ObservationRowIds(r);
        const int ids[] = {row.damage, row.attack, row.power, row.attribute, row.strength, row.charm, row.chain};
        const int xs[] = {10, 80, 130, 190, 265, 320, 370};
        const int first = FindControl(row.damage);
        for (int c = 0; c < 7; ++c) {
            const ControlDef* def = FindControlDef(ids[c]);
            ASSERT_NE(def, nullptr);
            EXPECT_EQ(def->y, 255 + 25 * r) << def->name;
            EXPECT_EQ(def->x, xs[c]) << def->name;
            // Creation order within a row is left to right (the Tab order).
            EXPECT_EQ(FindControl(ids[c]), first + c) << def->name;
        }
        EXPECT_EQ(std::string_view(FindControlDef(row.damage)->text), "0");
    }
}

TEST(ControlMap, SpinButtonsSitRightOfTheirBuddies)
{
    const struct {
        int spin, buddy, low, high;
    } cases[] = {
        {IDC_ATTACK_SPIN, IDC_ATTACK, 1, 200},   {IDC_POWER_SPIN, IDC_POWER, 1, 999},
        {IDC_STRENGTH_SPIN, IDC_STRENGTH, 0, 99}, {IDC_CHARM_SPIN, IDC_CHARM, 0, 99},
        {IDC_DEFENSE_SPIN, IDC_DEFENSE, 1, 99},
    };
    for (const auto& c : cases) {
        const ControlDef* spin = FindControlDef(c.spin);
        const ControlDef* buddy = FindControlDef(c.buddy);
        EXPECT_EQ(spin->buddyId, c.buddy);
        EXPECT_EQ(spin->rangeLow, c.low);
        EXPECT_EQ(spin->rangeHigh, c.high);
        EXPECT_EQ(spin->x, buddy->x + buddy->width) << spin->name;
        // Each spin button is created right after its buddy.
        EXPECT_EQ(FindControl(c.spin), FindControl(c.buddy) + 1) << spin->name;
    }
}

TEST(ControlMap, OnlyTheSevenResultLabelsAreHighlighted)
{
    std::set<int> highlighted;
    for (const ControlDef& def : ControlMap)
        if (def.highlighted)
            highlighted.insert(def.id);
    EXPECT_EQ(highlighted, (std::set<int>{1005, 1006, 1007, 1011, 1018, 1020, 1022}));
}

TEST(ControlMap, OnlyTheFirstEditFieldStartsAGroup)
{
    for (const ControlDef& def : ControlMap) {
        if (def.kind != ControlKind::Edit)
            continue;
        EXPECT_EQ(def.style, def.id == IDC_ATTACK ? FirstEditStyle : EditStyle) << def.name;
    }
}

} // namespace
