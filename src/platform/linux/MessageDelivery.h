#pragma once

#include <chrono>
#include <filesystem>
#include <optional>

#include "platform/WinTypes.h"
#include "platform/linux/MessagePacket.h"
#include "platform/linux/ProcessIdentity.h"

namespace standin {

// Hands one message to the endpoint of `owner` in `folder`, checking first that the endpoint
// belongs to that process of the current user. A posted message is only queued, and its
// answer is 0. A sent message waits for the owner's answer, at most `bound`. Nothing, with
// `error` set, when the message cannot be delivered or answered.
std::optional<LRESULT> Deliver(const std::filesystem::path& folder, const ProcessIdentity& owner,
                               const MessagePacket& packet, std::chrono::milliseconds bound,
                               DWORD& error);

}  // namespace standin
