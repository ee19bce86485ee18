#include "framework/DataExchange.h"
#include "framework/MessageBoxes.h"

#include <string>

#include "common/NumberText.h"

bool ExchangeUnsigned(HWND dialog, int id, uint32_t& value, bool save)
{
    HWND field = ::GetDlgItem(dialog, id);
    if (!save) {
        ::SetWindowTextA(field, std::to_string(value).c_str());
        return true;
    }
    char text[64] = {};
    int length = ::GetWindowTextA(field, text, sizeof text);
    // Longer text than the buffer holds is no number of 32 bits either.
    if (length < static_cast<int>(sizeof text) - 1 && ParseUnsignedNumber(text, value))
        return true;
    ShowMessage(dialog, kUnsignedNumberMessage, MB_ICONEXCLAMATION | MB_OK);
    ::SetFocus(field);
    ::SendMessageA(field, EM_SETSEL, 0, -1);
    return false;
}
