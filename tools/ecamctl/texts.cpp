#include "texts.h"

#include "command.h"

#include <cstdio>

namespace ecamctl {

int Fail(const char* command, const QString& message, int status)
{
    std::fprintf(stderr, "ecamctl %s: %s\n", command, message.toUtf8().constData());
    return status;
}

QString UsageOf(const char* command)
{
    const auto it = registry().find(command);
    return it == registry().end() ? QString::fromUtf8(command) : Ecamctl::tr(it->second.usage.c_str());
}

int UsageFail(const char* command, const QString& message)
{
    return Fail(command, message + QStringLiteral("\nusage: ecamctl ") + UsageOf(command), 2);
}

void Say(const QString& text)
{
    std::printf("%s\n", text.toUtf8().constData());
}

} // namespace ecamctl
