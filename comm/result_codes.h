// Result codes produced by the transport.  The full table with names and texts lives with the
// command layer; these are the values the transaction engine itself returns.
#pragma once

#include <cstdint>

namespace tarsel {

constexpr uint8_t kResultSuccess = 0;
constexpr uint8_t kResultNotOpen = 1;        // ZMM_NOT_OPEN
constexpr uint8_t kResultInvalidPort = 2;    // ZMM_INVALID_PORT_NUM
constexpr uint8_t kResultInvalidSlave = 3;   // ZMM_INVALID_SLAVE_NUM
constexpr uint8_t kResultDisconnected = 5;   // ZMC_DISCONNECTED
constexpr uint8_t kResultTimeout = 6;        // ZMC_TIMEOUT_ERROR
constexpr uint8_t kResultCrcFailed = 7;      // ZMC_CRCFAILED_ERROR
constexpr uint8_t kResultPacketError = 8;    // ZMC_RECVPACKET_ERROR
constexpr uint8_t kResultPosTableError = 9;  // ZMM_POSTABLE_ERROR
constexpr uint8_t kStatusFrameTypeError = 0x80;
constexpr uint8_t kStatusDataError = 0x81;
constexpr uint8_t kStatusPacketError = 0x82;
constexpr uint8_t kStatusRequestCrcError = 0xAA;

}  // namespace tarsel
