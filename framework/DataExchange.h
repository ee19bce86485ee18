#pragma once
#include <windows.h>

#include <cstdint>

// Dialog data exchange for an unsigned number field. Showing puts the
// number into control `id`; saving reads it back. Text that is empty, not a
// number or too large is refused with the standard message: the field gets
// the focus with its text selected, `value` keeps the last accepted number,
// and the answer is false.
bool ExchangeUnsigned(HWND dialog, int id, uint32_t& value, bool save);
