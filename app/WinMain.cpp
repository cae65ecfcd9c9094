#include <windows.h>

#include "app/MainWindow.h"
#include "app/MessageLoop.h"
#include "resources/resource.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    RouteTraceToDebugger();
    if (!StartMainWindow(instance, showCommand))
        return 0;
    // The window is on screen first: a failure box then stands in front of it.
    LoadCommandLineFile();
    return RunMessageLoop(LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS)));
}
