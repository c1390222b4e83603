// Holds the write lock of an SQLite file from a process of its own, as another program would:
//   store-locker FILE
// Prints "locked" (or "failed") once it has tried. Then it waits for a line on its input giving
// how many milliseconds more to keep the lock, and releases it after them, or at once when its
// input ends.

#include <poll.h>
#include <sqlite3.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Waits until input is readable or ends, at most `timeoutMs`; false on a timeout.
bool WaitForInput(int timeoutMs) {
  pollfd input{STDIN_FILENO, POLLIN, 0};
  return poll(&input, 1, timeoutMs) > 0;
}

// A line of input, or nothing when input ends first.
bool ReadLine(std::string& line) {
  line.clear();
  for (char c; read(STDIN_FILENO, &c, 1) == 1;) {
    if (c == '\n') return true;
    line += c;
  }
  return false;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fputs("usage: store-locker FILE\n", stderr);
    return 2;
  }
  sqlite3* db = nullptr;
  const bool locked = sqlite3_open(argv[1], &db) == SQLITE_OK &&
                      sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK;
  std::puts(locked ? "locked" : "failed");
  std::fflush(stdout);
  std::string line;
  if (locked && ReadLine(line)) {
    const auto release =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(std::atoi(line.c_str()));
    for (;;) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          release - std::chrono::steady_clock::now());
      if (left.count() <= 0 || WaitForInput(static_cast<int>(left.count()))) break;
    }
  }
  sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_close(db);
  return locked ? 0 : 1;
}
