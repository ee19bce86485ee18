#include "catalogue/OleSeam.h"

#ifdef _WIN32
#include "common/SystemFunction.h"

void InitializeOleForThread()
{
    // Loaded here rather than imported: the program starts without it, and
    // the reads of start-up are under way by now. Never uninitialised: it
    // lasts as long as the thread.
    using Initialize = HRESULT(WINAPI*)(LPVOID);
    if (auto initialize = SystemFunction<Initialize>("ole32.dll", "OleInitialize"))
        initialize(nullptr);
}
#else
void InitializeOleForThread() {}
#endif
