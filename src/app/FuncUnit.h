#pragma once
// Functions without window state: date texts of cache times, text trimming, and the probe of
// the shell's version that gates "Privacy".

#include <string>

#include "platform/WinTypes.h"

// The major version of "shlwapi.dll"; 0 until probed, and whenever the probe fails.
extern DWORD ShellMajorVersion;

// The local date in the user's short date format, then, unless the local time of day is
// 00:00:00, one blank and the local time in the user's long time format; "01/01/80 12:00:00 AM"
// when the time cannot be written.
std::string FileTimeToText(const FILETIME& time);

// Shortens the text by `count` characters at its end.
void ChopRight(std::string& text, std::size_t count);

// The text less its last character when that is "/".
std::string StripTrailingSlash(std::string text);

// Sets ShellMajorVersion from the DllGetVersion of "shlwapi.dll", or to 0.
void ProbeShellVersion();
