#pragma once

// A modal notice to the player: a message box with no owner window and one OK button. The
// player shows it with MessageBoxA (notice_win.cpp); the native build writes it to standard
// error and keeps it for tests (notice_native.cpp).
void showNotice(const char* text, const char* caption);
