#pragma once

#include <cstdint>

#include "content/platform_handles.h"
#include "content/text_buffer.h"

// The one record of the running quiz: the texts and settings of the content resources, the
// reward codes, the question list, the fonts and brushes that the header and the board share,
// the two dialog handles and the board's layout bookkeeping. Every part of the program reads
// and writes it directly through `quizState`.

constexpr int maxQuestions = 96;   // `codes` has 96 entries; control ids 6001..6096, 7001..7096
constexpr int maxPictureRows = 32; // rows of three pictures: 96 / 3
constexpr int mediaFolderCapacity = 512;

// Values of `questionKind`.
constexpr int kindText = 0;
constexpr int kindPicture = 1;
constexpr int kindAudio = 2;
constexpr int kindVideo = 3;

// Values of `hiddenState`.
constexpr int questionShown = 0;
constexpr int questionHidden = 1;
constexpr int questionClosedRow = 2; // hidden, and it closed a row of three hidden questions

struct QuizQuestion {
  char answer[textCapacity];       // right answer of the first (or only) answer box
  char secondAnswer[textCapacity]; // right answer of the second box; empty with one answer
  char questionText[textCapacity]; // the question, shown by the text layout
  char revealText[textCapacity];   // shown once the question is solved (reveal modes 2 to 4)
  int solved;                      // 1 once every answer box held its right answer; never reset
  QuizQuestion* previous;          // null at the head
  QuizQuestion* next;              // null at the tail
};

struct QuizState {
  int boardWidth; // size of the board's scrollable content, in pixels
  int boardHeight;
  int questionKind; // kindText, kindPicture, kindAudio or kindVideo
  char quizName[textCapacity];
  char authorName[textCapacity];
  char explanations[textCapacity];
  char firstAnswerLabel[textCapacity];    // left of the first answer line (two-answer grids)
  char secondAnswerLabel[textCapacity];   // left of the second answer line
  int questionCount;                      // 0 to 96; the list may hold fewer nodes
  int answersPerQuestion;                 // 1 or 2
  char codes[maxQuestions][textCapacity]; // entry n - 1 is shown while the score is n
  int revealMode;                         // 0 to 4
  FontHandle textFont;                    // made by the board
  FontHandle scoreFont;
  FontHandle titleFont;
  int allSolved; // every answer box reads the success word (reveal mode 4)
  WindowHandle boardWindow;
  int rowHeights[maxPictureRows];    // tallest picture of each row of three
  int hiddenState[maxQuestions + 1]; // indexed by question number, 1 to 96
  std::uint8_t backgroundRed;        // kept in the order red, blue, green
  std::uint8_t backgroundBlue;
  std::uint8_t backgroundGreen;
  BrushHandle backgroundBrush;
  BrushHandle wrongBrush;
  BrushHandle anagramBrush;
  BrushHandle hintBrush;
  BrushHandle questionTextBrush;
  WindowHandle headerWindow;
  char mediaFolder[mediaFolderCapacity]; // prefix of media file names; always empty
  QuizQuestion* firstQuestion;
  QuizQuestion* lastQuestion;
};

// The one record, from its construction at start-up until it is freed after the message loop.
extern QuizState* quizState;

// COLORREF value (0x00BBGGRR) of a colour given by its components.
constexpr std::uint32_t colorRef(int red, int green, int blue) {
  return static_cast<std::uint32_t>(red) | static_cast<std::uint32_t>(green) << 8 |
         static_cast<std::uint32_t>(blue) << 16;
}

constexpr std::uint32_t wrongColor = colorRef(255, 0, 0);
constexpr std::uint32_t anagramColor = colorRef(255, 100, 0);
constexpr std::uint32_t hintColor = colorRef(255, 203, 38);
constexpr std::uint32_t questionTextColor = colorRef(255, 255, 192);

// Allocates a zero-filled record; null when memory is short.
QuizState* allocateQuizState();
// Fills a freshly allocated (zero-filled) record with its defaults and makes its fonts and
// brushes.
void constructQuizState(QuizState& state);
// Appends one question; each text is cut at 259 characters.
void addQuestion(QuizState& state, const char* answer, const char* secondAnswer,
                 const char* questionText);
// Question n, counting from 1; the last node when the list is shorter; null when it is empty.
QuizQuestion* questionAt(const QuizState& state, int n);
// Replaces the background colour and its brush.
void setBackgroundColour(QuizState& state, std::uint8_t red, std::uint8_t green, std::uint8_t blue);
// Deletes the fonts and brushes and frees the question list.
void releaseContent(QuizState& state);
// Frees a record allocated by allocateQuizState (after releaseContent).
void freeQuizState(QuizState* state);

// Label text colour on the board background: black unless both red and green are dark.
bool backgroundWantsBlackText(const QuizState& state);
