// A quiz written into a copy of the player: its coded texts, its media and the settings block.
#include "tools/quiztool/executable/quiz_packer.h"

#include <cstring>

#include "content/content_encoder.h"
#include "content/quiz_state.h"
#include "tools/quiztool/fail.h"
#include "tools/quiztool/media/media_checks.h"
#include "tools/quiztool/media/media_file.h"
#include "tools/quiztool/messages/messages.h"
#include "tools/quiztool/quizfile/quiz_checks.h"

const ResourceName& patchType() {
  static const ResourceName type = ResourceName::text("PATCH");
  return type;
}

const ResourceName& imageType() {
  static const ResourceName type = ResourceName::text("IMG");
  return type;
}

bool isQuizMediaId(int id) {
  return (id > questionResourceBase && id <= questionResourceBase + maxQuestions) ||
         (id > answerPictureResourceBase && id <= answerPictureResourceBase + maxQuestions);
}

namespace {

bool settingsOffset(const PeImage& image, std::size_t& offset, std::string& error) {
  const PeSection* section = findSection(image, settingsSectionName);
  if (!section || section->rawSize < sizeof(SettingsBlock))
    return fail(error, say(Msg::playerNoSettings, {settingsSectionName}));
  offset = section->rawOffset;
  return true;
}

bool isPng(const std::vector<std::uint8_t>& bytes) {
  static const std::uint8_t signature[8] = {137, 80, 78, 71, 13, 10, 26, 10};
  return bytes.size() >= 8 && std::memcmp(bytes.data(), signature, 8) == 0;
}

// What an earlier pack left: the content, every "IMG" resource, and PNG pictures.
void removeQuizResources(ResourceTree& tree) {
  std::erase_if(tree.entries, [](const ResourceEntry& entry) {
    const bool quizPicture = entry.name.name.empty() && isQuizMediaId(entry.name.id);
    return entry.type == patchType() || entry.type == imageType() ||
           (entry.type == ResourceName::number(rcdataType) && quizPicture);
  });
}

bool addCoded(ResourceTree& tree, const QuizDefinition& quiz, int id, std::string text,
              Faults& faults) {
  // The coding cannot express an empty text; with no questions nobody reads the codes anyway.
  if (text.empty()) text = "\r\n";
  std::vector<std::uint8_t> coded;
  if (encodeContent(reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), coded) !=
      encodeOk)
    return fail(faults, say(Msg::textsTooLong, {quiz.fileName, std::to_string(text.size())}));
  setResource(tree, patchType(), ResourceName::number(static_cast<std::uint16_t>(id)),
              std::move(coded));
  return true;
}

// What a 32-bit player can map: the whole executable stays well inside its address space.
constexpr std::uintmax_t maxMediaTotal = 600u << 20;

struct MediaPacking {
  const QuizDefinition& quiz;
  ResourceTree& tree;
  std::vector<std::string>& warnings;
  Faults& faults;
  std::uintmax_t total = 0;
};

// Every picture and clip is read and checked, whatever was refused before it, so that the
// author hears of every one at once. A quiz with faults is only checked, not fitted.
void addMedia(MediaPacking& packing, const MediaFile& media, int id, bool picture) {
  if (media.path.empty()) return;
  std::vector<std::uint8_t> bytes;
  std::string error;
  if (!loadQuizMedia(packing.quiz, media, picture, bytes, packing.warnings, error)) {
    fail(packing.faults, error);
    return;
  }
  if (picture && packing.faults.count == 0)
    fitQuizPicture(packing.quiz, media, bytes, packing.warnings);
  const bool withinTotal = packing.total <= maxMediaTotal;
  packing.total += bytes.size();
  if (withinTotal && packing.total > maxMediaTotal)
    fail(packing.faults,
         quizPlace(packing.quiz, media.line) +
             say(Msg::mediaTotal, {megabytes(packing.total), megabytes(maxMediaTotal)}));
  if (packing.faults.count > 0) return;
  ResourceTree& tree = packing.tree;
  const ResourceName type =
      picture && isPng(bytes) ? ResourceName::number(rcdataType) : imageType();
  setResource(tree, type, ResourceName::number(static_cast<std::uint16_t>(id)), std::move(bytes));
}

} // namespace

bool readSettingsBlock(const PeImage& image, SettingsBlock& settings, std::string& error) {
  std::size_t offset = 0;
  if (!settingsOffset(image, offset, error)) return false;
  std::memcpy(&settings, &image.bytes[offset], sizeof settings);
  return true;
}

bool addQuizResources(const QuizDefinition& quiz, ResourceTree& tree,
                      std::vector<std::string>& warnings, Faults& faults) {
  const std::size_t before = faults.count;
  MediaPacking packing{quiz, tree, warnings, faults};
  for (std::size_t i = 0; i < quiz.questions.size(); ++i) {
    const QuestionSource& question = quiz.questions[i];
    const int j = static_cast<int>(i + 1);
    addMedia(packing, question.picture, questionResourceBase + j, true);
    addMedia(packing, question.answerPicture, answerPictureResourceBase + j, true);
    addMedia(packing, question.clip, questionResourceBase + j, false);
  }
  // The texts are coded only when they were all taken: a refused one may be a stand-in.
  if (faults.count > 0) return false;
  return addCoded(tree, quiz, answersId, answersText(quiz), faults) &&
         addCoded(tree, quiz, codesId, codesText(quiz), faults) && faults.count == before;
}

bool packQuiz(const QuizDefinition& quiz, PeImage& image, Faults& faults,
              std::vector<std::string>* warnings) {
  std::size_t settingsAt = 0;
  ResourceTree tree;
  std::string error;
  if (!settingsOffset(image, settingsAt, error) || !readResourceTree(image, tree, error))
    return fail(faults, error);
  removeQuizResources(tree);
  std::vector<std::string> found;
  if (!addQuizResources(quiz, tree, found, faults)) return false;
  if (warnings) *warnings = std::move(found);
  std::memcpy(&image.bytes[settingsAt], &quiz.settings, sizeof quiz.settings);
  if (installResourceSection(image, writeResourceTree(tree, resourceSectionRva(image)), error))
    return true;
  return fail(faults, error);
}
