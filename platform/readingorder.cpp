#include "platform/readingorder.h"

#include <algorithm>

namespace oravians {

namespace {

// Two runs sit on one line when their boxes overlap by half the smaller height.
bool sameLine(const QRectF& line, const QRectF& run)
{
    const qreal overlap = std::min(line.bottom(), run.bottom()) - std::max(line.top(), run.top());
    return overlap >= 0.5 * std::min(line.height(), run.height());
}

} // namespace

QString readingText(std::vector<TextRun> runs)
{
    std::erase_if(runs, [](const TextRun& r) { return r.text.trimmed().isEmpty(); });
    std::stable_sort(runs.begin(), runs.end(), [](const TextRun& a, const TextRun& b) {
        return a.box.center().y() < b.box.center().y();
    });
    // Gather lines top to bottom; a run joins the line it overlaps.
    std::vector<std::vector<const TextRun*>> lines;
    std::vector<QRectF> extents;
    for (const TextRun& r : runs) {
        if (!lines.empty() && sameLine(extents.back(), r.box)) {
            lines.back().push_back(&r);
            extents.back() |= r.box;
        } else {
            lines.push_back({&r});
            extents.push_back(r.box);
        }
    }
    QString text;
    for (auto& line : lines) {
        std::stable_sort(line.begin(), line.end(),
                         [](const TextRun* a, const TextRun* b) { return a->box.left() < b->box.left(); });
        QString joined;
        qreal end = 0;
        for (const TextRun* r : line) {
            // A gap wider than a fifth of the text's height is a word break.
            const bool gap = r->box.left() - end > 0.2 * r->box.height();
            if (!joined.isEmpty() && gap && !joined.endsWith(QLatin1Char(' ')) && !r->text.startsWith(QLatin1Char(' ')))
                joined += QLatin1Char(' ');
            joined += r->text;
            end = std::max(end, r->box.right());
        }
        text += joined.trimmed() + QLatin1Char('\n');
    }
    return text;
}

} // namespace oravians
