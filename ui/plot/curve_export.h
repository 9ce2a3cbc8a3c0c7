#pragma once
// Writes plots, stacked top to bottom at their own sizes, into a picture
// file: PNG, SVG or PDF, chosen by the file's extension. The panel's
// "导出曲线图..." and "ecamctl render" both draw through here, with the
// curve windows' own painter, so a file shows what the screen shows.
//
// The picture is drawn in memory and saved through files/safe_file.h, so a
// failed export never leaves half a picture in place of an older file.
// Needs a QGuiApplication (fonts); GUI thread only.
#include "ui/plot/plot_painter.h"

#include <QString>
#include <vector>

enum class CurveImageFormat { Unknown, Png, Svg, Pdf };

// By the extension, case-insensitive.
CurveImageFormat CurveImageFormatOf(const QString& path);

struct CurveExportResult {
    bool ok = false;
    QString reason;  // why it failed, for the user (empty on success)
};

// dpi: the resolution the text is laid out in (the screen's, so the file
// keeps the proportions of the windows).
CurveExportResult ExportCurves(const std::vector<PlotScene>& plots, int dpi, const QString& path);
