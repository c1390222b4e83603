#include "platform/linux/MessageEndpoint.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/linux/MessagePacket.h"

namespace standin {
namespace {

// Connections that have not delivered their message yet; past this, the oldest goes.
constexpr std::size_t kMaxWaitingConnections = 32;
// A connection that delivers nothing for this long is dropped.
constexpr qint64 kIdleConnectionMs = 2000;

// The listening socket at `path`, or an invalid one.
UniqueFd Listen(const std::filesystem::path& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.native().size() >= sizeof(address.sun_path)) return {};
  std::memcpy(address.sun_path, path.c_str(), path.native().size() + 1);
  UniqueFd fd(::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
  if (!fd.Valid()) return {};
  // What is there was left by an ended process that had this number.
  ::unlink(path.c_str());
  if (::bind(fd.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0 ||
      ::chmod(path.c_str(), 0600) != 0 || ::listen(fd.Get(), 64) != 0) {
    return {};
  }
  return fd;
}

bool FromThisUser(int fd) {
  ucred peer{};
  socklen_t size = sizeof(peer);
  return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == ::geteuid();
}

}  // namespace

struct MessageEndpoint::Connection {
  UniqueFd fd;
  std::unique_ptr<QSocketNotifier> notifier;
  QElapsedTimer age;
};

MessageEndpoint::MessageEndpoint(const std::filesystem::path& folder)
    : path_(SocketOf(folder, ::getpid())), listener_(Listen(path_)) {
  if (!listener_.Valid()) return;
  expiry_.setSingleShot(true);
  QObject::connect(&expiry_, &QTimer::timeout, &expiry_, [this] { Drain(); });
  notifier_ = std::make_unique<QSocketNotifier>(listener_.Get(), QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                   [this] { AcceptPending(); });
}

MessageEndpoint::~MessageEndpoint() {
  connections_.clear();
  notifier_.reset();
  if (listener_.Valid()) ::unlink(path_.c_str());
}

std::filesystem::path MessageEndpoint::SocketOf(const std::filesystem::path& folder, pid_t pid) {
  return folder / (std::to_string(pid) + ".socket");
}

void MessageEndpoint::Serve(HWND window, Procedure procedure) {
  procedures_[window] = std::move(procedure);
}

void MessageEndpoint::Forget(HWND window) {
  procedures_.erase(window);
}

void MessageEndpoint::AcceptPending() {
  while (true) {
    UniqueFd fd(::accept4(listener_.Get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
    if (!fd.Valid()) break;
    // Another user reaches this socket only where the folder was opened up to them; even
    // then nothing of theirs is read.
    if (!FromThisUser(fd.Get())) continue;
    if (connections_.size() >= kMaxWaitingConnections) connections_.pop_front();
    auto connection = std::make_unique<Connection>();
    connection->fd = std::move(fd);
    connection->notifier =
        std::make_unique<QSocketNotifier>(connection->fd.Get(), QSocketNotifier::Read);
    connection->age.start();
    QObject::connect(connection->notifier.get(), &QSocketNotifier::activated,
                     connection->notifier.get(), [this] { Drain(); });
    connections_.push_back(std::move(connection));
  }
  Drain();
}

void MessageEndpoint::Drain() {
  while (!connections_.empty()) {
    Connection& first = *connections_.front();
    std::string bytes(kMaxPacketBytes + 1, '\0');
    const ssize_t received = ::recv(first.fd.Get(), bytes.data(), bytes.size(), 0);
    if (received < 0 && (errno == EAGAIN || errno == EINTR)) {
      // Messages are taken in the order their connections came; a connection that is slow
      // to deliver holds the later ones up, for a while.
      if (first.age.elapsed() < kIdleConnectionMs) {
        expiry_.start(static_cast<int>(kIdleConnectionMs - first.age.elapsed()) + 1);
        return;
      }
      connections_.pop_front();
      continue;
    }
    // Handled once and closed, whatever came: a sender writes one message a connection.
    std::unique_ptr<Connection> done = std::move(connections_.front());
    connections_.pop_front();
    // Quiet while its message is handled, which may dispatch events. Qt allows deleting the
    // notifier whose signal is being handled, which happens when `done` goes.
    done->notifier->setEnabled(false);
    if (received > 0) {
      bytes.resize(static_cast<std::size_t>(received));
      Handle(bytes, done->fd.Get());
    }
  }
}

void MessageEndpoint::Handle(const std::string& bytes, int fd) {
  const auto packet = Decode(bytes);
  if (!packet) return;
  LRESULT result = 0;
  // A copy: the handler may close its own window while it runs.
  if (const auto found = procedures_.find(packet->window);
      found != procedures_.end() && found->second) {
    const Procedure procedure = found->second;
    const LPARAM lParam =
        packet->text ? reinterpret_cast<LPARAM>(packet->text->c_str()) : packet->lParam;
    result = procedure(packet->message, packet->wParam, lParam);
  }
  if (packet->delivery == Delivery::Sent) {
    const std::string answer = EncodeAnswer(result);
    ::send(fd, answer.data(), answer.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
  }
}

}  // namespace standin
