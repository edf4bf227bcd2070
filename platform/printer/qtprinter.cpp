#include "platform/printer/qtprinter.h"

#include "platform/fontmap.h"
#include "platform/geometry.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QPen>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextLayout>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>

#include <cups/cups.h>

namespace oravians {

namespace {

QString cupsMessage()
{
    const char* text = cupsLastErrorString();
    return text ? QString::fromLocal8Bit(text) : QString();
}

struct QueueState {
    QString problem; // why no job can be sent; empty when one can
    bool stopped = false; // paused: a job is kept until the queue is started
};

// Qt reports a rejecting queue as a successful job and loses it, so the
// print server itself is asked before the job starts. A stopped queue that
// still accepts jobs is paused (a paper jam, an administrator): it keeps the
// job and prints it when started again.
QueueState queueState(const QString& queue)
{
    const QByteArray name = queue.toLocal8Bit();
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.constData(), nullptr);
    if (!dest)
        return {QStringLiteral("The printer %1 cannot be reached: %2").arg(queue, cupsMessage())};
    const char* accepting = cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    const char* state = cupsGetOption("printer-state", dest->num_options, dest->options);
    const bool rejecting = accepting && (std::strcmp(accepting, "false") == 0 || std::strcmp(accepting, "0") == 0);
    const bool stopped = state && std::atoi(state) == IPP_PSTATE_STOPPED;
    cupsFreeDests(1, dest);
    if (rejecting)
        return {QStringLiteral("The printer %1 is not accepting jobs.").arg(queue), stopped};
    return {QString(), stopped};
}

struct NewestJob {
    int id = 0;
    ipp_jstate_t state = IPP_JSTATE_PENDING;
};

// The newest job the queue knows of (id 0 when none); nullopt when the print
// server cannot be asked.
std::optional<NewestJob> newestJob(const QString& queue)
{
    const QByteArray name = queue.toLocal8Bit();
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, name.constData(), 0, CUPS_WHICHJOBS_ALL);
    if (count < 0)
        return std::nullopt;
    NewestJob newest;
    for (int i = 0; i < count; ++i) {
        if (jobs[i].id > newest.id)
            newest = {jobs[i].id, jobs[i].state};
    }
    cupsFreeJobs(count, jobs);
    return newest;
}

} // namespace

QtPrinter::QtPrinter() = default;

QtPrinter::~QtPrinter()
{
    drop();
}

void QtPrinter::fail(const QString& why)
{
    drop();
    throw PrintError(why.toStdString());
}

void QtPrinter::drop()
{
    if (painter_ && painter_->isActive()) {
        // Qt cannot take back a started page: its abort() still sends it
        // when the painter ends. So the print client is pointed at a server
        // that does not exist while the page is closed, and then back at the
        // real one.
        printer_->abort();
        cupsSetServer("/nonexistent/oravians-dropped-job.sock");
        painter_->end();
        cupsSetServer(nullptr);
    }
    painter_.reset();
    printer_.reset();
    queue_.clear();
    x_ = y_ = 0;
}

QPrinter& QtPrinter::device()
{
    if (printer_)
        return *printer_;
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    // Without a default printer Qt quietly switches to writing a PDF file.
    if (info.isNull())
        fail(QStringLiteral("There is no default printer."));
    printer_ = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    if (printer_->outputFormat() != QPrinter::NativeFormat || !printer_->isValid())
        fail(QStringLiteral("The default printer %1 cannot be used.").arg(info.printerName()));
    // Qt starts every job on A4 whatever paper the queue is set up for.
    if (const QPageSize paper = info.defaultPageSize(); paper.isValid())
        printer_->setPageSize(paper);
    printer_->setDocName(QStringLiteral("The Oravians"));
    queue_ = printer_->printerName();
    return *printer_;
}

QPainter& QtPrinter::painter()
{
    if (painter_)
        return *painter_;
    QPrinter& printer = device();
    if (const QString problem = queueState(queue_).problem; !problem.isEmpty())
        fail(problem);
    const auto before = newestJob(queue_);
    if (!before)
        fail(QStringLiteral("The print server does not answer: %1").arg(cupsMessage()));
    lastJobBefore_ = before->id;
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(&printer))
        fail(QStringLiteral("The printer %1 could not start a page.").arg(queue_));
    return *painter_;
}

double QtPrinter::twipsPerDot()
{
    return kTwipsPerInch / double(device().resolution());
}

QFont QtPrinter::font()
{
    // The same families as on screen, so the paper shows what the window showed.
    QFont f(installedFamily(fontName_));
    f.setFamilies(QStringList{f.family()} + fallbackFamilies(fontName_));
    f.setPointSizeF(fontSize_);
    return f;
}

bool QtPrinter::hasAllLetters(const QString& text, const QFont& f)
{
    // Shaped as it will be drawn, fallback fonts included: glyph 0 is the
    // empty box a font shows for a letter it does not have.
    QTextLayout layout(text, f, printer_.get());
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const auto runs = layout.glyphRuns();
    for (const QGlyphRun& run : runs) {
        const auto glyphs = run.glyphIndexes();
        if (std::find(glyphs.begin(), glyphs.end(), 0u) != glyphs.end())
            return false;
    }
    return true;
}

float QtPrinter::pageWidth()
{
    return float(device().pageRect(QPrinter::DevicePixel).width() * twipsPerDot());
}

float QtPrinter::pageHeight()
{
    return float(device().pageRect(QPrinter::DevicePixel).height() * twipsPerDot());
}

void QtPrinter::setFontName(const QString& name)
{
    fontName_ = name;
}

void QtPrinter::setFontSize(float points)
{
    if (points > 0)
        fontSize_ = points;
}

void QtPrinter::setForeColor(Rgb colour)
{
    colour_ = QColor(colour.r, colour.g, colour.b);
}

void QtPrinter::setCurrentX(float x)
{
    x_ = x;
}

float QtPrinter::currentX()
{
    return x_;
}

float QtPrinter::currentY()
{
    return y_;
}

float QtPrinter::textWidth(const QString& text)
{
    QPrinter& printer = device();
    return float(QFontMetricsF(font(), &printer).horizontalAdvance(text) * twipsPerDot());
}

float QtPrinter::lineHeight()
{
    QPrinter& printer = device();
    return float(QFontMetricsF(font(), &printer).height() * twipsPerDot());
}

void QtPrinter::print(const QString& text, bool newline)
{
    QPainter& p = painter();
    const double perDot = twipsPerDot();
    const QFont f = font();
    const QFontMetricsF metrics(f, printer_.get());
    if (!hasAllLetters(text, f)) {
        drop();
        throw UnprintableText(text);
    }
    // One line is the font's height, ascent plus descent, without the extra
    // leading between lines that the font suggests for running text: the
    // certificate's lines are placed to fit inside its frame that way.
    // Text that would run past the bottom goes on at the top of a new page,
    // as a printer's text output does, rather than off the paper.
    const float advance = float(metrics.height() * perDot); // as lineHeight()
    if (y_ > 0 && y_ + advance > pageHeight()) {
        if (!printer_->newPage())
            fail(QStringLiteral("The printer %1 could not start a new page.").arg(queue_));
        y_ = 0;
    }
    if (!text.isEmpty()) {
        p.setFont(f);
        p.setPen(colour_);
        p.drawText(QPointF(x_ / perDot, y_ / perDot + metrics.ascent()), text);
    }
    if (newline) {
        x_ = 0;
        y_ += advance;
    } else {
        x_ += float(metrics.horizontalAdvance(text) * perDot);
    }
}

void QtPrinter::setDrawWidth(int dots)
{
    drawWidth_ = std::max(1, dots);
}

void QtPrinter::line(float x1, float y1, float x2, float y2, Rgb colour)
{
    QPainter& p = painter();
    const double perDot = twipsPerDot();
    QPen pen(QColor(colour.r, colour.g, colour.b), drawWidth_);
    pen.setCapStyle(Qt::SquareCap);
    p.setPen(pen);
    p.drawLine(QPointF(x1 / perDot, y1 / perDot), QPointF(x2 / perDot, y2 / perDot));
}

void QtPrinter::paintPicture(const Picture& picture, float x, float y)
{
    QPainter& p = painter();
    const double perDot = twipsPerDot();
    p.save();
    p.scale(1.0 / perDot, 1.0 / perDot);
    picture.draw(p, QRectF(QPointF(x, y), picture.sizeTwips()));
    p.restore();
}

void QtPrinter::newPage()
{
    painter(); // a document that starts with a new page starts with a blank one
    if (!printer_->newPage())
        fail(QStringLiteral("The printer %1 could not start a new page.").arg(queue_));
    x_ = y_ = 0;
}

PrintOutcome QtPrinter::endDoc()
{
    if (!painter_)
        return PrintOutcome::Printed; // nothing was printed, so there is nothing to send
    const bool ended = painter_->end();
    painter_.reset();
    // Qt hands the page to the print server but ignores its answer, so the
    // answer is read here and the queue is asked whether the job arrived.
    const ipp_status_t status = cupsLastError();
    const QString serverSays = cupsMessage();
    if (!ended)
        fail(QStringLiteral("The printer %1 could not finish the page.").arg(queue_));
    if (status > IPP_STATUS_OK_EVENTS_COMPLETE)
        fail(QStringLiteral("The printer %1 refused the job: %2").arg(queue_, serverSays));
    const auto after = newestJob(queue_);
    if (!after || after->id <= lastJobBefore_)
        fail(QStringLiteral("The printer %1 did not receive the job.").arg(queue_));
    if (after->state == IPP_JSTATE_ABORTED || after->state == IPP_JSTATE_CANCELED)
        fail(QStringLiteral("The printer %1 dropped the job.").arg(queue_));
    // Asked after the job arrived: a queue paused meanwhile holds it too.
    const bool finished = after->state == IPP_JSTATE_COMPLETED;
    const bool held = after->state == IPP_JSTATE_HELD || (!finished && queueState(queue_).stopped);
    printer_.reset();
    queue_.clear();
    x_ = y_ = 0;
    return held ? PrintOutcome::Held : PrintOutcome::Printed;
}

std::unique_ptr<Printer> makeSystemPrinter()
{
    return std::make_unique<QtPrinter>();
}

} // namespace oravians
