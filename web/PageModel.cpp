#include "web/PageModel.h"

#include <algorithm>
#include <numeric>
#include <tuple>
#include <vector>

#include "estimator/EstimatorState.h"
#include "form/ControlIds.h"
#include "resources/resource.h"

namespace {

bool IsInput(ControlKind kind)
{
    return kind == ControlKind::Edit || kind == ControlKind::Combo || kind == ControlKind::Check;
}

bool IsField(ControlKind kind)
{
    return kind == ControlKind::Edit || kind == ControlKind::Combo;
}

// A line of one label followed by a line with fields: the label heads them.
void PlaceHeaders(std::array<PagePlace, ControlCount>& places, const std::vector<std::vector<int>>& lines)
{
    for (std::size_t b = 0; b + 1 < lines.size(); ++b) {
        if (lines[b].size() != 1 || ControlMap[lines[b][0]].kind != ControlKind::Label)
            continue;
        for (int i : lines[b + 1])
            if (IsField(ControlMap[i].kind)) {
                places[static_cast<std::size_t>(i)].head = ControlMap[lines[b][0]].id;
                places[static_cast<std::size_t>(lines[b][0])].header = true;
            }
    }
}

// The controls of a panel, frames aside, in bands by line: a band's index
// on a phone and each control's place in it.
void PlacePanel(std::array<PagePlace, ControlCount>& places, Panel panel)
{
    std::vector<int> members;
    for (int i = 0; i < ControlCount; ++i)
        if (ControlMap[i].panel == panel && ControlMap[i].kind != ControlKind::Group)
            members.push_back(i);
    std::stable_sort(members.begin(), members.end(), [](int a, int b) {
        return std::tie(ControlMap[a].y, ControlMap[a].x) < std::tie(ControlMap[b].y, ControlMap[b].x);
    });
    std::vector<std::vector<int>> bands;
    std::vector<int> ownBands; // buttons that leave a line of fields
    std::size_t afterInputs = 0;
    for (std::size_t start = 0; start < members.size();) {
        std::size_t end = start;
        while (end < members.size() && ControlMap[members[end]].y == ControlMap[members[start]].y)
            ++end;
        const bool inputs = std::any_of(members.begin() + static_cast<std::ptrdiff_t>(start),
                                        members.begin() + static_cast<std::ptrdiff_t>(end),
                                        [](int i) { return IsInput(ControlMap[i].kind); });
        std::vector<int> band;
        for (std::size_t k = start; k < end; ++k)
            (inputs && ControlMap[members[k]].kind == ControlKind::Button ? ownBands : band).push_back(members[k]);
        bands.push_back(band);
        if (inputs)
            afterInputs = bands.size();
        start = end;
    }
    PlaceHeaders(places, bands);
    for (std::size_t k = 0; k < ownBands.size(); ++k)
        bands.insert(bands.begin() + static_cast<std::ptrdiff_t>(afterInputs + k), {ownBands[k]});
    for (std::size_t b = 0; b < bands.size(); ++b)
        for (std::size_t p = 0; p < bands[b].size(); ++p) {
            places[static_cast<std::size_t>(bands[b][p])].band = static_cast<int>(b);
            places[static_cast<std::size_t>(bands[b][p])].place = static_cast<int>(p);
        }
}

std::array<PagePlace, ControlCount> ComputePlaces()
{
    std::array<PagePlace, ControlCount> places{};
    for (int i = 0; i < ControlCount; ++i)
        places[static_cast<std::size_t>(i)] = {ControlMap[i].panel, -1, 0, 0, 0, false, 0};
    PlacePanel(places, Panel::Calculator);
    PlacePanel(places, Panel::Estimator);

    std::array<int, ControlCount> order{};
    std::iota(order.begin(), order.end(), 0);
    // On a wide screen every control stands at its place in the window:
    // the page reads top to bottom, each line left to right.
    std::stable_sort(order.begin(), order.end(), [](int a, int b) {
        return std::tie(ControlMap[a].y, ControlMap[a].x) < std::tie(ControlMap[b].y, ControlMap[b].x);
    });
    for (int k = 0; k < ControlCount; ++k)
        places[static_cast<std::size_t>(order[static_cast<std::size_t>(k)])].wideTab = k;
    // On a phone a panel's bands follow its frame, one after another.
    const auto key = [&](int i) {
        const PagePlace& p = places[static_cast<std::size_t>(i)];
        const ControlDef* frame = FrameOf(p.panel);
        const ControlDef& top = frame ? *frame : ControlMap[i];
        return std::tuple(top.y, top.x, p.band, p.place);
    };
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return key(a) < key(b); });
    for (int k = 0; k < ControlCount; ++k)
        places[static_cast<std::size_t>(order[static_cast<std::size_t>(k)])].phoneTab = k;
    return places;
}

} // namespace

const std::array<PagePlace, ControlCount>& PagePlaces()
{
    static const std::array<PagePlace, ControlCount> places = ComputePlaces();
    return places;
}

const char* PanelName(Panel panel)
{
    switch (panel) {
    case Panel::Window: return "window";
    case Panel::Calculator: return "calculator";
    case Panel::Estimator: return "estimator";
    }
    return "";
}

nlohmann::json PageModelJson()
{
    nlohmann::json controls = nlohmann::json::array(), panels = nlohmann::json::object(),
                   rows = nlohmann::json::array();
    for (int i = 0; i < ControlCount; ++i) {
        const PagePlace& p = PagePlaces()[static_cast<std::size_t>(i)];
        controls.push_back({{"id", ControlMap[i].id},
                            {"panel", PanelName(p.panel)},
                            {"band", p.band},
                            {"place", p.place},
                            {"tab", {{"wide", p.wideTab}, {"phone", p.phoneTab}}}});
        if (ControlMap[i].kind == ControlKind::Group)
            panels[PanelName(ControlMap[i].panel)] = ControlMap[i].id;
    }
    for (int r = 0; r < ObservationRowCount; ++r) {
        nlohmann::json row = nlohmann::json::array();
        for (int ObservationRow::*field : ObservationFields)
            row.push_back(ObservationRowIds(r).*field);
        rows.push_back(row);
    }
    const nlohmann::json menu = {{"load", IDM_FILE_LOAD}, {"save", IDM_FILE_SAVE}, {"clear", PageClearId}};
    return {{"controls", controls},
            {"panels", panels},
            {"rows", rows},
            {"menu", menu},
            {"defenseCount", DefenseValueCount}};
}
