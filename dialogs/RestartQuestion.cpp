#include "dialogs/RestartQuestion.h"

#include "framework/MessageBoxes.h"

bool AskToRestartNow(HWND owner, const std::string& entryName, const RestartRequest& restart)
{
    std::string question = "The PC starts " + entryName +
                           " at its next start only; the starts after that are as before.\n\nRestart now?";
    // Restarting ends every program: never the answer a stray Enter gives.
    if (ShowMessage(owner, question, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return false;
    std::string failure;
    if (restart && restart(failure))
        return true;
    ShowError(owner, failure.empty() ? std::string("Windows could not be asked to restart.") : failure);
    return false;
}
