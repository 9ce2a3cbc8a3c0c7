// "ecamctl render" run as a user runs it, with no display: each format opens
// as what it claims to be, the picture holds three plots of the asked size,
// and an unwritable file is refused with its reason.
// (That the pictures match the panel's own windows is checked by the panel's
// export test; both draw through the same export.)
#include "ecamctl_fixture.h"

#include <QFile>
#include <QImage>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using ecamtest::RunEcamctl;

class EcamctlRender : public EcamctlTest {
protected:
    std::string cam;
    void SetUp() override
    {
        cam = Write("cam.txt", "0,0,0,1\n400,300,0,1\n1000,-200,0,1\n");
        // No display at all, and a platform that would need one: ecamctl
        // must not try it.
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        setenv("QT_QPA_PLATFORM", "xcb", 1);
    }
    // "ecamctl render ARGS..." writes OUT, the last argument, and prints nothing.
    std::string Render(std::vector<std::string> args)
    {
        args.insert(args.begin(), "render");
        const auto r = RunEcamctl(args);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.out + r.err, "");
        return args.back();
    }
};

// Plot i of a stack of plots `h` high: its frame corner is grey, and the
// red curve shows inside it.
void ExpectPlot(const QImage& image, int top, int h)
{
    EXPECT_EQ(QColor(image.pixel(120, top + 20)), QColor(100, 100, 100)) << top;
    EXPECT_EQ(QColor(image.pixel(2, top + 2)), QColor(Qt::white)) << top;
    int red = 0;
    for (int y = top + 20; y < top + h - 20; ++y)
        for (int x = 121; x < image.width() - 20; ++x)
            red += image.pixel(x, y) == qRgb(255, 0, 0) ? 1 : 0;
    EXPECT_GT(red, 100) << top;
}

} // namespace

TEST_F(EcamctlRender, WritesEachFormatWithoutADisplayOrTellsWhyNot)
{
    QImage image;
    ASSERT_TRUE(image.load(QString::fromStdString(Render({cam, Path("c.png")})), "PNG"));
    EXPECT_EQ(image.size(), QSize(960, 900));
    for (int i = 0; i < 3; ++i)
        ExpectPlot(image, i * 300, 300);

    ASSERT_TRUE(image.load(QString::fromStdString(Render({"--size", "640x481", cam, Path("small.png")})), "PNG"));
    EXPECT_EQ(image.size(), QSize(640, 481));
    ExpectPlot(image, 0, 160);
    ExpectPlot(image, 320, 161);  // the last plot takes the odd row

    // The default cam of a length: flat, drawn on the panel's ranges.
    EXPECT_TRUE(image.load(QString::fromStdString(Render({"--length", "2000", Path("default.png")})), "PNG"));

    QFile svg(QString::fromStdString(Render({cam, "--size", "800x600", Path("c.svg")})));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&svg);
    ASSERT_TRUE(xml.readNextStartElement());
    EXPECT_EQ(xml.name(), QLatin1String("svg"));
    EXPECT_EQ(xml.attributes().value(QLatin1String("viewBox")), QLatin1String("0 0 800 600"));
    while (!xml.atEnd())
        xml.readNext();
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();

    QFile pdf(QString::fromStdString(Render({cam, Path("c.pdf")})));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");

    // A folder that is not there: status 1 and the reason.
    const std::string nowhere = Path("no/such/c.png");
    const auto r = RunEcamctl({"render", cam, nowhere});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.rfind("ecamctl render: 无法写入 '" + nowhere + "': 无法创建文件: ", 0), 0u) << r.err;
}
