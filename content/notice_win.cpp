#include <windows.h>

#include "content/notice.h"

void showNotice(const char* text, const char* caption) {
  MessageBoxA(nullptr, text, caption, MB_OK);
}
