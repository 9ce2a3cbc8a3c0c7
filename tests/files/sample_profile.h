#pragma once
// A profile with every setting filled and a Chinese unit, for the file tests.
#include "files/ecam_file.h"

namespace ecamtest {

inline ecam::ECamProfile SampleProfile()
{
    ecam::ECamProfile profile;
    profile.masterLength = L"720";
    profile.unit = L"毫米";
    profile.slavePulse = L"4096";
    profile.slaveUnits = L"5";
    profile.masterPulse = L"10000";
    profile.masterUnits = L"2";
    profile.points = {{0, 0, 0, kECamLinear}, {100.5, 40.25, 0.4, kECamLinear}, {720, 100, 0, kECamPoly}};
    return profile;
}

} // namespace ecamtest
