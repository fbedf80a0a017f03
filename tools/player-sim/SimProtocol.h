#pragma once
// The console's replies that a player reads, as the console sends them.

namespace lum::sim {

inline constexpr const char* kDiscoveryKeyword = "LUMServer";
inline constexpr const char* kLoginReplyPrefix = "230 User successfully logged in group [";
inline constexpr const char* kPassiveReplyPrefix = "227 Entering Passive Mode (";
inline constexpr const char* kDataSocketClosed = "DataSocket Connection closed";
inline constexpr const char* kNoopReply = "200 OK";
inline constexpr int kReplyGreeting = 220;        // also what QUIT and login refusals answer
inline constexpr int kReplyPasswordRequired = 331;
inline constexpr int kReplyLoggedIn = 230;
inline constexpr int kReplyPassive = 227;
inline constexpr int kReplyPortOk = 200;
inline constexpr int kReplyRestart = 350;
inline constexpr int kReplyOpening = 125;
inline constexpr int kReplySize = 213;
inline constexpr int kReplyAliveAck = 601;
// Operator command lines the console sends on its own (a code, a blank and a text).
inline constexpr int kFirstCommandCode = 602;
inline constexpr int kLastCommandCode = 662;

}  // namespace lum::sim
