#pragma once
#include "dialogs/CApplicationKindPage.h"
#include "res/resource.h"

// The wizard page for a new boot sector entry (empty in this version).
class CCreateBootSectorPropertyPage : public CApplicationKindPage {
public:
    CCreateBootSectorPropertyPage() : CApplicationKindPage(IDD_CREATE_BOOT_SECTOR) {}
};
