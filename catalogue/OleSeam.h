#pragma once

// The definitions loader initialises OLE for its thread, as the help and
// shell components the program uses later expect; a no-op off Windows.
void InitializeOleForThread();
