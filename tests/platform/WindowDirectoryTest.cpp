// The stand-in window directory and its messages within one test process: searches by class,
// title and parent, windows of ended owners, forged windows, the owner-only folder, posted
// messages, packets that are not messages, and another user's connections.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <grp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTemporaryDir>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <tuple>

#include "platform/linux/DirectoryWindows.h"
#include "platform/linux/MessageEndpoint.h"
#include "platform/linux/MessagePacket.h"
#include "platform/linux/RuntimeDirectory.h"
#include "platform/linux/ThreadErrors.h"
#include "platform/linux/UniqueFd.h"
#include "platform/linux/WindowHost.h"
#include "support/WaitFor.h"

namespace {

using standin::Delivery;
using standin::MessagePacket;
using standin::UniqueFd;
using support::WaitFor;
using ::testing::ElementsAre;

using Message = std::tuple<UINT, WPARAM, LPARAM>;

// A fresh XDG_RUNTIME_DIR for one test.
class RuntimeFolder {
 public:
  RuntimeFolder() {
    if (const char* previous = std::getenv("XDG_RUNTIME_DIR")) previous_ = previous;
    setenv("XDG_RUNTIME_DIR", dir_.path().toLocal8Bit().constData(), 1);
  }
  ~RuntimeFolder() { setenv("XDG_RUNTIME_DIR", previous_.c_str(), 1); }
  std::filesystem::path Folder() const {
    return std::filesystem::path(dir_.path().toStdString()) / "veltrin-standin";
  }

 private:
  QTemporaryDir dir_;
  std::string previous_;
};

class WindowDirectoryTest : public ::testing::Test {
 protected:
  // A window that records what it is sent and answers `answer`.
  std::unique_ptr<standin::WindowHost::Window> Recording(const char* title, LRESULT answer = 0) {
    return host_.Show("#32770", title, nullptr, 0, [this, answer](UINT m, WPARAM w, LPARAM l) {
      received_.emplace_back(m, w, l);
      if (m == WM_SETTEXT && l != 0) texts_.emplace_back(reinterpret_cast<const char*>(l));
      return answer;
    });
  }

  void Exec(const std::string& sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open((runtime_.Folder() / "windows.db").c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sql;
    sqlite3_close(db);
  }

  int Rows() {
    sqlite3* db = nullptr;
    sqlite3_open((runtime_.Folder() / "windows.db").c_str(), &db);
    sqlite3_stmt* count = nullptr;
    sqlite3_prepare_v2(db, "SELECT count(*) FROM windows", -1, &count, nullptr);
    sqlite3_step(count);
    const int rows = sqlite3_column_int(count, 0);
    sqlite3_finalize(count);
    sqlite3_close(db);
    return rows;
  }

  RuntimeFolder runtime_;
  standin::ThreadErrors errors_;
  platform::Installed<platform::Errors> installedErrors_{errors_};
  standin::WindowHost host_{standin::RuntimeDirectory()};
  standin::DirectoryWindows windows_;
  std::vector<Message> received_;
  std::vector<std::string> texts_;
};

TEST_F(WindowDirectoryTest, SearchesMatchClassTitleAndParentAsWindowsComeAndGo) {
  auto options = host_.Show("#32770", "Internet Properties", nullptr, 0, {});
  auto page = host_.Show("#32770", "Privacy", options->Handle(), 0, {});
  auto first = host_.Show("Button", "&Edit...", page->Handle(), 1060, {});
  auto second = host_.Show("Button", "&Edit...", page->Handle(), 1061, {});
  auto field = host_.Show("Edit", "", page->Handle(), 7, {});
  const HWND dialog = options->Handle();

  EXPECT_EQ(windows_.FindWindowA("#32770", "internet PROPERTIES"), dialog);
  EXPECT_EQ(windows_.FindWindowA(nullptr, "Internet Properties"), dialog);
  EXPECT_EQ(windows_.FindWindowA("#32770", "Privacy"), nullptr);  // a child, not top-level
  EXPECT_EQ(windows_.FindWindowExA(dialog, nullptr, "#32770", "Privacy"), page->Handle());
  EXPECT_EQ(windows_.FindWindowExA(dialog, nullptr, "Button", nullptr), nullptr);  // a grandchild
  EXPECT_EQ(windows_.FindWindowExA(page->Handle(), nullptr, "button", "&EDIT..."), first->Handle());
  EXPECT_EQ(windows_.FindWindowExA(page->Handle(), first->Handle(), "Button", "&Edit..."),
            second->Handle());
  EXPECT_EQ(windows_.FindWindowExA(page->Handle(), second->Handle(), "Button", nullptr), nullptr);
  EXPECT_EQ(windows_.FindWindowExA(page->Handle(), nullptr, "Edit", nullptr), field->Handle());
  EXPECT_EQ(windows_.GetDlgCtrlID(second->Handle()), 1061);

  field->SetTitle("example.com");
  EXPECT_EQ(windows_.FindWindowExA(page->Handle(), nullptr, "Edit", "example.com"),
            field->Handle());
  first.reset();
  EXPECT_EQ(windows_.FindWindowExA(page->Handle(), nullptr, "Button", "&Edit..."),
            second->Handle());
  EXPECT_EQ(windows_.GetDlgCtrlID(reinterpret_cast<HWND>(0x7FFFFFFF)), 0);
  EXPECT_EQ(errors_.GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
  options.reset();
  EXPECT_EQ(windows_.FindWindowA("#32770", "Internet Properties"), nullptr);
  // Children are searched only under a parent that exists.
  EXPECT_EQ(windows_.FindWindowExA(dialog, nullptr, "#32770", "Privacy"), nullptr);
}

// A child process of the test that shows no window and serves no messages. It lives until
// End(); then it stays uncollected, a zombie, until the object goes.
class QuietChild {
 public:
  QuietChild() {
    int fds[2];
    if (::pipe(fds) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      char ignored;
      ::close(fds[1]);
      [[maybe_unused]] const ssize_t n = ::read(fds[0], &ignored, 1);
      ::_exit(0);
    }
    ::close(fds[0]);
    alive_ = UniqueFd(fds[1]);
  }
  ~QuietChild() {
    End();
    if (pid_ > 0) ::waitpid(pid_, nullptr, 0);
  }
  QuietChild(const QuietChild&) = delete;
  QuietChild& operator=(const QuietChild&) = delete;

  pid_t Pid() const { return pid_; }
  // Ends the child and waits until it has ended, leaving it uncollected.
  void End() {
    if (!alive_.Valid()) return;
    alive_ = UniqueFd();
    siginfo_t info{};
    ::waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOWAIT);
  }

 private:
  pid_t pid_ = -1;
  UniqueFd alive_;
};

TEST_F(WindowDirectoryTest, WindowsOfEndedOwnersNeverMatchAndAreDropped) {
  auto live = host_.Show("#32770", "Live", nullptr, 0, {});
  const standin::ProcessIdentity self = standin::CurrentProcess();

  QuietChild zombie;
  const auto zombieIdentity = standin::RunningProcess(zombie.Pid());
  ASSERT_TRUE(zombieIdentity);
  zombie.End();

  const pid_t collected = ::fork();
  if (collected == 0) ::_exit(0);
  ASSERT_EQ(::waitpid(collected, nullptr, 0), collected);

  const std::string insert =
      "INSERT INTO windows(pid, started, class, title, parent, control) VALUES";
  // This process's own number with another start time: a process that had the number once.
  Exec(insert + "(" + std::to_string(self.pid) + ", " + std::to_string(self.startTime + 1) +
       ", '#32770', 'Left behind', 0, 0)");
  Exec(insert + "(" + std::to_string(zombie.Pid()) + ", " +
       std::to_string(zombieIdentity->startTime) + ", '#32770', 'Left behind', 0, 0)");
  Exec(insert + "(" + std::to_string(collected) + ", 1, '#32770', 'Left behind', 0, 0)");
  EXPECT_EQ(Rows(), 4);

  EXPECT_EQ(windows_.FindWindowA("#32770", "Left behind"), nullptr);
  EXPECT_EQ(windows_.FindWindowA("#32770", nullptr), live->Handle());
  EXPECT_EQ(Rows(), 1);
}

// Rows that no window host wrote, as any program of the user could put there: a window of a
// live process that serves no messages, with nobody or someone else listening in its owner's
// place, and rows whose numbers are no process. None of them reaches a program, none waits, and
// none breaks a search.
TEST_F(WindowDirectoryTest, ForgedWindowsReachNoProgramAndRowsOfNoProcessMatchNothing) {
  auto live = host_.Show("#32770", "Live", nullptr, 0, {});
  QuietChild child;
  const pid_t quiet = child.Pid();
  const auto quietIdentity = standin::RunningProcess(quiet);
  ASSERT_TRUE(quietIdentity);
  const std::string insert =
      "INSERT INTO windows(pid, started, class, title, parent, control) VALUES";
  Exec(insert + "(" + std::to_string(quiet) + ", " + std::to_string(quietIdentity->startTime) +
       ", '#32770', 'Forged', 0, 0)");
  // A row cannot be told from a window of a live process; its messages reach nobody.
  const HWND forged = windows_.FindWindowA("#32770", "Forged");
  ASSERT_NE(forged, nullptr);
  const auto began = std::chrono::steady_clock::now();
  const auto secret = reinterpret_cast<LPARAM>("secret");
  EXPECT_FALSE(windows_.PostMessageA(forged, WM_COMMAND, 1, 0));
  EXPECT_EQ(errors_.GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
  EXPECT_EQ(windows_.SendMessageA(forged, WM_SETTEXT, 0, secret), 0);
  EXPECT_EQ(errors_.GetLastError(), ERROR_INVALID_WINDOW_HANDLE);

  // This process listens in the owner's place: it is not the owner, and hears nothing.
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const auto socket = standin::MessageEndpoint::SocketOf(runtime_.Folder(), quiet);
  std::strncpy(address.sun_path, socket.c_str(), sizeof(address.sun_path) - 1);
  const UniqueFd listener(::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
  ASSERT_EQ(::bind(listener.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address)),
            0);
  ASSERT_EQ(::listen(listener.Get(), 8), 0);
  EXPECT_FALSE(windows_.PostMessageA(forged, WM_COMMAND, 1, 0));
  EXPECT_EQ(errors_.GetLastError(), ERROR_ACCESS_DENIED);
  EXPECT_EQ(windows_.SendMessageA(forged, WM_SETTEXT, 0, secret), 0);
  EXPECT_EQ(errors_.GetLastError(), ERROR_ACCESS_DENIED);
  int connections = 0;
  for (UniqueFd peer(::accept4(listener.Get(), nullptr, nullptr, SOCK_CLOEXEC)); peer.Valid();
       peer = UniqueFd(::accept4(listener.Get(), nullptr, nullptr, SOCK_CLOEXEC))) {
    ++connections;
    char byte;
    EXPECT_LE(::recv(peer.Get(), &byte, 1, MSG_DONTWAIT), 0) << "a message reached the impostor";
  }
  EXPECT_EQ(connections, 2);
  EXPECT_LT(std::chrono::steady_clock::now() - began, std::chrono::seconds(1));
  child.End();

  // Numbers that are no process: none, every process, and this process's number plus 2^32.
  const standin::ProcessIdentity self = standin::CurrentProcess();
  for (const std::int64_t pid :
       {std::int64_t{0}, std::int64_t{-1}, (std::int64_t{1} << 32) + self.pid}) {
    Exec(insert + "(" + std::to_string(pid) + ", " + std::to_string(self.startTime) +
         ", '#32770', 'No process', 0, 0)");
  }
  EXPECT_EQ(windows_.FindWindowA("#32770", "No process"), nullptr);
  EXPECT_EQ(windows_.FindWindowA("#32770", "Forged"), nullptr) << "its owner has ended";
  EXPECT_EQ(Rows(), 1);
}

TEST_F(WindowDirectoryTest, FolderIsOwnerOnlyAndOneThatIsNotOursIsLeftAlone) {
  struct stat info {};
  ASSERT_EQ(::lstat(runtime_.Folder().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  ::chmod(runtime_.Folder().c_str(), 0755);
  EXPECT_EQ(standin::RuntimeDirectory(), runtime_.Folder());
  ::lstat(runtime_.Folder().c_str(), &info);
  EXPECT_EQ(info.st_mode & 0777, 0700u);

  // A link planted in its place is not followed.
  const std::filesystem::path elsewhere = runtime_.Folder().parent_path() / "elsewhere";
  std::filesystem::create_directory(elsewhere);
  std::filesystem::remove_all(runtime_.Folder());
  std::filesystem::create_directory_symlink(elsewhere, runtime_.Folder());
  EXPECT_FALSE(standin::RuntimeDirectory());
  standin::WindowHost planted(standin::RuntimeDirectory());
  EXPECT_EQ(planted.Show("#32770", "Planted", nullptr, 0, {}), nullptr);
  EXPECT_EQ(standin::DirectoryWindows().FindWindowA(nullptr, nullptr), nullptr);
  EXPECT_TRUE(std::filesystem::is_empty(elsewhere));

  if (::geteuid() != 0) GTEST_SKIP() << "changing a folder's owner needs root";
  std::filesystem::remove(runtime_.Folder());
  std::filesystem::create_directory(runtime_.Folder());
  ASSERT_EQ(::chown(runtime_.Folder().c_str(), 65534, 65534), 0);
  EXPECT_FALSE(standin::RuntimeDirectory());
}

TEST_F(WindowDirectoryTest, PostedMessagesQueueWithoutWaitingAndArriveInOrder) {
  auto target = Recording("Target");
  const HWND window = target->Handle();
  EXPECT_TRUE(windows_.PostMessageA(window, WM_COMMAND, MAKEWPARAM(1060, BN_CLICKED), -5));
  EXPECT_TRUE(windows_.PostMessageA(window, 0x8001, ~WPARAM{0}, LPARAM{1} << 40));
  EXPECT_TRUE(windows_.PostMessageA(window, WM_COMMAND, 3, 0));
  // Nothing is handled until the owner dispatches its events.
  EXPECT_TRUE(received_.empty());
  EXPECT_TRUE(WaitFor([&] { return received_.size() == 3; }));
  EXPECT_THAT(received_,
              ElementsAre(Message{WM_COMMAND, 1060, -5},
                          Message{0x8001, ~WPARAM{0}, LPARAM{1} << 40}, Message{WM_COMMAND, 3, 0}));

  // A text cannot travel with a posted message; this process cannot wait for itself.
  EXPECT_FALSE(windows_.PostMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("x")));
  EXPECT_EQ(errors_.GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(windows_.SendMessageA(window, WM_COMMAND, 0, 0), 0);
  EXPECT_EQ(errors_.GetLastError(), ERROR_INVALID_PARAMETER);
  target.reset();
  EXPECT_FALSE(windows_.PostMessageA(window, WM_COMMAND, 0, 0));
  EXPECT_EQ(errors_.GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
  EXPECT_EQ(received_.size(), 3u);
}

// A client of this process's endpoint that writes raw bytes, as any program of the user could.
class RawClient {
 public:
  explicit RawClient(const std::filesystem::path& socket)
      : fd_(::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0)) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socket.c_str(), sizeof(address.sun_path) - 1);
    connected_ =
        ::connect(fd_.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
  }
  bool Send(const std::string& bytes) {
    return connected_ && ::send(fd_.Get(), bytes.data(), bytes.size(), MSG_NOSIGNAL) >= 0;
  }
  // The answer, or nothing once the endpoint closed the connection without one.
  std::optional<LRESULT> Answer() {
    pollfd wait{fd_.Get(), POLLIN, 0};
    if (!WaitFor([&] { return ::poll(&wait, 1, 0) > 0; })) return std::nullopt;
    char bytes[16];
    const ssize_t n = ::recv(fd_.Get(), bytes, sizeof(bytes), MSG_DONTWAIT);
    return n > 0 ? standin::DecodeAnswer({bytes, static_cast<std::size_t>(n)}) : std::nullopt;
  }

 private:
  UniqueFd fd_;
  bool connected_ = false;
};

TEST_F(WindowDirectoryTest, BytesThatAreNoMessageAreDroppedAndTheEndpointServesOn) {
  auto target = Recording("Target", 42);
  const std::filesystem::path socket =
      standin::MessageEndpoint::SocketOf(runtime_.Folder(), ::getpid());
  const std::string good =
      Encode(MessagePacket{Delivery::Sent, target->Handle(), WM_SETTEXT, 0, 0, "example.com"});
  const auto patched = [&](std::size_t at, char byte) {
    std::string bytes = good;
    bytes[at] = byte;
    return bytes;
  };
  const std::pair<const char*, std::string> bad[] = {
      {"no bytes", ""},
      {"not a packet", "hello"},
      {"another magic", patched(0, 'X')},
      {"unknown delivery", patched(4, 9)},
      {"cut short", good.substr(0, good.size() - 1)},
      {"longer than it says", good + "x"},
      {"a NUL in the text", patched(good.size() - 3, '\0')},
      {"too large", good + std::string(standin::kMaxPacketBytes, 'x')},
  };
  for (const auto& [name, bytes] : bad) {
    RawClient client(socket);
    ASSERT_TRUE(client.Send(bytes)) << name;
    EXPECT_EQ(client.Answer(), std::nullopt) << name;
  }
  EXPECT_TRUE(received_.empty());

  RawClient unknownWindow(socket);
  unknownWindow.Send(Encode(MessagePacket{Delivery::Sent, reinterpret_cast<HWND>(0x7FFFFFFF),
                                          WM_COMMAND, 0, 0, std::nullopt}));
  EXPECT_EQ(unknownWindow.Answer(), 0);
  RawClient client(socket);
  ASSERT_TRUE(client.Send(good));
  EXPECT_EQ(client.Answer(), 42);
  EXPECT_THAT(texts_, ElementsAre("example.com"));
}

// Connects to `socket` from a child process, as user nobody when `asOtherUser`, and sends
// `bytes`: 10 when the connection was refused for lack of access, 20 when the endpoint
// closed it without answering, 30 when it answered.
int SendFromChild(const std::filesystem::path& socket, const std::string& bytes, bool asOtherUser) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, socket.c_str(), sizeof(address.sun_path) - 1);
  const pid_t child = ::fork();
  if (child == 0) {
    // Only system calls from here on: the child of a threaded process.
    if (asOtherUser &&
        (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)) {
      ::_exit(1);
    }
    const int fd = ::socket(AF_UNIX, SOCK_SEQPACKET, 0);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0) {
      ::_exit(errno == EACCES ? 10 : 2);
    }
    if (::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) < 0) ::_exit(3);
    char answer[16];
    const ssize_t n = ::recv(fd, answer, sizeof(answer), 0);
    // Closed unread, the connection may also end in a reset.
    ::_exit(n > 0 ? 30 : n == 0 || errno == ECONNRESET ? 20 : 4);
  }
  int status = 0;
  WaitFor([&] { return ::waitpid(child, &status, WNOHANG) == child; });
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(WindowDirectoryTest, AnotherUsersMessagesAreRefusedEvenWhereTheFolderLetsThemIn) {
  if (::geteuid() != 0) GTEST_SKIP() << "acting as another user needs root";
  auto target = Recording("Target", 1);
  const std::filesystem::path socket =
      standin::MessageEndpoint::SocketOf(runtime_.Folder(), ::getpid());
  const std::string bytes =
      Encode(MessagePacket{Delivery::Sent, target->Handle(), WM_SETTEXT, 0, 0, "intruder"});

  EXPECT_EQ(SendFromChild(socket, bytes, true), 10);
  for (const auto& folder : {runtime_.Folder().parent_path(), runtime_.Folder()}) {
    ::chmod(folder.c_str(), 0711);
  }
  ::chmod(socket.c_str(), 0666);
  EXPECT_EQ(SendFromChild(socket, bytes, true), 20);
  EXPECT_TRUE(texts_.empty());
  // The same from this user is taken.
  EXPECT_EQ(SendFromChild(socket, bytes, false), 30);
  EXPECT_THAT(texts_, ElementsAre("intruder"));
}

}  // namespace
