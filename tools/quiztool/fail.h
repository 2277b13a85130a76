#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

// How quiztool's readers, writers and checks refuse: the message goes to `error` and false comes
// back, so that a check reads `return fail(error, "what is wrong");`.
inline bool fail(std::string& error, std::string message) {
  error = std::move(message);
  return false;
}

// The checks of a quiz go on after a fault, so that its author sees every fault at once: each is
// added here, in the order found. A file of nonsense holds a fault on every line: only the first
// `shownFaults` are kept, and `count` counts them all.
constexpr std::size_t shownFaults = 20;

struct Faults {
  std::vector<std::string> messages;
  std::size_t count = 0;
};

inline bool fail(Faults& faults, std::string message) {
  if (faults.messages.size() < shownFaults) faults.messages.push_back(std::move(message));
  ++faults.count;
  return false;
}

// The kept messages, one a line (no line feed after the last).
inline std::string joined(const Faults& faults) {
  std::string text;
  for (const std::string& message : faults.messages) {
    if (!text.empty()) text += '\n';
    text += message;
  }
  return text;
}
