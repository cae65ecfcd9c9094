#include "app/MessageLoop.h"

#include "app/MainWindow.h"

void HandleLoopMessage(HACCEL accelerators, MSG& message)
{
    // Before the dialog manager, which would take Ctrl+S as a key for the
    // focused control.
    if (accelerators && TranslateAcceleratorW(MainWindow, accelerators, &message))
        return;
    if (IsDialogMessageW(MainWindow, &message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

int RunMessageLoop(HACCEL accelerators)
{
    MSG message;
    BOOL result;
    while ((result = GetMessageW(&message, nullptr, 0, 0)) != 0) {
        if (result == -1)
            return 0;
        HandleLoopMessage(accelerators, message);
    }
    return static_cast<int>(message.wParam);
}
