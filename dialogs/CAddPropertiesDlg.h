#pragma once
#include <cstdint>
#include <vector>

#include "catalogue/ElementDefinition.h"
#include "exec/CSession.h"
#include "framework/CDialog.h"

class CBcdObject;

// Adds one element to an object: the catalogue's definitions that fit and
// are missing, one input for the chosen one's type, one "/set" on OK.
// Ends with IDOK only when the tool confirmed it.
class CAddPropertiesDlg : public CDialog {
public:
    CAddPropertiesDlg(CSession& session, const CBcdObject& object, uint16_t contexts, HWND parent);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;

private:
    CSession& m_session;  // every run of the tool goes through it
    const ElementDefinition* SelectedDefinition() const;
    void ShowInputFor(const ElementDefinition& definition);

    const CBcdObject& m_object;
    uint16_t m_contexts;
    uint32_t m_number = 0;
    std::vector<const ElementDefinition*> m_offered;
};
