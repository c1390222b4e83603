#include "tools/DemoRegistry.h"

namespace standin {

std::string DemoRegistryText() {
  return R"(REGEDIT4

[HKEY_CURRENT_USER\Software\Microsoft\Internet Explorer\TypedURLs]
"url1"="http://news.example.com/"
"url2"="https://mail.example.org/inbox"
"url3"="shop.example.net"
"url4"="https://bank.example.net/login?next=%2Faccounts"
"url5"="file:///C:/Users/jane/Documents/report.html"

[HKEY_CURRENT_USER\Software\Microsoft\Internet Explorer\Main]
"Start Page"="https://search.example.com/"

[HKEY_CURRENT_USER\Software\Microsoft\MediaPlayer\Player\RecentFileList]
"File0"="C:\\Users\\jane\\Music\\Summer Mix.mp3"
"File1"="C:\\Users\\jane\\Videos\\Holiday 2026.mp4"
"File2"="\\\\mediaserver\\share\\Concert \"Live\".wma"

[HKEY_CURRENT_USER\Software\Microsoft\MediaPlayer\Player\RecentURLList]
"URL0"="http://radio.example.fm/stream"

[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\RunMRU]
"a"="notepad\\1"
"b"="cmd\\1"
"c"="\\\\fileserver\\public\\1"
"d"="regedit\\1"
"MRUList"="dcba"

[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\RunMRU\Settings]
"Kept"=dword:00000001
)";
}

}  // namespace standin
