#pragma once
#include "dialogs/CCreateBootSectorPropertyPage.h"
#include "dialogs/CCreateResumeApplicationPage.h"
#include "dialogs/CNewEntryPreviewPage.h"
#include "dialogs/COsLoaderCreatePage.h"
#include "dialogs/CSelectApplicationPropertyPage.h"
#include "dialogs/NewEntryWizardState.h"
#include "framework/CPropertySheet.h"

// The create-entry wizard: the kind of application entry, the page for that
// kind, then the commands it will send. Finish sends them; the state says
// what was made.
class CCreateObjectSheet : public CPropertySheet {
public:
    CCreateObjectSheet(NewEntryWizardState& state, HWND parent);

private:
    CSelectApplicationPropertyPage m_choice;
    CCreateBootSectorPropertyPage m_bootSector;
    COsLoaderCreatePage m_osLoader;
    CCreateResumeApplicationPage m_resume;
    CNewEntryPreviewPage m_preview;
};
