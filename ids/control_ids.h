#pragma once

#include <cstdint>

// Control ids, private scroll codes and window styles of the question board.
//
// The board keeps no control handles: the answer check, the progress file, the media buttons
// and the row hiding all find a question's controls by these ids, so the numbering is fixed.
// Below, j is the question number (1 to 96) and k the answer index over the whole quiz.

constexpr int answerLineLabelId = 156;  // both answer line labels of every two-answer grid row
constexpr int numberLabelBase = 2000;   // grid layout: number label 2000 + j
constexpr int textNumberLabelId = 2000; // text layout: every line's number label
constexpr int questionTextId = 3000;    // text layout: every line's question text
constexpr int answerBoxBase = 4000;     // answer box 4000 + k
constexpr int resultLabelOffset = 1000; // a result label's id is its answer box's plus this
constexpr int resultLabelBase = answerBoxBase + resultLabelOffset;
constexpr int playButtonBase = 6000;   // 6000 + j, audio and video kinds
constexpr int stopButtonBase = 7000;   // 7000 + j, audio and video kinds
constexpr int revealLabelBase = 8000;  // 8000 + j, grid layout with reveal labels
constexpr int pictureLabelBase = 9900; // 9900 + j: the picture label of the picture kind...
constexpr int mediaHostBase = 9900;    // ...or the media host of the audio and video kinds

// Answer box of answer line `line` (1 or 2) of question j. With one answer per question the
// boxes are 4001 to 4000 + count; with two, the lines of a question follow each other.
constexpr int answerBoxId(int answersPerQuestion, int question, int line) {
  return answersPerQuestion == 2 ? answerBoxBase + 2 * (question - 1) + line
                                 : answerBoxBase + question;
}
constexpr int resultLabelId(int answerBox) {
  return answerBox + resultLabelOffset;
}

// Private scroll codes, in the low word of wParam of WM_VSCROLL (lParam 0).
constexpr int scrollWheelDown = 500; // one wheel notch toward the user: content moves up
constexpr int scrollWheelUp = 501;   // one wheel notch away from the user
constexpr int scrollToTarget = 502;  // jump to the position an answer box left in scrollTarget

// The style bits the board uses, named here because the portable core has no <windows.h>.
namespace styleBit {
constexpr std::uint32_t child = 0x40000000;   // WS_CHILD
constexpr std::uint32_t visible = 0x10000000; // WS_VISIBLE
constexpr std::uint32_t border = 0x00800000;  // WS_BORDER
constexpr std::uint32_t tabStop = 0x00010000; // WS_TABSTOP
constexpr std::uint32_t staticCenter = 0x0001;
constexpr std::uint32_t staticRight = 0x0002;
constexpr std::uint32_t staticBitmap = 0x000E;
constexpr std::uint32_t staticCenterImage = 0x0200; // centred vertically (one-line texts)
constexpr std::uint32_t editCenter = 0x0001;
constexpr std::uint32_t editAutoHScroll = 0x0080;
constexpr std::uint32_t editBit0200 = 0x0200; // carried by the text layout's boxes; no edit meaning
constexpr std::uint32_t buttonDefPush = 0x0001;
constexpr std::uint32_t buttonIcon = 0x0040;
} // namespace styleBit

constexpr std::uint32_t numberLabelStyle =
    styleBit::child | styleBit::visible | styleBit::staticRight;
// Framed, centred one-line text: the question texts and every result label.
constexpr std::uint32_t framedTextStyle = styleBit::child | styleBit::visible | styleBit::border |
                                          styleBit::staticCenterImage | styleBit::staticCenter;
constexpr std::uint32_t questionTextStyle = framedTextStyle;
constexpr std::uint32_t resultLabelStyle = framedTextStyle;
constexpr std::uint32_t gridAnswerBoxStyle = styleBit::child | styleBit::visible |
                                             styleBit::border | styleBit::tabStop |
                                             styleBit::editAutoHScroll | styleBit::editCenter;
constexpr std::uint32_t textAnswerBoxStyle = gridAnswerBoxStyle | styleBit::editBit0200;
constexpr std::uint32_t pictureLabelStyle = styleBit::child | styleBit::visible | styleBit::border |
                                            styleBit::staticCenterImage | styleBit::staticBitmap;
constexpr std::uint32_t mediaHostStyle = styleBit::child | styleBit::visible | styleBit::border;
constexpr std::uint32_t answerLineLabelStyle = styleBit::child | styleBit::visible;
constexpr std::uint32_t revealLabelStyle =
    styleBit::child | styleBit::visible | styleBit::staticCenter;
constexpr std::uint32_t mediaButtonStyle = styleBit::child | styleBit::visible | styleBit::tabStop |
                                           styleBit::buttonIcon | styleBit::buttonDefPush;

// The composed styles are exactly the values the board has always created its controls with.
static_assert(numberLabelStyle == 0x50000002);
static_assert(framedTextStyle == 0x50800201);
static_assert(textAnswerBoxStyle == 0x50810281);
static_assert(gridAnswerBoxStyle == 0x50810081);
static_assert(pictureLabelStyle == 0x5080020E);
static_assert(mediaHostStyle == 0x50800000);
static_assert(answerLineLabelStyle == 0x50000000);
static_assert(revealLabelStyle == 0x50000001);
static_assert(mediaButtonStyle == 0x50010041);
