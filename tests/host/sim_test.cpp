// The drive simulator at register level, through the Modbus data service.
#include "sim/sim_options.h"
#include "tests/support/sim_drive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <tuple>

using ecamtest::DataService;

TEST(DriveSimulator, LimitsGuardWholeParametersEvenWhenWrittenInPart)
{
    CDriveSimulator sim;
    ASSERT_TRUE(sim.Start());
    auto c = DataService(sim.Url());
    // H1B-01 (0x1B01, 32 bits, 1..0x40000000) holds its factory value 10000.
    EXPECT_EQ(c->WriteValue(0x1B02, 16, 0x4001, 1000), DriveError::FromException(3));
    EXPECT_EQ(c->WriteValue(0x1B02, 16, 0x0001, 1000), DriveError());
    EXPECT_EQ(sim.Register32(0x1B01), 0x00012710u);
    // A multi-register write spanning a good and a bad parameter stores nothing.
    EXPECT_EQ(c->WriteValue(0x1B07, 32, 0xFFFF0001u, 1000), DriveError::FromException(3));
    EXPECT_EQ(sim.Register(0x1B07), 1);
    EXPECT_EQ(sim.Register(0x1B08), 0);
    // Registers outside the catalogue take anything.
    EXPECT_EQ(c->WriteValue(0x7B62, 32, 0xFFFFFFFFu, 1000), DriveError());
    EXPECT_EQ(sim.Register32(0x7B62), 0xFFFFFFFFu);
    uint16_t words[2] = {};
    EXPECT_EQ(c->ReadValue(0xFFFF, 16, words, 1000), DriveError());
    EXPECT_EQ(sim.RequestCount(), 6u);   // the read and its closing probe
}

TEST(DriveSimulator, RtuAnswersOnlyItsOwnUnitAndSeededDropsRepeat)
{
    SimOptions o;
    o.rtu = true;
    o.unit = 5;
    auto sim = ecamtest::StartSim(o);
    EXPECT_EQ(sim->Url().find("rtu:" + sim->PtyPath() + "?"), 0u);
    std::string other = sim->Url();
    other.replace(other.find("unit=5"), 6, "unit=6");
    EXPECT_EQ(DataService(other)->WriteValue(0x2000, 16, 1, 200).kind(), DriveError::Timeout);
    EXPECT_EQ(DataService(sim->Url())->WriteValue(0x2000, 16, 2, 200), DriveError());
    EXPECT_EQ(sim->Register(0x2000), 2);

    // The same seed drops the same requests: fault runs are reproducible.
    std::vector<bool> runs[2];
    for (auto& answered : runs) {
        SimFaults f;
        f.dropRate = 0.5;
        f.seed = 42;
        auto dropping = ecamtest::StartSimWithFaults(f);
        auto c = DataService(dropping->Url(), 50);
        for (int i = 0; i < 12; ++i)
            answered.push_back(c->WriteValue(0x2000, 16, uint32_t(i), 1000).ok());
    }
    EXPECT_EQ(runs[0], runs[1]);
    const auto answered = std::count(runs[0].begin(), runs[0].end(), true);
    EXPECT_GT(answered, 0);
    EXPECT_LT(answered, 12);
}

TEST(SimOptionsTest, ParsesTheCommandLine)
{
    SimOptions o;
    std::string why;
    ASSERT_TRUE(ParseSimArgs({}, o, &why));
    EXPECT_EQ(std::tuple(o.rtu, o.bindAddress, o.port), std::tuple(false, std::string("127.0.0.1"), 1502));
    ASSERT_TRUE(ParseSimArgs({"--tcp", "0.0.0.0:1600", "--delay", "20", "--drop", "0.25", "--close-after", "3",
                              "--seed", "9", "--unit", "4"},
                             o, &why))
        << why;
    EXPECT_EQ(std::tuple(o.bindAddress, o.port, o.faults.delayMs, o.faults.dropRate, o.faults.closeAfter,
                         o.faults.seed, o.unit),
              std::tuple(std::string("0.0.0.0"), 1600, 20, 0.25, 3, 9u, 4));
    ASSERT_TRUE(ParseSimArgs({"--rtu", "--baud", "9600", "--line-timing"}, o, &why));
    EXPECT_EQ(std::tuple(o.rtu, o.baud, o.emulateLineTiming), std::tuple(true, 9600, true));
    ASSERT_TRUE(ParseSimArgs({"--fault", "3:late=250", "--fault", "7:exception=4", "--fault", "9:ack-no-store",
                              "--fault", "12:other-unit", "--fault", "3:bad-frame", "--fault", "5:late", "--fault",
                              "6:duplicate"},
                             o, &why))
        << why;
    using F = SimScriptedFault;
    EXPECT_EQ(o.faults.script, (std::map<uint64_t, F>{{3, {F::BadFrame, 0}},
                                                      {5, {F::Held, 0}},
                                                      {6, {F::Repeated, 0}},
                                                      {7, {F::Exception, 4}},
                                                      {9, {F::AckWithoutStore, 0}},
                                                      {12, {F::OtherUnit, 0}}}));
    for (std::vector<std::string> bad : std::vector<std::vector<std::string>>{
             {"--tcp"}, {"--tcp", "host:x"}, {"--drop", "2"}, {"--unit", "0"}, {"--delay", "-1"}, {"--what"},
             {"--fault"}, {"--fault", "0:silent"}, {"--fault", "3:late="}, {"--fault", "3:silent=1"},
             {"--fault", "x:close"}, {"--fault", "3:exception=0"}, {"--fault", "3:loud"}}) {
        EXPECT_FALSE(ParseSimArgs(bad, o, &why)) << bad[0];
        EXPECT_FALSE(why.empty());
    }
}
