#pragma once

// The board's scroll model: the scroll-bar set-up from the content and client sizes, the
// position each scroll code asks for, and the clamping that decides where the bar stays.
// Positions are in scroll units (one pixel with the default settings); the board moves its
// content by (old position - new position) x scrollUnit pixels.

// Standard scroll codes, in the low word of wParam of WM_VSCROLL and WM_HSCROLL. The board's
// private codes (wheel notches, jump to target) are in ids/control_ids.h.
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
  int max;            // nMax: content in positions - 2
  int page;           // nPage: the part of the content the client shows, in positions, - 1
  bool resetPosition; // the content fits: set the position to 0 (no redraw) first
};

// A scroll unit or a page unit of 0 or less counts as 1: a zero would divide by zero and a
// negative one would turn the board's movements around.
int effectiveUnit(int unit);

// One bar from the content size and the client size in pixels, counted in positions of
// scrollUnit pixels (a last part of a position counts as a whole one). The farthest position the
// bar keeps, nMax - nPage + 1, is the first one that shows the content's far edge: the edge
// stops at the client's edge, or less than one position short of it when the sizes are not
// multiples of the unit. The content fits when it is no larger than the client: the page then
// covers the whole range and the bar is shown disabled. With the unit 1 the values are those of
// plain pixels: nMax content - 2, nPage client - 1.
ScrollBarSetup scrollBarSetup(int contentSize, int clientSize, int scrollUnit);

// How many positions one page request (SB_PAGEUP, SB_PAGEDOWN) moves: the client size divided
// by pageUnit, in whole positions, less one (as the bar's own page is with both units 1). A page
// never moves more than the client size; a client smaller than two positions moves none.
int pageStep(int clientSize, int scrollUnit, int pageUnit);

// A bar as GetScrollInfo reports it.
struct ScrollBarState {
  int min, max, page, pos, trackPos;
};

// The bar as the system keeps it after a set-up: the page within 0 .. range + 1, an inverted
// range as an empty one, and `position` settled into what the new range allows.
ScrollBarState scrollBarAfterSetup(const ScrollBarSetup& setup, int position);

// The position a scroll code asks for, before clamping. Unknown codes ask for no move.
// `page` is what a page request moves (pageStep); scrollTarget is what the answer boxes left
// for the private jump code.
int requestedVerticalPosition(int code, const ScrollBarState& bar, int page, int scrollTarget);
int requestedHorizontalPosition(int code, const ScrollBarState& bar, int page);

// Whether the page covers the whole range, so that the bar cannot move and is shown disabled.
bool scrollBarShowsAll(const ScrollBarState& bar);

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
