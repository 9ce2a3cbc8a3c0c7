#pragma once
// ecamctl's own words. Like every text of the system they are written in
// Chinese and translated through the one catalogue (translations/ecam_en.ts,
// context "Ecamctl") once main() has installed the translators of the
// user's language; without them they read as written. Messages go to
// stderr prefixed by "ecamctl CMD: ", results to stdout, both UTF-8.
// Single-threaded use from main() and the commands.
#include <QCoreApplication>
#include <QString>

#include <string>

class Ecamctl {
    Q_DECLARE_TR_FUNCTIONS(Ecamctl)
};

namespace ecamctl {

inline QString Q(const std::string& utf8) { return QString::fromStdString(utf8); }
inline std::string U(const QString& text) { return text.toStdString(); }

// "ecamctl COMMAND: message" on stderr; returns `status`.
int Fail(const char* command, const QString& message, int status = 1);
// The same, then "usage: ecamctl USAGE" of that command; returns 2.
int UsageFail(const char* command, const QString& message);
// The usage line of a command, its words in the user's language.
QString UsageOf(const char* command);
// `text` and a newline on stdout.
void Say(const QString& text);

} // namespace ecamctl
