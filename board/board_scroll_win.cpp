#include "board/board_scroll_win.h"

#include "board/scroll_model.h"
#include "content/settings_block.h"
#include "ids/control_ids.h"

int scrollTarget = 0;

namespace {

void setUpBar(HWND board, int bar, const ScrollBarSetup& setup) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL;
  info.nMin = 0;
  info.nMax = setup.max;
  info.nPage = static_cast<UINT>(setup.page < 0 ? 0 : setup.page);
  SetScrollInfo(board, bar, &info, TRUE);
}

ScrollBarState readBar(HWND board, int bar) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
  GetScrollInfo(board, bar, &info);
  return {info.nMin, info.nMax, static_cast<int>(info.nPage), info.nPos, info.nTrackPos};
}

// Moves the content (and every child control) by whole scroll positions.
void moveContent(HWND board, int dxPositions, int dyPositions) {
  if (dxPositions == 0 && dyPositions == 0) return;
  const int unit = effectiveUnit(settingsBlock.scrollUnit);
  ScrollWindow(board, dxPositions * unit, dyPositions * unit, nullptr, nullptr);
}

// The frame holds both bars. A bar that becomes disabled or enabled while the board is resized
// is not always drawn again with the rest of the window: the strip would stay blank until the
// next change of the bar. Only the frame is invalidated: the client area, painted without
// clipping its controls, would be erased over controls that are not painted again.
void redrawBarsIfChanged(HWND board, bool horizontalWasIdle, bool verticalWasIdle) {
  if (scrollBarShowsAll(readBar(board, SB_HORZ)) == horizontalWasIdle &&
      scrollBarShowsAll(readBar(board, SB_VERT)) == verticalWasIdle)
    return;
  RECT outer, client;
  GetWindowRect(board, &outer);
  MapWindowPoints(HWND_DESKTOP, board, reinterpret_cast<POINT*>(&outer), 2);
  GetClientRect(board, &client);
  HRGN frame = CreateRectRgnIndirect(&outer);
  HRGN inside = CreateRectRgnIndirect(&client);
  CombineRgn(frame, frame, inside, RGN_DIFF);
  RedrawWindow(board, nullptr, frame, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
  DeleteObject(inside);
  DeleteObject(frame);
}

} // namespace

void setUpScrollBars(const QuizState& quiz, HWND board) {
  const bool horizontalWasIdle = scrollBarShowsAll(readBar(board, SB_HORZ));
  const bool verticalWasIdle = scrollBarShowsAll(readBar(board, SB_VERT));
  RECT client;
  GetClientRect(board, &client);
  const ScrollBarSetup horizontal =
      scrollBarSetup(quiz.boardWidth, client.right, settingsBlock.scrollUnit);
  const ScrollBarSetup vertical =
      scrollBarSetup(quiz.boardHeight, client.bottom, settingsBlock.scrollUnit);
  if (horizontal.resetPosition) SetScrollPos(board, SB_HORZ, 0, FALSE);
  if (vertical.resetPosition) SetScrollPos(board, SB_VERT, 0, FALSE);
  setUpBar(board, SB_HORZ, horizontal);
  setUpBar(board, SB_VERT, vertical);
  redrawBarsIfChanged(board, horizontalWasIdle, verticalWasIdle);
}

void scrollBoard(const QuizState&, HWND board, int bar, int code) {
  const ScrollBarState state = readBar(board, bar);
  RECT client;
  GetClientRect(board, &client);
  const int page = pageStep(bar == SB_VERT ? client.bottom : client.right, settingsBlock.scrollUnit,
                            settingsBlock.pageUnit);
  int requested = bar == SB_VERT ? requestedVerticalPosition(code, state, page, scrollTarget)
                                 : requestedHorizontalPosition(code, state, page);
  requested = clampToRange(requested, state);
  SetScrollPos(board, bar, requested, TRUE);
  const int settled = GetScrollPos(board, bar);
  if (bar == SB_VERT)
    moveContent(board, 0, state.pos - settled);
  else
    moveContent(board, state.pos - settled, 0);
}

void postWheelScroll(HWND board, WPARAM wParam) {
  const int code = wheelScrollCode(HIWORD(wParam));
  if (code != noWheelScroll) PostMessageA(board, WM_VSCROLL, code, 0);
}

void keepScrollPlaceOnResize(const QuizState& quiz, HWND board) {
  const int oldHorizontal = GetScrollPos(board, SB_HORZ);
  const int oldVertical = GetScrollPos(board, SB_VERT);
  setUpScrollBars(quiz, board);
  moveContent(board, oldHorizontal - GetScrollPos(board, SB_HORZ),
              oldVertical - GetScrollPos(board, SB_VERT));
}
