/* Resource and command IDs; shared by the resource script and the code.
   108 the keyboard shortcuts, 109-112 the menu and the "ファイル" commands,
   120-124 the "解析" commands (122-124 the estimate handed to the
   calculator, one attribute each: slash, strike, thrust), 130-132 the
   dialog "候補一覧と診断" and its controls. Their texts are in
   ResourceText.h. */
#pragma once

#define IDR_ACCELERATORS 108
#define IDR_MAINMENU 109
#define IDM_FILE_LOAD 110
#define IDM_EXIT 111
#define IDM_FILE_SAVE 112
#define IDM_ANALYSIS_REPORT 120
#define IDM_COPY_REPORT 121
#define IDM_HANDOFF_SLASH 122
#define IDM_HANDOFF_STRIKE 123
#define IDM_HANDOFF_THRUST 124
#define IDD_ANALYSIS_REPORT 130
#define IDC_REPORT_TEXT 131
#define IDC_REPORT_COPY 132
