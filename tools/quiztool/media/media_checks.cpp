// A quiz's picture or clip read and checked, with warnings about what students will see.
#include "tools/quiztool/media/media_checks.h"

#include "content/quiz_state.h"
#include "tools/quiztool/media/clip_checks.h"
#include "tools/quiztool/media/exif_orientation.h"
#include "tools/quiztool/media/media_file.h"
#include "tools/quiztool/media/picture_checks.h"
#include "tools/quiztool/media/picture_fitting.h"
#include "tools/quiztool/messages/messages.h"
#include "tools/quiztool/quizfile/quiz_checks.h"

namespace {

void pictureWarnings(const std::string& where, const PictureFacts& facts,
                     std::vector<std::string>& warnings) {
  if (facts.transparent)
    warnings.push_back(where + say(Msg::warningPrefix) + say(Msg::warnTransparent));
  if (facts.cmyk) warnings.push_back(where + say(Msg::warningPrefix) + say(Msg::warnCmyk));
  if (facts.incomplete)
    warnings.push_back(where + say(Msg::warningPrefix) +
                       say(Msg::warnPictureCutShort, {facts.incomplete}));
}

void clipWarnings(const std::string& where, int kind, const ClipFacts& facts,
                  std::vector<std::string>& warnings) {
  if (kind == kindAudio && facts.video)
    warnings.push_back(where + say(Msg::warningPrefix) +
                       say(Msg::warnVideoInAudioQuiz, {facts.format}));
  if (kind == kindVideo && !facts.video)
    warnings.push_back(where + say(Msg::warningPrefix) +
                       say(Msg::warnSoundInVideoQuiz, {facts.format}));
  // Windows' media player hands such sound to a codec that some systems lack or get wrong:
  // Wine's plays no IMA ADPCM, mu-law nor A-law, and crashed on such a clip when the player
  // still started clips twice.
  if (!facts.codec.empty())
    warnings.push_back(where + say(Msg::warningPrefix) + say(Msg::warnWavNotPcm, {facts.codec}));
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

void fitQuizPicture(const QuizDefinition& quiz, const MediaFile& media,
                    std::vector<std::uint8_t>& bytes, std::vector<std::string>& warnings) {
  int orientation = 1;
  if (quiz.keepPictures) {
    orientation = jpegOrientation(bytes);
  } else {
    FittedPicture fitted = fitPictureForPlayer(bytes);
    if (fitted.fit == PictureFit::fitted) {
      bytes = std::move(fitted.stored);
      return;
    }
    orientation = fitted.orientation;
  }
  if (orientation == 1) return;
  const std::string& name = media.name.empty() ? media.path : media.name;
  warnings.push_back(
      quizPlace(quiz, media.line) + name + ": warning: its EXIF tag says to turn it (orientation " +
      std::to_string(orientation) + "), which the player ignores: students would see it " +
      howIgnoredOrientationShows(orientation) +
      (quiz.keepPictures ? "; pack without --keep-pictures to store it upright"
                         : "; this tool cannot decode it to turn it: turn it upright in a "
                           "picture editor and save it again"));
}
