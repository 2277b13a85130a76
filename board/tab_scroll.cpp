#include "board/tab_scroll.h"

int tabScrollTarget(int currentPosition, int boxTop, int boxHeight, int clientHeight,
                    int scrollUnit) {
  if (scrollUnit < 1) scrollUnit = 1;
  const int pixels = boxTop - (clientHeight - boxHeight) / 2;
  // Rounded toward the box, so that it is never left outside by the division.
  const int units =
      pixels >= 0 ? (pixels + scrollUnit - 1) / scrollUnit : -((-pixels) / scrollUnit);
  return currentPosition + units;
}

bool boxNeedsScroll(int boxTop, int boxHeight, int clientHeight) {
  return boxTop < 0 || boxTop + boxHeight > clientHeight;
}
