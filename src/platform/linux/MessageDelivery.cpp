#include "platform/linux/MessageDelivery.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/linux/MessageEndpoint.h"
#include "platform/linux/UniqueFd.h"

namespace standin {
namespace {

using Clock = std::chrono::steady_clock;

// Connected without waiting: a full queue of connections fails rather than blocks.
UniqueFd Connect(const std::filesystem::path& path, DWORD& error) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  error = ERROR_INVALID_WINDOW_HANDLE;
  if (path.native().size() >= sizeof(address.sun_path)) return {};
  std::memcpy(address.sun_path, path.c_str(), path.native().size() + 1);
  UniqueFd fd(::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
  if (!fd.Valid()) return {};
  if (::connect(fd.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0) {
    if (errno == EAGAIN) error = ERROR_NOT_ENOUGH_QUOTA;
    return {};
  }
  return fd;
}

bool ListenedToBy(int fd, const ProcessIdentity& owner) {
  ucred peer{};
  socklen_t size = sizeof(peer);
  return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == ::geteuid() &&
         peer.pid == owner.pid;
}

std::optional<LRESULT> AwaitAnswer(int fd, std::chrono::milliseconds bound, DWORD& error) {
  const Clock::time_point deadline = Clock::now() + bound;
  while (true) {
    const Clock::time_point now = Clock::now();
    if (now >= deadline) {
      error = ERROR_TIMEOUT;
      return std::nullopt;
    }
    pollfd wait{fd, POLLIN, 0};
    // Rounded up, so the wait never ends before the bound.
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - now);
    const int ready = ::poll(&wait, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready == 0) continue;  // the deadline check above ends the wait
    char bytes[16];
    const ssize_t received = ::recv(fd, bytes, sizeof(bytes), MSG_DONTWAIT);
    if (received < 0 && (errno == EAGAIN || errno == EINTR)) continue;
    // Closed without an answer: the owner ended meanwhile, or refused the message.
    const auto answer =
        received > 0 ? DecodeAnswer({bytes, static_cast<std::size_t>(received)}) : std::nullopt;
    if (!answer) error = ERROR_INVALID_WINDOW_HANDLE;
    return answer;
  }
}

}  // namespace

std::optional<LRESULT> Deliver(const std::filesystem::path& folder, const ProcessIdentity& owner,
                               const MessagePacket& packet, std::chrono::milliseconds bound,
                               DWORD& error) {
  const std::string bytes = Encode(packet);
  if (bytes.empty()) {
    error = ERROR_INVALID_PARAMETER;
    return std::nullopt;
  }
  const UniqueFd fd = Connect(MessageEndpoint::SocketOf(folder, owner.pid), error);
  if (!fd.Valid()) return std::nullopt;
  if (!ListenedToBy(fd.Get(), owner)) {
    error = ERROR_ACCESS_DENIED;
    return std::nullopt;
  }
  if (::send(fd.Get(), bytes.data(), bytes.size(), MSG_DONTWAIT | MSG_NOSIGNAL) !=
      static_cast<ssize_t>(bytes.size())) {
    error = errno == EAGAIN ? ERROR_NOT_ENOUGH_QUOTA : ERROR_INVALID_WINDOW_HANDLE;
    return std::nullopt;
  }
  if (packet.delivery == Delivery::Posted) return 0;
  return AwaitAnswer(fd.Get(), bound, error);
}

}  // namespace standin
