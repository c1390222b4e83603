#pragma once
// The form in which one window message travels from its sender's process to the process
// that owns the window, and the answer to a sent message on its way back.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/WinTypes.h"

namespace standin {

enum class Delivery : std::uint32_t { Posted = 1, Sent = 2 };

struct MessagePacket {
  Delivery delivery = Delivery::Posted;
  HWND window = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  // The zero-terminated text that lParam points to in the sender, for WM_SETTEXT.
  std::optional<std::string> text;
};

// Larger packets are refused whole, by both ends.
inline constexpr std::size_t kMaxPacketBytes = 64 * 1024;

// Empty when the packet does not fit in kMaxPacketBytes.
std::string Encode(const MessagePacket& packet);
// Nothing for bytes that are not one whole, well-formed packet.
std::optional<MessagePacket> Decode(std::string_view bytes);

std::string EncodeAnswer(LRESULT result);
std::optional<LRESULT> DecodeAnswer(std::string_view bytes);

}  // namespace standin
