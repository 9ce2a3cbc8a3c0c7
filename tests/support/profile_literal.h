#pragma once
// A cam profile from a short literal: the settings texts in the order of the
// file's header lines, blank-separated ("720 毫米 4096/5 10000/2": master
// length, unit, slave and master conversion ratios), and the key points.
#include "files/ecam_file.h"

#include <sstream>
#include <string>
#include <vector>

namespace ecamtest {

inline ecam::ECamProfile ProfileOf(const std::wstring& settings, std::vector<ECamPoint> points)
{
    ecam::ECamProfile p;
    std::wistringstream in(settings);
    std::wstring slave, master;
    in >> p.masterLength >> p.unit >> slave >> master;
    const auto split = [](const std::wstring& ratio, std::wstring& pulse, std::wstring& units) {
        const size_t slash = ratio.find(L'/');
        pulse = ratio.substr(0, slash);
        units = slash == std::wstring::npos ? L"" : ratio.substr(slash + 1);
    };
    split(slave, p.slavePulse, p.slaveUnits);
    split(master, p.masterPulse, p.masterUnits);
    p.points = std::move(points);
    return p;
}

} // namespace ecamtest
