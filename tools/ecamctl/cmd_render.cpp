// "ecamctl render": draws the position, speed and acceleration plots of a
// cam, stacked as in the panel, into a PNG, SVG or PDF file (by extension).
// A cam file gets the y ranges the panel fits after opening a file; the
// default cam of --length L the panel's starting ranges. The plots are
// painted by the curve windows' own painter, off screen: no display and no
// widgets are needed.
#include "command.h"

#include "cam_source.h"
#include "texts.h"

#include "cam/ecam_point_set.h"
#include "ui/plot/curve_export.h"
#include "ui/plot/plot_painter.h"

#include <QGuiApplication>
#include <QScreen>

#include <optional>
#include <cstdio>
#include <string>

namespace {

using namespace ecamctl;

const char* const kUsage = "render FILE|--length L OUT.{png,svg,pdf} [--size WxH]";

constexpr int kDefaultWidth = 960;
constexpr int kDefaultHeight = 900;  // three plots of 300

// Qt's own chatter (missing runtime folders and the like on a bare
// terminal) is no business of the user's; what would end the run is.
void QtMessages(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "ecamctl render: %s\n", text.toLocal8Bit().constData());
}

int UsageError(const QString& message)
{
    return UsageFail("render", message);
}

bool ParseSize(const std::string& text, int& w, int& h)
{
    const auto x = text.find('x');
    long lw = 0, lh = 0;
    if (x == std::string::npos || !ParseLong(text.substr(0, x), lw) || !ParseLong(text.substr(x + 1), lh))
        return false;
    // Each plot needs room for its margins, labels and title.
    if (lw < 200 || lh < 300 || lw > 10000 || lh > 10000)
        return false;
    w = static_cast<int>(lw);
    h = static_cast<int>(lh);
    return true;
}

int RunRender(const Args& in)
{
    int width = kDefaultWidth, height = kDefaultHeight;
    long length = -1;
    const std::vector<std::string>& rest = in.positional;
    if (const auto size = in.Value("size"); size && !ParseSize(*size, width, height))
        return UsageError(Ecamctl::tr("--size 取 WxH, 从 200x300 到 10000x10000"));
    if (const auto text = in.Value("length"); text && (!ParseLong(*text, length) || length < 10 || length > 1000000))
        return UsageError(Ecamctl::tr("主轴长度须为10~1000000内的整数"));
    if (rest.size() != (length >= 0 ? 1u : 2u))
        return UsageError(length >= 0 ? Ecamctl::tr("--length 取代 FILE") : Ecamctl::tr("需要 FILE 和 OUT"));
    const std::string out = rest.back();
    if (CurveImageFormatOf(QString::fromStdString(out)) == CurveImageFormat::Unknown)
        return UsageError(Ecamctl::tr("OUT 须以 .png, .svg 或 .pdf 结尾: '%1'").arg(Q(out)));

    CECamPointSet set;
    if (length >= 0) {
        set.SetMasterLength(static_cast<uint32_t>(length));
    } else {
        std::vector<ECamPoint> points;
        std::string error;
        if (!LoadCamPoints(rest.front(), points, error))
            return Fail("render", Q(error), 2);
        if (points.size() < 2)
            return Fail("render", Ecamctl::tr("凸轮至少需要两个关键点"), 2);
        set.SetPoints(points);
    }

    // Painting into files never needs a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QtMessages);
    int argc = 1;
    char name[] = "ecamctl";
    char* argv[] = {name, nullptr};
    std::optional<QGuiApplication> app;   // main made one already when it installed translators
    if (!qApp)
        app.emplace(argc, argv);

    // The panel's three windows, with its titles, colour and ranges.
    const struct {
        CurveKind kind;
        const char* title;
        double range;
    } kinds[] = {{CURVE_POSITION, "位置", 500}, {CURVE_SPEED, "速度", 10}, {CURVE_ACCEL, "加速度", 40}};
    std::vector<ECamCurveSample> samples;
    set.GetCurve(samples);
    std::vector<PlotPoint> keys[3], curves[3];
    std::vector<PlotScene> plots;
    for (int i = 0; i < 3; ++i) {
        BuildPlotLists(samples, kinds[i].kind, keys[i], curves[i]);
        PlotScene s;
        s.size = QSize(width, i < 2 ? height / 3 : height - 2 * (height / 3));
        s.title = QCoreApplication::translate("CRAZuvavivezUzoDlg", kinds[i].title);  // the panel's words
        s.curve = curves[i];
        s.keys = keys[i];
        s.curveColor = QColor(255, 0, 0);
        // The master axis all three share: [0, the last master].
        s.xRange = {0.0, curves[i].empty() ? 0.0 : curves[i].back().x};
        const plotview::Range y = length < 0 ? FitValueRange(curves[i]) : plotview::Range{-kinds[i].range, kinds[i].range};
        s.yMin = y.lo;
        s.yMax = y.hi;
        s.peak = FindPeak(curves[i], [](const PlotPoint& p) { return p.x; }, [](const PlotPoint& p) { return p.y; });
        plots.push_back(s);
    }
    QScreen* screen = QGuiApplication::primaryScreen();
    const int dpi = screen ? static_cast<int>(screen->logicalDotsPerInchY()) : 96;
    const CurveExportResult r = ExportCurves(plots, dpi, QString::fromStdString(out));
    if (!r.ok)
        return Fail("render", Ecamctl::tr("无法写入 '%1': %2").arg(Q(out), r.reason));
    return 0;
}

} // namespace

ECAMCTL_COMMAND("render", kUsage, RunRender);
