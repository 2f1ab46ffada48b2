#pragma once

#include "resources/maker.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <optional>

namespace platform {
class Services;
}

// The record of the program's first run, "C:\SAVE\KW\kw010.txt", and the usage period
// worked out from it. No window: the terms screen calls it once a start.
class FirstUseRecord {
public:
    static const QString kFolder;
    static const QString kRecord;
    static constexpr qint64 kReadLimit = 64 * 1024;

    explicit FirstUseRecord(const platform::Services &services, const QLocale &locale = QLocale::system());

    // An ordinary file at the record's path.
    bool exists() const;

    // Five lines ended by CR LF, the last the date and time given. Creates the whole folder
    // path; writes through a temporary file, so a record is either whole or absent (on a
    // full disk, absent). A link at the record's path is replaced, never written through.
    void write(const QDateTime &now) const;

    // The items of the record: text between commas and line ends, in file order. Reads
    // at most the first 64 KiB; a record that cannot be opened has no items.
    QStringList readItems() const;

    // Calendar days from the first-use date to today; absent when the text is no date.
    std::optional<int> usageDays(const QString &dateText, const QDate &today) const;

    static QString usageSentence(std::optional<int> days);

    // The general date format of the regional settings: the short date, a space and the
    // long time; the short date alone at midnight.
    QString dateTimeText(const QDateTime &moment) const;
    // What line 5 holds: dateTimeText(), or where that would not read back as the same
    // date (characters the system's code page lacks, a comma), the nearest form that does:
    // without direction marks, the date alone, last the date as yyyy-MM-dd.
    QString recordedDateTime(const QDateTime &moment) const;
    // The date a text of dateTimeText stands for. A two-digit year is taken in the century
    // that puts the date nearest to the given day.
    std::optional<QDate> dateOf(const QString &text, const QDate &near) const;

    static QString line1() { return maker::kWebSite; }
    static QString line2() { return QStringLiteral("Developer: ") + maker::kDeveloper; }
    static QString line3() { return maker::kSocialPage; }
    static QString line4() { return QStringLiteral("Hoopwright"); }

    QString recordPath() const;

private:
    QString longTimeFormat() const;
    bool isTimeText(const QString &text) const;

    const platform::Services &services_;
    QLocale locale_;
};
