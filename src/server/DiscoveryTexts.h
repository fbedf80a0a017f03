#pragma once
// Fixed texts of the discovery responder.

namespace lum::discoverytext {

// What players send to find the console; any leading part of it counts, in any letter case.
inline constexpr const char* kKeyword = "LUMServer";
// The operator notice for a datagram that did not fit the receive buffer.
inline constexpr const char* kDatagramTooLarge = "The datagram was too large and was truncated";

}  // namespace lum::discoverytext
