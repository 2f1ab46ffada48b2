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
        + dateTimeText(now) + kLineEnd;
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

QString FirstUseRecord::longTimeFormat() const
{
    // A time-zone name does not convert back to a time, so it is left out of the text.
    QString format = locale_.timeFormat(QLocale::LongFormat);
    format.remove(QRegularExpression(QStringLiteral("\\s*\\(?\\bt+\\b\\)?")));
    return format.trimmed();
}

QString FirstUseRecord::dateTimeText(const QDateTime &moment) const
{
    const QString date = locale_.toString(moment.date(), QLocale::ShortFormat);
    if (moment.time() == QTime(0, 0))
        return date;
    return date + QLatin1Char(' ') + locale_.toString(moment.time(), longTimeFormat());
}

namespace {

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

std::optional<QDate> FirstUseRecord::dateOf(const QString &text, const QDate &near) const
{
    const QString dateFormat = locale_.dateFormat(QLocale::ShortFormat);
    const QString timeFormat = longTimeFormat();
    const QString trimmed = text.trimmed();
    // The date is the text up to one of its spaces (or the whole text); what follows must
    // be the time.
    for (qsizetype end = trimmed.size(); end > 0; end = trimmed.lastIndexOf(QLatin1Char(' '), end - 1)) {
        QDate date = locale_.toDate(trimmed.left(end), dateFormat);
        if (!date.isValid())
            continue;
        const QString rest = trimmed.mid(end).trimmed();
        if (!rest.isEmpty() && !locale_.toTime(rest, timeFormat).isValid()
            && !locale_.toTime(rest, QLocale::LongFormat).isValid()
            && !locale_.toTime(rest, QLocale::ShortFormat).isValid())
            continue;
        if (!dateFormat.contains(QLatin1String("yyyy")) && dateFormat.contains(QLatin1String("yy")))
            date = nearestCentury(date, near);
        return date;
    }
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
