#include "app/MessageLoop.h"

namespace {

void HandleLoopMessage(HWND window, HACCEL accelerators, MSG& message)
{
    // Before the dialog manager, which would take Ctrl+S as a key for the
    // focused control.
    if (accelerators && TranslateAcceleratorW(window, accelerators, &message))
        return;
    if (IsDialogMessageW(window, &message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

} // namespace

int RunMessageLoop(HWND window, HACCEL accelerators)
{
    MSG message;
    BOOL result;
    while ((result = GetMessageW(&message, nullptr, 0, 0)) != 0) {
        if (result == -1)
            return 0;
        HandleLoopMessage(window, accelerators, message);
    }
    return static_cast<int>(message.wParam);
}
