// Any two texts as a stored answer and a typed one: the verdict is always one of the known
// words, a right answer is exactly an equal text, and the helpers keep their bounds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "board/answer_judge.h"
#include "content/text_buffer.h"

namespace {

constexpr char successWord[] = "BRAVO";
constexpr char failureWord[] = "FAUX";

// Takes the bytes up to the next NUL (at most 259 of them) as a text and moves past them.
void takeText(const std::uint8_t*& data, std::size_t& size, char (&text)[textCapacity]) {
  std::size_t length = 0;
  while (length < size && length < static_cast<std::size_t>(maxTextLength) && data[length] != 0)
    ++length;
  copyText(text, reinterpret_cast<const char*>(data), length);
  if (length < size && data[length] == 0) ++length;
  data += length;
  size -= length;
}

bool isKnownVerdict(const char* verdict) {
  for (const char* known :
       {successWord, failureWord, verdictUnknown, verdictAnagram, verdictOneEdit, verdictTwoEdits,
        verdictTooLong, verdictTooShort, verdictNotFar, verdictCloseIdea}) {
    if (verdict == known) return true;
  }
  return false;
}

void checkDistance(const char* stored, const char* typed) {
  const int lengthS = static_cast<int>(std::strlen(stored));
  const int lengthT = static_cast<int>(std::strlen(typed));
  const int distance = editDistance(stored, typed);
  if (distance < std::abs(lengthS - lengthT) || distance > (lengthS > lengthT ? lengthS : lengthT))
    __builtin_trap();
  if (distance != editDistance(typed, stored)) __builtin_trap();
  if ((distance == 0) != (std::strcmp(stored, typed) == 0)) __builtin_trap();
}

void checkContained(const char* stored, const char* typed) {
  const int contained = findContained(stored, typed);
  if (contained == 2 && !std::strstr(typed, stored)) __builtin_trap();
  if (contained == -2 && !std::strstr(stored, typed)) __builtin_trap();
  if (contained != 0 && contained != 2 && contained != -2) __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  char stored[textCapacity];
  char typed[textCapacity];
  takeText(data, size, stored);
  takeText(data, size, typed);
  foldAnswer(stored);
  normaliseAnswer(typed);
  char again[textCapacity];
  std::memcpy(again, typed, sizeof again);
  normaliseAnswer(again);
  if (std::strcmp(again, typed) != 0) __builtin_trap(); // normalising twice changes nothing
  const char* verdict = judgeAnswer(stored, typed, successWord, failureWord);
  if (!isKnownVerdict(verdict)) __builtin_trap();
  const bool right = typed[0] != '\0' && std::strcmp(stored, typed) == 0;
  if ((verdict == successWord) != right) __builtin_trap();
  checkDistance(stored, typed);
  checkContained(stored, typed);
  return 0;
}
