// Parameter values typed on the command line (params write, param set) are
// checked before anything reaches the drive: what the settings dialog would
// refuse, and text that is not a whole decimal number, which the dialog's
// own editor would read as its leading number (or 0).
#include "ecamctl_sim_fixture.h"

#include <gtest/gtest.h>

namespace {
using ecamtest::RunEcamctl;
using EcamctlParamValue = EcamctlOnSim;
} // namespace

TEST_F(EcamctlParamValue, NonNumbersAndValuesOutsideRangeOrOptionsAreRefusedAndNothingIsSent)
{
    const uint16_t h1b11 = 0x1B0B;
    sim->SetRegister(h1b11, 250);
    const std::string options = "not one of the options: 0-";
    const std::pair<std::vector<std::string>, std::string> refused[] = {
        {{"params", "write", "H1B-11=abc"}, "ecamctl params: H1B-11=abc: 请输入整形数据!\n"},
        {{"params", "write", "H1B-11=５"}, "ecamctl params: H1B-11=５: 请输入整形数据!\n"},
        {{"params", "write", "H1B-11=0x10"}, "ecamctl params: H1B-11=0x10: 请输入整形数据!\n"},
        // A good value before a bad one is not sent either.
        {{"params", "write", "H1B-10=-5", "H1B-11=12abc"}, "ecamctl params: H1B-11=12abc: 请输入整形数据!\n"},
        {{"params", "write", "H1B-11=10001"}, "ecamctl params: H1B-11=10001: 数据有效范围:【0-10000】\n"},
        {{"params", "write", "H1B-06=x"}, "ecamctl params: H1B-06=x: 请输入整形数据!\n"},
        {{"params", "write", "H1B-13=1"}, "ecamctl params: 'H1B-13' is not one of the cam parameters\n"},
        {{"params", "write", "H1B-11"}, "ecamctl params: expected NUMBER=VALUE, got 'H1B-11'\n"},
        {{"params", "write", "H1B-11=300", "H1B-06=1", "H1B-11=400"}, "ecamctl params: 'H1B-11' is given more than once\n"},
        {{"params", "write", "H1B-06=7"}, "ecamctl params: H1B-06=7: " + options},
        {{"param", "set", "H1B-11", "abc"}, ""},   // not an integer at all: usage
        {{"param", "set", "H1B-11", "0x10"}, "ecamctl param: H1B-11 0x10: 请输入整形数据!\n"},
        {{"param", "set", "H1B-11", "10001"}, "ecamctl param: H1B-11 10001: 数据有效范围:【0-10000】\n"},
        {{"param", "set", "H1B-10", "-3601"}, "ecamctl param: H1B-10 -3601: 数据有效范围:【-3600-3600】\n"},
        {{"param", "set", "H1B-06", "7"}, "ecamctl param: H1B-06 7: " + options},
    };
    const auto before = sim->RequestCount();
    for (const auto& [args, message] : refused) {
        std::vector<std::string> all = args;
        all.insert(all.end(), {"--device", Device()});
        const auto r = RunEcamctl(all);
        EXPECT_EQ(r.exitCode, 2) << args.back();
        EXPECT_EQ(r.out, "");
        if (message.empty())
            EXPECT_EQ(r.err.rfind("ecamctl param: value must be an integer", 0), 0u) << r.err;
        else if (message.back() != '\n')
            EXPECT_EQ(r.err.rfind(message, 0), 0u) << r.err;
        else
            EXPECT_EQ(r.err, message);
    }
    EXPECT_EQ(sim->RequestCount(), before);
    EXPECT_EQ(sim->Register(h1b11), 250);

    // The same parameters take good values, an option also by its text.
    auto r = RunEcamctl({"param", "set", "H1B-11", "10000", "--device", Device()});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(sim->Register(h1b11), 10000);
    r = RunEcamctl({"params", "--device", Device(), "write", "H1B-10=-3600", "H1B-06=2-" + std::string("通讯启动")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(sim->Register(0x1B0A), 0xF1F0);
    EXPECT_EQ(sim->Register(0x1B06), 2);
}
