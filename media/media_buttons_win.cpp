#include "media/media_buttons_win.h"

#include <cstdio>

#include "ids/control_ids.h"
#include "ids/resource_ids.h"
#include "media/media_state_win.h"
#include "media/media_type.h"

namespace {

constexpr int playIconId = 1004;
constexpr int stopIconId = 1005;
HICON playIcon = nullptr;
HICON stopIcon = nullptr;

void stopEveryClip(const QuizState& quiz) {
  for (int i = 0; i < quiz.questionCount && i < maxQuestions; ++i)
    if (mediaState.mediaControls[i]) mediaState.mediaControls[i]->stop();
}

void playQuestion(HWND board, const QuizState& quiz, int q) {
  IWMPControls* controls = mediaState.mediaControls[q - 1];
  IWMPPlayer* player = mediaState.mediaPlayers[q - 1];
  // A question without a player has nothing to hand the clip to: its buttons do nothing.
  if (!controls || !player) return;
  stopEveryClip(quiz);
  DeleteFileA(mediaState.currentMediaPath);
  mediaState.currentMediaQuestion = q;
  if (!extractMediaResource(board, questionResourceBase + q, quiz.questionKind - 1)) return;
  wchar_t path[512];
  if (!MultiByteToWideChar(CP_ACP, 0, mediaState.currentMediaPath, -1, path, 512)) return;
  BSTR url = SysAllocString(path);
  player->put_URL(url);
  SysFreeString(url);
  controls->play();
}

// Stops the clip started last, whichever stop button was pressed.
void stopCurrentClip() {
  const int q = mediaState.currentMediaQuestion;
  if (q < 1) return;
  if (IWMPControls* controls = mediaState.mediaControls[q - 1]) controls->stop();
  char path[textCapacity];
  lstrcpynA(path, mediaState.currentMediaPath, sizeof path);
  DeleteFileA(path);
}

} // namespace

void loadMediaButtonIcons() {
  playIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(playIconId));
  stopIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(stopIconId));
}

void setMediaButtonIcon(HWND button, bool play) {
  SendMessageA(button, BM_SETIMAGE, IMAGE_ICON,
               reinterpret_cast<LPARAM>(play ? playIcon : stopIcon));
}

void runMediaButton(HWND board, const QuizState& quiz, WPARAM command) {
  if (quiz.questionKind != kindAudio && quiz.questionKind != kindVideo) return;
  const int id = static_cast<int>(command);
  if (id > playButtonBase && id <= playButtonBase + maxQuestions &&
      id - playButtonBase <= quiz.questionCount)
    playQuestion(board, quiz, id - playButtonBase);
  else if (id > stopButtonBase && id <= stopButtonBase + maxQuestions)
    stopCurrentClip();
}

void stopMediaAndDeleteFile() {
  if (!mediaState.currentMediaPath[0]) return;
  // A player still holding the file would refuse its deletion: every clip is stopped and
  // closed first.
  for (int i = 0; i < maxQuestions; ++i) {
    if (mediaState.mediaControls[i]) mediaState.mediaControls[i]->stop();
    if (mediaState.mediaPlayers[i]) mediaState.mediaPlayers[i]->close();
  }
  DeleteFileA(mediaState.currentMediaPath);
}

int extractMediaResource(HWND, int resourceId, int mediaType) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(resourceId), "img");
  if (!found) return 0;
  const DWORD size = SizeofResource(module, found);
  HGLOBAL loaded = LoadResource(module, found);
  if (!loaded) {
    MessageBoxA(nullptr,
                mediaType == 1 ? "Impossible de charger le fichier audio."
                               : "Impossible de charger le fichier vidéo.",
                "Information", MB_OK);
    return 0;
  }
  const auto* data = static_cast<const std::uint8_t*>(LockResource(loaded));
  if (!data) return 0;
  std::snprintf(mediaState.currentMediaPath, sizeof mediaState.currentMediaPath, "%svelmo%d.%s",
                quizState->mediaFolder, resourceId, mediaExtension(data, size));
  HANDLE file = CreateFileA(mediaState.currentMediaPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(file, data, size, &written, nullptr);
  CloseHandle(file);
  return 1;
}
