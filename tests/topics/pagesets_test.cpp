#include "topicstest.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace oravians::testing {
namespace {

// "wmf\key inventionsc.wmf" -> "key-inventions-c.page"; "wmf\guide3.wmf" -> "guide-3.page".
QString sourceOf(const QString& screenPath)
{
    QString name = screenPath.section(QLatin1Char('\\'), 1).chopped(4);
    name.replace(QLatin1Char(' '), QLatin1Char('-'));
    static const QRegularExpression tail(QStringLiteral("^(.*?)([a-d]|[0-9])$"));
    const auto m = tail.match(name);
    if (m.hasMatch() && m.captured(1) != QLatin1String("acknowledgments"))
        name = m.captured(1) + QLatin1Char('-') + m.captured(2);
    return name + QStringLiteral(".page");
}

// Every page a teacher can turn to in the program has a written source, and
// every source of a set is reachable: page counts and texts agree.
struct PageSetTest : MenuFixture {
    const QDir pages{QStringLiteral(ORAVIANS_CONTENT_PAGES)};

    QStringList turnThrough(Control& image, Control& next)
    {
        QStringList shown{image.picture->source()};
        while (next.enabled && next.visible) {
            app.click(next);
            shown << image.picture->source();
        }
        return shown;
    }
    QStringList sourcesNamed(const QString& stem) const
    {
        return pages.entryList({stem + QStringLiteral("-?.page")}, QDir::Files, QDir::Name);
    }
    void expectSet(const QStringList& shown, const QString& stem)
    {
        QStringList expected;
        for (const QString& s : shown) {
            expected << sourceOf(s);
            EXPECT_TRUE(QFileInfo::exists(pages.filePath(sourceOf(s)))) << qPrintable(s);
        }
        EXPECT_EQ(expected, sourcesNamed(stem)) << qPrintable(stem);
    }
    void viewerSet(int topicEntry, int button, const QString& stem)
    {
        clickMenu(topicEntry);
        Window* topic = app.top();
        app.click(*topic->find(QStringLiteral("Label3"), button));
        teacher& viewer = app.form<teacher>();
        expectSet(turnThrough(viewer.Image1, viewer.Label3[2]), stem);
        app.click(viewer.Label3[1]);
        app.click(*topic->find(QStringLiteral("Label3"), 2));
    }
};

TEST_F(PageSetTest, EveryPageSetMatchesItsSources)
{
    viewerSet(10, 4, "key-quellmore");
    viewerSet(10, 5, "quellmore");
    viewerSet(8, 4, "key-inventions");
    viewerSet(8, 5, "inventions");
    clickMenu(20);
    expectSet(turnThrough(app.form<guide>().Image1, app.form<guide>().Label3[2]), "guide");
    app.click(app.form<guide>().Label3[1]);
    clickMenu(19); // the acknowledgments, a page of its own
    EXPECT_TRUE(QFileInfo::exists(pages.filePath(sourceOf(app.form<teacher>().Image1.picture->source()))));
}

} // namespace
} // namespace oravians::testing
