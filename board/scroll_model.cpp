#include "board/scroll_model.h"

#include <algorithm>

#include "ids/control_ids.h"

namespace {

// Arrow steps: long vertically, where the content is tall, one unit horizontally.
constexpr int verticalLineStep = 310;
constexpr int horizontalLineStep = 1;
constexpr int wheelStep = 50;
constexpr unsigned wheelNotchAway = 120;
constexpr unsigned wheelNotchToward = 65416; // -120 as an unsigned 16-bit word

} // namespace

int effectiveUnit(int unit) {
  return unit > 0 ? unit : 1;
}

namespace {

// Positions needed to cover `pixels`, the last part of a position counting as a whole one.
int positionsCovering(int pixels, int unit) {
  return pixels > 0 ? pixels / unit + (pixels % unit != 0) : pixels;
}

} // namespace

ScrollBarSetup scrollBarSetup(int contentSize, int clientSize, int scrollUnit) {
  const int unit = effectiveUnit(scrollUnit);
  const int content = positionsCovering(contentSize, unit);
  if (contentSize <= clientSize) return ScrollBarSetup{content - 2, content - 1, true};
  // The farthest position is the first whose content edge reaches the client's edge; the page
  // is what remains of the content from there.
  const int farthest = positionsCovering(contentSize - clientSize, unit);
  return ScrollBarSetup{content - 2, content - farthest - 1, false};
}

int pageStep(int clientSize, int scrollUnit, int pageUnit) {
  const int pagePixels = clientSize / effectiveUnit(pageUnit);
  const int step = pagePixels / effectiveUnit(scrollUnit) - 1;
  return step > 0 ? step : 0;
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
int requestedHorizontalPosition(int code, const ScrollBarState& bar, int page) {
  switch (code) {
  case scrollLineUp: return bar.pos - horizontalLineStep;
  case scrollLineDown: return bar.pos + horizontalLineStep;
  case scrollPageUp: return bar.pos - page;
  case scrollPageDown: return bar.pos + page;
  case scrollThumbTrack: return bar.trackPos;
  default: return bar.pos; // thumb released, and every code that means no move
  }
}

int requestedVerticalPosition(int code, const ScrollBarState& bar, int page, int scrollTarget) {
  switch (code) {
  case scrollLineUp: return bar.pos - verticalLineStep;
  case scrollLineDown: return bar.pos + verticalLineStep;
  case scrollTop: return 0;
  case scrollBottom: return bar.max;
  case scrollWheelDown: return bar.pos + wheelStep;
  case scrollWheelUp: return bar.pos - wheelStep;
  case scrollToTarget: return scrollTarget;
  default: return requestedHorizontalPosition(code, bar, page);
  }
}

bool scrollBarShowsAll(const ScrollBarState& bar) {
  return bar.max - std::max(bar.page - 1, 0) <= bar.min;
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
