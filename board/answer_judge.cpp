#include "board/answer_judge.h"

#include <algorithm>
#include <cstring>

#include "content/text_buffer.h"

namespace {

constexpr char blank = ' ';

// Answers of three bytes or fewer get no hint: too short for a near miss to mean anything.
constexpr int longestHintlessAnswer = 3;
// A piece of the answer earns a hint only when the answer is longer than this.
constexpr int longestUnhintedPieceAnswer = 9;

// Every length is counted within the 260-byte buffers the texts live in.
int answerLength(const char* text) {
  return static_cast<int>(strnlen(text, maxTextLength));
}

void foldRange(char* text, int length) {
  for (int i = 0; i < length; ++i) {
    if (text[i] >= 'a' && text[i] <= 'z') text[i] = static_cast<char>(text[i] - ('a' - 'A'));
  }
}

bool sameText(const char* s, int lengthS, const char* t, int lengthT) {
  return lengthS == lengthT && std::memcmp(s, t, lengthS) == 0;
}

// Copies a text into `sorted` with its bytes in ascending order.
void sortedCopy(const char* text, int length, unsigned char (&sorted)[textCapacity]) {
  std::memcpy(sorted, text, length);
  std::sort(sorted, sorted + length);
}

bool isAnagram(const char* s, int lengthS, const char* t, int lengthT) {
  if (lengthS != lengthT) return false;
  unsigned char sortedS[textCapacity];
  unsigned char sortedT[textCapacity];
  sortedCopy(s, lengthS, sortedS);
  sortedCopy(t, lengthT, sortedT);
  return std::memcmp(sortedS, sortedT, lengthS) == 0;
}

// Advances `i` over one run of equal bytes of `a` (from its start) and `b` (from `i`); true
// when the run covered the whole of `a`.
bool runCoversAll(const char* a, int lengthA, const char* b, int lengthB, int& i) {
  int j = 0;
  while (j < lengthA && i < lengthB && a[j] == b[i]) {
    ++i;
    ++j;
  }
  return j == lengthA;
}

// The verdict for a typed text that is a shorter piece of the stored answer: only a long
// answer earns a hint, and only for a piece of more than half of it.
const char* judgePiece(int lengthS, int lengthT, const char* failureWord) {
  if (lengthS <= longestUnhintedPieceAnswer) return failureWord;
  if (100 * lengthT > 70 * lengthS) return verdictTooShort;
  if (100 * lengthT > 50 * lengthS) return verdictNotFar;
  return failureWord;
}

} // namespace

void foldAnswer(char* text) {
  foldRange(text, answerLength(text));
}

void normaliseAnswer(char* text) {
  int end = answerLength(text);
  while (end > 0 && text[end - 1] == blank) --end;
  int start = 0;
  while (start < end && text[start] == blank) ++start;
  std::memmove(text, text + start, end - start);
  text[end - start] = '\0';
  foldRange(text, end - start);
}

int editDistance(const char* s, const char* t) {
  const int lengthS = answerLength(s);
  const int lengthT = answerLength(t);
  // One row of the table: before step i, row[j] is the distance between the first i - 1 bytes
  // of s and the first j bytes of t.
  int row[textCapacity];
  for (int j = 0; j <= lengthT; ++j) row[j] = j;
  for (int i = 1; i <= lengthS; ++i) {
    int diagonal = row[0]; // cell (i - 1, j - 1)
    row[0] = i;
    for (int j = 1; j <= lengthT; ++j) {
      const int above = row[j]; // cell (i - 1, j)
      const int substitution = diagonal + (s[i - 1] == t[j - 1] ? 0 : 1);
      row[j] = std::min({above + 1, row[j - 1] + 1, substitution});
      diagonal = above;
    }
  }
  return row[lengthT];
}

int findContained(const char* stored, const char* typed) {
  const int lengthS = answerLength(stored);
  const int lengthT = answerLength(typed);
  const bool typedShorter = lengthT < lengthS;
  const char* a = typedShorter ? typed : stored; // the text looked for
  const char* b = typedShorter ? stored : typed; // the text looked in
  const int lengthA = typedShorter ? lengthT : lengthS;
  const int lengthB = typedShorter ? lengthS : lengthT;
  if (lengthA == 0) return 0;
  int i = 0;
  while (i < lengthB) {
    while (i < lengthB && b[i] != a[0]) ++i;
    if (i == lengthB) return 0;
    // A failed run leaves i where it stopped: the next run starts there, never earlier.
    if (runCoversAll(a, lengthA, b, lengthB, i)) return typedShorter ? -2 : 2;
  }
  return 0;
}

const char* judgeAnswer(const char* stored, const char* typed, const char* successWord,
                        const char* failureWord) {
  const int lengthS = answerLength(stored);
  const int lengthT = answerLength(typed);
  if (lengthT == 0) return verdictUnknown;
  // Equal texts are the only ones at distance 0, and the common case: no table for them.
  if (sameText(stored, lengthS, typed, lengthT)) return successWord;
  if (lengthS <= longestHintlessAnswer) return failureWord;
  const int distance = editDistance(stored, typed);
  // Before the distance words: two swapped letters are two edits, and an anagram says more.
  if (isAnagram(stored, lengthS, typed, lengthT)) return verdictAnagram;
  if (distance == 1) return verdictOneEdit;
  if (distance == 2) return verdictTwoEdits;
  const int contained = findContained(stored, typed);
  if (contained == 2) return verdictTooLong;
  if (contained == -2) return judgePiece(lengthS, lengthT, failureWord);
  // Alike in more than 80 per cent of the longer text: 100 (L - d) / L > 80, kept in integers.
  const int longer = std::max(lengthS, lengthT);
  if (100 * (longer - distance) > 80 * longer) return verdictCloseIdea;
  return failureWord;
}

AnswerSlot answerSlotOf(int k, int answersPerQuestion) {
  if (answersPerQuestion != 2) return {k, 1};
  return {(k + 1) / 2, k % 2 == 1 ? 1 : 2};
}
