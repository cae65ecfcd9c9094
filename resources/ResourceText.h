/* The texts of the window's menu and of the dialog "候補一覧と診断", in
   UTF-8: the resource script includes them after its
   "#pragma code_page(65001)", and C++ reads them as string literals (the
   page's menu takes its items from here). An item's keyboard shortcut
   follows a tab, as Windows draws it; "..." says a dialog follows. */
#pragma once

// The program's name: the window's title, the version resources' product,
// the page's heading and torume's help.
#define TEXT_PRODUCT_NAME "トルメ ダメージ計算機"

#define TEXT_MENU_FILE "ファイル"
#define TEXT_MENU_FILE_LOAD "ファイル読み込み\tCtrl+O"
#define TEXT_MENU_FILE_SAVE "観測データを保存...\tCtrl+S"
#define TEXT_MENU_EXIT "アプリケーションの終了"

#define TEXT_MENU_ANALYSIS "解析"
#define TEXT_MENU_ANALYSIS_REPORT "候補一覧と診断..."
#define TEXT_MENU_COPY_REPORT "結果をコピー"
#define TEXT_MENU_HANDOFF "推定値を計算パネルへ"
#define TEXT_MENU_HANDOFF_SLASH "斬"
#define TEXT_MENU_HANDOFF_STRIKE "打"
#define TEXT_MENU_HANDOFF_THRUST "突"

#define TEXT_REPORT_CAPTION "候補一覧と診断"
#define TEXT_REPORT_COPY "コピー"
#define TEXT_REPORT_CLOSE "閉じる"
