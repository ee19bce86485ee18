#include "catalogue/OleSeam.h"

#ifdef _WIN32
#include <ole2.h>

void InitializeOleForThread()
{
    // Never uninitialised: it lasts as long as the thread.
    ::OleInitialize(nullptr);
}
#else
void InitializeOleForThread() {}
#endif
