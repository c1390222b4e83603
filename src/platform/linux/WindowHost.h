#pragma once
// The windows that a process shows to the other programs of its user: each one listed in
// the window directory while it lives, its messages handed to its procedure.

#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

#include "platform/linux/MessageEndpoint.h"
#include "platform/linux/WindowDirectory.h"

namespace standin {

class WindowHost {
 public:
  // One window; leaves the directory when destroyed.
  class Window {
   public:
    Window(WindowHost& host, HWND handle) : host_(host), handle_(handle) {}
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Handle() const { return handle_; }
    void SetTitle(std::string_view title);

   private:
    WindowHost& host_;
    HWND handle_;
  };

  // Windows added during a batch are found together, once the batch ends: a search never
  // meets a dialog whose controls are not listed yet.
  class Batch {
   public:
    explicit Batch(WindowHost& host);
    ~Batch();
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

   private:
    WindowDirectory::Batch batch_;
  };

  // Hosts in `folder`; with none, nothing can be shown.
  explicit WindowHost(const std::optional<std::filesystem::path>& folder);
  ~WindowHost();
  WindowHost(const WindowHost&) = delete;
  WindowHost& operator=(const WindowHost&) = delete;

  // Lists a window owned by this process; null when it could not be listed or could not
  // take messages.
  std::unique_ptr<Window> Show(std::string_view className, std::string_view title, HWND parent,
                               int controlId, MessageEndpoint::Procedure procedure);

 private:
  std::unique_ptr<WindowDirectory> directory_;
  std::unique_ptr<MessageEndpoint> endpoint_;
};

}  // namespace standin
