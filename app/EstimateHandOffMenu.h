// The submenu "推定値を計算パネルへ" of the menu "解析": the estimate of
// the rows on screen handed to the calculator panel, its defense and its
// rate for the attribute of the item chosen (estimator/EstimateHandOff.h).
#pragma once

#include <windows.h>

struct WindowState;

// For WM_INITMENUPOPUP: when popup is the submenu, greys each item whose
// attribute has no rate in the estimate, and enables the others.
void UpdateHandOffItems(const WindowState& state, HMENU popup);

// IDs 122 to 124: 敵防御 and the first rate list set, the results
// computed; nothing changes when the estimate has no rate for the item's
// attribute.
void HandOffToCalculator(WindowState& state, int id);
