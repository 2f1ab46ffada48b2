#include "fuzz/recordcheck.h"

#include "startup/firstuserecord.h"
#include "support/fakeservices.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <cmath>
#include <cstdlib>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

void checkRecordBytes(const std::uint8_t *data, std::size_t size)
{
    static FakeServices services; // a system drive in a folder of its own
    // The locales of the date tests.
    static const QLocale locales[] = { QLocale::c(), QLocale(QStringLiteral("en_US")), QLocale(QStringLiteral("en_GB")),
        QLocale(QStringLiteral("de_DE")), QLocale(QStringLiteral("fr_FR")), QLocale(QStringLiteral("ja_JP")),
        QLocale(QStringLiteral("ar_EG")), QLocale(QStringLiteral("hu_HU")), QLocale(QStringLiteral("zh_CN")),
        QLocale(QStringLiteral("ko_KR")) };

    const QString path = services.hostPath(FirstUseRecord::kRecord);
    QDir().mkpath(services.hostPath(FirstUseRecord::kFolder));
    {
        QFile file(path);
        require(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    // Reading does not depend on the locale.
    const FirstUseRecord reader(services);
    require(reader.exists());
    const QStringList items = reader.readItems();
    require(items.size() <= FirstUseRecord::kReadLimit + 1);
    require(items.join(QString()).size() <= FirstUseRecord::kReadLimit);
    const QString firstUse = items.value(4);
    for (const QLocale &locale : locales) {
        const FirstUseRecord record(services, locale);
        const std::optional<int> days = record.usageDays(firstUse, services.now().date());
        const QString sentence = FirstUseRecord::usageSentence(days);
        require(sentence.startsWith(QStringLiteral("You are using this about ")));
        require(sentence.endsWith(QStringLiteral(" Days)")));
        if (days) {
            const qint64 years = qint64(std::floor(double(*days) / 365.0));
            const qint64 rest = *days - 365 * years;
            require(rest >= 0 && rest < 365);
        }
        // The date conversion both ways, for a moment taken from the first bytes: within a
        // century either side of the fake clock, at any second of the day.
        if (size >= 5) {
            const int offset = int((data[0] | data[1] << 8) % 73001) - 36500;
            const int second = int((data[2] | data[3] << 8 | data[4] << 16) % 86400);
            const QDate day = services.now().date().addDays(offset);
            const QString text = record.dateTimeText(QDateTime(day, QTime(0, 0).addSecs(second), Qt::UTC));
            require(record.dateOf(text, day) == day);
        }
    }
}
