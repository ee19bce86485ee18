#pragma once
#include "dialogs/CCreateBootSectorPropertyPage.h"
#include "dialogs/CCreateResumeApplicationPage.h"
#include "dialogs/COsLoaderCreatePage.h"
#include "dialogs/CSelectApplicationPropertyPage.h"
#include "framework/CPropertySheet.h"

// The create-entry wizard: the kind of application entry, then the page for
// that kind. The kind pages collect nothing yet: the wizard ends with Cancel.
class CCreateObjectSheet : public CPropertySheet {
public:
    explicit CCreateObjectSheet(HWND parent);

private:
    CSelectApplicationPropertyPage m_choice;
    CCreateBootSectorPropertyPage m_bootSector;
    COsLoaderCreatePage m_osLoader;
    CCreateResumeApplicationPage m_resume;
};
