#include "tools/DemoDesktop.h"

#include <fstream>
#include <string>
#include <system_error>
#include <utility>

namespace standin {
namespace {

namespace fs = std::filesystem;

bool WriteNew(const fs::path& file, const std::string& content) {
  std::error_code ignored;
  if (fs::exists(fs::symlink_status(file, ignored))) return true;
  std::ofstream out(file, std::ios::binary);
  out << content;
  return static_cast<bool>(out);
}

}  // namespace

bool SeedDemoTrash(const fs::path& dataHome) {
  const fs::path trash = dataHome / "Trash";
  std::error_code failed;
  fs::create_directories(trash / "files" / "Old Photos" / "2019", failed);
  fs::create_directories(trash / "info", failed);
  if (failed) return false;
  bool written = WriteNew(trash / "files" / "shopping list.txt", "milk, bread\n") &&
                 WriteNew(trash / "files" / "draft-letter.odt", "not a letter\n") &&
                 WriteNew(trash / "files" / "Old Photos" / "2019" / "beach.jpg", "not a photo\n");
  // Where each item came from, percent-encoded as the trash's info files have it.
  const std::pair<const char*, const char*> items[] = {
      {"shopping list.txt", "/home/jane/shopping%20list.txt"},
      {"draft-letter.odt", "/home/jane/Documents/draft-letter.odt"},
      {"Old Photos", "/home/jane/Pictures/Old%20Photos"},
  };
  for (const auto& [name, origin] : items) {
    written = WriteNew(trash / "info" / (std::string(name) + ".trashinfo"),
                       "[Trash Info]\nPath=" + std::string(origin) +
                           "\nDeletionDate=2026-12-01T10:00:00\n") &&
              written;
  }
  return written;
}

bool SeedDemoRecentDocuments(const fs::path& dataHome) {
  std::string list =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<xbel version=\"1.0\"\n"
      "      xmlns:bookmark=\"http://www.freedesktop.org/standards/desktop-bookmarks\"\n"
      "      xmlns:mime=\"http://www.freedesktop.org/standards/shared-mime-info\"\n"
      ">\n";
  for (const char* document :
       {"Documents/report.odt", "Documents/budget.ods", "Pictures/holiday%202026.jpg"}) {
    list += "  <bookmark href=\"file:///home/jane/" + std::string(document) +
            "\" added=\"2026-12-01T10:00:00Z\" modified=\"2026-12-01T10:00:00Z\""
            " visited=\"2026-12-01T10:00:00Z\">\n"
            "    <info>\n"
            "      <metadata owner=\"http://freedesktop.org\">\n"
            "        <mime:mime-type type=\"application/octet-stream\"/>\n"
            "        <bookmark:applications>\n"
            "          <bookmark:application name=\"demo\" exec=\"&apos;demo %u&apos;\""
            " modified=\"2026-12-01T10:00:00Z\" count=\"1\"/>\n"
            "        </bookmark:applications>\n"
            "      </metadata>\n"
            "    </info>\n"
            "  </bookmark>\n";
  }
  return WriteNew(dataHome / "recently-used.xbel", list + "</xbel>\n");
}

}  // namespace standin
