#include "content/content_loader.h"

#include <memory>
#include <new>

#include "content/content_decoder.h"
#include "content/content_parser.h"
#include "content/notice.h"

namespace {

constexpr char noticeCaption[] = "Information";

bool decodeAndParseAnswers(ContentResource resource, QuizContent& content) {
  DecodedText text;
  if (decodeContent(resource.bytes, resource.size, text) != decodeOk) return false;
  ContentError error;
  return parseAnswersText(text.bytes.get(), text.length, content, error);
}

bool decodeAndParseCodes(ContentResource resource, QuizState& state) {
  DecodedText text;
  if (decodeContent(resource.bytes, resource.size, text) != decodeOk) return false;
  // Parsed aside first, so that a rejected text leaves the codes empty.
  auto parsed = std::unique_ptr<RewardCodes>(new (std::nothrow) RewardCodes{});
  ContentError error;
  if (!parsed ||
      !parseCodesText(text.bytes.get(), text.length, state.questionCount, *parsed, error))
    return false;
  for (int n = 0; n < maxQuestions; ++n) copyText(state.codes[n], parsed->codes[n]);
  return true;
}

} // namespace

void installFallbackQuiz(QuizState& state) {
  copyText(state.quizName, "Nom du velmo");
  copyText(state.authorName, "Createur velmo");
  copyText(state.explanations, "Explications du velmo");
  copyText(state.firstAnswerLabel, "TEST");
  copyText(state.secondAnswerLabel, "TEST");
  state.questionCount = 7;
  state.answersPerQuestion = 1;
  state.revealMode = 3;
  state.questionKind = kindPicture;
  setBackgroundColour(state, 51, 102, 255);
  addQuestion(state, "test", "test", "emplacement");
  addQuestion(state, "test", "test", "emplacement");
}

void loadContentFrom(QuizState& state, FindContentResource find) {
  const ContentResource answers = find(answersResourceId);
  if (answers.size == 0) {
    showNotice("Reponses non trouvées", "Velmo");
    installFallbackQuiz(state);
    return;
  }
  auto content = std::unique_ptr<QuizContent>(new (std::nothrow) QuizContent{});
  if (!content || !decodeAndParseAnswers(answers, *content)) {
    showNotice("Erreur dans le décryptage des reponses", noticeCaption);
    state.questionCount = 0;
    return;
  }
  applyAnswersContent(state, *content);
  if (!decodeAndParseCodes(find(codesResourceId), state))
    showNotice("Erreur dans le décryptage des codes", noticeCaption);
}
