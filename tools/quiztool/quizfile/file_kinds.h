#pragma once

#include <string>

#include "tools/quiztool/messages/messages.h"

// What a file is when it is not text, from its bytes: a teacher who saves a picture, a Word
// document or a PDF under a .quiz name is told what it is ("a JPEG picture") rather than how it
// is encoded. Office documents are told apart by what their archive or container holds.

// False when the bytes start like none of the kinds known here.
bool knownFileKind(const std::string& bytes, Msg& kind);

// Text in UTF-16 without a byte order mark: a NUL byte beside most characters, always on the
// same side (UTF-16 stores the French letters and the ASCII ones with a zero high byte).
bool looksLikeUtf16(const std::string& bytes);
