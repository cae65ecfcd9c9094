/* Menu resource and menu command IDs; shared by the resource script and the code. */
#pragma once

#define IDR_MAINMENU 109
#define IDM_FILE_LOAD 110
#define IDM_EXIT 111
