#pragma once

#include <windows.h>

// What readScrollBars (window_reader_probe.dll) reads about one window's two scroll bars, indexed
// by SB_HORZ and SB_VERT. The window reader fills `window`, the probe the rest.
struct ScrollProbe {
  HWND window;
  BOOL infoRead[2];
  SCROLLINFO info[2];
  BOOL stateRead[2];
  SCROLLBARINFO state[2];
};
