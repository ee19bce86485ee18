#include "dialogs/CAddPropertiesDlg.h"
#include "framework/MessageBoxes.h"

#include <string>

#include "catalogue/ValueSet.h"
#include "dialogs/WindowWritePath.h"
#include "framework/CComboBox.h"
#include "framework/CListBox.h"
#include "framework/DataExchange.h"
#include "model/AddPropertyPlan.h"
#include "model/CBcdObject.h"
#include "res/resource.h"

CAddPropertiesDlg::CAddPropertiesDlg(CSession& session, const CBcdObject& object, uint16_t contexts, HWND parent)
    : CDialog(IDD_ADD_PROPERTY, parent), m_session(session), m_object(object), m_contexts(contexts)
{
}

BOOL CAddPropertiesDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_offered = OfferedDefinitions(m_object, m_contexts);
    if (m_offered.empty()) {
        ShowError(m_hWnd, "There are no more properties for this object.");
        EndDialog(IDCANCEL);
        return TRUE;
    }
    CListBox list(GetDlgItem(IDC_PROPERTY_LIST));
    for (size_t i = 0; i < m_offered.size(); ++i)
        list.SetItemData(list.AddString(m_offered[i]->name), static_cast<LPARAM>(i));
    return TRUE;
}

const ElementDefinition* CAddPropertiesDlg::SelectedDefinition() const
{
    CListBox list(GetDlgItem(IDC_PROPERTY_LIST));
    int selected = list.GetCurSel();
    if (selected < 0)
        return nullptr;
    size_t index = static_cast<size_t>(list.GetItemData(selected));
    return index < m_offered.size() ? m_offered[index] : nullptr;
}

void CAddPropertiesDlg::ShowInputFor(const ElementDefinition& definition)
{
    CComboBox choice(GetDlgItem(IDC_VALUE_CHOICE));
    choice.ResetContent();
    ::SetDlgItemTextA(m_hWnd, IDC_VALUE_TEXT, "");
    m_number = 0;
    ExchangeUnsigned(m_hWnd, IDC_VALUE_NUMBER, m_number, false);
    for (int id : {IDC_VALUE_CHOICE, IDC_VALUE_TEXT, IDC_VALUE_NUMBER}) {
        ::EnableWindow(GetDlgItem(id), FALSE);
        ::ShowWindow(GetDlgItem(id), SW_HIDE);
    }
    int shown = 0;
    switch (InputForType(definition.type)) {
    case AddPropertyInput::Text: shown = IDC_VALUE_TEXT; break;
    case AddPropertyInput::Number: shown = IDC_VALUE_NUMBER; break;
    case AddPropertyInput::Choice:
        shown = IDC_VALUE_CHOICE;
        for (const std::string& word : *ValueSetFor(definition.type))
            choice.AddString(word);
        choice.SetCurSel(0);
        break;
    case AddPropertyInput::None: break;
    case AddPropertyInput::Unsupported:
        ShowError(m_hWnd, "Unknown bcd type " + std::to_string(definition.type) + ".\n");
        break;
    }
    if (shown) {
        ::EnableWindow(GetDlgItem(shown), TRUE);
        ::ShowWindow(GetDlgItem(shown), SW_SHOW);
    }
}

bool CAddPropertiesDlg::OnCommand(WORD id, WORD code, HWND)
{
    if (id != IDC_PROPERTY_LIST || code != LBN_SELCHANGE)
        return false;
    if (const ElementDefinition* definition = SelectedDefinition())
        ShowInputFor(*definition);
    return true;
}

void CAddPropertiesDlg::OnOK()
{
    const ElementDefinition* definition = SelectedDefinition();
    if (!definition)
        return;
    AddPropertyValues values;
    char text[1024] = {};
    ::GetDlgItemTextA(m_hWnd, IDC_VALUE_TEXT, text, sizeof text);
    values.text = text;
    // A number field that does not hold a number sends nothing.
    if (InputForType(definition->type) == AddPropertyInput::Number &&
        !ExchangeUnsigned(m_hWnd, IDC_VALUE_NUMBER, m_number, true))
        return;
    values.number = m_number;
    CComboBox choice(GetDlgItem(IDC_VALUE_CHOICE));
    int chosen = choice.GetCurSel();
    values.choice = chosen < 0 ? std::string() : choice.GetLBText(chosen);
    if (WindowWritePath(m_session, m_hWnd).Run(AddPropertyCommand(m_object.GetIdentifier(), *definition, values))
            .succeeded)
        EndDialog(IDOK);
}
