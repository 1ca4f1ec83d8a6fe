// STUB: to be replaced
#include <windows.h>
#include "shell/AboutDialog.h"
bool AboutDialog::Show(HINSTANCE, HWND) { return false; }
INT_PTR AboutDialog::HandleMessage(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
INT_PTR CALLBACK AboutDlgProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
