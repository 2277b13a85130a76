#include "app/header_bar_win.h"

#include <shellapi.h>

#include <cstdio>

#include "board/progress_file_win.h"
#include "board/row_hiding_win.h"
#include "content/quiz_state.h"
#include "content/settings_block.h"
#include "ids/header_ids.h"

namespace {

constexpr int handCursorId = 1003;
constexpr COLORREF headerColour = RGB(128, 128, 255);
constexpr COLORREF linkColour = RGB(50, 50, 255);

HBRUSH headerBrush = nullptr;
// Read once from the settings block: the link label shows it and a click opens it.
WebAddress webAddress = {};

enum class HeaderFont { gui, title, score, link, none };

struct HeaderControl {
  int id;
  const char* className;
  DWORD style;
  int x, y, width, height;
  HeaderFont font;
};

// In creation order. "Cacher" (33) exists only for picture quizzes with one answer per question.
constexpr HeaderControl headerControls[] = {
    {linkLabelId, "Static", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 736, 5, 115, 18, HeaderFont::link},
    {byLabelId, "Static", WS_CHILD | WS_VISIBLE, 736, 25, 27, 18, HeaderFont::gui},
    {authorLabelId, "Static", WS_CHILD | WS_VISIBLE, 763, 25, 85, 18, HeaderFont::gui},
    {hideSolvedBoxId, "button", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 666, 5, 65, 18,
     HeaderFont::gui},
    {saveButtonId, "button", WS_CHILD | WS_VISIBLE, 666, 25, 55, 18, HeaderFont::gui},
    {explanationsLabelId, "Static", WS_CHILD | WS_VISIBLE, 110, 19, 490, 27, HeaderFont::gui},
    {quizNameLabelId, "Static", WS_CHILD | WS_VISIBLE, 110, 3, 160, 18, HeaderFont::title},
    {codeLabelId, "Static", WS_CHILD | WS_VISIBLE, 7, 29, 36, 15, HeaderFont::gui},
    {scoreLabelId, "Static", WS_CHILD | WS_VISIBLE | SS_CENTER, 10, 1, 80, 20, HeaderFont::score},
    {codeBoxId, "edit", WS_CHILD | WS_VISIBLE | ES_READONLY, 44, 29, 53, 16, HeaderFont::gui},
    {scoreRuleId, "Static", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 26, 100, 1, HeaderFont::none},
    {leftRuleId, "Static", WS_CHILD | WS_VISIBLE | WS_BORDER, 100, 0, 1, 50, HeaderFont::none},
    {rightRuleId, "Static", WS_CHILD | WS_VISIBLE | WS_BORDER, 730, 0, 1, 50, HeaderFont::none},
};

bool hasHideSolvedBox(const QuizState& quiz) {
  return quiz.questionKind == kindPicture && quiz.answersPerQuestion == 1;
}

// The text a control starts with; the score label's text is formatted into `scratch`.
const char* initialText(const QuizState& quiz, int id, char (&scratch)[32]) {
  switch (id) {
  case linkLabelId: return webAddress.text;
  case byLabelId: return "Par :";
  case authorLabelId: return quiz.authorName;
  case hideSolvedBoxId: return "Cacher";
  case saveButtonId: return "Sauver";
  case explanationsLabelId: return quiz.explanations;
  case quizNameLabelId: return quiz.quizName;
  case codeLabelId: return " Code :";
  case scoreLabelId:
    std::snprintf(scratch, sizeof scratch, " 0 / %d", quiz.questionCount);
    return scratch;
  }
  return "";
}

void setFont(HWND control, HGDIOBJ font, BOOL redraw) {
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
}

void createHeaderControls(HWND dialog, const QuizState& quiz) {
  char scratch[32];
  webAddress = webAddressOf(settingsBlock);
  for (const HeaderControl& c : headerControls) {
    if (c.id == hideSolvedBoxId && !hasHideSolvedBox(quiz)) continue;
    const char* text = initialText(quiz, c.id, scratch);
    HWND control = CreateWindowExA(0, c.className, text, c.style, c.x, c.y, c.width, c.height,
                                   dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)),
                                   GetModuleHandleA(nullptr), nullptr);
    switch (c.font) {
    case HeaderFont::gui: setFont(control, GetStockObject(DEFAULT_GUI_FONT), TRUE); break;
    case HeaderFont::title: setFont(control, quiz.titleFont, FALSE); break;
    case HeaderFont::score: setFont(control, quiz.scoreFont, FALSE); break;
    case HeaderFont::link: setUpLinkLabel(control); break;
    case HeaderFont::none: break;
    }
  }
  headerBrush = CreateSolidBrush(headerColour);
}

void moveControl(HWND dialog, int id, int x, int y, int width, int height) {
  HWND control = GetDlgItem(dialog, id);
  SetWindowPos(control, nullptr, x, y, width, height,
               SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOACTIVATE);
  InvalidateRect(control, nullptr, FALSE);
}

// The link column and "Sauver" follow the right edge; the explanations line widens with it.
// Every control that moves is redrawn: a resize made in one step (a quick drag, a window
// manager) would otherwise leave a moved label blank until the window is painted again whole.
void layOutHeader(HWND dialog, const QuizState& quiz) {
  RECT client;
  GetClientRect(dialog, &client);
  const int right = client.right;
  moveControl(dialog, linkLabelId, right - 134, 0, 115, 18);
  moveControl(dialog, byLabelId, right - 134, 25, 26, 18);
  moveControl(dialog, authorLabelId, right - 107, 25, 105, 18);
  moveControl(dialog, saveButtonId, right - 204, 25, 55, 18);
  moveControl(dialog, explanationsLabelId, 110, 19, right - 324, 28);
  moveControl(dialog, rightRuleId, right - 145, 0, 1, 50);
  if (quiz.questionKind == kindPicture)
    moveControl(dialog, hideSolvedBoxId, right - 234, 0, 85, 18);
}

void runHeaderCommand(WPARAM command) {
  switch (command) {
  case linkLabelId:
    ShellExecuteA(nullptr, "open", webAddress.text, nullptr, nullptr, SW_SHOWNORMAL);
    break;
  case saveButtonId: saveProgress(*quizState); break;
  case hideSolvedBoxId: relayoutBoard(*quizState); break;
  }
}

INT_PTR colourHeaderLabel(HDC context, HWND control) {
  const int id = GetWindowLongA(control, GWL_ID);
  if (id == linkLabelId) SetTextColor(context, linkColour);
  if (id == linkLabelId || (id >= 20 && id <= 33)) {
    SetBkMode(context, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(headerBrush);
  }
  return FALSE; // the rules keep the system colours
}

} // namespace

void setUpLinkLabel(HWND label) {
  RECT client;
  GetClientRect(label, &client);
  LOGFONTA description{};
  description.lfHeight = -(client.bottom * 3 / 4);
  description.lfWeight = FW_NORMAL;
  description.lfUnderline = TRUE;
  // Lives until the process ends, like the label.
  setFont(label, CreateFontIndirectA(&description), FALSE);
  HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(handCursorId));
  // SetClassLongA with GCL_HCURSOR in the 32-bit player; the Ptr form builds for 64 bits too.
  SetClassLongPtrA(label, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(hand));
}

INT_PTR CALLBACK headerDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_INITDIALOG: createHeaderControls(dialog, *quizState); return TRUE;
  case WM_SIZE: layOutHeader(dialog, *quizState); return FALSE;
  case WM_COMMAND: runHeaderCommand(wParam); return FALSE;
  case WM_CTLCOLORDLG: return reinterpret_cast<INT_PTR>(headerBrush);
  case WM_CTLCOLORSTATIC:
    return colourHeaderLabel(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
  case WM_DESTROY:
    DeleteObject(headerBrush);
    headerBrush = nullptr;
    return FALSE;
  }
  return FALSE;
}
