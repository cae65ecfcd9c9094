#include "web/PageModel.h"

#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "form/ControlIds.h"

namespace {

const PagePlace& PlaceOf(int id)
{
    return PagePlaces()[static_cast<std::size_t>(FindControl(id))];
}

// On a phone a panel's lines are its bands; a push button on a line of
// fields has a band of its own after the panel's last band of fields.
TEST(PageModel, BandsAreLinesAndARunButtonFollowsThePanelsFields)
{
    const struct {
        int id;
        Panel panel;
        int band, place;
    } cases[] = {
        {IDC_GROUP_CALC, Panel::Calculator, -1, 0},
        {IDC_SPELL_MODE, Panel::Window, -1, 0},
        {IDC_CALC_HEADER, Panel::Calculator, 0, 0},
        {IDC_ATTACK, Panel::Calculator, 1, 0},
        {IDC_ATTACK_SPIN, Panel::Calculator, 1, 1},
        {IDC_ATTR_RATE2, Panel::Calculator, 1, 11},
        {IDC_DEFENSE_DOWN, Panel::Calculator, 2, 1},
        {IDC_CALC_RUN, Panel::Calculator, 3, 0},
        {IDC_CALC_RESULT_HEADER, Panel::Calculator, 4, 0},
        {IDC_RESULT_MIN, Panel::Calculator, 5, 2},
        {IDC_EST_HEADER, Panel::Estimator, 0, 0},
        {IDC_OBS_DAMAGE_0 + 2, Panel::Estimator, 3, 0},
        {IDC_OBS_CHAIN_0 + 5, Panel::Estimator, 6, 6},
        {IDC_EST_RUN, Panel::Estimator, 7, 0},
        {IDC_EST_RESULT_TITLE, Panel::Estimator, 8, 0},
        {IDC_EST_ALT3_RATES, Panel::Estimator, 14, 1},
    };
    for (const auto& c : cases) {
        const PagePlace& place = PlaceOf(c.id);
        EXPECT_EQ(place.panel, c.panel) << c.id;
        EXPECT_EQ(place.band, c.band) << c.id;
        EXPECT_EQ(place.place, c.place) << c.id;
    }
}

// The Tab key reads the page as the eye does: on a wide screen line by
// line, each left to right, the run button after the fields of its line;
// on a phone the bands in order, each panel's after its frame.
TEST(PageModel, TabOrderReadsTheWindowOnAWideScreenAndTheBandsOnAPhone)
{
    std::vector<int> wide(ControlCount), phone(ControlCount);
    for (int i = 0; i < ControlCount; ++i) {
        wide[static_cast<std::size_t>(PagePlaces()[static_cast<std::size_t>(i)].wideTab)] = ControlMap[i].id;
        phone[static_cast<std::size_t>(PagePlaces()[static_cast<std::size_t>(i)].phoneTab)] = ControlMap[i].id;
    }
    for (std::size_t k = 1; k < wide.size(); ++k) {
        const ControlDef& a = *FindControlDef(wide[k - 1]);
        const ControlDef& b = *FindControlDef(wide[k]);
        EXPECT_TRUE(a.y < b.y || (a.y == b.y && a.x < b.x)) << a.name << " then " << b.name;
    }
    for (std::size_t k = 1; k < phone.size(); ++k) {
        const PagePlace& a = PlaceOf(phone[k - 1]);
        const PagePlace& b = PlaceOf(phone[k]);
        if (a.panel == b.panel && a.band >= 0) {
            EXPECT_TRUE(a.band < b.band || (a.band == b.band && a.place + 1 == b.place)) << phone[k];
        }
    }
    const auto next = [](const std::vector<int>& order, int id) {
        return *(std::find(order.begin(), order.end(), id) + 1);
    };
    EXPECT_EQ(next(wide, IDC_ATTR_RATE2), IDC_CALC_RUN);
    EXPECT_EQ(next(phone, IDC_DEFENSE_DOWN), IDC_CALC_RUN);
    EXPECT_EQ(next(wide, IDC_OBS_CHAIN_0 + 2), IDC_EST_RUN);
    EXPECT_EQ(next(phone, IDC_OBS_CHAIN_0 + 5), IDC_EST_RUN);
    EXPECT_EQ(phone.front(), IDC_SPELL_MODE);
    EXPECT_EQ(next(phone, IDC_GROUP_CALC), IDC_CALC_HEADER);
    EXPECT_EQ(next(phone, IDC_CALC_RUN), IDC_CALC_RESULT_HEADER);
    EXPECT_EQ(next(phone, IDC_EST_HEADER), IDC_OBS_DAMAGE_0);
}

// The labels over a line of fields head every field of it, the chain
// list that the window's header leaves without a word included; labels
// over results, the rows below the first and the spins head nothing.
TEST(PageModel, AHeaderLabelHeadsEveryFieldOfTheLineBelowIt)
{
    const struct {
        int id;
        bool header;
        int head;
    } cases[] = {
        {IDC_CALC_HEADER, true, 0},
        {IDC_EST_HEADER, true, 0},
        {IDC_CALC_RESULT_HEADER, false, 0},
        {IDC_EST_RESULT_HEADER, false, 0},
        {IDC_ATTACK, false, IDC_CALC_HEADER},
        {IDC_ATTR_RATE2, false, IDC_CALC_HEADER},
        {IDC_ATTACK_SPIN, false, 0},
        {IDC_ATTACK_UP, false, 0},
        {IDC_RESULT_CRIT, false, 0},
        {IDC_OBS_DAMAGE_0, false, IDC_EST_HEADER},
        {IDC_OBS_CHAIN_0, false, IDC_EST_HEADER},
        {IDC_OBS_CHAIN_0 + 1, false, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PlaceOf(c.id).header, c.header) << c.id;
        EXPECT_EQ(PlaceOf(c.id).head, c.head) << c.id;
    }
}

TEST(PageModel, JsonNamesEachControlsPlaceTheRowsAndTheChartsSize)
{
    const nlohmann::json model = PageModelJson();
    ASSERT_EQ(model["controls"].size(), static_cast<std::size_t>(ControlCount));
    const nlohmann::json& run = model["controls"][static_cast<std::size_t>(FindControl(IDC_EST_RUN))];
    EXPECT_EQ(run, nlohmann::json({{"id", IDC_EST_RUN},
                                   {"panel", "estimator"},
                                   {"band", 7},
                                   {"place", 0},
                                   {"tab", {{"wide", PlaceOf(IDC_EST_RUN).wideTab},
                                            {"phone", PlaceOf(IDC_EST_RUN).phoneTab}}}}));
    EXPECT_EQ(model["panels"], nlohmann::json({{"calculator", IDC_GROUP_CALC}, {"estimator", IDC_GROUP_ESTIMATE}}));
    ASSERT_EQ(model["rows"].size(), static_cast<std::size_t>(ObservationRowCount));
    EXPECT_EQ(model["rows"][3], nlohmann::json({IDC_OBS_DAMAGE_0 + 3, IDC_OBS_ATTACK_0 + 3, IDC_OBS_POWER_0 + 3,
                                                IDC_OBS_ATTR_0 + 3, IDC_OBS_STRENGTH_0 + 3, IDC_OBS_CHARM_0 + 3,
                                                IDC_OBS_CHAIN_0 + 3}));
    EXPECT_EQ(model["defenseCount"], 100);
}

} // namespace
