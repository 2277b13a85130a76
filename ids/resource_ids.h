#pragma once

// The resources a quiz adds to the player, by id, shared by the board that shows them, the media
// buttons that play them and quiztool that packs them. Below, j is the question number (1 to 96).

constexpr int questionResourceBase = 400;        // 400 + j: question j's picture or clip
constexpr int answerPictureResourceBase = 10400; // 10400 + j: question j's answer picture
