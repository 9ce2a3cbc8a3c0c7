#include "sim/sim_options.h"
#include "sim/sim_texts.h"

#include <algorithm>
#include <charconv>
#include <iterator>

namespace {

template <class T>
bool ToNumber(const std::string& s, T& out)
{
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return !s.empty() && ec == std::errc() && p == s.data() + s.size();
}

} // namespace

std::string SimUsage()
{
    return "usage: ecam-drive-sim [--lang en|zh_CN] [--tcp [HOST:]PORT | --rtu [--baud B] [--line-timing]] [--unit N]\n"
           "                      [--catalogue PATH] [--delay MS] [--drop RATE] [--close-after N] [--seed S]\n"
           "                      [--fault N:KIND]...\n"
           "       ecam-drive-sim --help | --version\n"
           + SimText(DriveSim::tr("KIND: late[=MS] duplicate[=MS] exception=CODE close bad-frame truncated other-unit "
                                  "silent ack-no-store (第 N 个请求的故障)"))
           + "\n";
}

bool ParseScriptedFault(const std::string& text, uint64_t& requestNumber, SimScriptedFault& fault, std::string* why)
{
    auto fail = [&]() {
        if (why)
            *why = SimText(DriveSim::tr("--fault %1 有误 (应为 N:KIND, N >= 1, KIND 为 late[=MS] duplicate[=MS] "
                                        "exception=CODE close bad-frame truncated other-unit silent ack-no-store 之一)")
                               .arg(QString::fromStdString(text)));
        return false;
    };
    const auto colon = text.find(':');
    uint64_t n = 0;
    if (colon == std::string::npos || !ToNumber(text.substr(0, colon), n) || n == 0)
        return fail();
    const std::string kind = text.substr(colon + 1);
    const auto eq = kind.find('=');
    const std::string name = kind.substr(0, eq);
    const std::string value = eq == std::string::npos ? std::string() : kind.substr(eq + 1);
    static const std::pair<const char*, SimScriptedFault::Kind> plain[] = {
        {"close", SimScriptedFault::Close},         {"bad-frame", SimScriptedFault::BadFrame},
        {"truncated", SimScriptedFault::Truncated}, {"other-unit", SimScriptedFault::OtherUnit},
        {"silent", SimScriptedFault::Silent},       {"ack-no-store", SimScriptedFault::AckWithoutStore},
    };
    SimScriptedFault f;
    if ((name == "late" || name == "duplicate") && eq == std::string::npos) {
        // Without a time: held for the next answer on the link.
        f.kind = name == "late" ? SimScriptedFault::Held : SimScriptedFault::Repeated;
    } else if (name == "late" || name == "duplicate" || name == "exception") {
        const bool delay = name != "exception";
        f.kind = name == "late" ? SimScriptedFault::Late
                 : delay        ? SimScriptedFault::Duplicate
                                : SimScriptedFault::Exception;
        const int most = delay ? 3600000 : 255;
        if (!ToNumber(value, f.value) || f.value < (delay ? 0 : 1) || f.value > most)
            return fail();
    } else {
        const auto it = std::find_if(std::begin(plain), std::end(plain), [&](const auto& p) { return name == p.first; });
        if (it == std::end(plain) || eq != std::string::npos)
            return fail();
        f.kind = it->second;
    }
    requestNumber = n;
    fault = f;
    return true;
}

QList<QCommandLineOption> SimCommandLineOptions()
{
    QList<QCommandLineOption> options;
    for (const char* flag : {"rtu", "line-timing"})
        options.append(QCommandLineOption(QString::fromLatin1(flag)));
    for (const char* valued : {"tcp", "baud", "unit", "catalogue", "delay", "drop", "close-after", "fault", "seed"})
        options.append(QCommandLineOption(QString::fromLatin1(valued), QString(), QStringLiteral("VALUE")));
    return options;
}

bool ParseSimCommandLine(const CCommandLine& line, SimOptions& out, std::string* why)
{
    SimOptions o;
    o.port = 1502;
    auto fail = [&](const QString& text) {
        if (why)
            *why = SimText(text);
        return false;
    };
    const QCommandLineParser& p = line.Options();
    auto value = [&](const char* name) { return line.Value(QString::fromLatin1(name)).toStdString(); };
    auto given = [&](const char* name) { return p.isSet(QString::fromLatin1(name)); };
    if (!line.Positionals().isEmpty())
        return fail(DriveSim::tr("多余的参数 %1").arg(line.Positionals().front()));
    o.rtu = given("rtu");
    o.emulateLineTiming = given("line-timing");
    if (given("tcp")) {
        const std::string v = value("tcp");
        const auto colon = v.rfind(':');
        if (colon != std::string::npos)
            o.bindAddress = v.substr(0, colon);
        if (!ToNumber(v.substr(colon == std::string::npos ? 0 : colon + 1), o.port))
            return fail(DriveSim::tr("--tcp %1 中的端口有误").arg(QString::fromStdString(v)));
    }
    if (given("baud") && (!ToNumber(value("baud"), o.baud) || o.baud <= 0))
        return fail(DriveSim::tr("--baud 需要一个正数"));
    if (given("unit") && (!ToNumber(value("unit"), o.unit) || o.unit < 1 || o.unit > 247))
        return fail(DriveSim::tr("--unit 需要 1..247 内的数"));
    if (given("catalogue"))
        o.cataloguePath = value("catalogue");
    if (given("delay") && (!ToNumber(value("delay"), o.faults.delayMs) || o.faults.delayMs < 0))
        return fail(DriveSim::tr("--delay 需要不小于 0 的毫秒数"));
    if (given("drop")
        && (!ToNumber(value("drop"), o.faults.dropRate) || o.faults.dropRate < 0 || o.faults.dropRate > 1))
        return fail(DriveSim::tr("--drop 需要 0..1 内的比率"));
    if (given("close-after") && (!ToNumber(value("close-after"), o.faults.closeAfter) || o.faults.closeAfter < 0))
        return fail(DriveSim::tr("--close-after 需要不小于 0 的次数"));
    for (const QString& text : p.values(QStringLiteral("fault"))) {
        uint64_t n = 0;
        SimScriptedFault f;
        if (!ParseScriptedFault(text.toStdString(), n, f, why))
            return false;
        o.faults.script[n] = f;
    }
    if (given("seed") && !ToNumber(value("seed"), o.faults.seed))
        return fail(DriveSim::tr("--seed 需要一个数"));
    out = o;
    return true;
}

bool ParseSimArgs(const std::vector<std::string>& args, SimOptions& out, std::string* why)
{
    CCommandLine line(SimCommandLineOptions());
    QStringList arguments;
    for (const std::string& a : args)
        arguments << QString::fromStdString(a);
    if (!line.Parse(arguments)) {
        if (why)
            *why = line.Error().toStdString();
        return false;
    }
    if (line.Help()) {
        if (why)
            *why = SimUsage();
        return false;
    }
    return ParseSimCommandLine(line, out, why);
}
