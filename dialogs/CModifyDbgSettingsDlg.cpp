#include "dialogs/CModifyDbgSettingsDlg.h"
#include "framework/MessageBoxes.h"

#include <string>

#include "common/TextCompare.h"
#include "dialogs/CDebugKeyDlg.h"
#include "dialogs/WindowWritePath.h"
#include "framework/CButton.h"
#include "framework/CComboBox.h"
#include "model/CBcdObject.h"
#include "model/DebugSettingsPlan.h"
#include "res/resource.h"

namespace {
const char* const kConnectTypes[] = {"Serial", "Usb", "1394", "Net", "Local"};
const char* const kBaudRates[] = {"300",   "1200",  "2400",  "4800",  "9600",
                                  "19200", "38400", "57600", "115200"};
const char* const kPolicies[] = {"ACTIVE", "AUTOENABLE", "DISABLE"};
const int kParameterControls[] = {IDC_FIRST_LABEL, IDC_FIRST_LIST, IDC_BAUD_LABEL, IDC_BAUD_LIST,
                                  IDC_TARGET_NAME, IDC_HOST_LABEL, IDC_HOST_IP, IDC_NET_PORT_LABEL,
                                  IDC_NET_PORT,    IDC_KEY_LABEL,  IDC_NET_KEY, IDC_POLICY_LABEL,
                                  IDC_POLICY_LIST, IDC_NOUMEX};
}  // namespace

CModifyDbgSettingsDlg::CModifyDbgSettingsDlg(CSession& session, const CBcdObject& settings, HWND parent)
    : CDialog(IDD_MODIFY_DEBUG, parent), m_session(session), m_settings(settings)
{
}

BOOL CModifyDbgSettingsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CComboBox types(GetDlgItem(IDC_CONNECT_TYPE)), rates(GetDlgItem(IDC_BAUD_LIST)),
        policies(GetDlgItem(IDC_POLICY_LIST));
    for (const char* type : kConnectTypes)
        types.AddString(type);
    for (const char* rate : kBaudRates)
        rates.AddString(rate);
    for (const char* policy : kPolicies)
        policies.AddString(policy);
    ShowForConnectType(true, DebugTypeNone);
    return TRUE;
}

void CModifyDbgSettingsDlg::ShowControl(int id, bool show)
{
    ::EnableWindow(GetDlgItem(id), show);
    ::ShowWindow(GetDlgItem(id), show ? SW_SHOW : SW_HIDE);
}

void CModifyDbgSettingsDlg::HideParameters()
{
    for (int id : kParameterControls)
        ShowControl(id, false);
}

std::string CModifyDbgSettingsDlg::SelectedText(int comboId) const
{
    CComboBox combo(GetDlgItem(comboId));
    int selected = combo.GetCurSel();
    return selected < 0 ? std::string() : combo.GetLBText(selected);
}

std::string CModifyDbgSettingsDlg::ControlText(int id) const
{
    CWnd control(GetDlgItem(id));
    return control.GetWindowText();
}

void CModifyDbgSettingsDlg::SelectText(int comboId, const std::string& text)
{
    CComboBox combo(GetDlgItem(comboId));
    int found = -1;
    for (int i = 0; i < combo.GetCount() && found < 0; ++i)
        if (EqualsNoCase(combo.GetLBText(i), text))
            found = i;
    combo.SetCurSel(found);
}

int CModifyDbgSettingsDlg::SelectedType() const
{
    return DebugTypeFromText(SelectedText(IDC_CONNECT_TYPE));
}

void CModifyDbgSettingsDlg::ShowForConnectType(bool useStored, int type)
{
    int shown = useStored ? m_settings.GetDebugType() : type;
    CComboBox first(GetDlgItem(IDC_FIRST_LIST));
    switch (shown) {
    case DebugType1394:
        SelectText(IDC_CONNECT_TYPE, "1394");
        ::SetDlgItemTextA(m_hWnd, IDC_FIRST_LABEL, "Channel:");
        ShowControl(IDC_FIRST_LABEL);
        first.ResetContent();
        for (int channel = 0; channel < 64; ++channel)
            first.AddString(std::to_string(channel));
        first.SetCurSel(0);
        if (useStored)
            SelectText(IDC_FIRST_LIST, m_settings.GetChannel());
        ShowControl(IDC_FIRST_LIST);
        break;
    case DebugTypeUsb:
        SelectText(IDC_CONNECT_TYPE, "USB");
        ::SetDlgItemTextA(m_hWnd, IDC_FIRST_LABEL, "Target Name:");
        ShowControl(IDC_FIRST_LABEL);
        ::SetDlgItemTextA(m_hWnd, IDC_TARGET_NAME, m_settings.GetTargetName().c_str());
        ShowControl(IDC_TARGET_NAME);
        break;
    case DebugTypeSerial:
        SelectText(IDC_CONNECT_TYPE, "Serial");
        ::SetDlgItemTextA(m_hWnd, IDC_FIRST_LABEL, "Port:");
        ShowControl(IDC_FIRST_LABEL);
        first.ResetContent();
        for (const std::string& port : SerialPortChoices(m_settings.GetDebugPort()))
            first.AddString(port);
        first.SetCurSel(0);
        CComboBox(GetDlgItem(IDC_BAUD_LIST)).SetCurSel(0);
        if (useStored) {
            SelectText(IDC_FIRST_LIST, m_settings.GetDebugPort());
            SelectText(IDC_BAUD_LIST, m_settings.GetBaudRate());
        }
        ShowControl(IDC_FIRST_LIST);
        ShowControl(IDC_BAUD_LABEL);
        ShowControl(IDC_BAUD_LIST);
        break;
    case DebugTypeNet:
        SelectText(IDC_CONNECT_TYPE, "Net");
        ::SetDlgItemTextA(m_hWnd, IDC_HOST_IP, useStored ? m_settings.GetHostIp().c_str() : "");
        ::SetDlgItemTextA(m_hWnd, IDC_NET_PORT, useStored ? m_settings.GetNetPort().c_str() : "50000");
        ::SetDlgItemTextA(m_hWnd, IDC_NET_KEY, useStored ? m_settings.GetKey().c_str() : "");
        for (int id : {IDC_HOST_LABEL, IDC_HOST_IP, IDC_NET_PORT_LABEL, IDC_NET_PORT, IDC_KEY_LABEL,
                       IDC_NET_KEY})
            ShowControl(id);
        break;
    case DebugTypeLocal:
        SelectText(IDC_CONNECT_TYPE, "Local");
        break;
    default:
        ShowError(m_hWnd, "Unknown dbg type " + std::to_string(shown) + ".\n");
        break;
    }
    ShowControl(IDC_POLICY_LABEL);
    SelectText(IDC_POLICY_LIST, StoredStartPolicy(m_settings));
    ShowControl(IDC_POLICY_LIST);
    ShowControl(IDC_NOUMEX);
    m_policyChanged = false;
}

bool CModifyDbgSettingsDlg::OnCommand(WORD id, WORD code, HWND)
{
    if (code != CBN_SELCHANGE)
        return false;
    if (id == IDC_CONNECT_TYPE) {
        int type = SelectedType();
        HideParameters();
        ShowForConnectType(type == m_settings.GetDebugType(), type);
        return true;
    }
    if (id == IDC_POLICY_LIST) {
        m_policyChanged = true;
        return true;
    }
    return false;
}

void CModifyDbgSettingsDlg::OnOK()
{
    DebugChoice choice;
    choice.type = static_cast<DebugType>(SelectedType());
    choice.port = SelectedText(IDC_FIRST_LIST);
    choice.channel = choice.port;
    choice.baudRate = SelectedText(IDC_BAUD_LIST);
    choice.targetName = ControlText(IDC_TARGET_NAME);
    choice.hostIp = ControlText(IDC_HOST_IP);
    choice.netPort = ControlText(IDC_NET_PORT);
    choice.key = ControlText(IDC_NET_KEY);
    choice.policyChanged = m_policyChanged;
    choice.policy = SelectedText(IDC_POLICY_LIST);
    choice.noUmex = CButton(GetDlgItem(IDC_NOUMEX)).GetCheck() == BST_CHECKED;
    DebugPlan plan = PlanDebugSettings(m_settings, choice);
    if (plan.kind == DebugPlan::Refuse) {
        ShowError(m_hWnd, plan.message);
        return;
    }
    if (plan.kind == DebugPlan::Send) {
        WriteResult result = WindowWritePath(m_session, m_hWnd).Run(plan.command);
        if (!result.succeeded)
            return;
        std::string key = GeneratedKey(result.lines);
        if (!key.empty()) {
            CDebugKeyDlg shown(key, m_hWnd);
            shown.DoModal();
        }
    }
    EndDialog(IDOK);
}
