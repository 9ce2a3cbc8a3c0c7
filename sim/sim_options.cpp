#include "sim/sim_options.h"

#include <charconv>

namespace {

template <class T>
bool ToNumber(const std::string& s, T& out)
{
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return !s.empty() && ec == std::errc() && p == s.data() + s.size();
}

} // namespace

const char* SimUsage()
{
    return "usage: ecam-drive-sim [--tcp [HOST:]PORT | --rtu [--baud B] [--line-timing]] [--unit N]\n"
           "                      [--catalogue PATH] [--delay MS] [--drop RATE] [--close-after N] [--seed S]\n";
}

bool ParseSimArgs(const std::vector<std::string>& args, SimOptions& out, std::string* why)
{
    SimOptions o;
    o.port = 1502;
    auto fail = [&](const std::string& text) {
        if (why)
            *why = text;
        return false;
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        const std::string v = hasValue ? args[i + 1] : std::string();
        auto needValue = [&]() { return hasValue ? (++i, true) : false; };
        if (a == "--help" || a == "-h")
            return fail(SimUsage());
        if (a == "--rtu") {
            o.rtu = true;
        } else if (a == "--line-timing") {
            o.emulateLineTiming = true;
        } else if (a == "--tcp") {
            if (!needValue())
                return fail("--tcp needs [HOST:]PORT");
            const auto colon = v.rfind(':');
            if (colon != std::string::npos)
                o.bindAddress = v.substr(0, colon);
            if (!ToNumber(v.substr(colon == std::string::npos ? 0 : colon + 1), o.port))
                return fail("bad port in --tcp " + v);
        } else if (a == "--baud") {
            if (!needValue() || !ToNumber(v, o.baud) || o.baud <= 0)
                return fail("--baud needs a positive number");
        } else if (a == "--unit") {
            if (!needValue() || !ToNumber(v, o.unit) || o.unit < 1 || o.unit > 247)
                return fail("--unit needs a number 1..247");
        } else if (a == "--catalogue") {
            if (!needValue())
                return fail("--catalogue needs a path");
            o.cataloguePath = v;
        } else if (a == "--delay") {
            if (!needValue() || !ToNumber(v, o.faults.delayMs) || o.faults.delayMs < 0)
                return fail("--delay needs milliseconds >= 0");
        } else if (a == "--drop") {
            if (!needValue() || !ToNumber(v, o.faults.dropRate) || o.faults.dropRate < 0 || o.faults.dropRate > 1)
                return fail("--drop needs a rate 0..1");
        } else if (a == "--close-after") {
            if (!needValue() || !ToNumber(v, o.faults.closeAfter) || o.faults.closeAfter < 0)
                return fail("--close-after needs a count >= 0");
        } else if (a == "--seed") {
            if (!needValue() || !ToNumber(v, o.faults.seed))
                return fail("--seed needs a number");
        } else {
            return fail("unknown option " + a);
        }
    }
    out = o;
    return true;
}
