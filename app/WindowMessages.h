#pragma once
#include <windows.h>

// Every window message of the program's own, in one place. The tests include this
// header too, so that they send what the program handles.

// The shell reports mouse events on the tray icon with this message; outside
// programs that drive the tray send it as well, so its number stays fixed (0x501).
constexpr UINT kTrayNotifyMessage = WM_USER + 257;

// Accepted from outside the program: either one ends a capture in progress
// (0x464 and 0x465; other programs send these numbers, so they stay).
constexpr UINT kDestroyCaptureMessage = WM_USER + 100;
constexpr UINT kDestroyCaptureMessageToo = WM_USER + 101;

// The watch of the settings file's folder saw a change.
constexpr UINT kSettingsFolderChangedMessage = WM_APP + 1;
// Tells the user, once the dialog is up, that the settings file could not be read.
constexpr UINT kSettingsUnreadableMessage = WM_APP + 2;
