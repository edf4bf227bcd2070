#pragma once

#include "platform/services.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <memory>

class QPainter;
class QPrinter;

namespace oravians {

// Prints on the system's default printer without a dialog. The job starts
// with the first operation that prints or draws and goes to the printer at
// endDoc(). Any failure throws PrintError and drops the job, so the next
// operation starts afresh; endDoc() returns only once the print server has
// taken the job, and reports it Held when the queue is paused.
class QtPrinter : public Printer {
public:
    QtPrinter();
    ~QtPrinter() override;
    QtPrinter(const QtPrinter&) = delete;
    QtPrinter& operator=(const QtPrinter&) = delete;

    float pageWidth() override;
    float pageHeight() override;
    void setFontName(const QString& name) override;
    void setFontSize(float points) override;
    void setForeColor(Rgb colour) override;
    void setCurrentX(float x) override;
    float currentX() override;
    float currentY() override;
    float textWidth(const QString& text) override;
    float lineHeight() override;
    void print(const QString& text, bool newline = true) override;
    void setDrawWidth(int dots) override;
    void line(float x1, float y1, float x2, float y2, Rgb colour) override;
    void paintPicture(const Picture& picture, float x, float y) override;
    void newPage() override;
    PrintOutcome endDoc() override;

private:
    QPrinter& device();   // the printer set up for the default queue
    QPainter& painter();  // starts the document on first use
    QFont font();          // the current font, with fallbacks for other scripts
    bool hasAllLetters(const QString& text, const QFont& f);
    double twipsPerDot();
    [[noreturn]] void fail(const QString& why);
    void drop();          // forgets the job without sending it

    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
    QString queue_;
    int lastJobBefore_ = 0;
    QString fontName_ = QStringLiteral("Arial");
    float fontSize_ = 10.0f;
    QColor colour_ = Qt::black;
    int drawWidth_ = 1;
    float x_ = 0, y_ = 0;
};

// The printer the program uses: the system's default printer.
std::unique_ptr<Printer> makeSystemPrinter();

} // namespace oravians
