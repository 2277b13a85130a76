#include "board/scroll_model.h"

#include <algorithm>

#include "board/control_ids.h"

namespace {

// Arrow steps: long vertically, where the content is tall, one unit horizontally.
constexpr int verticalLineStep = 310;
constexpr int horizontalLineStep = 1;
constexpr int wheelStep = 50;
constexpr unsigned wheelNotchAway = 120;
constexpr unsigned wheelNotchToward = 65416; // -120 as an unsigned 16-bit word

} // namespace

ScrollBarSetup scrollBarSetup(int contentSize, int clientSize, int pageUnit) {
  const int unit = pageUnit > 0 ? pageUnit : 1; // a zero divisor would stop the player
  int page = clientSize / unit;
  const bool fits = contentSize <= page;
  if (fits) page = contentSize;
  return ScrollBarSetup{contentSize - 2, page - 1, fits};
}

ScrollBarState scrollBarAfterSetup(const ScrollBarSetup& setup, int position) {
  ScrollBarState bar{0, std::max(setup.max, 0), 0, 0, 0};
  bar.page = std::clamp(setup.page, 0, bar.max - bar.min + 1);
  bar.pos = settledScrollPosition(setup.resetPosition ? 0 : position, bar);
  bar.trackPos = bar.pos;
  return bar;
}

// The pages and the thumb move both bars alike; the horizontal bar has no top, bottom, wheel or
// jump, so those codes leave it where it is.
int requestedHorizontalPosition(int code, const ScrollBarState& bar) {
  switch (code) {
  case scrollLineUp: return bar.pos - horizontalLineStep;
  case scrollLineDown: return bar.pos + horizontalLineStep;
  case scrollPageUp: return bar.pos - bar.page;
  case scrollPageDown: return bar.pos + bar.page;
  case scrollThumbTrack: return bar.trackPos;
  default: return bar.pos; // thumb released, and every code that means no move
  }
}

int requestedVerticalPosition(int code, const ScrollBarState& bar, int scrollTarget) {
  switch (code) {
  case scrollLineUp: return bar.pos - verticalLineStep;
  case scrollLineDown: return bar.pos + verticalLineStep;
  case scrollTop: return 0;
  case scrollBottom: return bar.max;
  case scrollWheelDown: return bar.pos + wheelStep;
  case scrollWheelUp: return bar.pos - wheelStep;
  case scrollToTarget: return scrollTarget;
  default: return requestedHorizontalPosition(code, bar);
  }
}

int clampToRange(int position, const ScrollBarState& bar) {
  if (position > bar.max) position = bar.max;
  return position < bar.min ? bar.min : position;
}

int settledScrollPosition(int position, const ScrollBarState& bar) {
  const int highest = bar.max - std::max(bar.page - 1, 0);
  if (position > highest) position = highest;
  return position < bar.min ? bar.min : position;
}

int wheelScrollCode(unsigned wheelDelta16) {
  if (wheelDelta16 == wheelNotchAway) return scrollWheelUp;
  if (wheelDelta16 == wheelNotchToward) return scrollWheelDown;
  return noWheelScroll;
}
