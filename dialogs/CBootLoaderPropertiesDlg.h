#pragma once
#include "dialogs/CObjectPropertiesDlg.h"
#include "model/CBcdBootLoader.h"

// Every element of one boot loader entry (Windows or legacy), edited in
// place; its bad-memory page list in a window of its own.
class CBootLoaderPropertiesDlg : public CObjectPropertiesDlg {
public:
    CBootLoaderPropertiesDlg(CSession& session, CBcdBootLoader& loader, HWND parent);

protected:
    bool ReadObjectAgain(const std::function<void()>& beforeReplace) override;
    bool OpensListWindow(const CBcdItem& item) const override;
    void ShowListWindow(int row, CBcdItem& item) override;

private:
    CBcdBootLoader& m_loader;
};
