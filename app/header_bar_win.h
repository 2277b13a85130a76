#pragma once

#include <windows.h>

// The header bar, dialog 1002: score, quiz name, explanations, author, the web link, the reward
// code, "Sauver" and, for picture quizzes with one answer per question, "Cacher".
INT_PTR CALLBACK headerDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Gives the link label its underlined font, and cursor 1003 to the whole "Static" class.
void setUpLinkLabel(HWND label);
