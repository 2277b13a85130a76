#pragma once

// The board's scroll model: the scroll-bar set-up from the content and client sizes, the
// position each scroll code asks for, and the clamping that decides where the bar stays.
// Positions are in scroll units (one pixel with the default settings); the board moves its
// content by (old position - new position) x scrollUnit pixels.

// Standard scroll codes, in the low word of wParam of WM_VSCROLL and WM_HSCROLL. The board's
// private codes (wheel notches, jump to target) are in board/control_ids.h.
constexpr int scrollLineUp = 0; // also line left
constexpr int scrollLineDown = 1;
constexpr int scrollPageUp = 2;
constexpr int scrollPageDown = 3;
constexpr int scrollThumbPosition = 4; // thumb released
constexpr int scrollThumbTrack = 5;    // thumb dragged
constexpr int scrollTop = 6;
constexpr int scrollBottom = 7;
constexpr int scrollEnd = 8;

// What SetScrollInfo is given for one bar (nMin is always 0).
struct ScrollBarSetup {
  int max;            // nMax: content size - 2
  int page;           // nPage: page size - 1
  bool resetPosition; // the content fits: set the position to 0 (no redraw) first
};

// One bar from the content size and the client size in pixels. pageUnit turns client pixels into
// scroll units; a pageUnit of 0 or less counts as 1 rather than dividing by zero. With these
// values the largest position the bar keeps is content - page: the content's far edge stops
// exactly at the client's edge. When the content fits, the page covers the whole range.
ScrollBarSetup scrollBarSetup(int contentSize, int clientSize, int pageUnit);

// A bar as GetScrollInfo reports it.
struct ScrollBarState {
  int min, max, page, pos, trackPos;
};

// The bar as the system keeps it after a set-up: the page within 0 .. range + 1, an inverted
// range as an empty one, and `position` settled into what the new range allows.
ScrollBarState scrollBarAfterSetup(const ScrollBarSetup& setup, int position);

// The position a scroll code asks for, before clamping. Unknown codes ask for no move.
// scrollTarget is what the answer boxes left for the private jump code.
int requestedVerticalPosition(int code, const ScrollBarState& bar, int scrollTarget);
int requestedHorizontalPosition(int code, const ScrollBarState& bar);

// The board's own clamp, to nMin .. nMax.
int clampToRange(int position, const ScrollBarState& bar);
// What the bar keeps when given `position`: at most nMax - nPage + 1 (nMax with a page of 0),
// and at least nMin.
int settledScrollPosition(int position, const ScrollBarState& bar);

// The scroll code one WM_MOUSEWHEEL posts to the board, from the high word of its wParam: one
// notch away from the user (120) scrolls up, one toward the user (65416, that is -120) down.
// Any other delta (several notches at once) posts nothing: noWheelScroll.
constexpr int noWheelScroll = 0;
int wheelScrollCode(unsigned wheelDelta16);
