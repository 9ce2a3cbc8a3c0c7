// "导出曲线图..." in the position plot's menu: the three plots as the panel
// shows them, in each format, and what the user hears when writing fails.
#include "tests/support/panel_harness.h"
#include "tests/support/wheel.h"
#include "ui/panel/curve_menu.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace {

class CurveExport : public PanelHarness {
protected:
    CurveExport() : PanelHarness(QSize(800, 600), Show::kExposed) {}

    // Right-clicks the position plot and answers the menu with the export
    // and the save dialog with `path` (empty: cancelled).
    void Export(const QString& path)
    {
        ui->menus.QueueChoice(ID_EXPORT_CURVES);
        files.QueueAnswer(path);
        QTest::mouseClick(PositionCurve(), Qt::RightButton, {}, QPoint(300, 60));
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(CurveExport, WritesThePlotsAsShownInEachFormat)
{
    ASSERT_TRUE(dir.isValid());
    LoadCam({Pt(0, 0, 0, 1), Pt(400, 300, 0, 1), Pt(1000, -200, 0, 1)});
    for (CECamCurveWnd* w : {PositionCurve(), SpeedCurve(), AccelCurve()})
        w->AutoScaleY();
    // Zoomed in: the file shows the zoomed view, as the screen does.
    Wheel(PositionCurve(), QPoint(400, 100), 2);
    ASSERT_TRUE(AccelCurve()->IsMasterZoomed());

    const QString png = dir.filePath(QStringLiteral("曲线.png"));
    Export(png);
    ASSERT_EQ(files.Calls().size(), 1u);
    const FileDialogCall& call = files.Calls().back();
    EXPECT_TRUE(call.save);
    EXPECT_EQ(call.title, QString::fromUtf8("导出曲线图"));
    for (const char* pattern : {"*.png", "*.svg", "*.pdf"})
        EXPECT_TRUE(call.filter.contains(QLatin1String(pattern))) << pattern;
    EXPECT_EQ(call.defaultExt, QStringLiteral("png"));
    EXPECT_TRUE(boxes.Calls().empty());

    // The PNG is the three windows' own pictures, stacked at their sizes.
    QImage image;
    ASSERT_TRUE(image.load(png, "PNG"));
    int top = 0;
    for (CECamCurveWnd* w : {PositionCurve(), SpeedCurve(), AccelCurve()}) {
        const QImage shown = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(shown.size(), w->size());
        const QImage part = image.copy(QRect(QPoint(0, top), w->size())).convertToFormat(QImage::Format_RGB32);
        int differ = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                differ += shown.pixel(x, y) != part.pixel(x, y) ? 1 : 0;
        EXPECT_EQ(differ, 0) << w->Title().toStdString();
        top += w->height();
    }
    EXPECT_EQ(image.size(), QSize(PositionCurve()->width(), top));

    // SVG: well-formed XML with an svg root the size of the stack.
    const QString svg = dir.filePath(QStringLiteral("curves.SVG"));
    Export(svg);
    QFile svgFile(svg);
    ASSERT_TRUE(svgFile.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&svgFile);
    ASSERT_TRUE(xml.readNextStartElement());
    EXPECT_EQ(xml.name(), QLatin1String("svg"));
    EXPECT_EQ(xml.attributes().value(QLatin1String("viewBox")), QStringLiteral("0 0 %1 %2").arg(image.width()).arg(top));
    int texts = 0;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("text"))
            ++texts;
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_GT(texts, 30);  // titles, axis labels, read-outs
    EXPECT_TRUE(boxes.Calls().empty());
    // (A PDF: the command line's render test; both write through one export.)
}

TEST_F(CurveExport, FailuresAreToldAndCancelWritesNothing)
{
    ASSERT_TRUE(dir.isValid());
    // Cancelled: no file, no message.
    Export(QString());
    EXPECT_EQ(files.Calls().size(), 1u);
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());

    // A folder that does not exist.
    const QString missing = dir.filePath(QStringLiteral("no/such/folder/c.png"));
    Export(missing);
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_TRUE(boxes.Calls().back().text.startsWith(QString::fromUtf8("曲线图导出失败: ") + missing + "\n" +
                                                     QString::fromUtf8("无法创建文件")))
        << boxes.Calls().back().text.toStdString();
    EXPECT_EQ(boxes.Calls().back().icon, MB_ICONERROR);

    // An extension of no known format: told, nothing written.
    Export(dir.filePath(QStringLiteral("c.bmp")));
    ASSERT_EQ(boxes.Calls().size(), 2u);
    EXPECT_TRUE(boxes.Calls().back().text.contains(QString::fromUtf8("不支持的文件类型")));
    EXPECT_TRUE(QDir(dir.path()).isEmpty());

    // A file already there stays whole when the new picture cannot replace
    // it: a folder of that name cannot be written over.
    const QString taken = dir.filePath(QStringLiteral("taken.png"));
    ASSERT_TRUE(QDir().mkpath(taken));
    Export(taken);
    ASSERT_EQ(boxes.Calls().size(), 3u);
    EXPECT_TRUE(QFileInfo(taken).isDir());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{"taken.png"});
}
