#pragma once
#include "dialogs/CApplicationKindPage.h"
#include "res/resource.h"

// The wizard page for a new Windows OS loader entry (empty in this version).
class COsLoaderCreatePage : public CApplicationKindPage {
public:
    COsLoaderCreatePage() : CApplicationKindPage(IDD_CREATE_OS_LOADER) {}
};
