// Prints real pages through the default queue of the private print server
// and reads back the PDF it delivers.

#include "platform/printer/qtprinter.h"
#include "printharness.h"

#include <QPainter>

#include <cups/cups.h>
#include <gtest/gtest.h>

#include <cstdlib>

using namespace oravians;
using namespace oravians::testing;

namespace {

// A picture of one flat colour, as a raster picture would be drawn.
struct FlatPicture : Picture {
    FlatPicture(QSizeF twips, QColor colour) : size(twips), colour(colour) {}
    QSizeF sizeTwips() const override { return size; }
    void draw(QPainter& painter, const QRectF& target) const override
    {
        QImage image((size / kTwipsPerPixel).toSize(), QImage::Format_RGB32);
        image.fill(colour);
        painter.drawImage(target, image);
    }
    QString source() const override { return QStringLiteral("images\\flat.bmp"); }
    QSizeF size;
    QColor colour;
};

class RealPrinting : public PrintQueueTest {
protected:
    // The PDF the job produced; fails the test if none comes.
    QString printedPdf()
    {
        const auto pdf = waitForPrintedPdf(20000);
        EXPECT_TRUE(pdf.has_value()) << "no PDF came out of the test queue";
        return pdf.value_or(QString());
    }
};

// Counts pixels in area of the page rendered at 100 dpi that are close to
// colour; a QRectF area is in points.
int pixelsLike(const QImage& page, QRect area, QColor colour)
{
    int count = 0;
    area = area.intersected(page.rect());
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = page.pixelColor(x, y);
            count += std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green())
                             + std::abs(c.blue() - colour.blue()) <= 60;
        }
    return count;
}

int pixelsLike(const QImage& page, const QRectF& points, QColor colour)
{
    return pixelsLike(page, QRectF(points.topLeft() * 100 / 72, points.bottomRight() * 100 / 72).toAlignedRect(), colour);
}

} // namespace

TEST_F(RealPrinting, TextLinesInSeveralFontsArriveAsOnePdfPage)
{
    QtPrinter printer;
    const float w = printer.pageWidth();
    EXPECT_GT(w, 9000.0f); // letter or A4 minus margins
    EXPECT_GT(printer.pageHeight(), w);

    printer.setFontName(QStringLiteral("Times New Roman"));
    printer.setFontSize(25);
    printer.setForeColor({0, 0, 255});
    printer.print(QStringLiteral("Quellmore"));
    printer.setFontName(QStringLiteral("Arial"));
    printer.setFontSize(12);
    printer.setForeColor({255, 0, 0});
    printer.print(QStringLiteral("Windmill "), false);
    printer.setForeColor({0, 0, 0});
    printer.print(QStringLiteral("Lantern"));
    printer.setFontName(QStringLiteral("Tahoma"));
    printer.setFontSize(16);
    const float rightwardWidth = printer.textWidth(QStringLiteral("Rightward"));
    printer.setCurrentX(w / 2);
    printer.print(QStringLiteral("Rightward"));
    printer.endDoc();

    const QString pdf = printedPdf();
    ASSERT_FALSE(pdf.isEmpty());
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("Quellmore"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Windmill +Lantern")))) << text.toStdString();

    const PdfWords words = pdfWords(pdf);
    const auto first = words.find(QStringLiteral("Quellmore"));
    const auto windmill = words.find(QStringLiteral("Windmill"));
    const auto lantern = words.find(QStringLiteral("Lantern"));
    const auto right = words.find(QStringLiteral("Rightward"));
    ASSERT_TRUE(first && windmill && lantern && right) << text.toStdString();
    // Printed lines run down the page in order; the unfinished line goes on
    // where the last text stopped.
    EXPECT_LT(first->box.bottom(), windmill->box.bottom());
    EXPECT_NEAR(windmill->box.center().y(), lantern->box.center().y(), 2.0);
    EXPECT_GT(lantern->box.left(), windmill->box.right());
    EXPECT_LT(lantern->box.left() - windmill->box.right(), 12.0);
    EXPECT_LT(windmill->box.bottom(), right->box.bottom());
    EXPECT_NEAR(windmill->box.left(), first->box.left(), 3.0);
    // Set at half the printable width: the middle of the paper where the
    // margins are equal.
    EXPECT_NEAR(right->box.left(), words.page.width() / 2, 0.05 * words.page.width());
    EXPECT_NEAR(right->box.width(), rightwardWidth / 20, 2.0); // the width the program centres text by
    // 25 pt against 12 pt type.
    EXPECT_GT(first->box.height(), 1.6 * windmill->box.height());
    // Each word in its own colour.
    const QImage page = pdfPage(pdf, 100);
    ASSERT_FALSE(page.isNull());
    EXPECT_GT(pixelsLike(page, first->box, Qt::blue), 50);
    EXPECT_EQ(pixelsLike(page, first->box, Qt::red), 0);
    EXPECT_GT(pixelsLike(page, windmill->box, Qt::red), 10);
    EXPECT_EQ(pixelsLike(page, windmill->box, Qt::blue), 0);
}

TEST_F(RealPrinting, FrameLinesAndPictureLandWhereDrawn)
{
    QtPrinter printer;
    const float w = printer.pageWidth();
    const float h = printer.pageHeight();
    const float left = w / 4, top = h / 4, right = w * 3 / 4, bottom = h * 3 / 4;
    printer.print(QString()); // starts the page, as the page printing does
    printer.setDrawWidth(4);
    printer.line(left, top, right, top, kBlack);
    printer.line(left, top, left, bottom, kBlack);
    printer.line(right, top, right, bottom, kBlack);
    printer.line(left, bottom, right, bottom, kBlack);
    printer.paintPicture(FlatPicture(QSizeF(1500, 1500), QColor(0, 160, 0)), left + 1000, top + 1000);
    printer.endDoc();

    const QImage page = pdfPage(printedPdf(), 100);
    ASSERT_FALSE(page.isNull());
    // The frame: the bounding box of the dark pixels.
    QRect frame, green;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            if (c.red() < 80 && c.green() < 80 && c.blue() < 80)
                frame |= QRect(x, y, 1, 1);
            if (c.green() > 120 && c.red() < 60 && c.blue() < 60)
                green |= QRect(x, y, 1, 1);
        }
    ASSERT_FALSE(frame.isEmpty());
    ASSERT_FALSE(green.isEmpty());
    // Measured against the frame, so margins and paper size do not matter.
    const double twipsPerPixel = (right - left) / frame.width();
    EXPECT_NEAR((bottom - top) / frame.height(), twipsPerPixel, twipsPerPixel * 0.03);
    EXPECT_NEAR((green.left() - frame.left()) * twipsPerPixel, 1000, 3 * twipsPerPixel);
    EXPECT_NEAR((green.top() - frame.top()) * twipsPerPixel, 1000, 3 * twipsPerPixel);
    EXPECT_NEAR(green.width() * twipsPerPixel, 1500, 3 * twipsPerPixel);
    EXPECT_NEAR(green.height() * twipsPerPixel, 1500, 3 * twipsPerPixel);
    // The frame is a thin outline, not a filled box.
    const QPoint middle = frame.center();
    EXPECT_EQ(pixelsLike(page, QRect(middle - QPoint(5, 5), QSize(10, 10)), Qt::black), 0);
}

TEST_F(RealPrinting, TextPastTheBottomGoesOnOverThePage)
{
    QtPrinter printer;
    printer.setFontName(QStringLiteral("Times New Roman"));
    printer.setFontSize(32);
    const float height = printer.pageHeight();
    int lines = 0;
    float lastY = 0;
    bool wrapped = false;
    while (!wrapped && lines < 200) {
        printer.print(QStringLiteral("Line%1").arg(++lines));
        wrapped = printer.currentY() < lastY;
        lastY = printer.currentY();
        ASSERT_LE(printer.currentY(), height);
    }
    ASSERT_TRUE(wrapped);
    // Lines of 32 pt type are a little over 32 pt apart.
    EXPECT_GE(lines, int(height / (32 * 20 * 1.4)));
    EXPECT_LE(lines, int(height / (32 * 20)) + 1);
    printer.print(QStringLiteral("Overleaf"));
    printer.endDoc();

    const QString pdf = printedPdf();
    ASSERT_FALSE(pdf.isEmpty());
    const QString all = pdfText(pdf);
    const QStringList pages = all.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    ASSERT_EQ(pages.size(), 2);
    // Every line is on paper; the wrapped line opens the second page.
    for (int n = 1; n <= lines; ++n)
        EXPECT_TRUE(all.contains(QRegularExpression(QStringLiteral("\\bLine%1\\b").arg(n)))) << n;
    EXPECT_TRUE(pages[1].trimmed().startsWith(QStringLiteral("Line%1").arg(lines)));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("Overleaf")));
    EXPECT_FALSE(pages[0].contains(QStringLiteral("Overleaf")));
}

TEST_F(RealPrinting, AnEmptyOrUnendedDocumentSendsNothing)
{
    {
        QtPrinter empty;
        empty.setFontSize(12);
        empty.endDoc();
        QtPrinter abandoned;
        abandoned.print(QStringLiteral("Abandoned"));
    }
    EXPECT_FALSE(waitForPrintedPdf(1500).has_value());
}

// A paused queue (stopped, still accepting, as after a paper jam) once
// refused the job; it should keep it and print it when started again.
TEST_F(RealPrinting, PausedQueueHoldsTheJobAndPrintsItWhenStarted)
{
    const QStringList jobsBefore = queueJobs();
    ASSERT_TRUE(setQueueEnabled(false));
    QtPrinter printer;
    printer.print(QStringLiteral("Held back"));
    EXPECT_EQ(printer.endDoc(), PrintOutcome::Held);
    EXPECT_EQ(queueJobs().size(), jobsBefore.size() + 1) << "the print server keeps the job";
    EXPECT_FALSE(waitForPrintedPdf(1500).has_value()) << "nothing prints while paused";

    ASSERT_TRUE(setQueueEnabled(true));
    const auto held = pdfWords(printedPdf()).find(QStringLiteral("Held"));
    ASSERT_TRUE(held);

    // A running queue reports its jobs as printed; a new document starts at the top.
    clearPrintedPdfs();
    printer.print(QStringLiteral("Running again"));
    EXPECT_EQ(printer.endDoc(), PrintOutcome::Printed);
    const auto running = pdfWords(printedPdf()).find(QStringLiteral("Running"));
    ASSERT_TRUE(running);
    EXPECT_NEAR(running->box.top(), held->box.top(), 1.0);
}

// A queue that turns jobs away: the printer says so and nothing prints.
struct Refusal {
    const char* name;
    bool paused;
    bool refusesMidPage; // starts refusing once the page is begun
};

struct RefusingQueue : RealPrinting, ::testing::WithParamInterface<Refusal> {};

TEST_P(RefusingQueue, RaisesPrintErrorAndNothingPrints)
{
    const Refusal& r = GetParam();
    const QStringList jobsBefore = queueJobs();
    ASSERT_TRUE(setQueueEnabled(!r.paused));
    if (!r.refusesMidPage)
        ASSERT_TRUE(setQueueAccepting(false));
    QtPrinter printer;
    EXPECT_THROW(
        {
            printer.print(QStringLiteral("Turned away"));
            if (r.refusesMidPage)
                ASSERT_TRUE(setQueueAccepting(false));
            printer.endDoc();
        },
        PrintError);
    EXPECT_EQ(queueJobs(), jobsBefore);
    ASSERT_TRUE(setQueueAccepting(true));
    ASSERT_TRUE(setQueueEnabled(true));
    EXPECT_FALSE(waitForPrintedPdf(1500).has_value());
}

INSTANTIATE_TEST_SUITE_P(, RefusingQueue,
                         ::testing::Values(Refusal{"Rejecting", false, false},
                                           Refusal{"PausedAndRejecting", true, false},
                                           Refusal{"RejectingMidPage", false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// Runs without the harness: the print server is simply not there.
TEST(NoPrintServer, EveryPrintingStepRaisesPrintErrorWithoutHanging)
{
    const QByteArray realServer = qgetenv("CUPS_SERVER");
    const QString missing = QDir::temp().filePath(QStringLiteral("oravians-no-such-dir/cups.sock"));
    qputenv("CUPS_SERVER", missing.toLocal8Bit());
    cupsSetServer(nullptr); // forget any server this process asked before
    {
        QtPrinter printer;
        EXPECT_THROW(printer.print(QStringLiteral("Nowhere")), PrintError);
        EXPECT_THROW(printer.pageWidth(), PrintError);
        EXPECT_THROW(printer.line(0, 0, 100, 100, kBlack), PrintError);
        EXPECT_NO_THROW(printer.endDoc()); // nothing was started, nothing is sent
    }
    qputenv("CUPS_SERVER", realServer);
    cupsSetServer(nullptr);
}
