// A quiz executable read back into a quiz file and the pictures and clips it names.
#include "tools/quiztool/executable/quiz_unpacker.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "content/content_decoder.h"
#include "content/content_parser.h"
#include "tools/quiztool/byte_io.h"
#include "tools/quiztool/executable/pe_image.h"
#include "tools/quiztool/executable/quiz_packer.h"
#include "tools/quiztool/fail.h"
#include "tools/quiztool/messages/messages.h"
#include "tools/quiztool/quizfile/quiz_file_writer.h"

namespace {

bool isPngData(const std::vector<std::uint8_t>& bytes) {
  return startsWith(bytes, 0, "\x89PNG\r\n\x1A\n");
}

std::string resourceLabel(const ResourceEntry& entry) {
  return say(entry.type == imageType() ? Msg::resourcePicture : Msg::resourceData,
             {entry.name.display()});
}

bool readContent(const ResourceTree& tree, QuizContent& content, RewardCodes& codes,
                 std::string& error) {
  DecodedText answers, codesText;
  ContentError parseError;
  if (!decodedQuizText(tree, answersId, answers, error)) return false;
  if (!parseAnswersText(answers.bytes.get(), answers.length, content, parseError))
    return fail(error,
                say(Msg::quizTextsDamaged, {"resource 104: " + describeContentError(parseError)}));
  if (!decodedQuizText(tree, codesId, codesText, error)) return false;
  if (!parseCodesText(codesText.bytes.get(), codesText.length, content.questionCount, codes,
                      parseError))
    return fail(error,
                say(Msg::quizTextsDamaged, {"resource 105: " + describeContentError(parseError)}));
  return true;
}

// The quiz's media entries: every "IMG" resource, and data resources under a quiz's ids.
bool isMediaEntry(const ResourceEntry& entry) {
  return entry.type == imageType() || (entry.type == ResourceName::number(rcdataType) &&
                                       entry.name.name.empty() && isQuizMediaId(entry.name.id));
}

// "401 to 496": the ids of every question's resource above `base`.
std::string idRange(int base) {
  return say(Msg::resourceIds, {std::to_string(base + 1), std::to_string(base + maxQuestions)});
}

struct Slot {
  int question = 0;    // 1 to the question count
  bool answer = false; // the answer picture, not the question's picture or clip
};

// Which question a media entry belongs to, or a message saying why it belongs to none.
bool slotOf(const ResourceEntry& entry, int questionCount, Slot& slot, std::string& error) {
  const int id = entry.name.id;
  if (!entry.name.name.empty() || !isQuizMediaId(id))
    return fail(error,
                say(Msg::resourceNoQuestion, {resourceLabel(entry), idRange(questionResourceBase),
                                              idRange(answerPictureResourceBase)}));
  slot.answer = id > answerPictureResourceBase;
  slot.question = id - (slot.answer ? answerPictureResourceBase : questionResourceBase);
  if (slot.question > questionCount)
    return fail(error, say(Msg::resourceBeyondQuestions,
                           {resourceLabel(entry), std::to_string(slot.question),
                            std::to_string(questionCount)}));
  return true;
}

// The file name of a media entry, or a message when a quiz file cannot name it so that pack
// stores it the same way (PNG pictures go into data resources, every other picture into "IMG").
bool mediaName(const ResourceEntry& entry, int kind, const Slot& slot, std::string& name,
               std::string& error) {
  const std::string what = resourceLabel(entry);
  const bool picture = kind == kindPicture;
  if (entry.data.empty()) return fail(error, say(Msg::resourceEmpty, {what}));
  if (kind == kindText) return fail(error, say(Msg::resourceInTextQuiz, {what}));
  if (!picture && slot.answer) return fail(error, say(Msg::resourceAnswerPicture, {what}));
  const bool png = isPngData(entry.data);
  if (entry.type == imageType() && png) return fail(error, say(Msg::resourcePngAsPicture, {what}));
  if (entry.type != imageType() && !(picture && png))
    return fail(error, say(Msg::resourceDataNotPng, {what}));
  const char* extension = picture ? pictureExtension(entry.data) : clipExtension(entry.data);
  if (!extension)
    return fail(error, say(Msg::resourceNoFormat,
                           {what, picture ? "JPEG, GIF, PNG, BMP" : "WAV, MP3, AVI, WMV, MPG"}));
  char number[8];
  std::snprintf(number, sizeof number, "%02d", slot.question);
  name = std::string(slot.answer ? "answer-"
                     : picture   ? "picture-"
                                 : "clip-") +
         number + "." + extension;
  return true;
}

bool collectMedia(const ResourceTree& tree, const QuizContent& content,
                  std::vector<QuestionMediaNames>& names, std::vector<UnpackedFile>& files,
                  std::string& error) {
  names.assign(static_cast<std::size_t>(content.questionCount), {});
  for (const ResourceEntry& entry : tree.entries) {
    if (!isMediaEntry(entry)) continue;
    Slot slot;
    std::string name;
    if (!slotOf(entry, content.questionCount, slot, error) ||
        !mediaName(entry, content.questionKind, slot, name, error))
      return false;
    QuestionMediaNames& question = names[static_cast<std::size_t>(slot.question - 1)];
    std::string& target = slot.answer                           ? question.answerPicture
                          : content.questionKind == kindPicture ? question.picture
                                                                : question.clip;
    if (!target.empty()) return fail(error, say(Msg::resourceTwice, {resourceLabel(entry)}));
    target = name;
    files.push_back({name, entry.data});
  }
  return true;
}

} // namespace

bool decodedQuizText(const ResourceTree& tree, int id, DecodedText& text, std::string& error) {
  const ResourceEntry* entry =
      findResource(tree, patchType(), ResourceName::number(static_cast<std::uint16_t>(id)));
  if (!entry) return fail(error, say(Msg::notPackedQuiz));
  const int result = decodeContent(entry->data.data(), entry->data.size(), text);
  if (result == decodeOk) return true;
  // Appended piece by piece: mingw's g++ 12 warns falsely (-Wrestrict) about chained additions.
  std::string detail = "resource ";
  detail += std::to_string(id);
  detail += ": ";
  detail += std::to_string(result);
  return fail(error, say(Msg::quizTextsDamaged, {detail}));
}

const char* pictureExtension(const std::vector<std::uint8_t>& bytes) {
  if (startsWith(bytes, 0, "\xFF\xD8\xFF")) return "jpg";
  if (startsWith(bytes, 0, "GIF87a") || startsWith(bytes, 0, "GIF89a")) return "gif";
  if (isPngData(bytes)) return "png";
  if (startsWith(bytes, 0, "BM")) return "bmp";
  return nullptr;
}

const char* clipExtension(const std::vector<std::uint8_t>& bytes) {
  if (startsWith(bytes, 0, "RIFF") && startsWith(bytes, 8, "WAVE")) return "wav";
  if (startsWith(bytes, 0, "RIFF") && startsWith(bytes, 8, "AVI ")) return "avi";
  if (startsWith(bytes, 0, "ID3")) return "mp3";
  if (bytes.size() >= 2 && bytes[0] == 0xFF && (bytes[1] & 0xE0) == 0xE0) return "mp3";
  if (startsWith(bytes, 0, "\x30\x26\xB2\x75\x8E\x66\xCF\x11")) return "wmv"; // an ASF header
  if (bytes.size() >= 4 && bytes[0] == 0 && bytes[1] == 0 && bytes[2] == 1 &&
      (bytes[3] == 0xBA || bytes[3] == 0xB3)) // an MPEG pack or sequence header
    return "mpg";
  return nullptr;
}

bool unpackQuiz(std::vector<std::uint8_t> executable, const std::string& quizName,
                std::vector<UnpackedFile>& files, std::string& error) {
  files.clear();
  PeImage image;
  ResourceTree tree;
  SettingsBlock settings;
  auto content = std::make_unique<QuizContent>();
  auto codes = std::make_unique<RewardCodes>();
  if (!parsePeImage(std::move(executable), image, error) || !readResourceTree(image, tree, error) ||
      !readSettingsBlock(image, settings, error) || !readContent(tree, *content, *codes, error))
    return false;
  if (content->questionKind == kindText && content->answersPerQuestion == 2)
    return fail(error, say(Msg::textQuizWithTwoAnswers));
  std::vector<QuestionMediaNames> names;
  std::vector<UnpackedFile> media;
  std::string text;
  if (!collectMedia(tree, *content, names, media, error) ||
      !writeQuizText(*content, *codes, settings, names, text, error))
    return false;
  files.push_back({quizName + ".quiz", std::vector<std::uint8_t>(text.begin(), text.end())});
  for (UnpackedFile& file : media) files.push_back(std::move(file));
  return true;
}
