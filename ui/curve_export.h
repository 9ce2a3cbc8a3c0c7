#pragma once
// Writes curve windows, stacked top to bottom at their own sizes, into a
// picture file: PNG, SVG or PDF, chosen by the file's extension. The panel's
// "导出曲线图..." and "ecamctl render" both draw through here, with the
// windows' own painting, so a file shows what the screen shows.
//
// The picture is drawn in memory and saved through files/safe_file.h, so a
// failed export never leaves half a picture in place of an older file.
// GUI thread only (it paints widgets).
#include <QString>
#include <vector>

class CECamCurveWnd;

enum class CurveImageFormat { Unknown, Png, Svg, Pdf };

// By the extension, case-insensitive.
CurveImageFormat CurveImageFormatOf(const QString& path);

struct CurveExportResult {
    bool ok = false;
    QString reason;  // why it failed, for the user (empty on success)
};

CurveExportResult ExportCurves(const std::vector<const CECamCurveWnd*>& plots, const QString& path);
