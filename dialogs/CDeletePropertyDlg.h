#pragma once
#include <cstdint>

#include "exec/CSession.h"
#include "framework/CDialog.h"

class CBcdObject;

// Deletes one element of an object with "/deletevalue"; ends with IDOK only
// when the tool confirmed it, and stays open after a failure.
class CDeletePropertyDlg : public CDialog {
public:
    CDeletePropertyDlg(CSession& session, const CBcdObject& object, uint16_t contexts, HWND parent);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    CSession& m_session;  // every run of the tool goes through it
    const CBcdObject& m_object;
    uint16_t m_contexts;  // the caller's, kept as given
};
