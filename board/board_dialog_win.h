#pragma once

#include <windows.h>

// The question board, dialog 1001: every question's block of controls, built once when the
// dialog is created, coloured by role and by verdict, scrolled by both bars and the wheel.
INT_PTR CALLBACK boardDialogProc(HWND board, UINT message, WPARAM wParam, LPARAM lParam);
