// A quiz's picture or clip read and checked, with warnings about what students will see.
#include "tools/quiztool/media/media_checks.h"

#include "content/quiz_state.h"
#include "tools/quiztool/media/clip_checks.h"
#include "tools/quiztool/media/media_file.h"
#include "tools/quiztool/media/picture_checks.h"
#include "tools/quiztool/messages/messages.h"
#include "tools/quiztool/quizfile/quiz_checks.h"

namespace {

void pictureWarnings(const std::string& where, const PictureFacts& facts,
                     std::vector<std::string>& warnings) {
  if (facts.transparent)
    warnings.push_back(where + say(Msg::warningPrefix) + say(Msg::warnTransparent));
  if (facts.cmyk) warnings.push_back(where + say(Msg::warningPrefix) + say(Msg::warnCmyk));
}

void clipWarnings(const std::string& where, int kind, const ClipFacts& facts,
                  std::vector<std::string>& warnings) {
  if (kind == kindAudio && facts.video)
    warnings.push_back(where + say(Msg::warningPrefix) +
                       say(Msg::warnVideoInAudioQuiz, {facts.format}));
  if (kind == kindVideo && !facts.video)
    warnings.push_back(where + say(Msg::warningPrefix) +
                       say(Msg::warnSoundInVideoQuiz, {facts.format}));
}

} // namespace

bool loadQuizMedia(const QuizDefinition& quiz, const MediaFile& media, bool picture,
                   std::vector<std::uint8_t>& bytes, std::vector<std::string>& warnings,
                   std::string& error) {
  const std::string place = quizPlace(quiz, media.line);
  const std::string& name = media.name.empty() ? media.path : media.name;
  std::string problem;
  if (!readMediaFile(media.path, picture ? maxPictureBytes : maxClipBytes, bytes, problem)) {
    error = place + name + " " + problem;
    return false;
  }
  if (quiz.mediaUnchecked) return true;
  const std::string where = place + name + ": ";
  if (picture) {
    PictureFacts facts;
    problem = checkPicture(bytes, facts);
    if (problem.empty()) pictureWarnings(where, facts, warnings);
  } else {
    ClipFacts facts;
    problem = checkClip(bytes, facts);
    if (problem.empty()) clipWarnings(where, quiz.questionKind, facts, warnings);
  }
  if (problem.empty()) return true;
  error = place + name + " " + problem;
  return false;
}
