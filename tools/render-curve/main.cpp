// render-curve: writes a PNG of the position, speed and acceleration windows
// of a cam, stacked as in the panel. The cam is given as for "ecamctl curve":
// a file of "master,slave,speed,type" lines ('#' comments, "-" for stdin) or
// the default cam of a master length. Runs without a display.
//
//   render-curve [--size WxH] [--autoscale] [--length L | FILE] OUT.png
#include "cam/ecam_point_set.h"
#include "ui/ecam_curve_wnd.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char* const kUsage = "usage: render-curve [--size WxH] [--autoscale] [--length L | FILE] OUT.png\n";

int Fail(const std::string& message)
{
    std::fprintf(stderr, "render-curve: %s\n%s", message.c_str(), kUsage);
    return 2;
}

bool WholeNumber(const std::string& t, double& v)
{
    char* end = nullptr;
    v = std::strtod(t.c_str(), &end);
    return !t.empty() && *end == '\0' && std::isfinite(v);
}

bool ReadPoints(std::istream& in, std::vector<ECamPoint>& points, std::string& error)
{
    std::string line;
    for (int n = 1; std::getline(in, line); ++n) {
        if (auto hash = line.find('#'); hash != std::string::npos)
            line.erase(hash);
        std::stringstream ss(line);
        std::vector<std::string> f;
        for (std::string part; std::getline(ss, part, ',');) {
            part.erase(0, part.find_first_not_of(" \t\r"));
            part.erase(part.find_last_not_of(" \t\r") + 1);
            f.push_back(part);
        }
        if (f.empty() || (f.size() == 1 && f[0].empty()))
            continue;
        double m, s, v, t;
        if (f.size() != 4 || !WholeNumber(f[0], m) || !WholeNumber(f[1], s) || !WholeNumber(f[2], v) ||
            !WholeNumber(f[3], t) || (t != 0 && t != 1)) {
            error = "line " + std::to_string(n) + ": expected master,slave,speed,type (type 0 or 1)";
            return false;
        }
        if (!points.empty() && !(m > points.back().master)) {
            error = "line " + std::to_string(n) + ": master positions must strictly increase";
            return false;
        }
        points.push_back({m, s, v, static_cast<int32_t>(t)});
    }
    if (points.size() < 2) {
        error = "a cam needs at least two key points";
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);

    int w = 960, h = 300;
    bool autoscale = false;
    long length = -1;
    std::vector<std::string> rest;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--size" && i + 1 < argc) {
            if (std::sscanf(argv[++i], "%dx%d", &w, &h) != 2 || w < 200 || h < 100 || w > 8000 || h > 4000)
                return Fail("size must be WxH, at least 200x100");
        } else if (a == "--autoscale") {
            autoscale = true;
        } else if (a == "--length" && i + 1 < argc) {
            char* end = nullptr;
            length = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || length < 10 || length > 1000000)
                return Fail("master length must be an integer from 10 to 1000000");
        } else {
            rest.push_back(a);
        }
    }
    if (rest.empty() || rest.size() > 2 || (length >= 0 && rest.size() != 1))
        return Fail("wrong arguments");
    const std::string out = rest.back();

    CECamPointSet set;
    if (length >= 0 || rest.size() == 1) {
        set.SetMasterLength(static_cast<uint32_t>(length >= 0 ? length : 1000));
    } else {
        std::vector<ECamPoint> points;
        std::string error;
        bool ok;
        if (rest[0] == "-") {
            ok = ReadPoints(std::cin, points, error);
        } else {
            std::ifstream file(rest[0]);
            if (!file)
                return Fail("cannot open '" + rest[0] + "'");
            ok = ReadPoints(file, points, error);
        }
        if (!ok)
            return Fail(error);
        set.SetPoints(points);
    }

    // The panel's three windows with its initial ranges, titles and colour.
    const struct {
        CurveKind kind;
        const char* title;
        double yMin, yMax;
    } windows[] = {{CURVE_POSITION, "位置", -500, 500}, {CURVE_SPEED, "速度", -10, 10},
                   {CURVE_ACCEL, "加速度", -40, 40}};
    QImage image(w, 3 * h, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    std::vector<ECamCurveSample> samples;
    set.GetCurve(samples);
    for (int i = 0; i < 3; ++i) {
        CECamCurveWnd wnd;
        wnd.resize(w, h);
        wnd.m_pointSet = &set;
        wnd.m_curveColor = QColor(255, 0, 0);
        wnd.m_yMin = windows[i].yMin;
        wnd.m_yMax = windows[i].yMax;
        wnd.SetTitle(QString::fromUtf8(windows[i].title));
        std::vector<PlotPoint> keys, curve;
        CECamCurveWnd::BuildLists(samples, windows[i].kind, keys, curve);
        wnd.SetCurveData(keys, curve, windows[i].kind);
        if (autoscale)
            wnd.AutoScaleY();
        painter.drawPixmap(0, i * h, wnd.grab());
    }
    painter.end();
    if (!image.save(QString::fromStdString(out), "PNG")) {
        std::fprintf(stderr, "render-curve: cannot write '%s'\n", out.c_str());
        return 1;
    }
    return 0;
}
