// How the main window is known from outside: its class name and title, the
// pair torume-drive looks for.
#pragma once

inline constexpr char MainClassName[] = "HP";
inline constexpr char MainWindowTitle[] = "トルメ ダメージ計算機";
