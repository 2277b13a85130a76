#pragma once

// Where the board scrolls when Tab brings the focus to an answer box that lies partly outside
// it: the box is centred in the board's client area. Positions are scroll units; the box's top
// is given in client pixels of the board as it is scrolled now.
int tabScrollTarget(int currentPosition, int boxTop, int boxHeight, int clientHeight,
                    int scrollUnit);

// A box partly above or below the client area needs the scroll.
bool boxNeedsScroll(int boxTop, int boxHeight, int clientHeight);
