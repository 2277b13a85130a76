#include "media/media_player_win.h"

#include "ids/control_ids.h"
#include "media/media_state_win.h"

namespace {

// The Windows Media Player control and its player interface.
const CLSID playerClass = {
    0x6BF52A52, 0x394A, 0x11D3, {0xB1, 0x53, 0x00, 0xC0, 0x4F, 0x79, 0xFA, 0xA6}};
const IID playerInterface = {
    0x6BF52A4F, 0x394A, 0x11D3, {0xB1, 0x53, 0x00, 0xC0, 0x4F, 0x79, 0xFA, 0xA6}};
constexpr DWORD playerContext = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER;

void setUiModeNone(IWMPPlayer* player) {
  BSTR none = SysAllocString(L"none");
  player->put_uiMode(none);
  SysFreeString(none);
}

// Without this the control starts a clip by itself as soon as it is given its URL, and the play
// call that follows starts it a second time; Wine's control crashes (a null read in its play)
// when a clip it cannot render is started twice. The clip now starts once, at the play call.
void turnAutoStartOff(IWMPPlayer* player) {
  IWMPSettings* settings = nullptr;
  if (FAILED(player->get_settings(&settings)) || !settings) return;
  settings->put_autoStart(VARIANT_FALSE);
  settings->Release();
}

} // namespace

void createMediaPlayer(HWND host, int question) {
  if (question < 1 || question > maxQuestions) return;
  const int slot = question - 1;
  mediaState.mediaHosts[slot] = host;
  if (!mediaState.comInitialised || !mediaState.attachControl) return;
  IWMPPlayer* player = nullptr;
  if (FAILED(CoCreateInstance(playerClass, nullptr, playerContext, playerInterface,
                              reinterpret_cast<void**>(&player))) ||
      !player)
    return;
  IWMPControls* controls = nullptr;
  if (FAILED(mediaState.attachControl(player, host, nullptr)) ||
      FAILED(player->get_controls(&controls)) || !controls) {
    player->Release();
    return;
  }
  setUiModeNone(player);
  turnAutoStartOff(player);
  mediaState.mediaPlayers[slot] = player;
  mediaState.mediaControls[slot] = controls;
}

void releaseMediaPlayers() {
  for (int i = 0; i < maxQuestions; ++i) {
    if (mediaState.mediaControls[i]) mediaState.mediaControls[i]->Release();
    if (mediaState.mediaPlayers[i]) mediaState.mediaPlayers[i]->Release();
    mediaState.mediaControls[i] = nullptr;
    mediaState.mediaPlayers[i] = nullptr;
  }
}
