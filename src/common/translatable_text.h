// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

// Marks a text of the rules that the screens show in the player's language. The rules keep
// the Japanese text (this expands to the text itself, with no Qt anywhere); the translation
// tools collect it under its context, and a window looks it up with
// translatedText(context, text) (common/qt_text.h).
#define RZ6_TRANSLATABLE(context, text) text
