// The About box: an object without data, bound to the dialog for as long as it is open.
#pragma once

#include <windows.h>

class AboutDialog {
  public:
    bool Show(HINSTANCE instance, HWND owner);
    INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
};

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
