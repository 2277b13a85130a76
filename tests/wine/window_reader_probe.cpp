// The part of the window reader that runs inside the player's process. Wine keeps a window's scroll
// bars in the memory of the process that owns the window, so GetScrollInfo from another process
// fails; the window reader loads this library into the player with a remote thread and runs
// readScrollBars there on a block it then reads back.
#include <windows.h>

#include "window_reader_probe.h"

extern "C" __declspec(dllexport) DWORD WINAPI readScrollBars(void* parameter) {
  ScrollProbe& probe = *static_cast<ScrollProbe*>(parameter);
  for (int bar = SB_HORZ; bar <= SB_VERT; ++bar) {
    SCROLLINFO& info = probe.info[bar];
    info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    probe.infoRead[bar] = GetScrollInfo(probe.window, bar, &info);
    SCROLLBARINFO& state = probe.state[bar];
    state = {};
    state.cbSize = sizeof state;
    probe.stateRead[bar] =
        GetScrollBarInfo(probe.window, bar == SB_HORZ ? OBJID_HSCROLL : OBJID_VSCROLL, &state);
  }
  return 0;
}
