#pragma once
// The simulator's words for its user (usage, refused options, why it could
// not start). They are written in Chinese like every text of the system, so
// one catalogue with one source language (translations/ecam_en.ts, context
// "DriveSim") serves the simulator as it serves the panel and ecamctl; the
// program installs the English translation when the locale or --lang asks
// for it, and in-process users (the host, ecamctl, tests) get theirs.
// Any thread, after the translators are installed.
#include <QCoreApplication>
#include <QString>

#include <string>

class DriveSim {
    Q_DECLARE_TR_FUNCTIONS(DriveSim)
};

inline std::string SimText(const QString& text)
{
    return text.toStdString();
}
