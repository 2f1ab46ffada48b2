#include "play/playbooklayout.h"

#include "play/playpainter.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <memory>
#include <vector>

namespace play {

namespace {

// The measures of the page, in points (1/72 inch).
constexpr int kColumns = 2;
constexpr double kColumnGap = 16;
constexpr double kRowGap = 14;
constexpr double kTitleSize = 18;
constexpr double kTagsSize = 10;
constexpr double kStepSize = 10;
constexpr double kNoteSize = 9;
constexpr double kNoteLeading = 2;
constexpr double kAfterCourt = 4;
const QColor kTagsColour(0x55, 0x55, 0x55);

QFont pageFont(double points, double unitsPerPoint, bool bold = false)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(std::max(1, qRound(points * unitsPerPoint)));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// A step's note broken into lines a column wide.
struct Note {
    std::unique_ptr<QTextLayout> layout;
    int next = 0; // the first line not drawn yet

    int remaining() const { return layout->lineCount() - next; }
};

// Draws on one device page after page, keeping the place where the next thing goes.
class PlaybookPages {
public:
    PlaybookPages(QPagedPaintDevice &device, QPainter &painter)
        : device_(device)
        , painter_(painter)
        , pt_(device.logicalDpiY() / 72.0)
        , width_(device.width())
        , height_(device.height())
        , noteFont_(pageFont(kNoteSize, pt_))
        , lineHeight_(QFontMetricsF(noteFont_).height() + kNoteLeading * pt_)
        , columnWidth_((width_ - (kColumns - 1) * kColumnGap * pt_) / kColumns)
    {
    }

    void drawPlay(const TitledPlay &entry)
    {
        if (!first_)
            device_.newPage();
        first_ = false;
        y_ = 0;
        drawHeading(entry, false);
        const Play &play = entry.play;
        const double courtHeight = columnWidth_ * courtSize(play.court).height() / courtSize(play.court).width();
        const double stepHeight = QFontMetricsF(pageFont(kStepSize, pt_, true)).height();
        const double head = stepHeight + courtHeight + kAfterCourt * pt_;

        for (int row = 0; row < play.steps.size(); row += kColumns) {
            const int count = std::min<int>(kColumns, play.steps.size() - row);
            std::vector<Note> notes;
            int lines = 0;
            for (int column = 0; column < count; ++column) {
                notes.push_back(layOut(play.steps.at(row + column).note));
                lines = std::max(lines, notes.back().remaining());
            }
            // A row goes whole on the next page when it does not fit the rest of this one; a
            // row too tall for any page keeps its courts with the first lines of its notes
            // and goes on with the rest overleaf.
            if (y_ + head + lines * lineHeight_ > height_ && !freshPage()) {
                nextPage(entry);
            }
            drawStepHeads(play, row, count, stepHeight, courtHeight);
            y_ += head;
            while (true) {
                const int fit = std::max(0, int((height_ - y_) / lineHeight_));
                drawNoteLines(notes, fit);
                if (std::none_of(notes.begin(), notes.end(), [](const Note &n) { return n.remaining() > 0; }))
                    break;
                nextPage(entry);
            }
            y_ += kRowGap * pt_;
        }
    }

private:
    bool freshPage() const { return y_ <= pageTop_; }

    void nextPage(const TitledPlay &entry)
    {
        device_.newPage();
        y_ = 0;
        drawHeading(entry, true);
    }

    void drawHeading(const TitledPlay &entry, bool continued)
    {
        const QFont titleFont = pageFont(continued ? kTagsSize : kTitleSize, pt_, true);
        const QString title
            = continued ? QCoreApplication::translate("play", "%1 (continued)").arg(entry.name) : entry.name;
        painter_.setFont(titleFont);
        painter_.setPen(continued ? kTagsColour : QColor(Qt::black));
        const QFontMetricsF titleMetrics(titleFont);
        painter_.drawText(QRectF(0, y_, width_, titleMetrics.height()), Qt::AlignLeft | Qt::AlignVCenter,
            titleMetrics.elidedText(title, Qt::ElideRight, width_));
        y_ += titleMetrics.height();
        if (!continued && !entry.play.tags.isEmpty()) {
            const QFont tagsFont = pageFont(kTagsSize, pt_);
            const QFontMetricsF tagsMetrics(tagsFont);
            painter_.setFont(tagsFont);
            painter_.setPen(kTagsColour);
            const QString tags = entry.play.tags.join(QStringLiteral(" \u00b7 "));
            painter_.drawText(QRectF(0, y_, width_, tagsMetrics.height()), Qt::AlignLeft | Qt::AlignVCenter,
                tagsMetrics.elidedText(tags, Qt::ElideRight, width_));
            y_ += tagsMetrics.height();
        }
        y_ += 3 * pt_;
        painter_.setPen(QPen(kTagsColour, 0.5 * pt_));
        painter_.drawLine(QPointF(0, y_), QPointF(width_, y_));
        y_ += 8 * pt_;
        pageTop_ = y_;
    }

    double columnLeft(int column) const { return column * (columnWidth_ + kColumnGap * pt_); }

    void drawStepHeads(const Play &play, int row, int count, double stepHeight, double courtHeight)
    {
        const QFont stepFont = pageFont(kStepSize, pt_, true);
        for (int column = 0; column < count; ++column) {
            const int step = row + column;
            const double left = columnLeft(column);
            painter_.setFont(stepFont);
            painter_.setPen(Qt::black);
            painter_.drawText(QRectF(left, y_, columnWidth_, stepHeight), Qt::AlignLeft | Qt::AlignVCenter,
                QCoreApplication::translate("play", "Step %1").arg(step + 1));
            const QRectF court(left, y_ + stepHeight, columnWidth_, courtHeight);
            painter_.save();
            painter_.setClipRect(court);
            painter_.setTransform(fitCourt(play.court, court), true);
            drawStep(painter_, play, step, Medium::Paper);
            painter_.restore();
        }
    }

    Note layOut(const QString &text) const
    {
        // A note's own line breaks stay: a text layout breaks lines at line separators.
        QString lines = text;
        lines.replace(QLatin1Char('\n'), QChar::LineSeparator);
        Note note { std::make_unique<QTextLayout>(lines, noteFont_) };
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        note.layout->setTextOption(option);
        note.layout->setCacheEnabled(true);
        note.layout->beginLayout();
        for (QTextLine line = note.layout->createLine(); line.isValid(); line = note.layout->createLine())
            line.setLineWidth(columnWidth_);
        note.layout->endLayout();
        return note;
    }

    // Up to `fit` more lines of each note, side by side, from y_ down.
    void drawNoteLines(std::vector<Note> &notes, int fit)
    {
        painter_.setPen(Qt::black);
        int drawn = 0;
        for (size_t column = 0; column < notes.size(); ++column) {
            Note &note = notes[column];
            const int count = std::min(fit, note.remaining());
            for (int i = 0; i < count; ++i) {
                const QTextLine line = note.layout->lineAt(note.next + i);
                line.draw(&painter_, QPointF(columnLeft(int(column)), y_ + i * lineHeight_ - line.y()));
            }
            note.next += count;
            drawn = std::max(drawn, count);
        }
        y_ += drawn * lineHeight_;
    }

    QPagedPaintDevice &device_;
    QPainter &painter_;
    const double pt_; // device units a point
    const double width_;
    const double height_;
    const QFont noteFont_;
    const double lineHeight_;
    const double columnWidth_;
    double y_ = 0;
    double pageTop_ = 0; // where the steps of a page begin, under its heading
    bool first_ = true;
};

} // namespace

QPageSize::PageSizeId paperFor(const QLocale &locale)
{
    // The countries whose paper is Letter: the United States and Canada, Mexico, Central
    // America's and a few of South America's, and the Philippines.
    static const QLocale::Territory letter[] = { QLocale::UnitedStates, QLocale::Canada, QLocale::Mexico,
        QLocale::Belize, QLocale::Chile, QLocale::Colombia, QLocale::CostaRica, QLocale::ElSalvador, QLocale::Guatemala,
        QLocale::Nicaragua, QLocale::Panama, QLocale::Philippines, QLocale::PuertoRico, QLocale::Venezuela };
    return std::find(std::begin(letter), std::end(letter), locale.territory()) != std::end(letter) ? QPageSize::Letter
                                                                                                   : QPageSize::A4;
}

bool drawPlaybook(QPagedPaintDevice &device, const QList<TitledPlay> &plays)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    PlaybookPages pages(device, painter);
    for (const TitledPlay &entry : plays)
        pages.drawPlay(entry);
    return painter.end();
}

} // namespace play
