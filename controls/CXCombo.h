#pragma once
#include "controls/CAdvComboBox.h"

// The grid's drop-down editor: tells the grid of completion and escape,
// and of focus loss (as both), by registered messages.
class CXCombo : public CAdvComboBox {
public:
    explicit CXCombo(HWND grid) : CAdvComboBox(grid), m_grid(grid) {}
    ~CXCombo() override { DestroyWindow(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnEscape() override;
    void OnComplete(bool byKeyboard) override;

private:
    void Send(UINT message, WPARAM wParam);

    HWND m_grid;
};
