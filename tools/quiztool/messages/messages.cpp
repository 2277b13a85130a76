// A message of the table in the chosen language, with its values in place.
#include "tools/quiztool/messages/messages.h"

#include <optional>

namespace {

std::optional<Language> chosen;

} // namespace

void setMessageLanguage(Language language) {
  chosen = language;
}

Language messageLanguage() {
  if (!chosen) chosen = userLanguage();
  return *chosen;
}

Language languageOfLocale(const std::string& locale) {
  const bool french = locale.size() >= 2 && locale.compare(0, 2, "fr") == 0 &&
                      (locale.size() == 2 || locale.find_first_of("_-.@") == 2);
  return french ? Language::french : Language::english;
}

std::string say(Msg message, std::initializer_list<std::string> values) {
  const std::string text = messageText(message, messageLanguage());
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool value = text[i] == '{' && i + 2 < text.size() && text[i + 1] >= '1' &&
                       text[i + 1] <= '9' && text[i + 2] == '}';
    const std::size_t n = value ? static_cast<std::size_t>(text[i + 1] - '1') : 0;
    if (!value || n >= values.size()) {
      out += text[i];
      continue;
    }
    out += values.begin()[n];
    i += 2;
  }
  return out;
}

std::string counted(std::size_t count, Msg one, Msg many) {
  const bool single = count == 1 || (count == 0 && messageLanguage() == Language::french);
  return say(single ? one : many, {std::to_string(count)});
}
