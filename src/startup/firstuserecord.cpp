#include "startup/firstuserecord.h"

#include "platform/services.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <cmath>

const QString FirstUseRecord::kFolder = QStringLiteral("C:\\SAVE\\KW");
const QString FirstUseRecord::kRecord = QStringLiteral("C:\\SAVE\\KW\\kw010.txt");

namespace {
const QString kLineEnd = QStringLiteral("\r\n");
}

FirstUseRecord::FirstUseRecord(const platform::Services &services, const QLocale &locale)
    : services_(services)
    , locale_(locale)
{
}

QString FirstUseRecord::recordPath() const
{
    return services_.hostPath(kRecord);
}

bool FirstUseRecord::exists() const
{
    const QFileInfo info(recordPath());
    return info.exists() && info.isFile() && !info.isHidden();
}

void FirstUseRecord::write(const QDateTime &now) const
{
    const QString path = recordPath();
    QDir().mkpath(services_.hostPath(kFolder));
    // QSaveFile writes through a link to its target; a link in the record's place is
    // replaced by the record instead, or, when it cannot be removed, left as it is.
    if (QFileInfo(path).isSymLink() && !QFile::remove(path))
        return;
    // Unbuffered, so that a full disk fails the write itself: QSaveFile does not look at
    // the outcome of the flush in commit() and would put an empty file in place.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return;
    const QString text = line1() + kLineEnd + line2() + kLineEnd + line3() + kLineEnd + line4() + kLineEnd
        + recordedDateTime(now) + kLineEnd;
    const QByteArray content = services_.encodeText(text);
    if (file.write(content) != content.size())
        file.cancelWriting();
    file.commit();
}

QStringList FirstUseRecord::readItems() const
{
    QStringList items;
    if (!exists())
        return items;
    QFile file(recordPath());
    if (!file.open(QIODevice::ReadOnly))
        return items;
    const QString text = services_.decodeText(file.read(kReadLimit));
    QString item;
    bool pending = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char(',') || c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            items.append(item.trimmed());
            item.clear();
            pending = false;
        } else {
            item.append(c);
            pending = true;
        }
    }
    if (pending)
        items.append(item.trimmed());
    return items;
}

namespace {

// Direction marks that some regional formats put between the parts of a date: they show
// nothing, and a code page without them writes them as "?".
QString withoutDirectionMarks(QString text)
{
    static const QRegularExpression marks(QStringLiteral("[\u200E\u200F\u061C\u202A-\u202E\u2066-\u2069]"));
    return text.remove(marks);
}

// A time as a format writes it, with its digits left out: "10:30:05 a.m." and
// "9:05:07 a.m." have the same shape.
QString shapeOf(const QString &text)
{
    QString shape;
    for (const QChar c : text) {
        if (!c.isDigit())
            shape.append(c);
    }
    return shape.simplified();
}

QDate nearestCentury(const QDate &date, const QDate &near)
{
    QDate best = date;
    for (int shift = -100; shift <= 300; shift += 100) {
        const QDate candidate = date.addYears(shift);
        if (qAbs(candidate.daysTo(near)) < qAbs(best.daysTo(near)))
            best = candidate;
    }
    return best;
}

} // namespace

QString FirstUseRecord::longTimeFormat() const
{
    // A time-zone name does not convert back to a time, so it is left out of the text,
    // together with the separator that stood between it and the time ("HH:mm:ss, t").
    QString format = locale_.timeFormat(QLocale::LongFormat);
    format.replace(QRegularExpression(QStringLiteral("[\\s,]*\\(?\\bt+\\b\\)?[\\s,]*")), QStringLiteral(" "));
    return format.trimmed();
}

QString FirstUseRecord::dateTimeText(const QDateTime &moment) const
{
    // The short date by its pattern, in the calendar that reads it back: a system whose
    // own short date is in another calendar (Thai Buddhist) would write a year that the
    // pattern reads as Gregorian.
    const QString date = locale_.toString(moment.date(), locale_.dateFormat(QLocale::ShortFormat));
    if (moment.time() == QTime(0, 0))
        return date;
    return date + QLatin1Char(' ') + locale_.toString(moment.time(), longTimeFormat());
}

QString FirstUseRecord::recordedDateTime(const QDateTime &moment) const
{
    const QString full = dateTimeText(moment);
    const QString date = dateTimeText(moment.date().startOfDay());
    // The first form that reaches the file whole and reads back as the same date: a
    // code page may lack the characters of the time's AM/PM word or of the direction
    // marks, and a comma would split the line on reading.
    for (const QString &text : { full, withoutDirectionMarks(full), date, withoutDirectionMarks(date) }) {
        if (text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')))
            continue;
        const QString stored = services_.decodeText(services_.encodeText(text));
        if (stored == text && dateOf(stored, moment.date()) == moment.date())
            return text;
    }
    return moment.date().toString(Qt::ISODate);
}

bool FirstUseRecord::isTimeText(const QString &text) const
{
    // The time is only looked at to find where the date ends, so a text of the shape the
    // format writes will do. That is looked at first: Qt does not read back the AM/PM words
    // of some locales it writes, and overruns its buffer on some (ee_GH's).
    const QString format = longTimeFormat();
    const QString shape = shapeOf(text);
    if (shape == shapeOf(locale_.toString(QTime(1, 0), format))
        || shape == shapeOf(locale_.toString(QTime(13, 0), format)))
        return true;
    return locale_.toTime(text, format).isValid() || locale_.toTime(text, QLocale::LongFormat).isValid()
        || locale_.toTime(text, QLocale::ShortFormat).isValid();
}

std::optional<QDate> FirstUseRecord::dateOf(const QString &text, const QDate &near) const
{
    const QString dateFormat = withoutDirectionMarks(locale_.dateFormat(QLocale::ShortFormat));
    const QString trimmed = withoutDirectionMarks(text).trimmed();
    // The date is the text up to one of its spaces (or the whole text); what follows must
    // be the time.
    for (qsizetype end = trimmed.size(); end > 0; end = trimmed.lastIndexOf(QLatin1Char(' '), end - 1)) {
        QDate date = locale_.toDate(trimmed.left(end), dateFormat);
        if (!date.isValid())
            continue;
        const QString rest = trimmed.mid(end).trimmed();
        if (!rest.isEmpty() && !isTimeText(rest))
            continue;
        if (!dateFormat.contains(QLatin1String("yyyy")) && dateFormat.contains(QLatin1String("yy")))
            date = nearestCentury(date, near);
        return date;
    }
    // The last resort of the writer, where no regional form of the date survives the code
    // page.
    const QDate iso = QDate::fromString(trimmed, Qt::ISODate);
    if (iso.isValid())
        return iso;
    return std::nullopt;
}

std::optional<int> FirstUseRecord::usageDays(const QString &dateText, const QDate &today) const
{
    const std::optional<QDate> first = dateOf(dateText, today);
    if (!first)
        return std::nullopt;
    return int(first->daysTo(today));
}

QString FirstUseRecord::usageSentence(std::optional<int> days)
{
    qint64 years = 0;
    qint64 remaining = 0;
    QString total;
    if (days) {
        years = qint64(std::floor(double(*days) / 365.0));
        remaining = *days - 365 * years;
        total = QString::number(*days);
    }
    return QStringLiteral("You are using this about ") + QString::number(years) + QStringLiteral(" Year(s) , And ")
        + QString::number(remaining) + QStringLiteral(" Day(s)") + QStringLiteral(" (Total: ") + total
        + QStringLiteral(" Days)");
}
