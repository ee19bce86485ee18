#pragma once
#include "framework/CWinApp.h"

class CKeystaveApp : public CWinApp {
public:
    BOOL InitInstance() override;
};
