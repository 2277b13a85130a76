#include "content/settings_block.h"

#include "content/text_buffer.h"

VerdictWords verdictWordsOf(const SettingsBlock& settings) {
  VerdictWords words;
  copyText(words.success, settings.successWord,
           strnlen(settings.successWord, sizeof settings.successWord));
  copyText(words.failure, settings.failureWord,
           strnlen(settings.failureWord, sizeof settings.failureWord));
  return words;
}

WebAddress webAddressOf(const SettingsBlock& settings) {
  WebAddress address;
  copyText(address.text, settings.webAddress,
           strnlen(settings.webAddress, sizeof settings.webAddress));
  return address;
}
