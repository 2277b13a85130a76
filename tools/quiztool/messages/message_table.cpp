// The table of quiztool's messages: for each, the English and the French text (messages.h says
// how to add one). Keys of the quiz file, options and file names stay as the author writes
// them; French puts a blank before ":", ";", "?" and "!" and quotes with « ».
#include <iterator>

#include "tools/quiztool/messages/messages.h"

namespace {

struct MessageRow {
  Msg message;
  const char8_t* english;
  const char8_t* french;
};

constexpr MessageRow rows[] = {
    // Counts, the words around every message, and the command line.
    {Msg::errorsOne, u8"{1} error", u8"{1} erreur"},
    {Msg::errorsMany, u8"{1} errors", u8"{1} erreurs"},
    {Msg::warningsOne, u8"{1} warning", u8"{1} avertissement"},
    {Msg::warningsMany, u8"{1} warnings", u8"{1} avertissements"},
    {Msg::questionsOne, u8"{1} question", u8"{1} question"},
    {Msg::questionsMany, u8"{1} questions", u8"{1} questions"},
    {Msg::mediaFilesOne, u8"{1} media file", u8"{1} fichier d'image, de son ou de vidéo"},
    {Msg::mediaFilesMany, u8"{1} media files", u8"{1} fichiers d'images, de sons ou de vidéos"},
    {Msg::warningPrefix, u8"warning: ", u8"avertissement : "},
    {Msg::faultTotal, u8"{1}: {2}: the quiz cannot be packed",
     u8"{1}: {2} : le quiz ne peut pas être fabriqué"},
    {Msg::faultTotalCapped,
     u8"{1}: {2}, of which the first {3} are listed: the quiz cannot be packed",
     u8"{1}: {2}, dont les {3} premières sont listées : le quiz ne peut pas être fabriqué"},
    {Msg::strictRefused, u8"{1}: {2}, refused under --strict",
     u8"{1}: {2} : quiz refusé avec --strict"},
    {Msg::readyToPack, u8"{1}: ready to pack: {2}, {3}", u8"{1}: prêt à fabriquer : {2}, {3}"},
    {Msg::packWrote, u8"pack: wrote {1} ({2})", u8"pack : {1} écrit ({2})"},
    {Msg::usage, u8"usage: quiztool {1}", u8"utilisation : quiztool {1}"},
    {Msg::unknownCommand, u8"quiztool: unknown command '{1}'",
     u8"quiztool : commande inconnue « {1} »"},
    {Msg::helpIntro, u8"usage: quiztool COMMAND ARGS...   (quiztool COMMAND --help: one command)\n",
     u8"utilisation : quiztool COMMANDE ARGUMENTS...   (quiztool COMMANDE --help : une seule "
     u8"commande)\n"},
    {Msg::helpDrop,
     u8"  quiztool QUIZFILE.quiz   (or drop the quiz file on quiztool.exe): packs it into\n"
     u8"      QUIZFILE.exe beside it, says what it made or what is wrong, and waits for a key\n",
     u8"  quiztool QUIZFILE.quiz   (ou déposez le fichier quiz sur quiztool.exe) : le fabrique\n"
     u8"      en QUIZFILE.exe à côté de lui, dit ce qu'il a fait ou ce qui ne va pas, et attend\n"
     u8"      une touche\n"},
    {Msg::exitCodes,
     u8"Exit codes: 0 done, 1 input refused (the message says why), 2 wrong command line.\n",
     u8"Codes de sortie : 0 fait, 1 refusé (le message dit pourquoi), 2 ligne de commande "
     u8"incorrecte.\n"},
    {Msg::helpKeys, u8"The keys of a quiz file (the guide LISEZ-MOI.txt says what each takes):\n",
     u8"Les clés d'un fichier quiz (le guide LISEZ-MOI.txt dit ce que prend chacune) :\n"},
    {Msg::helpCheck,
     u8"Runs every check that pack runs and writes nothing. Errors and warnings name the quiz\n"
     u8"file's line; every error is listed, then their count.\n"
     u8"  --player PLAYER.exe  check with that player's settings\n"
     u8"  --strict             warnings (what students would never see) count as errors\n",
     u8"Fait toutes les vérifications de pack sans rien écrire. Erreurs et avertissements donnent\n"
     u8"la ligne du fichier quiz ; chaque erreur est listée, puis leur nombre.\n"
     u8"  --player PLAYER.exe  vérifie avec les réglages de ce lecteur\n"
     u8"  --strict             les avertissements (ce que les élèves ne verraient jamais)\n"
     u8"                       comptent comme des erreurs\n"},
    {Msg::helpPack,
     u8"Checks the quiz, then writes it into a copy of the player (by default the player.exe\n"
     u8"beside quiztool). Without OUT.exe it writes the quiz file's name with .exe beside the\n"
     u8"quiz file. It refuses to write over the quiz file, the player or any picture or clip the\n"
     u8"quiz names, and writes nothing when something is wrong.\n"
     u8"  --player PLAYER.exe  copy that player instead\n"
     u8"  --strict             warnings (what students would never see) count as errors\n"
     u8"  --keep-pictures      store every picture as it is, not fitted into 260 x 260 (the\n"
     u8"                       program is larger)\n"
     u8"  --unchecked-media    pack pictures and clips without looking at their content: only\n"
     u8"                       to test how the player copes with files it cannot show or play,\n"
     u8"                       never for students\n",
     u8"Vérifie le quiz, puis l'écrit dans une copie du lecteur (par défaut le player.exe posé\n"
     u8"à côté de quiztool). Sans OUT.exe, il écrit le nom du fichier quiz avec .exe, à côté du\n"
     u8"fichier quiz. Il refuse d'écrire sur le fichier quiz, le lecteur ou une image, un son ou\n"
     u8"une vidéo que le quiz nomme, et n'écrit rien quand quelque chose ne va pas.\n"
     u8"  --player PLAYER.exe  copie ce lecteur-là\n"
     u8"  --strict             les avertissements (ce que les élèves ne verraient jamais)\n"
     u8"                       comptent comme des erreurs\n"
     u8"  --keep-pictures      garde chaque image telle quelle, sans l'ajuster à 260 x 260 (le\n"
     u8"                       programme est plus gros)\n"
     u8"  --unchecked-media    range images, sons et vidéos sans regarder leur contenu :\n"
     u8"                       seulement pour tester le lecteur sur des fichiers qu'il ne sait\n"
     u8"                       pas lire, jamais pour des élèves\n"},
    {Msg::helpShow,
     u8"Prints what a quiz executable holds, as JSON (UTF-8); for a .quiz file, what pack\n"
     u8"would write. TEXT104 and TEXT105 are decoded content texts.\n",
     u8"Affiche ce que contient un quiz fabriqué, en JSON (UTF-8) ; pour un fichier .quiz, ce\n"
     u8"que pack écrirait. TEXT104 et TEXT105 sont des textes de contenu décodés.\n"},
    {Msg::helpUnpack,
     u8"Writes the quiz of an executable back as DIR/QUIZ.quiz and its pictures and clips,\n"
     u8"ready to edit and pack again. It never replaces a file that is already there.\n",
     u8"Réécrit le quiz d'un programme en DIR/QUIZ.quiz, avec ses images, sons et vidéos, prêt\n"
     u8"à être modifié et fabriqué de nouveau. Il ne remplace jamais un fichier qui existe.\n"},
    {Msg::helpPng,
     u8"Decodes a PNG picture as the player does and writes the bitmap as a BMP file. A picture\n"
     u8"the decoder refuses gives \"png failed: 0x....\" with its error code; pictures of more\n"
     u8"than 40 million pixels are refused with 0x1001.\n",
     u8"Décode une image PNG comme le lecteur et écrit l'image en fichier BMP. Une image que le\n"
     u8"décodeur refuse donne « png failed: 0x.... » avec son code d'erreur ; les images de plus\n"
     u8"de 40 millions de pixels sont refusées avec 0x1001.\n"},
    {Msg::helpJudge, u8"Prints the verdict the player gives for a typed answer.\n",
     u8"Affiche le verdict que le lecteur donne pour une réponse tapée.\n"},
    {Msg::helpEncode, u8"Codes a text as a content resource.\n",
     u8"Code un texte en ressource de contenu.\n"},
    {Msg::helpDecode, u8"Decodes a content resource.\n", u8"Décode une ressource de contenu.\n"},
    {Msg::dropPacked, u8"{1} packed into {2}", u8"{1} : le programme {2} est fabriqué"},
    {Msg::dropNotPacked, u8"{1} was not packed.", u8"{1} n'a pas été fabriqué."},
    {Msg::pressAKey, u8"Press a key to close this window.",
     u8"Appuyez sur une touche pour fermer cette fenêtre."},
    {Msg::dropGone, u8"{1} is not there any more: drop it again.",
     u8"{1} n'est plus là : déposez-le de nouveau."},
    {Msg::dropFolder, u8"{1} is a folder{2}", u8"{1} est un dossier{2}"},
    {Msg::dropDevice, u8"{1} is a device or a pipe{2}", u8"{1} est un périphérique ou un tube{2}"},
    {Msg::dropTooLarge, u8"{1} is {2}{3}", u8"{1} fait {2}{3}"},
    {Msg::dropIsKind, u8"{1} is {2}{3}", u8"{1} est {2}{3}"},
    {Msg::dropUnreadable,
     u8"{1} cannot be read: is it open in another program? Close it and drop it again.",
     u8"{1} ne peut pas être lu : est-il ouvert dans un autre programme ? Fermez-le et "
     u8"déposez-le de nouveau."},
    {Msg::dropPackedQuiz,
     u8"{1} is a packed quiz, the program students start: drop the quiz file it was made from "
     u8"(quiztool unpack gives it back).",
     u8"{1} est un quiz fabriqué, le programme que lancent les élèves : déposez le fichier quiz "
     u8"dont il est fait (quiztool unpack le redonne)."},
    {Msg::dropNotAQuiz,
     u8", not a quiz file: drop the quiz file instead, the text you wrote in Notepad, with lines "
     u8"such as \"question: ...\" (LISEZ-MOI.txt shows how to write one).",
     u8", pas un fichier quiz : déposez plutôt le fichier quiz, le texte écrit dans le Bloc-notes, "
     u8"avec des lignes comme « question: ... » (LISEZ-MOI.txt montre comment l'écrire)."},
    {Msg::kindEmptyFile, u8"an empty file", u8"un fichier vide"},
    {Msg::kindNotText, u8"not a text file", u8"un fichier qui n'est pas du texte"},
    {Msg::kindTextWithoutKeys, u8"a text file with no quiz key in it (such as \"question:\")",
     u8"un fichier texte sans clé de quiz (comme « question: »)"},

    // pack's output and player.
    {Msg::outputIsFolder, u8"pack: {1} is a folder: name the executable to write",
     u8"pack : {1} est un dossier : donnez le nom du programme à écrire"},
    {Msg::outputDestroys,
     u8"pack: {1} is {2}: writing it would destroy it; name another output, such as {3}",
     u8"pack : {1} est {2} : l'écrire le détruirait ; donnez une autre sortie, par exemple {3}"},
    {Msg::outputRefused,
     u8"pack: {1} {2}: pack does not replace it; name another output, such as {3}",
     u8"pack : {1} {2} : pack ne le remplace pas ; donnez une autre sortie, par exemple {3}"},
    {Msg::outputIsQuizFile, u8"the quiz file itself", u8"le fichier quiz lui-même"},
    {Msg::outputIsPlayer, u8"the player it copies", u8"le lecteur qu'il copie"},
    {Msg::outputIsMedia, u8"a file the quiz names (line {1})",
     u8"un fichier que le quiz nomme (ligne {1})"},
    {Msg::outputNotExe, u8"the output's name does not end in .exe: Windows will not start it",
     u8"le nom du programme ne finit pas par .exe : Windows ne le lancera pas"},
    {Msg::playerUnreadable,
     u8"pack: cannot read the player {1}: keep player.exe beside quiztool, or name one with "
     u8"--player",
     u8"pack : impossible de lire le lecteur {1} : laissez player.exe à côté de quiztool, ou "
     u8"nommez-en un avec --player"},
    {Msg::playerNoSettings,
     u8"this is not the quiz player (it has no {1} section for the settings): name the "
     u8"player.exe that comes with quiztool",
     u8"ce n'est pas le lecteur de quiz (il n'a pas de section {1} pour les réglages) : nommez "
     u8"le player.exe fourni avec quiztool"},

    // The quiz file as a whole.
    {Msg::quizFileUnreadable, u8"{1}: cannot read the quiz file",
     u8"{1}: impossible de lire le fichier quiz"},
    {Msg::fileNoSuchFile, u8"{1}: cannot open: there is no such file",
     u8"{1} : impossible de l'ouvrir : ce fichier n'existe pas"},
    {Msg::fileNotRegularName, u8"{1}: {2}: name {3}", u8"{1} : {2} : nommez {3}"},
    {Msg::fileTooLarge, u8"{1}: is {2}; {3} is at most {4}: is it the right file?",
     u8"{1} : fait {2} ; {3} fait au plus {4} : est-ce le bon fichier ?"},
    {Msg::fileUnreadable,
     u8"{1}: cannot read it (is it yours to read, or open in another program?)",
     u8"{1} : impossible de le lire (avez-vous le droit de le lire, ou est-il ouvert dans un "
     u8"autre programme ?)"},
    {Msg::fileIsFolder, u8"is a folder", u8"est un dossier"},
    {Msg::fileIsDevice, u8"is not a regular file (a device or a pipe)",
     u8"n'est pas un fichier ordinaire (c'est un périphérique ou un tube)"},
    {Msg::fileIsReadOnly, u8"is read-only", u8"est en lecture seule"},
    {Msg::fileWriteRefused, u8"{1} {2}: nothing was written", u8"{1} {2} : rien n'a été écrit"},
    {Msg::fileCannotCreate, u8"{1}: cannot create: {2}", u8"{1} : impossible de le créer : {2}"},
    {Msg::fileCannotWrite, u8"{1}: cannot write: {2}", u8"{1} : impossible de l'écrire : {2}"},
    {Msg::whatFile, u8"a file", u8"un fichier"},
    {Msg::whatQuizFile, u8"a quiz file", u8"un fichier quiz"},
    {Msg::whatQuizExecutable, u8"a quiz executable", u8"un quiz fabriqué"},
    {Msg::fileUtf16,
     u8"the file is UTF-16 text: save it as UTF-8 (in Notepad: Save as, Encoding "
     u8"UTF-8)",
     u8"le fichier est en texte UTF-16 : enregistrez-le en UTF-8 (dans le Bloc-notes : "
     u8"Enregistrer sous, Encodage UTF-8)"},
    {Msg::fileNotText,
     u8"the file is {1}, not a text file. A quiz file is text: write it in Notepad and save it "
     u8"with the encoding UTF-8 under a name ending in .quiz (LISEZ-MOI.txt, part 3, shows how)",
     u8"le fichier est {1}, pas un fichier texte. Un fichier quiz est du texte : écrivez-le dans "
     u8"le Bloc-notes et enregistrez-le avec l'encodage UTF-8 sous un nom qui finit par .quiz "
     u8"(la partie 3 de LISEZ-MOI.txt montre comment)"},
    {Msg::fileNotUtf8,
     u8"the file is not UTF-8: character {1} of this line (\"{2}\") is written the ANSI (Windows "
     u8"or Latin-1) way: save the file as UTF-8 (in Notepad: Save as, Encoding UTF-8)",
     u8"le fichier n'est pas en UTF-8 : le caractère {1} de cette ligne (« {2} ») est écrit à la "
     u8"manière ANSI (Windows ou Latin-1) : enregistrez le fichier en UTF-8 (dans le Bloc-notes : "
     u8"Enregistrer sous, Encodage UTF-8)"},
    {Msg::kindJpeg, u8"a JPEG picture", u8"une image JPEG"},
    {Msg::kindPng, u8"a PNG picture", u8"une image PNG"},
    {Msg::kindGif, u8"a GIF picture", u8"une image GIF"},
    {Msg::kindBmp, u8"a BMP picture", u8"une image BMP"},
    {Msg::kindWebp, u8"a WebP picture", u8"une image WebP"},
    {Msg::kindHeic, u8"a HEIC, AVIF or MP4 file", u8"un fichier HEIC, AVIF ou MP4"},
    {Msg::kindTiff, u8"a TIFF picture", u8"une image TIFF"},
    {Msg::kindPdf, u8"a PDF document", u8"un document PDF"},
    {Msg::kindWord, u8"a Word document", u8"un document Word"},
    {Msg::kindExcel, u8"an Excel workbook", u8"un classeur Excel"},
    {Msg::kindPowerPoint, u8"a PowerPoint presentation", u8"une présentation PowerPoint"},
    {Msg::kindOpenDocument, u8"a LibreOffice or OpenOffice document",
     u8"un document LibreOffice ou OpenOffice"},
    {Msg::kindOffice, u8"a Word, Excel or PowerPoint document",
     u8"un document Word, Excel ou PowerPoint"},
    {Msg::kindZip, u8"a ZIP archive", u8"une archive ZIP"},
    {Msg::kindRtf, u8"a WordPad or Word document (RTF)", u8"un document WordPad ou Word (RTF)"},
    {Msg::kindProgram, u8"a Windows program", u8"un programme Windows"},
    {Msg::kindSound, u8"a sound or video", u8"un son ou une vidéo"},
    {Msg::kindWebPage, u8"a text (SVG or web page) file", u8"un fichier texte (SVG ou page web)"},
    {Msg::kindBinary, u8"a binary file", u8"un fichier binaire"},

    // A line of the quiz file.
    {Msg::expectedKeyValue, u8"expected \"key: value\"",
     u8"une ligne « clé: valeur » est attendue"},
    {Msg::unknownKey, u8"unknown key \"{1}\"{2}", u8"clé inconnue « {1} »{2}"},
    {Msg::didYouMean, u8": did you mean \"{1}\"?", u8" : vouliez-vous dire « {1} » ?"},
    {Msg::keysInGuide, u8" (the guide LISEZ-MOI.txt lists the keys)",
     u8" (le guide LISEZ-MOI.txt donne la liste des clés)"},
    {Msg::keyTwice, u8"\"{1}\" is given twice", u8"« {1} » est donné deux fois"},
    {Msg::keyTwiceInQuestion, u8"\"{1}\" is given twice in this question",
     u8"« {1} » est donné deux fois dans cette question"},
    {Msg::keyNeedsQuestion, u8"\"{1}\" belongs to a question: put it after a \"question:\" line",
     u8"« {1} » appartient à une question : mettez-le après une ligne « question: »"},
    {Msg::tooManyQuestions, u8"more than {1} questions", u8"plus de {1} questions"},
    {Msg::textNotCp1252,
     u8"{1}: the character \"{2}\" (character {3} of the value) is not in code page 1252, so the "
     u8"player cannot show it: replace it",
     u8"{1} : le caractère « {2} » (caractère {3} de la valeur) n'est pas dans la page de code "
     u8"1252, le lecteur ne peut donc pas l'afficher : remplacez-le"},
    {Msg::textTab, u8"{1}: a tab inside the value: replace it with a blank",
     u8"{1} : une tabulation dans la valeur : remplacez-la par une espace"},
    {Msg::textControl, u8"{1}: a control character inside the value: replace it with a blank",
     u8"{1} : un caractère de contrôle dans la valeur : remplacez-le par une espace"},
    {Msg::textBar, u8"{1}: a text cannot contain \"|\"",
     u8"{1} : un texte ne peut pas contenir « | »"},
    {Msg::textTooLong, u8"{1} is {2} characters long; at most {3}",
     u8"{1} fait {2} caractères ; au plus {3}"},
    {Msg::numberRange, u8"{1} must be a number from {2} to {3}",
     u8"{1} doit être un nombre de {2} à {3}"},
    {Msg::kindUnknown,
     u8"kind must be text, picture, audio or video (or, in French, texte, image, son or vidéo)",
     u8"kind doit être text, picture, audio ou video (ou, en français, texte, image, son ou "
     u8"vidéo)"},
    {Msg::backgroundBad, u8"background must be three numbers from 0 to 255: red green blue",
     u8"background doit être trois nombres de 0 à 255 : rouge vert bleu"},
    {Msg::mediaNameEmpty, u8"a media file name is empty", u8"le nom de fichier est vide"},
    {Msg::mediaMissing,
     u8"cannot read media file {1}: there is no such file (names are relative to the quiz file)",
     u8"impossible de lire le fichier {1} : il n'existe pas (les noms se lisent à partir du "
     u8"dossier du fichier quiz)"},

    // The quiz's questions and settings.
    {Msg::questionNoAnswer, u8"question {1} has no \"answer:\"",
     u8"la question {1} n'a pas de « answer: »"},
    {Msg::secondAnswerButOne,
     u8"question {1} has a second answer, but the quiz has one answer per question",
     u8"la question {1} a une deuxième réponse, mais le quiz a une seule réponse par question"},
    {Msg::answerEmpty, u8"question {1}: the answer is empty",
     u8"question {1} : la réponse est vide"},
    {Msg::secondAnswerEmpty, u8"question {1}: the second answer is empty",
     u8"question {1} : la deuxième réponse est vide"},
    {Msg::answerBlankEnd,
     u8"question {1}: an answer that begins or ends with a blank can never be found",
     u8"question {1} : une réponse qui commence ou finit par une espace ne peut jamais être "
     u8"trouvée"},
    {Msg::revealTextButMode, u8"question {1} has a reveal text, but reveal mode {2} shows none",
     u8"la question {1} a un texte de révélation, mais le mode reveal {2} n'en montre aucun"},
    {Msg::picturesOnlyInPictureQuiz, u8"question {1}: only picture quizzes show pictures",
     u8"question {1} : seuls les quiz d'images montrent des images"},
    {Msg::answerPicturesOnlyInPictureQuiz,
     u8"question {1}: only picture quizzes show answer pictures",
     u8"question {1} : seuls les quiz d'images montrent des images réponses"},
    {Msg::clipsOnlyInClipQuiz, u8"question {1}: only audio and video quizzes play clips",
     u8"question {1} : seuls les quiz de sons et de vidéos jouent des sons ou des vidéos"},
    {Msg::textQuizTwoAnswers, u8"a text quiz has one answer per question",
     u8"un quiz de texte a une seule réponse par question"},
    {Msg::moreCodesThanQuestions, u8"more codes ({1}) than questions ({2})",
     u8"plus de codes ({1}) que de questions ({2})"},
    {Msg::titleEmpty,
     u8"the title is empty, and the player cannot start without one: write a short word, for "
     u8"example title: Animaux",
     u8"le titre (title) est vide, et le lecteur ne peut pas démarrer sans titre : écrivez un mot "
     u8"court, par exemple title: Animaux"},
    {Msg::titleHash,
     u8"a title cannot start with \"#\" (Windows reads it as a number and the player cannot "
     u8"start): start it with a letter",
     u8"un titre (title) ne peut pas commencer par « # » (Windows le lit comme un nombre et le "
     u8"lecteur ne peut pas démarrer) : commencez-le par une lettre"},
    {Msg::titleControl,
     u8"the title \"{1}\" is the name of a Windows control, which the quiz would then break: "
     u8"choose another word",
     u8"le titre « {1} » est le nom d'un élément de Windows, que le quiz casserait alors : "
     u8"choisissez un autre mot"},
    {Msg::successWord,
     u8"the success word {1}, so answers would be counted wrongly: choose a word such as "
     u8"success: BRAVO",
     u8"le mot de réussite (success) {1}, donc les réponses seraient mal comptées : choisissez un "
     u8"mot comme success: BRAVO"},
    {Msg::failureWord,
     u8"the failure word {1}, so students could not tell a wrong answer: choose a word such as "
     u8"failure: FAUX",
     u8"le mot d'échec (failure) {1}, donc les élèves ne reconnaîtraient pas une mauvaise "
     u8"réponse : choisissez un mot comme failure: FAUX"},
    {Msg::wordEmpty, u8"is empty: students would see blank labels",
     u8"est vide : les élèves verraient des étiquettes vides"},
    {Msg::wordQuestionMark, u8"is \"?\", what an untouched answer shows",
     u8"est « ? », ce que montre une case encore vide"},
    {Msg::wordHint, u8"is the hint \"{1}\"", u8"est l'indice « {1} »"},
    {Msg::wordsSame,
     u8"the success and failure words are the same (\"{1}\"), so every wrong answer would count "
     u8"as found: choose two different words",
     u8"les mots de réussite et d'échec sont les mêmes (« {1} »), donc chaque mauvaise réponse "
     u8"compterait comme trouvée : choisissez deux mots différents"},
    {Msg::textsTooLong,
     u8"{1}: the quiz's texts are too long altogether ({2} characters; the player holds at most "
     u8"64 KB of them): shorten them or split the quiz in two",
     u8"{1}: les textes du quiz sont trop longs au total ({2} caractères ; le lecteur en contient "
     u8"au plus 64 Ko) : raccourcissez-les ou coupez le quiz en deux"},

    // Warnings: what students would never see.
    {Msg::warnNoQuestions, u8"the quiz has no questions: students see an empty board",
     u8"le quiz n'a aucune question : les élèves voient un plateau vide"},
    {Msg::warnRevealTextInTextQuiz,
     u8"question {1}: text quizzes show no reveal text; it is never seen",
     u8"question {1} : les quiz de texte ne montrent pas de texte de révélation ; il n'est jamais "
     u8"vu"},
    {Msg::warnQuestionTextUnseen,
     u8"question {1}: the question text is shown only by text quizzes; it is never seen",
     u8"question {1} : seuls les quiz de texte montrent le texte de la question ; il n'est jamais "
     u8"vu"},
    {Msg::warnNoRevealText, u8"question {1} has no reveal text: nothing appears when it is solved",
     u8"la question {1} n'a pas de texte de révélation : rien n'apparaît quand elle est trouvée"},
    {Msg::warnNoPicture, u8"question {1} has no picture: its frame stays empty",
     u8"la question {1} n'a pas d'image : son cadre reste vide"},
    {Msg::warnNoAnswerPicture,
     u8"question {1} has no answer picture: in reveal mode {2} its frame stays empty for ever (the "
     u8"question picture is never shown in this mode)",
     u8"la question {1} n'a pas d'image réponse : en mode reveal {2}, son cadre reste vide pour "
     u8"toujours (l'image de la question n'est jamais montrée dans ce mode)"},
    {Msg::warnAnswerPictureUnseen,
     u8"question {1}: answer pictures are shown only in reveal modes 1 and 3; this one is never "
     u8"seen",
     u8"question {1} : les images réponses ne sont montrées qu'en modes reveal 1 et 3 ; celle-ci "
     u8"n'est jamais vue"},
    {Msg::warnNoClip, u8"question {1} has no clip: its play button plays nothing",
     u8"la question {1} n'a ni son ni vidéo (clip) : son bouton de lecture ne joue rien"},
    {Msg::warnLabelUnseen, u8"{1} is shown only with two answers per question (answers: 2)",
     u8"{1} n'est montré qu'avec deux réponses par question (answers: 2)"},
    {Msg::warnNoWeb,
     u8"no \"web:\" line: the header's link opens {1}; give your own address with web:",
     u8"pas de ligne « web: » : le lien de l'en-tête ouvre {1} ; donnez votre propre adresse avec "
     u8"web:"},
    {Msg::warnWebEmpty,
     u8"web: is empty: the header's link shows nothing and opens nothing; give your address, for "
     u8"example web: http://mon-ecole.example",
     u8"web: est vide : le lien de l'en-tête n'affiche et n'ouvre rien ; donnez votre adresse, par "
     u8"exemple web: http://mon-ecole.example"},
    {Msg::warnWebNotAddress,
     u8"web: \"{1}\" is not a web address: the header's link would hand it to Windows to open as a "
     u8"file or a program; write an address that starts with http://, https:// or mailto:",
     u8"web: « {1} » n'est pas une adresse web : le lien de l'en-tête le donnerait à Windows pour "
     u8"l'ouvrir comme un fichier ou un programme ; écrivez une adresse qui commence par http://, "
     u8"https:// ou mailto:"},

    // Pictures and clips.
    {Msg::megabytes, u8"{1} MB", u8"{1} Mo"},
    {Msg::pictureSize, u8"{1} × {2}", u8"{1} × {2}"},
    {Msg::mediaTotal,
     u8"with this file the pictures and clips come to {1}; at most {2} fit in a quiz: use smaller "
     u8"files",
     u8"avec ce fichier, les images, sons et vidéos font {1} ; au plus {2} tiennent dans un quiz : "
     u8"prenez des fichiers plus petits"},
    {Msg::mediaNotThere, u8"does not exist (names are relative to the quiz file)",
     u8"n'existe pas (les noms se lisent à partir du dossier du fichier quiz)"},
    {Msg::mediaNotRegular,
     u8"is not a regular file (a folder, a device or a pipe): name a picture or clip file",
     u8"n'est pas un fichier ordinaire (c'est un dossier, un périphérique ou un tube) : nommez un "
     u8"fichier d'image, de son ou de vidéo"},
    {Msg::mediaTooLarge, u8"is {1}; at most {2} fit in a quiz: make it smaller or shorter",
     u8"fait {1} ; au plus {2} tiennent dans un quiz : réduisez-le ou raccourcissez-le"},
    {Msg::mediaUnreadable, u8"cannot be read (is it readable?)",
     u8"ne peut pas être lu (est-il lisible ?)"},
    {Msg::mediaEmpty, u8"is empty", u8"est vide"},
    {Msg::pictureCutShort, u8"is cut short: its header is incomplete; save or copy it again",
     u8"est tronqué : son en-tête est incomplet ; enregistrez-le ou copiez-le de nouveau"},
    {Msg::clipCutShort, u8"is cut short: its header is incomplete; export or copy it again",
     u8"est tronqué : son en-tête est incomplet ; exportez-le ou copiez-le de nouveau"},
    {Msg::jpegNoFrame,
     u8"has no frame header (no picture size): save it again from a picture editor",
     u8"n'a pas d'en-tête d'image (pas de taille) : enregistrez-le de nouveau depuis un logiciel "
     u8"d'images"},
    {Msg::pngRefused,
     u8"is a PNG picture that the player's decoder refuses ({1}: {2}), so students would see an "
     u8"error box: open it in a picture editor and save it again as PNG",
     u8"est une image PNG que le lecteur refuse ({1} : {2}), les élèves verraient donc un message "
     u8"d'erreur : ouvrez-la dans un logiciel d'images et enregistrez-la de nouveau en PNG"},
    {Msg::pngTooLarge, u8"too large to decode", u8"trop grande pour être décodée"},
    {Msg::pngUnsupported, u8"a chunk or a colour format it does not support",
     u8"un bloc ou un format de couleurs qu'il ne connaît pas"},
    {Msg::pngDamaged, u8"damaged data", u8"données abîmées"},
    {Msg::pngUndecodable, u8"cannot decode", u8"illisible"},
    {Msg::pictureOtherKind, u8"is {1}, which the player cannot show: save it as JPEG, PNG or GIF",
     u8"est {1}, que le lecteur ne sait pas afficher : enregistrez ce fichier en JPEG, PNG ou "
     u8"GIF"},
    {Msg::pictureIsText, u8"is a text file, not a picture: name a JPEG, PNG or GIF picture",
     u8"est un fichier texte, pas une image : nommez une image JPEG, PNG ou GIF"},
    {Msg::pictureUnknown,
     u8"is not a JPEG, PNG, GIF or BMP picture (the only kinds the player shows): save it as "
     u8"JPEG, PNG or GIF",
     u8"n'est pas une image JPEG, PNG, GIF ou BMP (les seules que le lecteur affiche) : "
     u8"enregistrez ce fichier en JPEG, PNG ou GIF"},
    {Msg::pictureNoSize, u8"has no size ({1} pixels): save it again from a picture editor",
     u8"n'a pas de taille ({1} pixels) : enregistrez-le de nouveau depuis un logiciel d'images"},
    {Msg::pictureTooManyPixels,
     u8"is {1} pixels, more than the player can hold (at most 40 million pixels): make it "
     u8"smaller, for example 1000 pixels wide",
     u8"fait {1} pixels, plus que le lecteur ne peut en contenir (au plus 40 millions de "
     u8"pixels) : réduisez l'image, par exemple à 1000 pixels de large"},
    {Msg::mp3TagDamaged,
     u8"starts like an MP3 tag (ID3) but the tag is damaged: export it again as MP3",
     u8"commence comme une étiquette MP3 (ID3), mais l'étiquette est abîmée : exportez-le de "
     u8"nouveau en MP3"},
    {Msg::mp3TagOnly, u8"holds an MP3 tag (ID3) but no sound after it: export it again",
     u8"contient une étiquette MP3 (ID3), mais aucun son après elle : exportez-le de nouveau"},
    {Msg::mp3TagNoAudio,
     u8"holds an MP3 tag (ID3) but no MPEG audio after it: export it again as MP3",
     u8"contient une étiquette MP3 (ID3), mais pas de son MPEG après elle : exportez-le de "
     u8"nouveau en MP3"},
    {Msg::clipIsText,
     u8"is a text file, not a sound or video: name a WAV, MP3, AVI, WMV or MPG clip",
     u8"est un fichier texte, pas un son ni une vidéo : nommez un fichier WAV, MP3, AVI, WMV ou "
     u8"MPG"},
    {Msg::clipUnknown,
     u8"is not a WAV, MP3, AVI, WMV or MPG clip (the player's media player could crash on it): "
     u8"convert it to MP3 (sound) or WMV (video)",
     u8"n'est pas un fichier WAV, MP3, AVI, WMV ou MPG (le lecteur multimédia pourrait planter "
     u8"dessus) : convertissez-le en MP3 (son) ou WMV (vidéo)"},
    {Msg::warnTransparent, u8"it has transparent areas, which the player shows black",
     u8"elle a des parties transparentes, que le lecteur montre en noir"},
    {Msg::warnCmyk, u8"it is a CMYK JPEG, which Windows may not show: save it as an RGB JPEG",
     u8"c'est un JPEG en couleurs CMJN, que Windows peut ne pas afficher : enregistrez-le en JPEG "
     u8"RVB"},
    {Msg::warnVideoInAudioQuiz,
     u8"it is a video ({1}), but an audio quiz shows no picture: only its sound is heard",
     u8"c'est une vidéo ({1}), mais un quiz de sons ne montre pas d'image : on n'en entend que le "
     u8"son"},
    {Msg::warnSoundInVideoQuiz, u8"it is a sound ({1}): its video frame stays black while it plays",
     u8"c'est un son ({1}) : son cadre vidéo reste noir pendant qu'il joue"},
    {Msg::warnPictureCutShort,
     u8"it is cut short ({1}): students may see only part of it, or nothing; save or copy it again",
     u8"elle est tronquée ({1}) : les élèves n'en verront qu'une partie, ou rien ; enregistrez-la "
     u8"ou copiez-la à nouveau"},
    {Msg::warnWavNotPcm,
     u8"its sound is coded as {1}, not PCM: the player's media player may not play it (it stays "
     u8"silent, or the quiz closes); save it as a PCM WAV or an MP3 (in Audacity: File > Export > "
     u8"Export as WAV, encoding \"Signed 16-bit PCM\", or Export as MP3)",
     u8"son est codé en {1}, pas en PCM : le lecteur multimédia du quiz peut ne pas le jouer (il "
     u8"reste muet, ou le quiz se ferme) ; enregistrez-le en WAV PCM ou en MP3 (dans Audacity : "
     u8"Fichier > Exporter > Exporter en WAV, encodage PCM 16 bits, ou Exporter en MP3)"},

    // Executables: show and unpack.
    {Msg::notQuizOrExecutable, u8"{1}: not a quiz executable or quiz file",
     u8"{1}: ni un quiz fabriqué par quiztool ni un fichier quiz"},
    {Msg::notPackedQuiz, u8"holds no quiz: it is not a program made by quiztool pack",
     u8"ne contient aucun quiz : ce n'est pas un programme fabriqué par quiztool"},
    {Msg::quizTextsDamaged,
     u8"the quiz it holds is damaged ({1}): pack it again from its quiz file",
     u8"le quiz qu'il contient est abîmé ({1}) : fabriquez-le de nouveau à partir de son fichier "
     u8"quiz"},
    {Msg::notWindowsExecutable, u8"not a Windows executable", u8"pas un programme Windows"},
    {Msg::notOf32Or64Bits, u8"not a 32-bit or 64-bit Windows executable",
     u8"pas un programme Windows 32 bits ou 64 bits"},
    {Msg::executableHeadersDamaged, u8"damaged executable headers",
     u8"en-têtes du programme abîmés"},
    {Msg::sectionTableDamaged, u8"damaged section table", u8"table des sections abîmée"},
    {Msg::noRoomForSection, u8"no room for another section header in the executable",
     u8"pas de place pour une section de plus dans le programme"},
    {Msg::noAddressSpace, u8"no address space left for the resources in the executable",
     u8"plus d'espace d'adresses pour les ressources dans le programme"},
    {Msg::executableTooLarge, u8"the executable would grow past 4 GiB with the resources",
     u8"le programme dépasserait 4 Go avec les ressources"},
    {Msg::resourcesOutsideSections, u8"resources: directory outside every section",
     u8"ressources : répertoire hors de toute section"},
    {Msg::resourcesOutsideData, u8"resources: directory outside its section's data",
     u8"ressources : répertoire hors des données de sa section"},
    {Msg::resourcesDamaged, u8"resources: damaged resource directory",
     u8"ressources : répertoire des ressources abîmé"},
    {Msg::unpackExists, u8"unpack: {1} already exists; nothing was written",
     u8"unpack : {1} existe déjà ; rien n'a été écrit"},
    {Msg::unpackNoFolder, u8"unpack: cannot make the folder {1}",
     u8"unpack : impossible de créer le dossier {1}"},
    {Msg::unpackCannotWrite, u8"{1}: the quiz cannot be written as a quiz file: {2}",
     u8"{1}: le quiz ne peut pas s'écrire en fichier quiz : {2}"},
    {Msg::resourcePicture, u8"IMG {1}", u8"la ressource IMG {1}"},
    {Msg::resourceData, u8"data resource {1}", u8"la ressource de données {1}"},
    {Msg::resourceIds, u8"{1} to {2}", u8"{1} à {2}"},
    {Msg::resourceNoQuestion,
     u8"{1} is under no question's id ({2}, {3}): a quiz file cannot carry it",
     u8"{1} n'est sous le numéro d'aucune question ({2}, {3}) : un fichier quiz ne peut pas la "
     u8"porter"},
    {Msg::resourceBeyondQuestions, u8"{1} belongs to question {2}, but the quiz has {3} questions",
     u8"{1} appartient à la question {2}, mais le quiz a {3} questions"},
    {Msg::resourceEmpty, u8"{1} is empty", u8"{1} est vide"},
    {Msg::resourceInTextQuiz, u8"{1}: a text quiz shows no pictures or clips",
     u8"{1} : un quiz de texte ne montre ni image, ni son, ni vidéo"},
    {Msg::resourceAnswerPicture, u8"{1}: only picture quizzes have answer pictures",
     u8"{1} : seuls les quiz d'images ont des images réponses"},
    {Msg::resourcePngAsPicture, u8"{1} is a PNG picture; pack stores those as data resources",
     u8"{1} est une image PNG ; pack les range dans des ressources de données"},
    {Msg::resourceDataNotPng,
     u8"{1} is a data resource that is no PNG picture; pack would store it as IMG",
     u8"{1} est une ressource de données qui n'est pas une image PNG ; pack la rangerait en IMG"},
    {Msg::resourceNoFormat, u8"{1} is in no format a quiz file takes ({2})",
     u8"{1} n'est dans aucun format qu'un fichier quiz accepte ({2})"},
    {Msg::resourceTwice, u8"{1} is there twice (two types or languages)",
     u8"{1} est là deux fois (deux types ou deux langues)"},
    {Msg::textQuizWithTwoAnswers,
     u8"a text quiz with two answers per question: a quiz file gives text quizzes one answer per "
     u8"question",
     u8"un quiz de texte à deux réponses par question : un fichier quiz donne une seule réponse "
     u8"par question aux quiz de texte"},
    {Msg::writtenQuizName, u8"the quiz name", u8"le nom du quiz"},
    {Msg::writtenSetting, u8"the {1} setting", u8"le réglage {1}"},
    {Msg::writtenCode, u8"code {1}", u8"le code {1}"},
    {Msg::writtenQuestionText, u8"question {1}'s text", u8"le texte de la question {1}"},
    {Msg::writtenAnswer, u8"question {1}'s answer", u8"la réponse de la question {1}"},
    {Msg::writtenSecondAnswer, u8"question {1}'s second answer",
     u8"la deuxième réponse de la question {1}"},
    {Msg::writtenRevealText, u8"question {1}'s reveal text",
     u8"le texte de révélation de la question {1}"},
    {Msg::writtenControlCharacter,
     u8"{1} holds a control character (byte {2}), which a quiz file cannot hold",
     u8"{1} contient un caractère de contrôle (octet {2}), qu'un fichier quiz ne peut pas "
     u8"contenir"},
    {Msg::writtenSettingFull,
     u8"the {1} setting fills all {2} bytes of its field; a quiz file gives it at most {3}",
     u8"le réglage {1} remplit les {2} octets de son champ ; un fichier quiz lui en donne au plus "
     u8"{3}"},
    {Msg::writtenUnitRange, u8"the {1} setting is {2}; a quiz file takes 1 to {3}",
     u8"le réglage {1} vaut {2} ; un fichier quiz accepte de 1 à {3}"},
};

// messageText finds a row by its place in the enum.
constexpr bool messageRowsInEnumOrder() {
  for (std::size_t i = 0; i < std::size(rows); ++i)
    if (static_cast<std::size_t>(rows[i].message) != i) return false;
  return std::size(rows) == static_cast<std::size_t>(Msg::endOfTable);
}
static_assert(messageRowsInEnumOrder(), "the rows must follow the order of Msg, one row for each");

} // namespace

const char* messageText(Msg message, Language language) {
  const MessageRow& row = rows[static_cast<std::size_t>(message)];
  return reinterpret_cast<const char*>(language == Language::french ? row.french : row.english);
}

std::size_t messageCount() {
  return std::size(rows);
}
