#pragma once

#include <string>
#include <utility>

// How quiztool's readers, writers and checks refuse: the message goes to `error` and false comes
// back, so that a check reads `return fail(error, "what is wrong");`.
inline bool fail(std::string& error, std::string message) {
  error = std::move(message);
  return false;
}
