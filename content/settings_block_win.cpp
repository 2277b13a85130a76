#include "content/settings_block.h"

// Alone in its section so that a quiz-making tool finds it; read only through the extern
// declaration, so no reader sees the defaults as compile-time constants.
__attribute__((section(".quizset"), used)) extern const SettingsBlock settingsBlock =
    defaultSettings;
