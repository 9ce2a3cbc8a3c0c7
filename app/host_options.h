// HostOptions: the command line of ecam-host (--device URL, --screenshot
// FILE, --size WxH, --lang en|zh_CN). Parsed once in main; a plain value, any thread.
#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

struct HostOptions {
    QString device;       // "sim", a device URL, or empty: the drive of the last run
    QString screenshot;   // non-empty: render the panel to this PNG and exit
    QSize size{1280, 800};  // panel size for the screenshot
    QString lang;         // empty: the system locale's (ui/lang/ui_language.h)
    bool help = false;
    bool version = false;
};

// Parses the arguments after the program name. False (and why) when an
// option is unknown, lacks its value, the size is not WxH with W, H > 0 or
// the language is neither en nor zh_CN; `why` in the language of the
// translators installed by then. A valid --lang is in `out` even so.
bool ParseHostOptions(const QStringList& args, HostOptions& out, QString* why);

QString HostUsage();
