#pragma once

// Who the program is, as the desktop and Qt see it. One place for every name that must agree
// across the executable, the desktop entry, the AppStream metainfo, the icon and the folder
// that holds the record, so that none of them drifts.

namespace rz6::appInfo {

// QCoreApplication::setApplicationName. Set no organization name: with none, Qt 6.4 puts
// QStandardPaths::AppDataLocation at $XDG_DATA_HOME/rz6 (~/.local/share/rz6 by default)
// instead of nesting it under an organization folder. On X11 it is also the class part of
// WM_CLASS, which the desktop entry's StartupWMClass names.
inline constexpr char applicationName[] = "rz6";

// The window title and the name the desktop shows. The gap is an ideographic space (U+3000).
inline constexpr char displayTitle[] = "ソードリズム！\u3000第弐章";

// The English name, for desktops and software centres that are not set to Japanese.
inline constexpr char englishTitle[] = "Sword Rhythm II";

// The id of the desktop entry, the AppStream component and the icon, in reverse-DNS form.
// ".local" is a reserved name that nobody can register, so the id claims no one's domain.
inline constexpr char desktopId[] = "local.swordrhythm.rz6";

// QGuiApplication::setDesktopFileName: the desktop entry's file name without ".desktop". On
// Wayland it becomes the app id that ties the window to its entry and icon.
inline constexpr const char* desktopFileName = desktopId;

// The record and the single-instance lock that sits beside it.
inline constexpr char recordFileName[] = "rz6.DAT";
inline constexpr char lockFileName[] = "rz6.lock";

} // namespace rz6::appInfo
