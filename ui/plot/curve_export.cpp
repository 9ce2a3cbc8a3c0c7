#include "ui/plot/curve_export.h"

#include "files/safe_file.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>
#include <filesystem>
#include <string>

namespace {

QSize StackSize(const std::vector<PlotScene>& plots)
{
    QSize size(0, 0);
    for (const PlotScene& s : plots) {
        size.setWidth(std::max(size.width(), s.size.width()));
        size.setHeight(size.height() + s.size.height());
    }
    return size;
}

void PaintStack(QPainter& p, const std::vector<PlotScene>& plots)
{
    int top = 0;
    for (const PlotScene& s : plots) {
        p.save();
        p.translate(0, top);
        CPlotPainter().Paint(p, s);
        p.restore();
        top += s.size.height();
    }
}

CurveExportResult Failed(const QString& reason) { return {false, reason}; }

} // namespace

CurveImageFormat CurveImageFormatOf(const QString& path)
{
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == QLatin1String("png"))
        return CurveImageFormat::Png;
    if (ext == QLatin1String("svg"))
        return CurveImageFormat::Svg;
    if (ext == QLatin1String("pdf"))
        return CurveImageFormat::Pdf;
    return CurveImageFormat::Unknown;
}

CurveExportResult ExportCurves(const std::vector<PlotScene>& plots, int dpi, const QString& path)
{
    const CurveImageFormat format = CurveImageFormatOf(path);
    if (format == CurveImageFormat::Unknown)
        return Failed(QCoreApplication::translate("CurveExport", "不支持的文件类型，请使用 .png、.svg 或 .pdf"));
    const QSize size = StackSize(plots);
    if (size.isEmpty())
        return Failed(QCoreApplication::translate("CurveExport", "没有可导出的曲线"));
    // Drawn into memory first; the file is then saved the way every file of
    // this program is (files/safe_file.h), so an old picture stays whole
    // until the new one is complete.
    QByteArray bytes;
    QBuffer file(&bytes);
    file.open(QIODevice::WriteOnly);

    bool written = false;
    switch (format) {
    case CurveImageFormat::Png: {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        image.setDotsPerMeterX(qRound(dpi / 0.0254));
        image.setDotsPerMeterY(qRound(dpi / 0.0254));
        {
            QPainter p(&image);
            PaintStack(p, plots);
        }
        written = image.save(&file, "PNG");
        break;
    }
    case CurveImageFormat::Svg: {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setResolution(dpi);
        svg.setTitle(QCoreApplication::translate("CurveExport", "凸轮曲线"));
        QPainter p;
        if (p.begin(&svg)) {
            PaintStack(p, plots);
            written = p.end();
        }
        break;
    }
    case CurveImageFormat::Pdf: {
        QPdfWriter pdf(&file);
        pdf.setResolution(dpi);
        pdf.setPageSize(QPageSize(QSizeF(size) * 72.0 / dpi, QPageSize::Point, QString(), QPageSize::ExactMatch));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setTitle(QCoreApplication::translate("CurveExport", "凸轮曲线"));
        QPainter p;
        if (p.begin(&pdf)) {
            PaintStack(p, plots);
            written = p.end();
        }
        break;
    }
    case CurveImageFormat::Unknown: break;
    }
    if (!written)
        return Failed(QCoreApplication::translate("CurveExport", "写入失败"));
    std::string why;
    if (!ecam::SaveFile(std::filesystem::path(QFile::encodeName(path).toStdString()),
                        std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), why))
        return Failed(QCoreApplication::translate("CurveExport", "无法创建文件: ") + QString::fromStdString(why));
    return {true, QString()};
}
