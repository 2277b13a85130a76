// A quiz written into a copy of the player: its coded texts, its media and the settings block.
#include "tools/quiztool/executable/quiz_packer.h"

#include <cstring>

#include "content/content_encoder.h"
#include "content/quiz_state.h"
#include "tools/quiztool/fail.h"
#include "tools/quiztool/media/media_checks.h"
#include "tools/quiztool/media/media_file.h"

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
    return fail(error, "the player has no settings block (no " + std::string(settingsSectionName) +
                           " section): is it the project's player.exe?");
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
              std::string& error) {
  // The coding cannot express an empty text; with no questions nobody reads the codes anyway.
  if (text.empty()) text = "\r\n";
  std::vector<std::uint8_t> coded;
  if (encodeContent(reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), coded) !=
      encodeOk)
    return fail(error, quiz.fileName + ": the quiz's texts are too long to code (" +
                           std::to_string(text.size()) +
                           " characters; the coded form must stay under 65,536 bytes): shorten "
                           "them or split the quiz in two");
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
  std::uintmax_t total = 0;
};

bool addMedia(MediaPacking& packing, const MediaFile& media, int id, bool picture,
              std::string& error) {
  if (media.path.empty()) return true;
  std::vector<std::uint8_t> bytes;
  if (!loadQuizMedia(packing.quiz, media, picture, bytes, packing.warnings, error)) return false;
  if (picture) fitQuizPicture(packing.quiz, media, bytes, packing.warnings);
  packing.total += bytes.size();
  if (packing.total > maxMediaTotal)
    return fail(error, packing.quiz.fileName + ":" + std::to_string(media.line) +
                           ": with this file the pictures and clips come to " +
                           megabytes(packing.total) + "; at most " + megabytes(maxMediaTotal) +
                           " fit in a quiz: use smaller files");
  ResourceTree& tree = packing.tree;
  const ResourceName type =
      picture && isPng(bytes) ? ResourceName::number(rcdataType) : imageType();
  setResource(tree, type, ResourceName::number(static_cast<std::uint16_t>(id)), std::move(bytes));
  return true;
}

} // namespace

bool readSettingsBlock(const PeImage& image, SettingsBlock& settings, std::string& error) {
  std::size_t offset = 0;
  if (!settingsOffset(image, offset, error)) return false;
  std::memcpy(&settings, &image.bytes[offset], sizeof settings);
  return true;
}

bool addQuizResources(const QuizDefinition& quiz, ResourceTree& tree,
                      std::vector<std::string>& warnings, std::string& error) {
  if (!addCoded(tree, quiz, answersId, answersText(quiz), error) ||
      !addCoded(tree, quiz, codesId, codesText(quiz), error))
    return false;
  MediaPacking packing{quiz, tree, warnings};
  for (std::size_t i = 0; i < quiz.questions.size(); ++i) {
    const QuestionSource& question = quiz.questions[i];
    const int j = static_cast<int>(i + 1);
    if (!addMedia(packing, question.picture, questionResourceBase + j, true, error) ||
        !addMedia(packing, question.answerPicture, answerPictureResourceBase + j, true, error) ||
        !addMedia(packing, question.clip, questionResourceBase + j, false, error))
      return false;
  }
  return true;
}

bool packQuiz(const QuizDefinition& quiz, PeImage& image, std::string& error,
              std::vector<std::string>* warnings) {
  std::size_t settingsAt = 0;
  ResourceTree tree;
  if (!settingsOffset(image, settingsAt, error) || !readResourceTree(image, tree, error))
    return false;
  removeQuizResources(tree);
  std::vector<std::string> found;
  if (!addQuizResources(quiz, tree, found, error)) return false;
  if (warnings) *warnings = std::move(found);
  std::memcpy(&image.bytes[settingsAt], &quiz.settings, sizeof quiz.settings);
  return installResourceSection(image, writeResourceTree(tree, resourceSectionRva(image)), error);
}
