#include "app/Controls.h"

#include <commctrl.h>

#include <cwchar>

#include "app/HandleTables.h"
#include "app/WideText.h"
#include "form/ControlMap.h"

namespace {

constexpr COLORREF WhiteText = RGB(255, 255, 255);

HFONT NormalFont;
HFONT BoldFont;
HFONT SystemStandIn;

// The face by its Unicode name, found on a system of any language.
HFONT CreateGothicFont(int height, int weight)
{
    return CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, PROOF_QUALITY, VARIABLE_PITCH | FF_DONTCARE, GothicFace);
}

// Drop-down lists and push buttons get the normal font, the highlighted
// result labels the bold one; everything else that shows text keeps the
// system font, or its stand-in.
HFONT FontOf(const ControlDef& def)
{
    if (def.highlighted)
        return BoldFont;
    if (def.kind == ControlKind::Combo || def.kind == ControlKind::Button)
        return NormalFont;
    return def.kind == ControlKind::Spin ? nullptr : SystemStandIn;
}

void SetUpControl(HWND control, const ControlDef& def)
{
    if (HFONT font = FontOf(def))
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), 1);
    if (def.kind == ControlKind::Spin) {
        SendMessageW(control, UDM_SETBUDDY, reinterpret_cast<WPARAM>(ControlHandle(def.buddyId)), 0);
        SendMessageW(control, UDM_SETRANGE32, static_cast<WPARAM>(def.rangeLow), def.rangeHigh);
    }
    if (def.kind == ControlKind::Combo) {
        for (const char* item : def.items)
            SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromCp932(item).c_str()));
        SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(def.selection), 0);
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
    SystemStandIn = CreateSystemFontStandIn();

    // The map's order is the creation order, and with it the Tab order.
    for (const ControlDef& def : ControlMap) {
        HWND control = CreateWindowExW(def.exStyle, WideFromCp932(ClassNameOf(def.kind)).c_str(),
                                       WideFromCp932(def.text).c_str(), def.style, def.x, def.y, def.width, def.height,
                                       parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(def.id)), instance,
                                       nullptr);
        *HandleSlot(def.id) = control;
        SetUpControl(control, def);
    }
}

// The system font of a Windows in another language has no Japanese: its
// stand-in is the same font made Japanese, the program's face in its size
// and weight. A Japanese system's own is kept, and there is none.
HFONT CreateSystemFontStandIn()
{
    LOGFONTW font{};
    GetObjectW(GetStockObject(SYSTEM_FONT), sizeof font, &font);
    if (font.lfCharSet == SHIFTJIS_CHARSET)
        return nullptr;
    font.lfCharSet = SHIFTJIS_CHARSET;
    std::wcscpy(font.lfFaceName, GothicFace);
    return CreateFontIndirectW(&font);
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
