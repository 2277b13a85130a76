#pragma once

#include <string>

#include "content/content_parser.h"

// The quiz as JSON, every text converted from code page 1252 to UTF-8. `codes` may be null
// (no codes resource given); the settings block is printed only when `settings` is not empty
// (a JSON object text).
std::string quizJson(const QuizContent& content, const RewardCodes* codes,
                     const std::string& settings = {});

// A JSON string literal of a code page 1252 text.
std::string jsonText(const char* cp1252Text);
