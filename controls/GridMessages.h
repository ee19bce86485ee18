#pragma once
#include <windows.h>

// Registered messages between the grid, its editors and the grid's parent.
extern const UINT WM_XLISTCTRL_COMBO_SELECTION;
extern const UINT WM_XLISTCTRL_EDIT_END;
extern const UINT WM_XLISTCTRL_CHECKBOX_CLICKED;
extern const UINT WM_XEDIT_KILL_FOCUS;
extern const UINT WM_XEDIT_VK_ESCAPE;
extern const UINT WM_XCOMBOLIST_VK_RETURN;
extern const UINT WM_XCOMBOLIST_VK_ESCAPE;
extern const UINT WM_XCOMBOLIST_KEYDOWN;
extern const UINT WM_XCOMBOLIST_LBUTTONUP;
extern const UINT WM_XCOMBOLIST_COMPLETE;
// How a drop-down editor completed (wParam of WM_XCOMBOLIST_COMPLETE).
enum : WPARAM {
    kCompleteByMouse = 0,
    kCompleteByFocusLoss = 1,
    kCompleteByKeyboard = 2,
};

// Messages between the parts of the drop-down combo.
enum : UINT {
    WM_COMBO_SELECT_ITEM = WM_USER + 1,  // wParam: index
    WM_COMBO_CLOSE_LIST = WM_USER + 2,
    WM_COMBO_TAKE_CAPTURE = WM_USER + 3,
    WM_COMBO_RELEASE_CAPTURE = WM_USER + 4,
    WM_COMBO_TOGGLE_LIST = WM_USER + 101,
};
