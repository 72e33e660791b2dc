// The application object: runs the main dialog once, modally, and ends with it.
#pragma once

#include "App.h"

class CTrevanoApp : public CWinApp {
public:
    CTrevanoApp();
    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP()
};
