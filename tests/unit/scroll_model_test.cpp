#include <gtest/gtest.h>

#include <algorithm>

#include "board/scroll_model.h"
#include "ids/control_ids.h"

namespace {

// One scroll request carried out as the board does: ask, clamp, let the bar settle. The page
// requests move the bar's page, as they do with both units 1.
int scrollVertically(const ScrollBarState& bar, int code, int scrollTarget = 0) {
  return settledScrollPosition(
      clampToRange(requestedVerticalPosition(code, bar, bar.page, scrollTarget), bar), bar);
}
int scrollHorizontally(const ScrollBarState& bar, int code) {
  return settledScrollPosition(clampToRange(requestedHorizontalPosition(code, bar, bar.page), bar),
                               bar);
}

TEST(ScrollModel, SetUpFromContentAndClient) {
  struct Case {
    int content, client, scrollUnit;
    ScrollBarSetup expected;
  };
  const Case cases[] = {
      {1000, 300, 1, {998, 299, false}},
      {301, 300, 1, {299, 299, false}},
      {300, 300, 1, {298, 299, true}},    // fits exactly
      {200, 300, 1, {198, 199, true}},    // fits: the page is the content
      {0, 300, 1, {-2, -1, true}},        // an empty board
      {1000, 300, 0, {998, 299, false}},  // a zero unit counts as 1
      {1000, 300, -4, {998, 299, false}}, // so does a negative one
      // Counted in positions: 500 of them, the last 350 reached at position 350 (700 pixels).
      {1000, 300, 2, {498, 149, false}},
      {1005, 486, 2, {501, 242, false}}, // 503 positions, the farthest 260 (520 pixels)
      {1000, 300, 3, {332, 99, false}},  // 334 positions, the farthest 234 (702 pixels)
      {301, 300, 2, {149, 149, false}},  // one position of reach
      {200, 300, 2, {98, 99, true}},
      {300, 300, 7, {41, 42, true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.content << " in " << c.client << " unit " << c.scrollUnit);
    const ScrollBarSetup setup = scrollBarSetup(c.content, c.client, c.scrollUnit);
    EXPECT_EQ(setup.max, c.expected.max);
    EXPECT_EQ(setup.page, c.expected.page);
    EXPECT_EQ(setup.resetPosition, c.expected.resetPosition);
  }
}

TEST(ScrollModel, PageStepDividesTheClient) {
  struct Case {
    int client, scrollUnit, pageUnit, expected;
  };
  const Case cases[] = {
      {486, 1, 1, 485},                     // the bar's own page, as always with both units 1
      {486, 2, 1, 242},                     // 484 pixels
      {486, 1, 2, 242},                     // half the client
      {486, 2, 2, 120},   {486, 3, 1, 161}, // 483 pixels
      {300, 0, 0, 299},                     // units of 0 or less count as 1
      {300, -2, -3, 299}, {1, 1, 1, 0},     {0, 1, 1, 0}, {5, 3, 1, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(pageStep(c.client, c.scrollUnit, c.pageUnit), c.expected)
        << c.client << " " << c.scrollUnit << "/" << c.pageUnit;
}

// The board under any pair of units: the farthest position shows the content's far edge at the
// client's edge (less than a position short of it at most), a page moves at most one client
// size, a wheel notch 50 positions, and content that fits never moves. A row collapsing while
// the board is at its bottom leaves the new bottom at the client's edge.
TEST(ScrollModel, EveryPairOfUnitsStopsAtTheEdge) {
  struct Units {
    int scroll, page;
  };
  struct Sizes {
    int content, client;
  };
  for (const Units u : {Units{1, 1}, Units{2, 2}, Units{2, 1}, Units{1, 2}, Units{3, 1}}) {
    for (const Sizes s : {Sizes{1005, 486}, Sizes{1000, 300}, Sizes{301, 300}, Sizes{2405, 977},
                          Sizes{910, 700}, Sizes{900, 1000}, Sizes{486, 486}}) {
      SCOPED_TRACE(testing::Message()
                   << u.scroll << "/" << u.page << ": " << s.content << " in " << s.client);
      const ScrollBarSetup setup = scrollBarSetup(s.content, s.client, u.scroll);
      const ScrollBarState bar = scrollBarAfterSetup(setup, 0);
      const int page = pageStep(s.client, u.scroll, u.page);
      auto settle = [&](int code) {
        return settledScrollPosition(
            clampToRange(requestedVerticalPosition(code, bar, page, 0), bar), bar);
      };
      const int bottom = settle(scrollBottom);
      EXPECT_EQ(scrollBarShowsAll(bar), s.content <= s.client); // disabled only when it fits
      if (s.content <= s.client) {
        EXPECT_TRUE(setup.resetPosition);
        EXPECT_EQ(bottom, 0);
        EXPECT_EQ(settle(scrollPageDown), 0);
        continue;
      }
      EXPECT_FALSE(setup.resetPosition);
      EXPECT_LE(s.content - bottom * u.scroll, s.client);
      EXPECT_GT(s.content - bottom * u.scroll, s.client - u.scroll);
      EXPECT_EQ(settle(scrollPageDown), std::min(page, bottom));
      EXPECT_LE(page * u.scroll, s.client);
      EXPECT_EQ(settle(scrollWheelDown), std::min(50, bottom));
      if (u.scroll == 1 && u.page == 1) {
        EXPECT_EQ(page, bar.page);
      }
      // Collapsing 100 pixels of rows at the bottom.
      if (s.content - 100 > s.client) {
        const ScrollBarState shrunk =
            scrollBarAfterSetup(scrollBarSetup(s.content - 100, s.client, u.scroll), bottom);
        EXPECT_LE(s.content - 100 - shrunk.pos * u.scroll, s.client);
        EXPECT_GT(s.content - 100 - shrunk.pos * u.scroll, s.client - u.scroll);
      }
    }
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
    EXPECT_EQ(requestedVerticalPosition(c.code, bar, bar.page, 555), c.vertical);
    EXPECT_EQ(requestedHorizontalPosition(c.code, bar, bar.page), c.horizontal);
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
