#pragma once

// The handle types that the quiz record stores. In the player they are exactly the STRICT handle
// types of <windows.h> (HFONT, HBRUSH, HWND are pointers to these incomplete structs), so the
// Windows side uses them without casts. The portable core never looks inside them; the native
// build gives HFONT__ and HBRUSH__ a body of its own (gdi_objects_native.h).
struct HFONT__;
struct HBRUSH__;
struct HWND__;

using FontHandle = HFONT__*;
using BrushHandle = HBRUSH__*;
using WindowHandle = HWND__*;
