// Read-back after a write, against the in-memory drive: the fields read and
// their order, what a damaged, refused or unreadable field turns into, the
// lines shown for it, and stop requests.
#include "drive/cam_verify.h"

#include "drive/transfer_stop.h"
#include "fake_field_io.h"

#include <gtest/gtest.h>


using namespace std::chrono_literals;
using camverify::Field;
using camverify::Mismatch;

namespace {

// The drive after a successful write of `e`, by the real write code.
void Write(FakeFieldIo& io, const camverify::Expected& e)
{
    if (e.scaling) {
        ASSERT_TRUE(puu::WriteValues(io, *e.scaling));
    }
    ASSERT_TRUE(puu::WritePointCount(io, e.pointCount));
    CCamTransfer x(io, {0ms, 1});
    const auto ignore = [](unsigned, uintptr_t) {};
    ASSERT_EQ(e.special ? x.SpecialWrite(e.table, ignore) : x.StandardWrite(e.table, ignore), camxfer::kOk);
    io.calls.clear();
}

camverify::Expected Standard(int points)
{
    return {puu::Values{131072, 360, 10000, 25}, points, Ramp(points), false};
}

std::vector<std::pair<uint16_t, uint32_t>> Walk(const FakeFieldIo& io)
{
    std::vector<std::pair<uint16_t, uint32_t>> walk;
    for (const auto& c : io.calls)
        walk.emplace_back(c.address, c.width);
    return walk;
}

} // namespace

TEST(CamVerify, CleanWritesReadEveryFieldOnceInTableOrder)
{
    // 17 standard points cross into the second group (point 16 at 0x1F00).
    FakeFieldIo io;
    const auto standard = Standard(17);
    Write(io, standard);
    CCamVerifier v(io, 10);
    std::vector<Mismatch> found = {Mismatch{}};   // stale contents are cleared
    Recorder rec;
    EXPECT_EQ(v.Verify(standard, found, rec.Fn()), camxfer::kOk);
    EXPECT_TRUE(found.empty());

    std::vector<std::pair<uint16_t, uint32_t>> walk = {{0x1B04, 32}, {0x1B03, 16}, {0x1B01, 32}, {0x1B00, 16}, {0x1B08, 16}};
    std::vector<Msg> progress;
    for (uint16_t k = 0; k < 17; ++k) {
        const uint16_t a = k < 16 ? static_cast<uint16_t>(0x1E00 + 6 * k) : 0x1F00;
        walk.insert(walk.end(), {{a, 32}, {a + 2, 32}, {a + 4, 16}, {a + 5, 16}});
        progress.push_back({camxfer::kVerifyProgress, k});
    }
    EXPECT_EQ(Walk(io), walk);
    EXPECT_EQ(CCamVerifier::FieldCount(standard), walk.size());
    EXPECT_EQ(rec.msgs, progress);

    // A special write: no scaling, two fields a point, point 25 at 0x4100.
    FakeFieldIo sio;
    const camverify::Expected special = {std::nullopt, 26, Ramp(26), true};
    Write(sio, special);
    CCamVerifier sv(sio, 10);
    rec.msgs.clear();
    EXPECT_EQ(sv.Verify(special, found, rec.Fn()), camxfer::kOk);
    EXPECT_TRUE(found.empty());
    walk = {{0x1B08, 16}};
    for (uint16_t k = 0; k < 26; ++k) {
        const uint16_t a = k < 25 ? static_cast<uint16_t>(0x4000 + 4 * k) : 0x4100;
        walk.insert(walk.end(), {{a, 32}, {a + 2, 32}});
    }
    EXPECT_EQ(Walk(sio), walk);
    EXPECT_EQ(CCamVerifier::FieldCount(special), walk.size());
    EXPECT_EQ(rec.msgs.size(), 26u);
    EXPECT_EQ(rec.msgs.back(), (Msg{camxfer::kVerifyProgress, 25}));
}

TEST(CamVerify, EveryDifferingOrUnreadableFieldIsListedWithItsLine)
{
    FakeFieldIo io;
    const auto expected = Standard(5);
    Write(io, expected);
    io.regs[0x1E12] = 0;                        // point 3 master 2995 -> 0
    io.regs[0x1E15] = 0x0007;                   // point 3 slave -21 -> 0x0007FFEB (both words count)
    io.regs[0x1B08] = 4;                        // the count
    io.regs[0x1B03] = 0xFFFF;                   // slave units, a 16-bit signed field
    io.failuresLeft[0x1B01] = 10;               // master pulses: every attempt fails
    io.failuresLeft[0x1E18] = 9;                // point 4 master: the tenth attempt reads it

    CCamVerifier v(io, 10);
    std::vector<Mismatch> found;
    EXPECT_EQ(v.Verify(expected, found), camxfer::kVerifyFailed);
    const std::vector<Mismatch> want = {
        {-1, Field::kSlaveUnit, 360, -1, false},
        {-1, Field::kMasterPulse, 10000, 0, true},
        {-1, Field::kPointCount, 5, 4, false},
        {3, Field::kMaster, 2995, 0, false},
        {3, Field::kSlave, -21, 0x0007FFEB, false},
    };
    EXPECT_EQ(found, want);
    EXPECT_EQ(io.calls.size(), CCamVerifier::FieldCount(expected) + 9 + 9);

    std::vector<std::string> lines;
    for (const Mismatch& m : found)
        lines.push_back(camverify::Describe(m));
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "从轴脉冲数对应的单位量: 写入 360, 读回 -1",
                         "主轴脉冲数: 写入 10000, 读回失败",
                         "凸轮点数: 写入 5, 读回 4",
                         "第3点 主轴位置: 写入 2995, 读回 0",
                         "第3点 从轴位置: 写入 -21, 读回 524267",
                     }));
    EXPECT_EQ(camverify::Describe({-1, Field::kSlavePulse, 131072, 0, true}), "从轴脉冲数: 写入 131072, 读回失败");
    EXPECT_EQ(camverify::Describe({-1, Field::kMasterUnit, 25, 26, false}), "主轴脉冲数对应的单位量: 写入 25, 读回 26");

    // A dead link: every field unreadable, each after exactly its attempts.
    FakeFieldIo dead;
    dead.connected = false;
    CCamVerifier d(dead, 3);
    const camverify::Expected special = {std::nullopt, 3, Ramp(3), true};
    EXPECT_EQ(d.Verify(special, found), camxfer::kVerifyFailed);
    EXPECT_EQ(found.size(), 7u);
    EXPECT_EQ(found.back(), (Mismatch{2, Field::kSlave, -14, 0, true}));
    EXPECT_EQ(dead.calls.size(), 7u * 3);
}

TEST(CamVerify, SignedSpeedsAndUnsignedSegmentCodesCompareAndShowAsTheirType)
{
    FakeFieldIo io;
    camverify::Expected e = Standard(3);
    e.table[1].speed = -1;
    e.table[1].segment = 0xFFFF;
    e.table[2].speed = -32768;
    e.table[2].segment = 1;
    Write(io, e);
    CCamVerifier v(io, 10);
    std::vector<Mismatch> found;
    EXPECT_EQ(v.Verify(e, found), camxfer::kOk);   // -1 went out sign-extended, comes back as 0xFFFF
    EXPECT_TRUE(found.empty());

    io.regs[0x1E0A] = 0x7FFF;   // point 1 speed
    io.regs[0x1E0B] = 0xFFFE;   // point 1 segment
    io.regs[0x1E11] = 0xFFFF;   // point 2 segment
    EXPECT_EQ(v.Verify(e, found), camxfer::kVerifyFailed);
    EXPECT_EQ(found, (std::vector<Mismatch>{{1, Field::kSpeed, -1, 32767, false},
                                            {1, Field::kSegment, 65535, 65534, false},
                                            {2, Field::kSegment, 1, 65535, false}}));
    EXPECT_EQ(camverify::Describe(found[0]), "第1点 标幺速度: 写入 -1, 读回 32767");
    EXPECT_EQ(camverify::Describe(found[1]), "第1点 类型: 写入 65535, 读回 65534");
    EXPECT_EQ(camverify::Describe(found[2]), "第2点 类型: 写入 1, 读回 65535");
    EXPECT_EQ(camverify::Describe({2, Field::kSpeed, -32768, -1, false}), "第2点 标幺速度: 写入 -32768, 读回 -1");
}

TEST(CamVerify, DescribeListStopsAtTheLimitAndCountsTheRest)
{
    std::vector<Mismatch> m;
    for (int i = 0; i < 5; ++i)
        m.push_back({i, Field::kMaster, i * 1000, 0, false});
    EXPECT_EQ(camverify::DescribeList(m, 3),
              "第0点 主轴位置: 写入 0, 读回 0\n第1点 主轴位置: 写入 1000, 读回 0\n第2点 主轴位置: 写入 2000, 读回 0\n共5处不一致");
    m.resize(2);
    EXPECT_EQ(camverify::DescribeList(m, 2), "第0点 主轴位置: 写入 0, 读回 0\n第1点 主轴位置: 写入 1000, 读回 0");
    EXPECT_EQ(camverify::DescribeList(m, 0), "共2处不一致");
    EXPECT_EQ(camverify::DescribeList({}, 3), "");
}

namespace {
// Requests the stop while `address` is being read, and that read fails.
class StopWhileReading : public FakeFieldIo {
public:
    StopWhileReading(CTransferStop& stop, uint16_t address) : m_stop(stop), m_address(address) {}
    bool ReadField(uint16_t address, uint32_t width, uint32_t& out) override
    {
        if (address != m_address)
            return FakeFieldIo::ReadField(address, width, out);
        m_stop.RequestStop();
        calls.push_back({address, width, 0});
        return false;
    }

private:
    CTransferStop& m_stop;
    uint16_t m_address;
};
} // namespace

TEST(CamVerify, StopEndsAtTheNextFieldAndListsNothingUnread)
{
    const auto expected = Standard(6);

    // Asked after point 1's report: nothing of point 2 is read.
    FakeFieldIo io;
    Write(io, expected);
    io.regs[0x1E02] = 1;   // a real difference before the stop is kept: point 0 slave
    CTransferStop stop;
    CCamVerifier v(io, 10, &stop);
    std::vector<Mismatch> found;
    Recorder rec;
    const int code = v.Verify(expected, found, [&](unsigned m, uintptr_t w) {
        rec.msgs.push_back({m, w});
        if (w == 1)
            stop.RequestStop();
    });
    EXPECT_EQ(code, camxfer::kStopped);
    EXPECT_EQ(rec.msgs, (std::vector<Msg>{{camxfer::kVerifyProgress, 0}, {camxfer::kVerifyProgress, 1}}));
    EXPECT_EQ(io.calls.size(), 5u + 2 * 4);
    EXPECT_EQ(found, (std::vector<Mismatch>{{0, Field::kSlave, 0, 1, false}}));

    // Asked during a failing read: no retry, no field after it, and the
    // field is not reported as unreadable.
    CTransferStop stop2;
    StopWhileReading sio(stop2, 0x1B01);
    Write(sio, expected);
    CCamVerifier sv(sio, 10, &stop2);
    rec.msgs.clear();
    EXPECT_EQ(sv.Verify(expected, found, rec.Fn()), camxfer::kStopped);
    EXPECT_EQ(Walk(sio), (std::vector<std::pair<uint16_t, uint32_t>>{{0x1B04, 32}, {0x1B03, 16}, {0x1B01, 32}}));
    EXPECT_TRUE(found.empty());
    EXPECT_TRUE(rec.msgs.empty());

    // Asked before the start: nothing is read.
    FakeFieldIo idle;
    CCamVerifier iv(idle, 10, &stop2);
    EXPECT_EQ(iv.Verify(expected, found), camxfer::kStopped);
    EXPECT_TRUE(idle.calls.empty());
    EXPECT_TRUE(found.empty());
}
