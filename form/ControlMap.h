// The control map: one row per control of the main window, in creation
// order. It is the single source of every control's data: the in-memory
// form starts from it and the window creates its controls from it.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <span>

#include "form/ControlIds.h"

enum class ControlKind { Group, Label, Edit, Spin, Combo, Button, Check };

// The panel a control belongs to: the calculator's frame, the estimator's,
// or the window itself, for the spell-mode box above both frames.
enum class Panel { Window, Calculator, Estimator };

// Styles as the platform's flag values (WS_CHILD | WS_VISIBLE | ...).
constexpr std::uint32_t GroupBoxStyle = 0x50000007;   // BS_GROUPBOX
constexpr std::uint32_t CheckBoxStyle = 0x50000003;   // BS_AUTOCHECKBOX
constexpr std::uint32_t LabelStyle = 0x50000000;      // SS_LEFT
constexpr std::uint32_t PushButtonStyle = 0x50000000; // BS_PUSHBUTTON
constexpr std::uint32_t FirstEditStyle = 0x50832000;  // WS_BORDER | WS_GROUP | WS_TABSTOP | ES_NUMBER
constexpr std::uint32_t EditStyle = 0x50812000;       // WS_BORDER | WS_TABSTOP | ES_NUMBER
constexpr std::uint32_t ComboStyle = 0x50210003;      // WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST
constexpr std::uint32_t SpinStyle = 0x50000022;       // UDS_SETBUDDYINT | UDS_ARROWKEYS
constexpr std::uint32_t ClientEdgeExStyle = 0x00000200; // WS_EX_CLIENTEDGE

// The most UTF-16 units a player can type or paste into an edit field:
// Windows' default for a single-line edit control, given to the window's
// edit controls and the page's fields alike. The form reads at most 99
// bytes of any field; the limit keeps a field's text bounded too.
constexpr int EditTextLimit = 32767;

struct ControlDef {
    int id;
    const char* name;
    ControlKind kind;
    const char* text;
    int x, y, width, height;
    std::uint32_t style;
    std::uint32_t exStyle;
    std::span<const char* const> items; // drop-down lists only
    int selection;                       // drop-down lists only
    int buddyId;                         // spin buttons only
    int rangeLow, rangeHigh;             // spin buttons only
    bool highlighted;                    // bold font and light-red text
    Panel panel = Panel::Window;         // set by the block of the map that holds the control
};

inline constexpr const char* RateItems[] = {"50", "62.5", "75", "87.5", "100", "112.5", "125", "137.5"};
inline constexpr const char* AttributeItems[] = {"斬", "打", "突"};
inline constexpr const char* ChainItems[] = {"連携無し", "2連携", "3連携", "4連携", "5連携"};

// Both rate lists start at "100".
inline constexpr int RateItemOfOne = 4;

// The chain list: item 0 is no chain, item s a chain of s + 1 attacks; no
// selection (-1) counts as no chain.
constexpr int ChainCountOfItem(int item)
{
    return item <= 0 ? 0 : item + 1;
}

// A chain count's item: 0 and 1 are no chain. A count past the list gives
// an index outside it, which leaves the list without a selection.
constexpr int ChainItemOfCount(std::int32_t count)
{
    return count <= 1 ? 0 : count - 1;
}

// The chain list as an observation row is written everywhere (the file,
// share links, kept state): its count, and for no selection the count one
// past the list, which reads back as none.
constexpr int NoChainCode = static_cast<int>(std::size(ChainItems)) + 1;

constexpr int ChainCodeOfItem(int item)
{
    return item >= 0 && item < static_cast<int>(std::size(ChainItems)) ? ChainCountOfItem(item) : NoChainCode;
}

constexpr ControlDef GroupBox(int id, const char* name, const char* text, int x, int y, int w, int h)
{
    return {id, name, ControlKind::Group, text, x, y, w, h, GroupBoxStyle, 0, {}, -1, 0, 0, 0, false};
}

constexpr ControlDef Label(int id, const char* name, const char* text, int x, int y, int w, int h,
                           bool highlighted = false)
{
    return {id, name, ControlKind::Label, text, x, y, w, h, LabelStyle, 0, {}, -1, 0, 0, 0, highlighted};
}

constexpr ControlDef NumericEdit(int id, const char* name, const char* text, int x, int y, int w,
                                 std::uint32_t style = EditStyle)
{
    return {id, name, ControlKind::Edit, text, x, y, w, 24, style, ClientEdgeExStyle, {}, -1, 0, 0, 0, false};
}

constexpr ControlDef Spin(int id, const char* name, int x, int buddyId, int low, int high)
{
    return {id, name, ControlKind::Spin, "", x, 80, 20, 24, SpinStyle, ClientEdgeExStyle, {}, -1,
            buddyId, low, high, false};
}

constexpr ControlDef DropDown(int id, const char* name, int x, int y, int w, int h,
                              std::span<const char* const> items, int selection)
{
    return {id, name, ControlKind::Combo, "", x, y, w, h, ComboStyle, 0, items, selection, 0, 0, 0, false};
}

constexpr ControlDef PushButton(int id, const char* name, const char* text, int x, int y)
{
    return {id, name, ControlKind::Button, text, x, y, 80, 24, PushButtonStyle, 0, {}, -1, 0, 0, 0, false};
}

constexpr ControlDef CheckBox(int id, const char* name, const char* text, int x, int y)
{
    return {id, name, ControlKind::Check, text, x, y, 100, 24, CheckBoxStyle, 0, {}, -1, 0, 0, 0, false};
}

// One observation row r at y = 255 + 25 r, left to right.
#define TORUME_OBSERVATION_ROW(r)                                                                  \
    NumericEdit(IDC_OBS_DAMAGE_0 + (r), "IDC_OBS_DAMAGE_" #r, "0", 10, 255 + 25 * (r), 55),        \
        NumericEdit(IDC_OBS_ATTACK_0 + (r), "IDC_OBS_ATTACK_" #r, "", 80, 255 + 25 * (r), 35),     \
        NumericEdit(IDC_OBS_POWER_0 + (r), "IDC_OBS_POWER_" #r, "", 130, 255 + 25 * (r), 45),      \
        DropDown(IDC_OBS_ATTR_0 + (r), "IDC_OBS_ATTR_" #r, 190, 255 + 25 * (r), 60, 150,           \
                 AttributeItems, 0),                                                               \
        NumericEdit(IDC_OBS_STRENGTH_0 + (r), "IDC_OBS_STRENGTH_" #r, "", 265, 255 + 25 * (r), 40), \
        NumericEdit(IDC_OBS_CHARM_0 + (r), "IDC_OBS_CHARM_" #r, "", 320, 255 + 25 * (r), 40),      \
        DropDown(IDC_OBS_CHAIN_0 + (r), "IDC_OBS_CHAIN_" #r, 370, 255 + 25 * (r), 90, 150,         \
                 ChainItems, 0)

// Headers line their words up over the columns with ideographic spaces
// (U+3000) mixed with ASCII spaces; the escapes keep that spacing visible.
inline constexpr const char CalcHeaderText[] =
    "攻撃 \u3000 技威力\u3000腕力\u3000\u3000魅力\u3000\u3000敵防御\u3000属性倍率  複属性";

// In spell mode the same controls read as the spell's inputs: the header
// over the calculator's fields, and the attack-up box.
inline constexpr const char SpellModeHeaderText[] =
    "術適正\u3000術威力\u3000知力\u3000\u3000愛\u3000\u3000\u3000\u3000\u3000\u3000\u3000属性倍率";
inline constexpr const char SpellAttackUpText[] = "術適上昇";

// The map is written in blocks of consecutive rows, each block all of one
// panel, which it sets in its rows.
template <std::size_t N>
constexpr std::array<ControlDef, N> InPanel(Panel panel, const ControlDef (&rows)[N])
{
    std::array<ControlDef, N> block{};
    for (std::size_t i = 0; i < N; ++i) {
        block[i] = rows[i];
        block[i].panel = panel;
    }
    return block;
}

// The blocks one after another, in creation order.
template <std::size_t... N>
constexpr std::array<ControlDef, (N + ...)> Concatenate(const std::array<ControlDef, N>&... blocks)
{
    std::array<ControlDef, (N + ...)> map{};
    std::size_t i = 0;
    ((std::copy(blocks.begin(), blocks.end(), map.begin() + static_cast<std::ptrdiff_t>(i)), i += N), ...);
    return map;
}

inline constexpr auto ControlMap = Concatenate(
    //          ID                      name                      text                x    y    w    h
    InPanel(Panel::Calculator, {GroupBox(IDC_GROUP_CALC, "IDC_GROUP_CALC", "ダメージ計算", 5, 35, 600, 160)}),
    InPanel(Panel::Estimator, {GroupBox(IDC_GROUP_ESTIMATE, "IDC_GROUP_ESTIMATE", "敵防御自動推定", 5, 205, 600, 400)}),
    InPanel(Panel::Calculator, {
    Label(IDC_CALC_HEADER, "IDC_CALC_HEADER", CalcHeaderText, 20, 60, 450, 20),
    Label(IDC_CALC_RESULT_HEADER, "IDC_CALC_RESULT_HEADER",
          "計算結果: クリティカル\u3000非クリ平均\u3000非クリ最低", 20, 140, 400, 20),
    Label(IDC_RESULT_CRIT, "IDC_RESULT_CRIT", "", 130, 160, 200, 20, true),
    Label(IDC_RESULT_AVG, "IDC_RESULT_AVG", "", 230, 160, 200, 20, true),
    Label(IDC_RESULT_MIN, "IDC_RESULT_MIN", "", 330, 160, 200, 20, true),
    //          ID                      name                      text    x   w   (y 80, h 24)
    NumericEdit(IDC_ATTACK, "IDC_ATTACK", "50", 20, 80, 35, FirstEditStyle),
    Spin(IDC_ATTACK_SPIN, "IDC_ATTACK_SPIN", 55, IDC_ATTACK, 1, 200),
    NumericEdit(IDC_POWER, "IDC_POWER", "300", 80, 80, 40),
    Spin(IDC_POWER_SPIN, "IDC_POWER_SPIN", 120, IDC_POWER, 1, 999),
    NumericEdit(IDC_STRENGTH, "IDC_STRENGTH", "0", 145, 80, 35),
    Spin(IDC_STRENGTH_SPIN, "IDC_STRENGTH_SPIN", 180, IDC_STRENGTH, 0, 99),
    NumericEdit(IDC_CHARM, "IDC_CHARM", "0", 210, 80, 35),
    Spin(IDC_CHARM_SPIN, "IDC_CHARM_SPIN", 245, IDC_CHARM, 0, 99),
    NumericEdit(IDC_DEFENSE, "IDC_DEFENSE", "30", 275, 80, 35),
    Spin(IDC_DEFENSE_SPIN, "IDC_DEFENSE_SPIN", 310, IDC_DEFENSE, 1, 99),
    DropDown(IDC_ATTR_RATE, "IDC_ATTR_RATE", 340, 80, 60, 180, RateItems, RateItemOfOne),
    DropDown(IDC_ATTR_RATE2, "IDC_ATTR_RATE2", 410, 80, 60, 180, RateItems, RateItemOfOne)}),
    InPanel(Panel::Window, {CheckBox(IDC_SPELL_MODE, "IDC_SPELL_MODE", "術モード", 20, 5)}),
    InPanel(Panel::Calculator, {
    CheckBox(IDC_ATTACK_UP, "IDC_ATTACK_UP", "攻上昇", 20, 110),
    CheckBox(IDC_DEFENSE_DOWN, "IDC_DEFENSE_DOWN", "防低下", 140, 110),
    PushButton(IDC_CALC_RUN, "IDC_CALC_RUN", "計算実行", 500, 80)}),
    InPanel(Panel::Estimator, {
    Label(IDC_EST_HEADER, "IDC_EST_HEADER",
          "クリダメ 攻撃\u3000技威力\u3000属性 \u3000\u3000 腕力\u3000 魅力", 10, 230, 350, 20),
    Label(IDC_EST_RESULT_TITLE, "IDC_EST_RESULT_TITLE", "計算結果", 10, 410, 100, 20),
    Label(IDC_EST_RESULT_HEADER, "IDC_EST_RESULT_HEADER", "防御\u3000斬倍率\u3000打倍率\u3000突倍率", 20,
          430, 300, 20),
    Label(IDC_EST_DEFENSE, "IDC_EST_DEFENSE", "", 30, 455, 400, 20, true),
    Label(IDC_EST_RATE_SLASH, "IDC_EST_RATE_SLASH", "", 80, 455, 100, 20),
    Label(IDC_EST_RATE_STRIKE, "IDC_EST_RATE_STRIKE", "", 140, 455, 100, 20),
    Label(IDC_EST_RATE_THRUST, "IDC_EST_RATE_THRUST", "", 200, 455, 100, 20),
    Label(IDC_EST_SUMMARY, "IDC_EST_SUMMARY", "", 300, 430, 300, 20),
    Label(IDC_EST_PREDICTED, "IDC_EST_PREDICTED", "", 300, 455, 300, 20),
    Label(IDC_EST_MORE, "IDC_EST_MORE", "", 30, 485, 400, 20),
    Label(IDC_EST_ALT1_DEFENSE, "IDC_EST_ALT1_DEFENSE", "", 30, 505, 100, 20, true),
    Label(IDC_EST_ALT1_RATES, "IDC_EST_ALT1_RATES", "", 80, 505, 200, 20),
    Label(IDC_EST_ALT2_DEFENSE, "IDC_EST_ALT2_DEFENSE", "", 30, 525, 100, 20, true),
    Label(IDC_EST_ALT2_RATES, "IDC_EST_ALT2_RATES", "", 80, 525, 200, 20),
    Label(IDC_EST_ALT3_DEFENSE, "IDC_EST_ALT3_DEFENSE", "", 30, 545, 100, 20, true),
    Label(IDC_EST_ALT3_RATES, "IDC_EST_ALT3_RATES", "", 80, 545, 200, 20),
    TORUME_OBSERVATION_ROW(0),
    TORUME_OBSERVATION_ROW(1),
    TORUME_OBSERVATION_ROW(2),
    TORUME_OBSERVATION_ROW(3),
    TORUME_OBSERVATION_ROW(4),
    TORUME_OBSERVATION_ROW(5),
    PushButton(IDC_EST_RUN, "IDC_EST_RUN", "計算実行", 490, 305)}));

#undef TORUME_OBSERVATION_ROW

constexpr int ControlCount = static_cast<int>(std::size(ControlMap));

// Handle-table layout of each kind: base ID and number of slots.
struct KindSlots {
    int base;
    int slots;
};

constexpr KindSlots SlotsOf(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Group: return {900, 10};
    case ControlKind::Label: return {1000, 30};
    case ControlKind::Edit: return {2000, 40};
    case ControlKind::Spin: return {3000, 30};
    case ControlKind::Combo: return {4000, 30};
    case ControlKind::Button: return {5000, 30};
    case ControlKind::Check: return {6000, 10};
    }
    return {0, 0};
}

// The platform class a control is created with.
const char* ClassNameOf(ControlKind kind);

// The kind by name ("group", "label", "edit", "spin", "combo", "button",
// "check"), as the page's script knows it.
const char* KindNameOf(ControlKind kind);

// Index into ControlMap of the control with this ID, or -1 when no
// control has it.
int FindControl(int id);

// The control's row, or null for an unknown ID.
const ControlDef* FindControlDef(int id);

// The group box that frames a panel, or null for the window itself.
const ControlDef* FrameOf(Panel panel);
