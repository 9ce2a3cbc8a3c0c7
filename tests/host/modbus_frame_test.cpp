// Frames of the data service byte for byte, and every way an answer (or its
// envelope) can fail to be the answer to its request.
#include "host/modbus_frame.h"

#include <gtest/gtest.h>

using namespace mbframe;

namespace {

const DriveError kOk;
const DriveError kBad(DriveError::BadAnswer);

} // namespace

TEST(ModbusFrame, AnAnswerMustAnswerItsOwnRequest)
{
    // The textbook frame: unit 1 reads 10 registers from 0, CRC C5 CD.
    EXPECT_EQ(RtuAdu(1, ReadRequest(0x0000, 10)), (Bytes{0x01, 0x03, 0x00, 0x00, 0x00, 0x0A, 0xC5, 0xCD}));
    EXPECT_EQ(WriteSingleRequest(0x1B0A, 0xFFFB), (Bytes{0x06, 0x1B, 0x0A, 0xFF, 0xFB}));
    const uint16_t words[2] = {0x1DC0, 0xFFFE};   // low word first, as the caller orders them
    EXPECT_EQ(WriteMultipleRequest(0x4000, words, 2),
              (Bytes{0x10, 0x40, 0x00, 0x00, 0x02, 0x04, 0x1D, 0xC0, 0xFF, 0xFE}));
    EXPECT_EQ(TcpAdu(0x1234, 7, ReadRequest(0x4002, 2)),
              (Bytes{0x12, 0x34, 0x00, 0x00, 0x00, 0x06, 0x07, 0x03, 0x40, 0x02, 0x00, 0x02}));

    const Bytes read = ReadRequest(0x4000, 2);
    const Bytes write16 = WriteSingleRequest(0x4000, 0x0102);
    const uint16_t thousand[2] = {0x03E8, 0x0000};
    const Bytes write32 = WriteMultipleRequest(0x4000, thousand, 2);

    EXPECT_EQ(CheckAnswer(read, {0x03, 0x04, 0x03, 0xE8, 0x00, 0x00}), kOk);
    EXPECT_EQ(CheckAnswer(write16, {0x06, 0x40, 0x00, 0x01, 0x02}), kOk);
    EXPECT_EQ(CheckAnswer(write32, {0x10, 0x40, 0x00, 0x00, 0x02}), kOk);
    EXPECT_EQ(CheckAnswer(write32, {0x90, 0x03}), DriveError::FromException(3));

    const std::pair<Bytes, Bytes> wrong[] = {
        {read, {0x03, 0x02, 0x03, 0xE8}},                     // one register where two were asked
        {read, {0x03, 0x04, 0x03, 0xE8, 0x00}},               // count right, data short
        {read, {0x06, 0x40, 0x00, 0x01, 0x02}},               // another function: an old write's echo
        {read, {0x86, 0x02}},                                 // another function's exception
        {write16, {0x06, 0x40, 0x02, 0x01, 0x02}},            // echo of another address
        {write16, {0x06, 0x40, 0x00, 0x01, 0x03}},            // echo of another value
        {write32, {0x10, 0x40, 0x02, 0x00, 0x02}},            // the previous field's echo
        {write32, {0x10, 0x40, 0x00, 0x00, 0x01}},            // another count
        {write32, {0x10, 0x40, 0x00, 0x00, 0x02, 0x00}},      // a byte too many
        {write32, {}},
    };
    for (const auto& [request, answer] : wrong)
        EXPECT_EQ(CheckAnswer(request, answer), kBad) << testing::PrintToString(answer);

    // Envelopes name the unit and the transaction: another unit's answer, a
    // damaged one and the previous request's are scripted faults of the
    // simulated drive (link_fault_test.cpp); here what it never sends.
    Bytes pdu;
    const Bytes good = RtuAdu(5, {0x06, 0x40, 0x00, 0x01, 0x02});
    ASSERT_EQ(UnwrapRtu(5, good.data(), good.size(), &pdu), kOk);
    EXPECT_EQ(pdu, (Bytes{0x06, 0x40, 0x00, 0x01, 0x02}));
    EXPECT_EQ(UnwrapRtu(5, good.data(), 3, &pdu), kBad);

    int length = -1;
    const uint8_t header[kTcpHeader] = {0x00, 0x2A, 0x00, 0x00, 0x00, 0x07, 0x01};
    ASSERT_EQ(CheckTcpHeader(0x002A, 1, header, &length), kOk);
    EXPECT_EQ(length, 6);
    const uint8_t protocol[kTcpHeader] = {0x00, 0x2A, 0x00, 0x01, 0x00, 0x07, 0x01};
    EXPECT_EQ(CheckTcpHeader(0x002A, 1, protocol, &length), kBad);
    const uint8_t empty[kTcpHeader] = {0x00, 0x2A, 0x00, 0x00, 0x00, 0x02, 0x01};
    EXPECT_EQ(CheckTcpHeader(0x002A, 1, empty, &length), kBad);
}
