// emptywindow: the floor bench_startup measures the program against. One
// plain Qt window, full-screen like the program's backdrop, that paints once,
// writes "painted" on its standard output and exits.
#include <QApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

class Empty : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter(this).fillRect(rect(), QColor(48, 133, 214));
        if (reported_)
            return;
        reported_ = true;
        // Queued, so the painted frame has reached the screen first.
        QTimer::singleShot(0, [] {
            std::fputs("painted\n", stdout);
            std::fflush(stdout);
            QCoreApplication::quit();
        });
    }

private:
    bool reported_ = false;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Empty window;
    window.setWindowFlag(Qt::FramelessWindowHint, true);
    window.setAttribute(Qt::WA_OpaquePaintEvent, true);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window.setGeometry(screen->geometry());
    window.showFullScreen();
    return QApplication::exec();
}
