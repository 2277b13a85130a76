#pragma once

#include <windows.h>
#include <wmp.h>

#include "content/quiz_state.h"
#include "content/text_buffer.h"

// AtlAxAttachControl(control, host window, out container or null).
using AttachControlFunction = HRESULT(WINAPI*)(IUnknown* control, HWND host, IUnknown** container);

// Everything the media playback keeps between messages, per process.
struct MediaState {
  HMODULE hostingLibrary;              // atl.dll, loaded for sound and video quizzes
  AttachControlFunction attachControl; // null when atl.dll lacks it
  bool comInitialised;
  HWND mediaHosts[maxQuestions];             // per question: the window hosting its player
  IWMPPlayer* mediaPlayers[maxQuestions];    // per question: the player, or null
  IWMPControls* mediaControls[maxQuestions]; // per question: its controls, or null
  int currentMediaQuestion;                  // question whose play button was pressed last; 0: none
  char currentMediaPath[textCapacity];       // file written last; empty: none
};

extern MediaState mediaState;
