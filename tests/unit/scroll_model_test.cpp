#include <gtest/gtest.h>

#include <algorithm>

#include "board/control_ids.h"
#include "board/scroll_model.h"

namespace {

// One scroll request carried out as the board does: ask, clamp, let the bar settle.
int scrollVertically(const ScrollBarState& bar, int code, int scrollTarget = 0) {
  return settledScrollPosition(
      clampToRange(requestedVerticalPosition(code, bar, scrollTarget), bar), bar);
}
int scrollHorizontally(const ScrollBarState& bar, int code) {
  return settledScrollPosition(clampToRange(requestedHorizontalPosition(code, bar), bar), bar);
}

TEST(ScrollModel, SetUpFromContentAndClient) {
  struct Case {
    int content, client, pageUnit;
    ScrollBarSetup expected;
  };
  const Case cases[] = {
      {1000, 300, 1, {998, 299, false}},
      {1000, 300, 2, {998, 149, false}}, // pageUnit divides the client size
      {1000, 301, 2, {998, 149, false}}, // integer division
      {301, 300, 1, {299, 299, false}},
      {300, 300, 1, {298, 299, true}},    // fits exactly
      {200, 300, 1, {198, 199, true}},    // fits: the page is the content
      {0, 300, 1, {-2, -1, true}},        // an empty board
      {1000, 300, 0, {998, 299, false}},  // a zero unit counts as 1
      {1000, 300, -4, {998, 299, false}}, // so does a negative one
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.content << " in " << c.client << " / " << c.pageUnit);
    const ScrollBarSetup setup = scrollBarSetup(c.content, c.client, c.pageUnit);
    EXPECT_EQ(setup.max, c.expected.max);
    EXPECT_EQ(setup.page, c.expected.page);
    EXPECT_EQ(setup.resetPosition, c.expected.resetPosition);
  }
}

TEST(ScrollModel, EachCodeAsksForItsPosition) {
  const ScrollBarState bar{0, 998, 299, 400, 123};
  struct Case {
    int code;
    int vertical;
    int horizontal;
  };
  const Case cases[] = {
      {scrollLineUp, 90, 399},
      {scrollLineDown, 710, 401},
      {scrollPageUp, 101, 101},
      {scrollPageDown, 699, 699},
      {scrollThumbPosition, 400, 400},
      {scrollThumbTrack, 123, 123},
      {scrollTop, 0, 400},
      {scrollBottom, 998, 400},
      {scrollWheelDown, 450, 400},
      {scrollWheelUp, 350, 400},
      {scrollToTarget, 555, 400},
      {scrollEnd, 400, 400},
      {9, 400, 400},
      {499, 400, 400},
      {503, 400, 400},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    EXPECT_EQ(requestedVerticalPosition(c.code, bar, 555), c.vertical);
    EXPECT_EQ(requestedHorizontalPosition(c.code, bar), c.horizontal);
  }
}

TEST(ScrollModel, RequestsBeyondEitherEndAreClamped) {
  // Content 1000 high in a 300-pixel client: positions 0 to 700.
  const ScrollBarState top = scrollBarAfterSetup(scrollBarSetup(1000, 300, 1), 20);
  ASSERT_EQ(top.pos, 20);
  EXPECT_EQ(scrollVertically(top, scrollLineUp), 0);
  EXPECT_EQ(scrollVertically(top, scrollWheelUp), 0);
  EXPECT_EQ(scrollVertically(top, scrollPageUp), 0);
  EXPECT_EQ(scrollVertically(top, scrollToTarget, -5), 0);
  EXPECT_EQ(scrollHorizontally(top, scrollPageUp), 0);
  EXPECT_EQ(scrollVertically(top, scrollWheelDown), 70);
  const ScrollBarState low = scrollBarAfterSetup(scrollBarSetup(1000, 300, 1), 650);
  EXPECT_EQ(scrollVertically(low, scrollLineDown), 700);
  EXPECT_EQ(scrollVertically(low, scrollPageDown), 700);
  EXPECT_EQ(scrollVertically(low, scrollToTarget, 5000), 700);
  EXPECT_EQ(scrollHorizontally(low, scrollLineDown), 651);
  // The board's own clamp stops at nMax; the bar then keeps at most nMax - nPage + 1.
  EXPECT_EQ(clampToRange(5000, low), 998);
  EXPECT_EQ(clampToRange(-5000, low), 0);
  EXPECT_EQ(settledScrollPosition(998, low), 700);
}

TEST(ScrollModel, BottomPutsTheContentEndAtTheClientEdge) {
  struct Case {
    int content, client;
  };
  for (const Case& c : {Case{1000, 300}, Case{301, 300}, Case{5000, 2}, Case{2405, 977}}) {
    SCOPED_TRACE(testing::Message() << c.content << " in " << c.client);
    const ScrollBarState bar = scrollBarAfterSetup(scrollBarSetup(c.content, c.client, 1), 0);
    EXPECT_EQ(scrollVertically(bar, scrollBottom), c.content - c.client);
    EXPECT_EQ(scrollVertically(bar, scrollLineDown), std::min(310, c.content - c.client));
  }
}

TEST(ScrollModel, ContentThatFitsNeverScrolls) {
  for (int content : {0, 1, 2, 20, 299, 300}) {
    SCOPED_TRACE(content);
    const ScrollBarSetup setup = scrollBarSetup(content, 300, 1);
    EXPECT_TRUE(setup.resetPosition);
    const ScrollBarState bar = scrollBarAfterSetup(setup, 250); // scrolled before a resize
    EXPECT_EQ(bar.pos, 0);
    for (int code : {scrollLineUp, scrollLineDown, scrollPageUp, scrollPageDown,
                     scrollThumbPosition, scrollThumbTrack, scrollTop, scrollBottom,
                     scrollWheelDown, scrollWheelUp, scrollToTarget, scrollEnd}) {
      SCOPED_TRACE(code);
      EXPECT_EQ(scrollVertically(bar, code, 900), 0);
      EXPECT_EQ(scrollHorizontally(bar, code), 0);
    }
  }
}

TEST(ScrollModel, ShrinkingContentPullsThePositionBack) {
  // A row collapses while the board is scrolled to its bottom: the bar keeps the new bottom.
  EXPECT_EQ(scrollBarAfterSetup(scrollBarSetup(1000, 300, 1), 700).pos, 700);
  EXPECT_EQ(scrollBarAfterSetup(scrollBarSetup(800, 300, 1), 700).pos, 500);
}

TEST(ScrollModel, OneWheelNotchAtATime) {
  struct Case {
    unsigned delta;
    int code;
  };
  const Case cases[] = {{120, scrollWheelUp},   {65416, scrollWheelDown}, {240, noWheelScroll},
                        {65296, noWheelScroll}, {0, noWheelScroll},       {121, noWheelScroll},
                        {65415, noWheelScroll}, {0x10078, noWheelScroll}};
  for (const Case& c : cases) EXPECT_EQ(wheelScrollCode(c.delta), c.code) << c.delta;
  // One notch moves the board 50 positions.
  const ScrollBarState bar = scrollBarAfterSetup(scrollBarSetup(1000, 300, 1), 100);
  EXPECT_EQ(scrollVertically(bar, wheelScrollCode(65416)), 150);
  EXPECT_EQ(scrollVertically(bar, wheelScrollCode(120)), 50);
}

} // namespace
