#include "app/Controls.h"

#include <commctrl.h>

#include <cwchar>

#include "app/Dpi.h"
#include "app/HandleTables.h"
#include "encoding/TextEncoding.h"
#include "app/WindowState.h"
#include "form/ControlMap.h"

// The control map keeps its styles as numbers, to build where there is no
// <windows.h>; they are these names' values.
static_assert(GroupBoxStyle == (WS_CHILD | WS_VISIBLE | BS_GROUPBOX));
static_assert(CheckBoxStyle == (WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX));
static_assert(LabelStyle == (WS_CHILD | WS_VISIBLE | SS_LEFT));
static_assert(PushButtonStyle == (WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON));
static_assert(FirstEditStyle == (WS_CHILD | WS_VISIBLE | WS_BORDER | WS_GROUP | WS_TABSTOP | ES_NUMBER));
static_assert(EditStyle == (WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_NUMBER));
static_assert(ComboStyle == (WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST));
static_assert(SpinStyle == (WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ARROWKEYS));
static_assert(ClientEdgeExStyle == WS_EX_CLIENTEDGE);

namespace {

constexpr COLORREF WhiteText = RGB(255, 255, 255);

// Cell heights at 96 DPI.
constexpr int NormalFontHeight = 16;
constexpr int BoldFontHeight = 20;

// The face by its Unicode name, found on a system of any language.
HFONT CreateGothicFont(int height, int weight)
{
    return CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, PROOF_QUALITY, VARIABLE_PITCH | FF_DONTCARE, GothicFace);
}

ControlFonts CreateControlFonts(int dpi)
{
    return {CreateGothicFont(ScaleToDpi(NormalFontHeight, dpi), FW_NORMAL),
            CreateGothicFont(ScaleToDpi(BoldFontHeight, dpi), FW_BOLD), CreateSystemFontStandIn(dpi)};
}

void DeleteControlFonts(const ControlFonts& fonts)
{
    for (HFONT font : {fonts.normal, fonts.bold, fonts.systemStandIn})
        if (font)
            DeleteObject(font);
}

// Drop-down lists and push buttons get the normal font, the highlighted
// result labels the bold one; everything else that shows text keeps the
// system font, or its stand-in.
HFONT FontOf(const ControlFonts& fonts, const ControlDef& def)
{
    if (def.highlighted)
        return fonts.bold;
    if (def.kind == ControlKind::Combo || def.kind == ControlKind::Button)
        return fonts.normal;
    return def.kind == ControlKind::Spin ? nullptr : fonts.systemStandIn;
}

RECT PlaceAtDpi(const ControlDef& def, int dpi)
{
    return ScaleToDpi(RECT{def.x, def.y, def.x + def.width, def.y + def.height}, dpi);
}

void SetUpControl(const WindowState& state, HWND control, const ControlDef& def)
{
    if (HFONT font = FontOf(state.fonts, def))
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), 1);
    if (def.kind == ControlKind::Edit)
        SendMessageW(control, EM_SETLIMITTEXT, EditTextLimit, 0);
    if (def.kind == ControlKind::Spin) {
        SendMessageW(control, UDM_SETBUDDY, reinterpret_cast<WPARAM>(ControlHandle(state.handles, def.buddyId)), 0);
        SendMessageW(control, UDM_SETRANGE32, static_cast<WPARAM>(def.rangeLow), def.rangeHigh);
    }
    if (def.kind == ControlKind::Combo) {
        for (const char* item : def.items)
            SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf8ToWide(item).c_str()));
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

void CreateControls(WindowState& state, HINSTANCE instance)
{
    InitCommonControls();
    const int dpi = WindowDpi(state.window);
    state.fonts = CreateControlFonts(dpi);

    // The map's order is the creation order, and with it the Tab order.
    for (const ControlDef& def : ControlMap) {
        const RECT place = PlaceAtDpi(def, dpi);
        HWND control = CreateWindowExW(def.exStyle, Utf8ToWide(ClassNameOf(def.kind)).c_str(),
                                       Utf8ToWide(def.text).c_str(), def.style, place.left, place.top,
                                       place.right - place.left, place.bottom - place.top, state.window,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(def.id)), instance, nullptr);
        *HandleSlot(state.handles, def.id) = control;
        SetUpControl(state, control, def);
    }
}

// Moved in place, without a new window or a new place in the Tab order,
// every control keeps its text, selection and focus. A null font gives a
// control the system font back. A drop-down list takes the height of its
// box from the font, so the font comes first.
void RescaleControls(WindowState& state, int dpi)
{
    const ControlFonts previous = state.fonts;
    state.fonts = CreateControlFonts(dpi);
    for (const ControlDef& def : ControlMap) {
        HWND control = ControlHandle(state.handles, def.id);
        if (def.kind != ControlKind::Spin)
            SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(state.fonts, def)), 1);
        const RECT place = PlaceAtDpi(def, dpi);
        MoveWindow(control, place.left, place.top, place.right - place.left, place.bottom - place.top, TRUE);
    }
    DeleteControlFonts(previous);
}

// The system font is Windows' own: sized for the system's DPI, and
// without Japanese on a Windows in another language. A Japanese system's
// own, at its own DPI, is kept: there is no stand-in. Otherwise the
// stand-in is the program's face in the system font's size at dpi and in
// its weight, a face that scales where the system font may be a bitmap.
HFONT CreateSystemFontStandIn(int dpi)
{
    LOGFONTW font{};
    GetObjectW(GetStockObject(SYSTEM_FONT), sizeof font, &font);
    const int systemDpi = SystemDpi();
    if (font.lfCharSet == SHIFTJIS_CHARSET && dpi == systemDpi)
        return nullptr;
    // Width too, where the system font gives one: the letters keep their shape.
    font.lfHeight = MulDiv(font.lfHeight, dpi, systemDpi);
    font.lfWidth = MulDiv(font.lfWidth, dpi, systemDpi);
    font.lfCharSet = SHIFTJIS_CHARSET;
    std::wcscpy(font.lfFaceName, GothicFace);
    return CreateFontIndirectW(&font);
}

HBRUSH ColorStaticControl(const WindowState& state, HDC dc, HWND control)
{
    const ControlDef* def = ControlDefOf(state.handles, control);
    if (!def)
        return nullptr;
    switch (def->kind) {
    case ControlKind::Label: return PaintOnBlack(dc, def->highlighted ? HighlightText : WhiteText);
    case ControlKind::Group:
    case ControlKind::Check: return PaintOnBlack(dc, WhiteText);
    default: return nullptr;
    }
}
