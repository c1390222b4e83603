#include "platform/linux/MessagePacket.h"

#include <cstdint>
#include <cstring>

namespace standin {
namespace {

constexpr std::uint32_t kMagic = 0x314D5756;  // "VWM1"

// Both ends run on the same machine, so the fields travel in its own byte order.
struct Header {
  std::uint32_t magic;
  std::uint32_t delivery;
  std::uint64_t window;
  std::uint64_t wParam;
  std::int64_t lParam;
  std::uint32_t message;
  std::uint32_t textLength;  // 0xFFFFFFFF: no text
};

constexpr std::uint32_t kNoText = 0xFFFFFFFF;

}  // namespace

std::string Encode(const MessagePacket& packet) {
  const std::size_t textLength = packet.text ? packet.text->size() : 0;
  if (sizeof(Header) + textLength > kMaxPacketBytes) return {};
  const Header header{kMagic,
                      static_cast<std::uint32_t>(packet.delivery),
                      reinterpret_cast<std::uintptr_t>(packet.window),
                      packet.wParam,
                      packet.lParam,
                      packet.message,
                      packet.text ? static_cast<std::uint32_t>(textLength) : kNoText};
  std::string bytes(sizeof(header), '\0');
  std::memcpy(bytes.data(), &header, sizeof(header));
  if (packet.text) bytes += *packet.text;
  return bytes;
}

std::optional<MessagePacket> Decode(std::string_view bytes) {
  Header header{};
  if (bytes.size() < sizeof(header) || bytes.size() > kMaxPacketBytes) return std::nullopt;
  std::memcpy(&header, bytes.data(), sizeof(header));
  const std::string_view rest = bytes.substr(sizeof(header));
  if (header.magic != kMagic) return std::nullopt;
  if (header.delivery != static_cast<std::uint32_t>(Delivery::Posted) &&
      header.delivery != static_cast<std::uint32_t>(Delivery::Sent)) {
    return std::nullopt;
  }
  MessagePacket packet{static_cast<Delivery>(header.delivery),
                       reinterpret_cast<HWND>(static_cast<std::uintptr_t>(header.window)),
                       header.message,
                       static_cast<WPARAM>(header.wParam),
                       static_cast<LPARAM>(header.lParam),
                       std::nullopt};
  if (header.textLength == kNoText) {
    if (!rest.empty()) return std::nullopt;
    return packet;
  }
  // A zero-terminated text holds no NUL of its own.
  if (rest.size() != header.textLength || rest.find('\0') != std::string_view::npos) {
    return std::nullopt;
  }
  packet.text = std::string(rest);
  return packet;
}

std::string EncodeAnswer(LRESULT result) {
  const auto value = static_cast<std::int64_t>(result);
  std::string bytes(sizeof(value), '\0');
  std::memcpy(bytes.data(), &value, sizeof(value));
  return bytes;
}

std::optional<LRESULT> DecodeAnswer(std::string_view bytes) {
  std::int64_t value = 0;
  if (bytes.size() != sizeof(value)) return std::nullopt;
  std::memcpy(&value, bytes.data(), sizeof(value));
  return static_cast<LRESULT>(value);
}

}  // namespace standin
