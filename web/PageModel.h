// What the page is made of, as its script lays it out: where each control
// stands on a wide screen and on a phone, the observation rows' controls,
// and the figures its drawing needs. The script renders this model and
// holds no fact of its own.
#pragma once

#include <nlohmann/json.hpp>

#include "form/ControlMap.h"

// A control's place on the page. A panel's controls stand in bands, one
// per line of the window, in the order the eye reads them; on a phone each
// band is a line that wraps, and a push button that shares its line with
// fields has a band of its own after the panel's last band of fields and
// check boxes. The frames and the controls of the window itself stand in
// no band.
struct PagePlace {
    Panel panel;
    int band;      // on a phone, 0 first; -1 for no band
    int place;     // in the band, left to right
    int wideTab;   // the position in the Tab order (and the page's order) on a wide screen
    int phoneTab;  // the same on a phone
    // A line of one label over a line of fields is that line's header. On
    // a wide screen each field's caption takes the header's place, over
    // the field's own column, as the window's spaced words stand over
    // their columns only in its font; on a phone the captions alone stand.
    bool header;   // a label that heads the next line's fields
    int head;      // a field's header label, 0 for none
};

// The page's own command beside the window's file commands, in their
// range: clearing the rows for a new enemy.
constexpr int PageClearId = 113;

// Indexed as ControlMap.
const std::array<PagePlace, ControlCount>& PagePlaces();

const char* PanelName(Panel panel);

// {"controls": [{"id", "panel", "band", "place", "tab": {"wide", "phone"}}]
//  in creation order, "panels": {panel: the ID of its frame}, "rows": [the
//  controls of each observation row, in the file's column order],
//  "menu": {"load", "save", "clear": the menu's commands' IDs},
//  "defenseCount": the defense values the chart shows}.
nlohmann::json PageModelJson();
