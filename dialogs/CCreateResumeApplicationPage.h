#pragma once
#include "dialogs/CApplicationKindPage.h"
#include "res/resource.h"

// The wizard page for a new resume application entry (empty in this version).
class CCreateResumeApplicationPage : public CApplicationKindPage {
public:
    CCreateResumeApplicationPage() : CApplicationKindPage(IDD_CREATE_RESUME) {}
};
