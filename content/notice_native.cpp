#include "content/notice_native.h"

#include <cstdio>

namespace {
std::vector<std::string>& shownNotices() {
  static std::vector<std::string> notices;
  return notices;
}
} // namespace

void showNotice(const char* text, const char* caption) {
  std::string notice = std::string(caption) + ": " + text;
  std::fprintf(stderr, "%s\n", notice.c_str());
  shownNotices().push_back(notice);
}

std::vector<std::string> takeNotices() {
  std::vector<std::string> notices;
  notices.swap(shownNotices());
  return notices;
}
