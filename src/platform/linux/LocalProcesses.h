#pragma once

#include <filesystem>

#include "platform/Processes.h"

namespace standin {

// Programs started directly, without a shell. The one command line known is the one that
// opens Internet Options, "rundll32.exe shell32.dll,Control_RunDLL inetcpl.cpl,@0,<tab>"
// (letter case aside), which starts the stand-in Internet Options program at that tab; its
// window shows normally whatever the show value. Every other command line fails with
// ERROR_FILE_NOT_FOUND.
class LocalProcesses final : public platform::Processes {
 public:
  // The stand-in Internet Options program is at `internetOptions`.
  explicit LocalProcesses(std::filesystem::path internetOptions = DefaultInternetOptions());

  UINT WinExec(LPCSTR commandLine, UINT show) override;
  void Sleep(DWORD milliseconds) override;

  // Where the build put the stand-in Internet Options program.
  static std::filesystem::path DefaultInternetOptions();

 private:
  std::filesystem::path internetOptions_;
};

}  // namespace standin
