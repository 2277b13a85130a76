#include "media/media_host_win.h"

#include <objbase.h>

#include "content/quiz_state.h"
#include "media/media_player_win.h"
#include "media/media_state_win.h"

MediaState mediaState;

namespace {

bool hasMediaQuestions() {
  return quizState->questionKind == kindAudio || quizState->questionKind == kindVideo;
}

} // namespace

void initMediaHost() {
  if (!hasMediaQuestions()) return;
  mediaState.hostingLibrary = LoadLibraryA("atl.dll");
  // Without the hosting library COM stays uninitialised and no player is ever created.
  if (!mediaState.hostingLibrary) return;
  mediaState.attachControl = reinterpret_cast<AttachControlFunction>(
      reinterpret_cast<void*>(GetProcAddress(mediaState.hostingLibrary, "AtlAxAttachControl")));
  mediaState.comInitialised = SUCCEEDED(CoInitialize(nullptr));
}

void shutDownMediaHost(HWND mainWindow) {
  if (!hasMediaQuestions()) return;
  DestroyWindow(mainWindow);
  // The players go before COM does.
  releaseMediaPlayers();
  if (mediaState.comInitialised) CoUninitialize();
  mediaState.comInitialised = false;
  if (mediaState.hostingLibrary) FreeLibrary(mediaState.hostingLibrary);
  mediaState.hostingLibrary = nullptr;
  mediaState.attachControl = nullptr;
}
