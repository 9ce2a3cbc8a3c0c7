#pragma once
// Modbus frames as the data service sends and checks them: request PDUs for
// the three functions it uses (0x03 read, 0x06 write one, 0x10 write many),
// the RTU and TCP envelopes around them, and the checks that tie an answer
// to its request. An RTU answer carries no transaction id, so these checks
// are all that stops a late answer from being taken for the next request:
// every answer must name the request's function (or its exception form), its
// unit, and for writes echo the request's address and value or count.
//
// Plain functions on byte buffers, no state; any thread.
#include "host/drive_error.h"
#include "host/host_api.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace mbframe {

using Bytes = std::vector<uint8_t>;

inline constexpr uint8_t kReadHolding = 0x03;
inline constexpr uint8_t kWriteSingle = 0x06;
inline constexpr uint8_t kWriteMultiple = 0x10;
inline constexpr int kTcpHeader = 7;   // transaction id, protocol id, length, unit

ECAM_HOST_API Bytes ReadRequest(uint16_t address, uint16_t count);
ECAM_HOST_API Bytes WriteSingleRequest(uint16_t address, uint16_t value);
ECAM_HOST_API Bytes WriteMultipleRequest(uint16_t address, const uint16_t* words, uint16_t count);

// CRC-16 of the RTU trailer (polynomial 0xA001, start 0xFFFF); sent low byte first.
ECAM_HOST_API uint16_t Crc16(const uint8_t* data, std::size_t size);
ECAM_HOST_API Bytes RtuAdu(uint8_t unit, const Bytes& pdu);
ECAM_HOST_API Bytes TcpAdu(uint16_t transaction, uint8_t unit, const Bytes& pdu);

// Length of the answer PDU to `request`, judged from the first `have` bytes
// of the answer PDU: 0 while more bytes are needed to tell, -1 when these
// bytes cannot start an answer to this request (another function, or a read
// whose byte count is not twice the requested count).
ECAM_HOST_API int AnswerPduLength(const Bytes& request, const uint8_t* answer, std::size_t have);

// A complete answer PDU against its request: Ok, the drive's exception
// (fc | 0x80 with its code), or BadAnswer for anything that is not exactly
// the answer to this request.
ECAM_HOST_API DriveError CheckAnswer(const Bytes& request, const Bytes& answer);

// A whole RTU answer frame: BadAnswer on a wrong CRC or another unit;
// otherwise Ok and *pdu holds the frame without address and CRC.
ECAM_HOST_API DriveError UnwrapRtu(uint8_t unit, const uint8_t* frame, std::size_t size, Bytes* pdu);
// A TCP answer header: BadAnswer unless it carries our transaction id,
// protocol 0, our unit and a length a PDU can have; then *pduLength is the
// number of PDU bytes that follow.
ECAM_HOST_API DriveError CheckTcpHeader(uint16_t transaction, uint8_t unit, const uint8_t* header, int* pduLength);

} // namespace mbframe
