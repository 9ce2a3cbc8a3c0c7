#pragma once
// A simulated drive started in-process and selected as the host's device,
// with a CFunCodeAccess bound to it the way the panel binds its own.
#include "drive/fun_code_access.h"
#include "host/device_manage.h"
#include "host/logic_manage.h"
#include "tests/support/sim_drive.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

struct SimLink {
    // timeoutMs: response timeout the data service uses (short, so dropped
    // answers cost little in tests).
    explicit SimLink(int timeoutMs = 150, SimOptions options = {})
        : sim(ecamtest::StartSim(options))
    {
        EXPECT_TRUE(CSingleton<CLogicManage>::Instance()->GetDeviceManage()->SelectDevice(
            sim->Url() + "&timeout=" + std::to_string(timeoutMs)));
    }
    bool Bind() { return access.Init(); }

    std::unique_ptr<CDriveSimulator> sim;
    CFunCodeAccess access;
};
