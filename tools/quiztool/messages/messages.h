#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>

// Every message an author can get from quiztool, in one table with an English and a French text
// (message_table.cpp). The language is the user's: French when the system's is French (on
// Windows the user interface language, elsewhere LC_ALL, LC_MESSAGES or LANG), else English.
//
// To add a message:
//   1. name it in Msg below, in the group it belongs to;
//   2. give its row at the same place in message_table.cpp:
//        {Msg::clipTooQuiet, u8"is too quiet: {1} dB", u8"est trop faible : {1} dB"},
//      u8 literals, so that both texts are UTF-8 whatever the build's character set (the
//      compiler checks that the rows follow the enum's order);
//   3. write say(Msg::clipTooQuiet, {std::to_string(level)}) where the English text was.
// {1} to {9} stand for the values, in the order given; a translation may put them in another
// order. Values are UTF-8. The unit tests check that both texts of a row use the same values.
// Developer commands (encode, decode, judge, png) keep their English texts outside the table.

enum class Msg {
  // Counts, the words around every message, and the command line.
  errorsOne,
  errorsMany,
  warningsOne,
  warningsMany,
  questionsOne,
  questionsMany,
  mediaFilesOne,
  mediaFilesMany,
  warningPrefix,
  faultTotal,
  faultTotalCapped,
  strictRefused,
  readyToPack,
  packWrote,
  usage,
  unknownCommand,
  helpIntro,
  helpDrop,
  exitCodes,
  helpKeys,
  helpCheck,
  helpPack,
  helpShow,
  helpUnpack,
  helpPng,
  helpJudge,
  helpEncode,
  helpDecode,
  dropPacked,
  dropNotPacked,
  pressAKey,
  dropGone,
  dropFolder,
  dropDevice,
  dropTooLarge,
  dropIsKind,
  dropUnreadable,
  dropPackedQuiz,
  dropNotAQuiz,
  kindEmptyFile,
  kindNotText,
  kindTextWithoutKeys,
  // pack's output and player.
  outputIsFolder,
  outputDestroys,
  outputRefused,
  outputIsQuizFile,
  outputIsPlayer,
  outputIsMedia,
  outputNotExe,
  playerUnreadable,
  playerNoSettings,
  // The quiz file as a whole.
  quizFileUnreadable,
  fileNoSuchFile,
  fileNotRegularName,
  fileTooLarge,
  fileUnreadable,
  fileIsFolder,
  fileIsDevice,
  fileIsReadOnly,
  fileWriteRefused,
  fileCannotCreate,
  fileCannotWrite,
  whatFile,
  whatQuizFile,
  whatQuizExecutable,
  fileUtf16,
  fileNotText,
  fileNotUtf8,
  kindJpeg,
  kindPng,
  kindGif,
  kindBmp,
  kindWebp,
  kindHeic,
  kindTiff,
  kindPdf,
  kindWord,
  kindExcel,
  kindPowerPoint,
  kindOpenDocument,
  kindOffice,
  kindZip,
  kindRtf,
  kindProgram,
  kindSound,
  kindWebPage,
  kindBinary,
  // A line of the quiz file.
  expectedKeyValue,
  unknownKey,
  didYouMean,
  keysInGuide,
  keyTwice,
  keyTwiceInQuestion,
  keyNeedsQuestion,
  tooManyQuestions,
  textNotCp1252,
  textTab,
  textControl,
  textBar,
  textTooLong,
  numberRange,
  kindUnknown,
  backgroundBad,
  mediaNameEmpty,
  mediaMissing,
  // The quiz's questions and settings.
  questionNoAnswer,
  secondAnswerButOne,
  answerEmpty,
  secondAnswerEmpty,
  answerBlankEnd,
  revealTextButMode,
  picturesOnlyInPictureQuiz,
  answerPicturesOnlyInPictureQuiz,
  clipsOnlyInClipQuiz,
  textQuizTwoAnswers,
  moreCodesThanQuestions,
  titleEmpty,
  titleHash,
  titleControl,
  successWord,
  failureWord,
  wordEmpty,
  wordQuestionMark,
  wordHint,
  wordsSame,
  textsTooLong,
  // Warnings: what students would never see.
  warnNoQuestions,
  warnRevealTextInTextQuiz,
  warnQuestionTextUnseen,
  warnNoRevealText,
  warnNoPicture,
  warnNoAnswerPicture,
  warnAnswerPictureUnseen,
  warnNoClip,
  warnLabelUnseen,
  warnNoWeb,
  // Pictures and clips.
  megabytes,
  pictureSize,
  mediaTotal,
  mediaNotThere,
  mediaNotRegular,
  mediaTooLarge,
  mediaUnreadable,
  mediaEmpty,
  pictureCutShort,
  clipCutShort,
  jpegNoFrame,
  pngRefused,
  pngTooLarge,
  pngUnsupported,
  pngDamaged,
  pngUndecodable,
  pictureOtherKind,
  pictureIsText,
  pictureUnknown,
  pictureNoSize,
  pictureTooManyPixels,
  mp3TagDamaged,
  mp3TagOnly,
  mp3TagNoAudio,
  clipIsText,
  clipUnknown,
  warnTransparent,
  warnCmyk,
  warnVideoInAudioQuiz,
  warnSoundInVideoQuiz,
  // Executables: show and unpack.
  notQuizOrExecutable,
  notPackedQuiz,
  quizTextsDamaged,
  notWindowsExecutable,
  notOf32Or64Bits,
  executableHeadersDamaged,
  sectionTableDamaged,
  noRoomForSection,
  noAddressSpace,
  executableTooLarge,
  resourcesOutsideSections,
  resourcesOutsideData,
  resourcesDamaged,
  unpackExists,
  unpackNoFolder,
  unpackCannotWrite,
  resourcePicture,
  resourceData,
  resourceIds,
  resourceNoQuestion,
  resourceBeyondQuestions,
  resourceEmpty,
  resourceInTextQuiz,
  resourceAnswerPicture,
  resourcePngAsPicture,
  resourceDataNotPng,
  resourceNoFormat,
  resourceTwice,
  textQuizWithTwoAnswers,
  writtenQuizName,
  writtenSetting,
  writtenCode,
  writtenQuestionText,
  writtenAnswer,
  writtenSecondAnswer,
  writtenRevealText,
  writtenControlCharacter,
  writtenSettingFull,
  writtenUnitRange,
  endOfTable, // not a message: the number of messages
};

enum class Language { english, french };

// The message in the chosen language, {1}… replaced by `values`.
std::string say(Msg message, std::initializer_list<std::string> values = {});
// "3 errors": the count in `one` for a single thing (and for none, in French), else in `many`.
std::string counted(std::size_t count, Msg one, Msg many);

// The language of every message from now on; until it is set, the user's.
void setMessageLanguage(Language language);
Language messageLanguage();

// The user's language as the system says it (user_language_*.cpp).
Language userLanguage();
// French for a locale name such as "fr", "fr_FR.UTF-8" or "fr_BE@euro", else English.
Language languageOfLocale(const std::string& locale);

// The two texts of a row as written in the table, for the tests that compare them.
const char* messageText(Msg message, Language language);
std::size_t messageCount();
