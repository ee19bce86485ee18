#pragma once

// The kind of debugger connection a section prints.
enum DebugType {
    DebugTypeNone = 0,
    DebugType1394 = 1,
    DebugTypeUsb = 2,
    DebugTypeSerial = 3,
};
