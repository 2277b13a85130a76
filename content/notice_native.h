#pragma once

#include <string>
#include <vector>

#include "content/notice.h"

// Notices shown since the last call to takeNotices, each as "caption: text", oldest first.
std::vector<std::string> takeNotices();
