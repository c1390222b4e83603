#include "platform/linux/LocalProcesses.h"

#include <strings.h>

#include <QProcess>
#include <QString>

#include <chrono>
#include <optional>
#include <sstream>
#include <string>
#include <thread>

namespace standin {
namespace {

// What a started program's handle would be over 31 on the real call.
constexpr UINT kStarted = 33;

bool Same(const std::string& text, const char* expected) {
  return strcasecmp(text.c_str(), expected) == 0;
}

// The tab of an Internet Options command line; nothing for any other command line.
std::optional<int> InternetOptionsTab(const char* commandLine) {
  std::istringstream words(commandLine);
  std::string program, entry, applet, extra;
  if (!(words >> program >> entry >> applet) || (words >> extra)) return std::nullopt;
  if (!Same(program, "rundll32.exe") && !Same(program, "rundll32")) return std::nullopt;
  if (!Same(entry, "shell32.dll,Control_RunDLL")) return std::nullopt;
  std::istringstream parts(applet);
  std::string file, index, tab;
  std::getline(parts, file, ',');
  std::getline(parts, index, ',');
  std::getline(parts, tab);
  if (!Same(file, "inetcpl.cpl") || !(index.empty() || index == "@0")) return std::nullopt;
  if (tab.empty()) return 0;
  if (tab.size() > 2 || tab.find_first_not_of("0123456789") != std::string::npos) {
    return std::nullopt;
  }
  return std::stoi(tab);
}

}  // namespace

LocalProcesses::LocalProcesses(std::filesystem::path internetOptions)
    : internetOptions_(std::move(internetOptions)) {}

std::filesystem::path LocalProcesses::DefaultInternetOptions() {
  return STANDIN_INTERNET_OPTIONS;
}

UINT LocalProcesses::WinExec(LPCSTR commandLine, UINT /*show*/) {
  const auto tab = commandLine == nullptr ? std::nullopt : InternetOptionsTab(commandLine);
  if (!tab) return ERROR_FILE_NOT_FOUND;
  const bool started = QProcess::startDetached(QString::fromStdString(internetOptions_.string()),
                                               {QString::number(*tab)});
  return started ? kStarted : ERROR_FILE_NOT_FOUND;
}

void LocalProcesses::Sleep(DWORD milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace standin
