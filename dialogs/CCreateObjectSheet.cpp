#include "dialogs/CCreateObjectSheet.h"

CCreateObjectSheet::CCreateObjectSheet(HWND parent)
    : CPropertySheet("Create Application Wizard", parent)
{
    AddPage(&m_choice);
    AddPage(&m_bootSector);
    AddPage(&m_osLoader);
    AddPage(&m_resume);
    SetWizardMode();
}
