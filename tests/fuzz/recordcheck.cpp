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
    static const QLocale locales[] = { QLocale::c(), QLocale(QStringLiteral("en_US")), QLocale(QStringLiteral("de_DE")),
        QLocale(QStringLiteral("ja_JP")), QLocale(QStringLiteral("ar_EG")) };

    const QString path = services.hostPath(FirstUseRecord::kRecord);
    QDir().mkpath(services.hostPath(FirstUseRecord::kFolder));
    {
        QFile file(path);
        require(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    for (const QLocale &locale : locales) {
        const FirstUseRecord record(services, locale);
        require(record.exists());
        const QStringList items = record.readItems();
        require(items.size() <= FirstUseRecord::kReadLimit + 1);
        const QString date = items.value(4);
        const std::optional<int> days = record.usageDays(date, services.now().date());
        const QString sentence = FirstUseRecord::usageSentence(days);
        require(sentence.startsWith(QStringLiteral("You are using this about ")));
        require(sentence.endsWith(QStringLiteral(" Days)")));
        if (days) {
            const qint64 years = qint64(std::floor(double(*days) / 365.0));
            const qint64 rest = *days - 365 * years;
            require(rest >= 0 && rest < 365);
        }
    }
}
