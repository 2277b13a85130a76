// The user's language on Linux and other POSIX systems: the first of LC_ALL, LC_MESSAGES and
// LANG that is set, as the C library chooses the language of its own messages.
#include <cstdlib>

#include "tools/quiztool/messages/messages.h"

Language userLanguage() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value && *value) return languageOfLocale(value);
  }
  return Language::english;
}
