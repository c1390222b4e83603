#pragma once
// The windows that the current user's programs show, as one SQLite file in the runtime
// folder that every process of the user reads and writes: class, title, parent, control
// identifier and owning process of each. Windows whose owner has ended are never found, and
// are dropped when a search meets them.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/WinTypes.h"
#include "platform/linux/Database.h"
#include "platform/linux/ProcessIdentity.h"

namespace standin {

struct WindowRecord {
  HWND handle = nullptr;
  ProcessIdentity owner;
  std::string className;
  std::string title;
  HWND parent = nullptr;  // null: a top-level window
  int controlId = 0;
};

class WindowDirectory {
 public:
  // Makes every change during its lifetime visible to other processes at once, at its end.
  class Batch {
   public:
    // No batch for a null directory.
    explicit Batch(WindowDirectory* directory);
    ~Batch();
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

   private:
    Database* db_ = nullptr;
  };

  // The directory file in `folder`, which must be owner-only.
  explicit WindowDirectory(std::filesystem::path folder);
  ~WindowDirectory();
  WindowDirectory(const WindowDirectory&) = delete;
  WindowDirectory& operator=(const WindowDirectory&) = delete;

  const std::filesystem::path& Folder() const { return folder_; }

  // Adds a window owned by this process; null when the directory cannot be written.
  HWND Add(std::string_view className, std::string_view title, HWND parent, int controlId);
  void Remove(HWND window);
  void SetTitle(HWND window, std::string_view title);

  // The first window of a live owner under `parent` (null: top-level) created after
  // `after` (null: from the first), with that class and title compared without regard to
  // ASCII letter case; a null class or title matches any. Null when there is none.
  HWND Find(HWND parent, HWND after, LPCSTR className, LPCSTR title);
  // The window while its owner runs.
  std::optional<WindowRecord> Get(HWND window);

 private:
  Database* Connection();
  void DropWindowsOf(const ProcessIdentity& owner);

  std::filesystem::path folder_;
  ProcessIdentity self_;
  std::unique_ptr<Database> db_;
};

}  // namespace standin
