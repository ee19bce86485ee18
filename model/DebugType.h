#pragma once

// The kind of debugger connection a section prints.
enum DebugType {
    DebugTypeNone = 0,
    DebugType1394 = 1,
    DebugTypeUsb = 2,
    DebugTypeSerial = 3,
    DebugTypeNet = 4,    // network debugging (KDNET)
    DebugTypeLocal = 5,  // local kernel debugging: what most PCs store
};

#include <string>

// The type a debug type word names, without regard to case ("Usb" is USB);
// DebugTypeNone for any other word.
DebugType DebugTypeFromText(const std::string& text);
