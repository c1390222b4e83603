#pragma once
// Where a process takes the messages that other processes of the same user post or send to
// its windows: a socket in the runtime folder, served by the Qt event loop, so messages are
// handled whenever the process dispatches its pending events.

#include <sys/types.h>

#include <QElapsedTimer>
#include <QTimer>

#include <deque>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/WinTypes.h"
#include "platform/linux/UniqueFd.h"

class QSocketNotifier;

namespace standin {

class MessageEndpoint {
 public:
  // A window's handler of one message: for WM_SETTEXT, lParam points to the text, or is 0.
  using Procedure = std::function<LRESULT(UINT message, WPARAM wParam, LPARAM lParam)>;

  // Listens at this process's socket in `folder`.
  explicit MessageEndpoint(const std::filesystem::path& folder);
  ~MessageEndpoint();
  MessageEndpoint(const MessageEndpoint&) = delete;
  MessageEndpoint& operator=(const MessageEndpoint&) = delete;

  // False when the socket could not be made; nothing then reaches this process.
  bool Listening() const { return listener_.Valid(); }
  void Serve(HWND window, Procedure procedure);
  void Forget(HWND window);

  // The socket of the process with that number in `folder`.
  static std::filesystem::path SocketOf(const std::filesystem::path& folder, pid_t pid);

 private:
  struct Connection;

  void AcceptPending();
  // Takes the waiting messages in the order their connections came.
  void Drain();
  void Handle(const std::string& bytes, int fd);

  std::filesystem::path path_;
  UniqueFd listener_;
  std::unique_ptr<QSocketNotifier> notifier_;
  std::map<HWND, Procedure> procedures_;
  std::deque<std::unique_ptr<Connection>> connections_;
  QTimer expiry_;
};

}  // namespace standin
