#include "platform/linux/WindowHost.h"

namespace standin {

WindowHost::WindowHost(const std::optional<std::filesystem::path>& folder) {
  if (!folder) return;
  directory_ = std::make_unique<WindowDirectory>(*folder);
  endpoint_ = std::make_unique<MessageEndpoint>(*folder);
}

WindowHost::~WindowHost() = default;

std::unique_ptr<WindowHost::Window> WindowHost::Show(std::string_view className,
                                                     std::string_view title, HWND parent,
                                                     int controlId,
                                                     MessageEndpoint::Procedure procedure) {
  if (directory_ == nullptr || !endpoint_->Listening()) return nullptr;
  const HWND handle = directory_->Add(className, title, parent, controlId);
  if (handle == nullptr) return nullptr;
  endpoint_->Serve(handle, std::move(procedure));
  return std::make_unique<Window>(*this, handle);
}

WindowHost::Window::~Window() {
  host_.endpoint_->Forget(handle_);
  host_.directory_->Remove(handle_);
}

void WindowHost::Window::SetTitle(std::string_view title) {
  host_.directory_->SetTitle(handle_, title);
}

WindowHost::Batch::Batch(WindowHost& host) : batch_(host.directory_.get()) {}

WindowHost::Batch::~Batch() = default;

}  // namespace standin
