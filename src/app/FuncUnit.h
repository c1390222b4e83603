#pragma once
// Functions without window state: date texts of cache times, text trimming, and the probe of
// the shell's version that gates "Privacy".

#include <string>
#include <string_view>

#include "app/TextPlace.h"
#include "platform/WinTypes.h"

// The major version of "shlwapi.dll"; 0 until probed, and whenever the probe fails.
extern DWORD ShellMajorVersion;

// The local date in the user's short date format, then, unless the local time of day is
// 00:00:00, one blank and the local time in the user's long time format; "01/01/80 12:00:00 AM"
// when the time cannot be written.
std::string FileTimeToText(const FILETIME& time);

// A date text's place in a sort: the moment it reads back as under the user's formats, in
// seconds; a text that does not read back stands after every moment.
TextPlace DateTextPlace(std::string_view text);

// -1 if A's time is earlier than B's, 0 if they are equal, 1 if A's is later.
int CompareDateTexts(std::string_view a, std::string_view b);

// Shortens the text by `count` characters at its end.
void ChopRight(std::string& text, std::size_t count);

// The text less its last character when that is "/".
std::string StripTrailingSlash(std::string text);

// Sets ShellMajorVersion from the DllGetVersion of "shlwapi.dll", or to 0.
void ProbeShellVersion();
