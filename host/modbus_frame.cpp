#include "host/modbus_frame.h"

#include <algorithm>

namespace mbframe {
namespace {

void Put16(Bytes& b, uint16_t v)
{
    b.push_back(uint8_t(v >> 8));
    b.push_back(uint8_t(v & 0xFF));
}

uint16_t Get16(const uint8_t* p)
{
    return uint16_t((p[0] << 8) | p[1]);
}

DriveError Bad()
{
    return DriveError(DriveError::BadAnswer);
}

} // namespace

Bytes ReadRequest(uint16_t address, uint16_t count)
{
    Bytes b{kReadHolding};
    Put16(b, address);
    Put16(b, count);
    return b;
}

Bytes WriteSingleRequest(uint16_t address, uint16_t value)
{
    Bytes b{kWriteSingle};
    Put16(b, address);
    Put16(b, value);
    return b;
}

Bytes WriteMultipleRequest(uint16_t address, const uint16_t* words, uint16_t count)
{
    Bytes b{kWriteMultiple};
    Put16(b, address);
    Put16(b, count);
    b.push_back(uint8_t(2 * count));
    for (uint16_t i = 0; i < count; ++i)
        Put16(b, words[i]);
    return b;
}

uint16_t Crc16(const uint8_t* data, std::size_t size)
{
    uint16_t crc = 0xFFFF;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? uint16_t((crc >> 1) ^ 0xA001) : uint16_t(crc >> 1);
    }
    return crc;
}

Bytes RtuAdu(uint8_t unit, const Bytes& pdu)
{
    // Sized once: growing a one-byte vector by insert trips GCC 12's
    // -Warray-bounds false positive inside the library's memmove.
    Bytes b(1 + pdu.size() + 2);
    b[0] = unit;
    std::copy(pdu.begin(), pdu.end(), b.begin() + 1);
    const uint16_t crc = Crc16(b.data(), 1 + pdu.size());
    b[1 + pdu.size()] = uint8_t(crc & 0xFF);
    b[2 + pdu.size()] = uint8_t(crc >> 8);
    return b;
}

Bytes TcpAdu(uint16_t transaction, uint8_t unit, const Bytes& pdu)
{
    Bytes b;
    Put16(b, transaction);
    Put16(b, 0);
    Put16(b, uint16_t(pdu.size() + 1));
    b.push_back(unit);
    b.insert(b.end(), pdu.begin(), pdu.end());
    return b;
}

int AnswerPduLength(const Bytes& request, const uint8_t* answer, std::size_t have)
{
    if (request.empty())
        return -1;
    if (have < 1)
        return 0;
    const uint8_t fc = request[0];
    if (answer[0] == (fc | 0x80))
        return 2;
    if (answer[0] != fc)
        return -1;
    if (fc != kReadHolding)
        return 5;   // 0x06 and 0x10 echo address and value or count
    if (have < 2)
        return 0;
    const int count = request.size() >= 5 ? Get16(&request[3]) : 0;
    return answer[1] == 2 * count ? 2 + answer[1] : -1;
}

DriveError CheckAnswer(const Bytes& request, const Bytes& answer)
{
    const int length = AnswerPduLength(request, answer.data(), answer.size());
    if (length <= 0 || answer.size() != std::size_t(length) || request.size() < 5)
        return Bad();
    if (answer[0] & 0x80)
        return DriveError::FromException(answer[1]);
    // A write's echo must name what was asked, else it answers another
    // request (a late one) and the value may never have been stored.
    if (request[0] == kWriteSingle || request[0] == kWriteMultiple)
        return std::equal(request.begin() + 1, request.begin() + 5, answer.begin() + 1) ? DriveError() : Bad();
    return DriveError();
}

DriveError UnwrapRtu(uint8_t unit, const uint8_t* frame, std::size_t size, Bytes* pdu)
{
    if (size < 4)
        return Bad();
    const uint16_t crc = uint16_t(frame[size - 2] | (frame[size - 1] << 8));
    if (crc != Crc16(frame, size - 2) || frame[0] != unit)
        return Bad();
    pdu->assign(frame + 1, frame + size - 2);
    return DriveError();
}

DriveError CheckTcpHeader(uint16_t transaction, uint8_t unit, const uint8_t* header, int* pduLength)
{
    const int length = Get16(header + 4) - 1;
    if (Get16(header) != transaction || Get16(header + 2) != 0 || header[6] != unit || length < 2 || length > 253)
        return Bad();
    *pduLength = length;
    return DriveError();
}

} // namespace mbframe
