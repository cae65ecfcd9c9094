#include "app/Controls.h"

#include <commctrl.h>

#include "app/HandleTables.h"
#include "form/ControlMap.h"

namespace {

constexpr COLORREF WhiteText = RGB(255, 255, 255);

HFONT NormalFont;
HFONT BoldFont;

HFONT CreateGothicFont(int height, int weight)
{
    return CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, PROOF_QUALITY, VARIABLE_PITCH | FF_DONTCARE, "ＭＳ ゴシック");
}

// Drop-down lists and push buttons get the normal font, the highlighted
// result labels the bold one; everything else keeps the system font.
HFONT FontOf(const ControlDef& def)
{
    if (def.highlighted)
        return BoldFont;
    if (def.kind == ControlKind::Combo || def.kind == ControlKind::Button)
        return NormalFont;
    return nullptr;
}

void SetUpControl(HWND control, const ControlDef& def)
{
    if (HFONT font = FontOf(def))
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), 1);
    if (def.kind == ControlKind::Spin) {
        SendMessageA(control, UDM_SETBUDDY, reinterpret_cast<WPARAM>(ControlHandle(def.buddyId)), 0);
        SendMessageA(control, UDM_SETRANGE32, static_cast<WPARAM>(def.rangeLow), def.rangeHigh);
    }
    if (def.kind == ControlKind::Combo) {
        for (const char* item : def.items)
            SendMessageA(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(def.selection), 0);
    }
}

HBRUSH PaintOnBlack(HDC dc, COLORREF colour)
{
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    return static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
}

} // namespace

void CreateControls(HWND parent, HINSTANCE instance)
{
    InitCommonControls();
    NormalFont = CreateGothicFont(16, FW_NORMAL);
    BoldFont = CreateGothicFont(20, FW_BOLD);

    // The map's order is the creation order, and with it the Tab order.
    for (const ControlDef& def : ControlMap) {
        HWND control = CreateWindowExA(def.exStyle, ClassNameOf(def.kind), def.text, def.style, def.x, def.y,
                                       def.width, def.height, parent,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(def.id)), instance, nullptr);
        *HandleSlot(def.id) = control;
        SetUpControl(control, def);
    }
}

HBRUSH ColorStaticControl(HDC dc, HWND control)
{
    const ControlDef* def = ControlDefOf(control);
    if (!def)
        return nullptr;
    switch (def->kind) {
    case ControlKind::Label: return PaintOnBlack(dc, def->highlighted ? HighlightText : WhiteText);
    case ControlKind::Group:
    case ControlKind::Check: return PaintOnBlack(dc, WhiteText);
    default: return nullptr;
    }
}
