#include "exec/WindowWritePath.h"

#include "exec/CCommandLogDlg.h"
#include "exec/ToolRunner.h"

CWritePath WindowWritePath(HWND owner)
{
    WriteFeedback feedback;
    feedback.refused = [owner](const std::string& reason) {
        ::MessageBoxA(owner, reason.c_str(), "Keystave", MB_ICONERROR | MB_OK);
    };
    feedback.failed = [owner](const std::string& arguments, const std::vector<std::string>& lines) {
        CCommandLogDlg log(arguments, lines, owner);
        log.DoModal();
    };
    return CWritePath(BcdeditAnsweredRun(), std::move(feedback));
}
