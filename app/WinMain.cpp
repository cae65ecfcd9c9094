#include <windows.h>

#include "app/MainWindow.h"
#include "app/MessageLoop.h"
#include "resources/resource.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    RouteTraceToDebugger();
    HWND window = StartMainWindow(instance, showCommand);
    if (!window)
        return 0;
    // The window is on screen first: a failure box then stands in front of it.
    LoadCommandLineFile(window);
    return RunMessageLoop(window, LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS)));
}
