#pragma once
// The command-line conventions the three programs (ecam-host, ecamctl,
// ecam-drive-sim) share, on QCommandLineParser: -h/--help prints the
// program's usage on stdout and ends with status 0, --version prints
// "PROGRAM X.Y.Z" and ends with 0, --lang takes the language (the program
// checks and applies it), and a usage error prints "PROGRAM: why" and the
// usage on stderr and ends with status 2. The usage text is the program's
// own, written in the man page's form, so the two name the same options.
// It lives here, the lowest folder all three programs link, with Qt Core
// only. One object per parse, on one thread.
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>

class CCommandLine {
public:
    // `options`: the program's own, besides -h/--help, --version and --lang.
    // With `commandAfterOptions`, options end at the first argument: it and
    // everything after it are arguments (ecamctl's command and its own).
    explicit CCommandLine(const QList<QCommandLineOption>& options, bool commandAfterOptions = false);

    // Parses the arguments after the program name. False on an unknown
    // option or a missing value.
    bool Parse(const QStringList& arguments);
    // What was wrong, in the language of the translators installed by now
    // (a program parses before it knows which language to install).
    QString Error() const;

    bool Help() const { return m_parser.isSet(QStringLiteral("help")); }
    bool Version() const { return m_parser.isSet(QStringLiteral("version")); }
    QString Lang() const { return m_parser.value(QStringLiteral("lang")); }
    const QCommandLineParser& Options() const { return m_parser; }
    // The arguments that are no options, and an option's value, as typed.
    QStringList Positionals() const;
    QString Value(const QString& name) const;

private:
    QCommandLineParser m_parser;
    QStringList m_arguments;
    QStringList m_valued;   // the names of the options that take a value
};

// -1 when the program goes on; otherwise the status to end with, after
// printing the usage (--help) or the version (--version).
int HelpOrVersion(const CCommandLine& line, const char* program, const QString& usage);

// "PROGRAM: why", then the usage, on stderr; returns 2.
int UsageError(const char* program, const QString& why, const QString& usage);
