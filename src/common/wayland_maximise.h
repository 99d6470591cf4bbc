// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

class QWindow;

namespace rz6 {

// On Wayland, tells the compositor at once that the window is not to be maximised, in the same
// message as a maximise Qt's title bar has just asked for. Qt itself would only say so after
// the compositor has offered the maximised size, and a window of a fixed size cannot take that
// offer: Weston then ends the program. Returns whether the word was sent (false on X11, or
// where Qt's Wayland library does not give the window's shell object).
bool withdrawMaximiseOnWayland(QWindow* window);

} // namespace rz6
