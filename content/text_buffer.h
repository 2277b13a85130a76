#pragma once

#include <cstddef>
#include <cstring>

// Every text of the quiz lives in a fixed buffer of 260 bytes: at most 259 characters and the
// terminating NUL.
constexpr int textCapacity = 260;
constexpr int maxTextLength = textCapacity - 1;

// Copies up to `length` bytes of `source` into `target` and terminates it, cutting what does not
// fit. Never writes past the buffer.
template <std::size_t N>
void copyText(char (&target)[N], const char* source, std::size_t length) {
  static_assert(N > 0);
  if (length > N - 1) length = N - 1;
  std::memcpy(target, source, length);
  target[length] = '\0';
}

template <std::size_t N>
void copyText(char (&target)[N], const char* source) {
  copyText(target, source, strnlen(source, N - 1));
}
