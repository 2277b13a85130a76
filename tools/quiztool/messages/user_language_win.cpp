// The user's language on Windows: the language of the user interface (menus and dialogs), which
// is what a teacher reads, rather than the formats of dates and numbers.
#include <windows.h>

#include "tools/quiztool/messages/messages.h"

Language userLanguage() {
  return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_FRENCH ? Language::french
                                                                  : Language::english;
}
