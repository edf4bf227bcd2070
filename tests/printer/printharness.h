#pragma once

#include <gtest/gtest.h>

// Helpers for tests that print through the private print server that
// tests/harness/cups.sh starts. Such tests read two variables, which
// tools/test.sh exports:
//   CUPS_SERVER        the server's socket (libcups and Qt use it)
//   ORAVIANS_PRINT_OUT the folder where each job appears as job-<id>.pdf
// The queue is shared: register printing tests with oravians_print_tests()
// (tests/harness/PrintTests.cmake) so that they never run side by side.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <QElapsedTimer>

#include <algorithm>
#include <optional>

namespace oravians::testing {

inline const QString kPrintQueue = QStringLiteral("oravians-pdf");

inline QString printOutDir() { return qEnvironmentVariable("ORAVIANS_PRINT_OUT"); }

// Empty when the print server is there; otherwise how to start it.
inline QString printHarnessProblem()
{
    if (!QFileInfo::exists(qEnvironmentVariable("CUPS_SERVER")) || !QFileInfo(printOutDir()).isDir())
        return QStringLiteral("No private print server (CUPS_SERVER, ORAVIANS_PRINT_OUT): run the tests with "
                              "`bash tools/test.sh`, or start tests/harness/cups.sh and export what it prints.");
    return {};
}

inline QStringList deliveredPdfs()
{
    return QDir(printOutDir()).entryList({QStringLiteral("job-*.pdf")}, QDir::Files, QDir::Time);
}

// Removes every delivered PDF, so the next one found is the next job's.
inline void clearPrintedPdfs()
{
    for (const QString& name : deliveredPdfs())
        QFile::remove(QDir(printOutDir()).filePath(name));
}

// The newest delivered PDF, waiting up to timeoutMs for one to appear.
// A PDF only appears once complete.
inline std::optional<QString> waitForPrintedPdf(int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    for (;; QThread::msleep(50)) {
        if (const QStringList found = deliveredPdfs(); !found.isEmpty())
            return QDir(printOutDir()).filePath(found.first());
        if (clock.elapsed() >= timeoutMs)
            return std::nullopt;
    }
}

// Runs a command-line tool; its standard output, or nullopt if it failed.
inline std::optional<QByteArray> runTool(const QString& program, const QStringList& args, int timeoutMs = 20000)
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(timeoutMs) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        process.kill();
        process.waitForFinished(1000);
        return std::nullopt;
    }
    return process.readAllStandardOutput();
}

// The text of the PDF laid out as on paper.
inline QString pdfText(const QString& path)
{
    const auto out = runTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    return out ? QString::fromUtf8(*out) : QString();
}

// One word of the first page and where it lies, in PDF points from the
// page's top-left corner.
struct PdfWord {
    QString text;
    QRectF box;
};

struct PdfWords {
    QSizeF page; // points
    QList<PdfWord> words;
    // The first word equal to text, or nullopt.
    std::optional<PdfWord> find(const QString& text) const
    {
        const auto it = std::find_if(words.begin(), words.end(), [&](const PdfWord& w) { return w.text == text; });
        return it == words.end() ? std::nullopt : std::optional(*it);
    }
};

inline PdfWords pdfWords(const QString& path)
{
    PdfWords result;
    const auto out = runTool(QStringLiteral("pdftotext"),
                             {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"),
                              QStringLiteral("-l"), QStringLiteral("1"), path, QStringLiteral("-")});
    if (!out)
        return result;
    const QString html = QString::fromUtf8(*out);
    static const QRegularExpression pageRe(QStringLiteral(R"re(<page width="([\d.]+)" height="([\d.]+)")re"));
    static const QRegularExpression wordRe(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    if (const auto m = pageRe.match(html); m.hasMatch())
        result.page = QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble());
    for (auto it = wordRe.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        const QString text = m.captured(5).replace(QLatin1String("&amp;"), QLatin1String("&"));
        result.words.append(PdfWord{text, QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                                 QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))});
    }
    return result;
}

// The first page rendered at dpi; a null image if it could not be rendered.
inline QImage pdfPage(const QString& path, int dpi)
{
    QTemporaryDir dir;
    if (!dir.isValid())
        return {};
    const QString base = dir.filePath(QStringLiteral("page"));
    if (!runTool(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dpi),
                                              QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-singlefile"),
                                              path, base}))
        return {};
    return QImage(base + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

// Lets the test queue take jobs or refuse them (refused jobs never reach it).
inline bool setQueueAccepting(bool accepting)
{
    return runTool(accepting ? QStringLiteral("cupsaccept") : QStringLiteral("cupsreject"), {kPrintQueue}).has_value();
}

// Starts or stops the test queue (a stopped queue holds its jobs).
inline bool setQueueEnabled(bool enabled)
{
    return runTool(enabled ? QStringLiteral("cupsenable") : QStringLiteral("cupsdisable"), {kPrintQueue}).has_value();
}

// The ids of every job the test queue knows, finished or not.
inline QStringList queueJobs()
{
    const auto out = runTool(QStringLiteral("lpstat"), {QStringLiteral("-W"), QStringLiteral("all"),
                                                        QStringLiteral("-o"), kPrintQueue});
    QStringList ids;
    for (const QString& line : QString::fromUtf8(out.value_or(QByteArray())).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        ids << line.section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
    return ids;
}

// A test that prints through the private queue: each starts with an enabled,
// accepting queue and no delivered PDFs, and leaves the queue that way.
class PrintQueueTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString problem = printHarnessProblem();
        ASSERT_TRUE(problem.isEmpty()) << problem.toStdString();
        ASSERT_TRUE(setQueueEnabled(true));
        ASSERT_TRUE(setQueueAccepting(true));
        clearPrintedPdfs();
    }
    void TearDown() override
    {
        setQueueEnabled(true);
        setQueueAccepting(true);
        if (qEnvironmentVariableIsEmpty("ORAVIANS_KEEP_PRINTS"))
            clearPrintedPdfs();
    }
};

} // namespace oravians::testing
