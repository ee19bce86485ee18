#include "dialogs/CCreateObjectSheet.h"

CCreateObjectSheet::CCreateObjectSheet(NewEntryWizardState& state, HWND parent)
    : CPropertySheet("Create Application Wizard", parent),
      m_bootSector(state),
      m_osLoader(state),
      m_resume(state),
      m_preview(state)
{
    AddPage(&m_choice);
    AddPage(&m_bootSector);
    AddPage(&m_osLoader);
    AddPage(&m_resume);
    AddPage(&m_preview);
    SetWizardMode();
}
