#pragma once
// A cam profile from a short literal: the settings texts in the order of the
// file's header lines, blank-separated ("720 毫米 4096/5 10000/2": master
// length, unit, slave and master conversion ratios), and the key points;
// or a profile's bytes with a plain header, for files damaged on purpose.
#include "files/ecam_file.h"
#include "files/gbk.h"

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

// GBK bytes: six header lines, the given count line, the column titles,
// then `rows` as they are.
inline std::string ProfileText(const std::string& countLine, const std::string& rows)
{
    return ecam::Utf8ToGbk("后台软件版本, 1\r\n文件保存时间, 2\r\n主轴长度, 1000\r\n单位, mm\r\n从轴单位转换率, 1/1\r\n"
                           "主轴单位转换率, 1/1\r\n" + countLine + "\r\nM,S,V,T\r\n") + rows;
}

} // namespace ecamtest
