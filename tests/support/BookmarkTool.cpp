// A recent documents list written and read by GLib, as desktop programs do:
//   bookmark-tool add FILE URI...   adds each URI as a document opened by "gedit"
//   bookmark-tool count FILE        prints how many documents the list holds
// Exits with 1 when GLib cannot write or parse the list.

#include <glib.h>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

struct BookmarkFileDeleter {
  void operator()(GBookmarkFile* file) const { g_bookmark_file_free(file); }
};

int Report(GError* error) {
  std::fprintf(stderr, "bookmark-tool: %s\n", error->message);
  g_error_free(error);
  return 1;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 3) {
    std::fputs("usage: bookmark-tool add FILE URI... | count FILE\n", stderr);
    return 2;
  }
  const std::unique_ptr<GBookmarkFile, BookmarkFileDeleter> list(g_bookmark_file_new());
  GError* error = nullptr;
  if (std::strcmp(argv[1], "count") == 0) {
    if (!g_bookmark_file_load_from_file(list.get(), argv[2], &error)) return Report(error);
    std::printf("%d\n", g_bookmark_file_get_size(list.get()));
    return 0;
  }
  for (int i = 3; i < argc; ++i) {
    g_bookmark_file_set_mime_type(list.get(), argv[i], "text/plain");
    g_bookmark_file_add_application(list.get(), argv[i], "gedit", "gedit %u");
  }
  if (!g_bookmark_file_to_file(list.get(), argv[2], &error)) return Report(error);
  return 0;
}
