#include "startup/firstuserecord.h"
#include "support/fakeservices.h"
#include "support/systemfixtures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

class Record : public ::testing::Test {
protected:
    QString path() const { return services.hostPath(FirstUseRecord::kRecord); }

    void writeFile(const QByteArray &content)
    {
        QDir().mkpath(services.hostPath(FirstUseRecord::kFolder));
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    FakeServices services;
    FirstUseRecord record { services, QLocale(QLocale::English, QLocale::UnitedStates) };
};

TEST_F(Record, WritingCreatesTheWholeFolderPathAndFiveCrLfLines)
{
    EXPECT_FALSE(QDir(services.hostPath(QStringLiteral("C:\\SAVE"))).exists());
    EXPECT_FALSE(record.exists());
    record.write(QDateTime(QDate(2026, 3, 14), QTime(9, 5, 7)));
    ASSERT_TRUE(record.exists());
    EXPECT_EQ(path(), services.drive.filePath(QStringLiteral("SAVE/KW/kw010.txt")));
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    EXPECT_EQ(content.count("\r\n"), 5);
    EXPECT_TRUE(content.endsWith("\r\nHoopwright\r\n3/14/26 9:05:07 AM\r\n")) << content.constData();
    EXPECT_FALSE(content.contains(',') || content.contains('"'));
    EXPECT_EQ(QDir(services.hostPath(FirstUseRecord::kFolder)).entryList(QDir::Files).size(), 1)
        << "no temporary file left behind";
}

TEST_F(Record, MidnightIsWrittenAsTheShortDateAlone)
{
    record.write(QDateTime(QDate(2026, 1, 2), QTime(0, 0)));
    EXPECT_EQ(record.readItems().value(4), QStringLiteral("1/2/26"));
}

TEST_F(Record, OnAFullDiskNoRecordIsLeftAndTheNextStartIsAFirstRunAgain)
{
    const TmpfsMount disk(services.drive.path(), "4k");
    if (!disk.mounted())
        GTEST_SKIP() << disk.skipReason();
    QDir().mkpath(services.hostPath(FirstUseRecord::kFolder)); // folders take no blocks
    disk.fill();
    record.write(QDateTime(QDate(2026, 3, 14), QTime(9, 5, 7)));
    EXPECT_FALSE(record.exists());
    EXPECT_TRUE(QDir(services.hostPath(FirstUseRecord::kFolder)).entryList(QDir::Files | QDir::Hidden).isEmpty())
        << "no empty record and no temporary file";
}

TEST_F(Record, ALinkAtTheRecordsPathIsReplacedNeverWrittenThrough)
{
    // A dangling link, and one to a file of someone else's.
    for (const bool targetExists : { false, true }) {
        const QString target = services.folder.filePath(QStringLiteral("elsewhere.txt"));
        QFile::remove(target);
        QFile::remove(path());
        if (targetExists) {
            QFile file(target);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("not the record");
        }
        QDir().mkpath(services.hostPath(FirstUseRecord::kFolder));
        ASSERT_TRUE(QFile::link(target, path()));

        record.write(QDateTime(QDate(2026, 3, 14), QTime(9, 5, 7)));
        const QFileInfo written(path());
        EXPECT_FALSE(written.isSymLink()) << targetExists;
        EXPECT_TRUE(written.isFile()) << targetExists;
        EXPECT_EQ(record.readItems().value(4), QStringLiteral("3/14/26 9:05:07 AM")) << targetExists;
        QFile left(target);
        if (targetExists) {
            ASSERT_TRUE(left.open(QIODevice::ReadOnly));
            EXPECT_EQ(left.readAll(), QByteArray("not the record"));
        } else {
            EXPECT_FALSE(left.exists()) << "nothing made outside the record's folder";
        }
    }
}

struct ItemsCase {
    const char *name;
    QByteArray content;
    int items;
    std::optional<int> days; // with today 2026-03-14
};

class RecordContent : public Record, public ::testing::WithParamInterface<ItemsCase> { };

TEST_P(RecordContent, ReadsItemsAndTheDaysFromItemFour)
{
    writeFile(GetParam().content);
    const QStringList items = record.readItems();
    EXPECT_EQ(items.size(), GetParam().items) << items.join(QLatin1Char('|')).toStdString();
    const std::optional<int> days
        = items.size() > 4 ? record.usageDays(items.at(4), QDate(2026, 3, 14)) : std::optional<int>();
    EXPECT_EQ(days, GetParam().days);
}

const QByteArray kHead
    = "https://www.torvane.example.com/\r\nDeveloper: Mara Quill\r\nhttps://social.example.com/torvane\r\n"
      "Hoopwright\r\n";

INSTANTIATE_TEST_SUITE_P(Files, RecordContent,
    ::testing::Values(ItemsCase { "AsWritten", kHead + "3/4/26 9:05:07 AM\r\n", 5, 10 },
        ItemsCase { "FourLines", kHead, 4, std::nullopt },
        ItemsCase { "SixLines", kHead + "3/13/26\r\nextra\r\n", 6, 1 },
        ItemsCase { "CommaInsideALine", "a,b\r\nc\r\nd\r\ne\r\n3/13/26\r\n", 6, std::nullopt },
        ItemsCase { "NotADate", kHead + "yesterday\r\n", 5, std::nullopt },
        ItemsCase { "TrailingGarbage", kHead + "3/13/26 nonsense\r\n", 5, std::nullopt },
        ItemsCase { "Empty", "", 0, std::nullopt }, ItemsCase { "NoFinalLineEnd", kHead + "3/14/26", 5, 0 }),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(Record, AFolderInPlaceOfTheFileIsNoRecord)
{
    QDir().mkpath(path());
    EXPECT_FALSE(record.exists());
    EXPECT_TRUE(record.readItems().isEmpty());
}

TEST_F(Record, AHugeFileIsReadOnlyAsFarAsTheLimit)
{
    QByteArray huge = kHead + "3/13/26\r\n";
    huge += QByteArray(8 * 1024 * 1024, 'x');
    writeFile(huge);
    const QStringList items = record.readItems();
    ASSERT_EQ(items.size(), 6);
    EXPECT_EQ(items.at(5).size(), FirstUseRecord::kReadLimit - (kHead.size() + 9));
}

TEST_F(Record, ARecordThatCannotBeOpenedHasNoItems)
{
    writeFile(kHead + "3/13/26\r\n");
    QFile::setPermissions(path(), QFileDevice::Permissions());
    QFile probe(path());
    if (probe.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "running with rights that read any file";
    EXPECT_TRUE(record.exists());
    EXPECT_TRUE(record.readItems().isEmpty());
}

struct UsageCase {
    std::optional<int> days;
    const char *sentence;
};

class Sentence : public ::testing::TestWithParam<UsageCase> { };

TEST_P(Sentence, SplitsDaysIntoWholeYears)
{
    EXPECT_EQ(FirstUseRecord::usageSentence(GetParam().days), QString::fromLatin1(GetParam().sentence));
}

INSTANTIATE_TEST_SUITE_P(Boundaries, Sentence,
    ::testing::Values(UsageCase { 0, "You are using this about 0 Year(s) , And 0 Day(s) (Total: 0 Days)" },
        UsageCase { 364, "You are using this about 0 Year(s) , And 364 Day(s) (Total: 364 Days)" },
        UsageCase { 365, "You are using this about 1 Year(s) , And 0 Day(s) (Total: 365 Days)" },
        UsageCase { 400, "You are using this about 1 Year(s) , And 35 Day(s) (Total: 400 Days)" },
        UsageCase { 1461, "You are using this about 4 Year(s) , And 1 Day(s) (Total: 1461 Days)" },
        UsageCase { -1, "You are using this about -1 Year(s) , And 364 Day(s) (Total: -1 Days)" },
        UsageCase { std::nullopt, "You are using this about 0 Year(s) , And 0 Day(s) (Total:  Days)" }),
    [](const auto &info) {
        const std::optional<int> days = info.param.days;
        return !days    ? std::string("no_date")
            : *days < 0 ? "minus_" + std::to_string(-*days)
                        : "days_" + std::to_string(*days);
    });

TEST(usageDays, CountsCalendarDaysNotHours)
{
    FakeServices services;
    const FirstUseRecord record(services, QLocale::c());
    const QString lateEvening = record.dateTimeText(QDateTime(QDate(2026, 5, 1), QTime(23, 59, 0)));
    EXPECT_EQ(record.usageDays(lateEvening, QDate(2026, 5, 2)), 1) << "23:59, then 00:01 the next day";
    EXPECT_EQ(record.usageDays(lateEvening, QDate(2026, 4, 30)), -1) << "clock set back";
}

// The record's text goes through the system's encoding both ways. In Turkish (Cyprus) the
// afternoon is "ÖS": one byte in a Windows code page, two in UTF-8; read back either way,
// the text and the date are the ones written.
struct EncodingCase {
    const char *name;
    bool singleByteCodePage;
    QByteArray lastLine;
};

class RecordEncoding : public ::testing::TestWithParam<EncodingCase> { };

TEST_P(RecordEncoding, ANonAsciiDateTimeIsWrittenInTheSystemEncodingAndReadBack)
{
    FakeServices services;
    services.singleByteCodePage = GetParam().singleByteCodePage;
    const FirstUseRecord record(services, QLocale(QLocale::Turkish, QLocale::Cyprus));
    const QDateTime moment(QDate(2026, 12, 10), QTime(15, 4, 5));
    record.write(moment);

    QFile file(services.hostPath(FirstUseRecord::kRecord));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    EXPECT_TRUE(content.endsWith("\r\nHoopwright\r\n" + GetParam().lastLine + "\r\n"))
        << content.toHex(' ').constData();
    const QString dateTime = record.readItems().value(4);
    EXPECT_EQ(dateTime, record.dateTimeText(moment));
    EXPECT_EQ(record.usageDays(dateTime, QDate(2026, 12, 13)), 3);
}

INSTANTIATE_TEST_SUITE_P(Encodings, RecordEncoding,
    ::testing::Values(EncodingCase { "CodePage", true, "10.12.2026 3:04:05 \xD6S" },
        EncodingCase { "Utf8", false, "10.12.2026 3:04:05 \xC3\x96S" }),
    [](const auto &info) { return std::string(info.param.name); });

struct LocaleCase {
    const char *name;
};

class LocaleRoundTrip : public ::testing::TestWithParam<LocaleCase> { };

TEST_P(LocaleRoundTrip, TheWrittenTextConvertsBackToTheSameDate)
{
    FakeServices services;
    const QLocale locale(QString::fromLatin1(GetParam().name));
    const FirstUseRecord record(services, locale);
    const QDate dates[] = { QDate(2026, 3, 14), QDate(2029, 12, 31), QDate(2030, 1, 1), QDate(2013, 2, 17) };
    const QTime times[] = { QTime(10, 30, 5), QTime(0, 0), QTime(23, 59, 59), QTime(12, 0), QTime(0, 0, 1) };
    for (const QDate &date : dates) {
        for (const QTime &time : times) {
            const QString text = record.dateTimeText(QDateTime(date, time));
            const std::optional<QDate> back = record.dateOf(text, date.addDays(400));
            EXPECT_EQ(back.value_or(QDate()).toString(Qt::ISODate), date.toString(Qt::ISODate)) << text.toStdString();
        }
    }
}

// Every locale Qt knows, through the file and back: in UTF-8, and in a single-byte code page
// that lacks most of their letters (a Greek format on a system whose code page for
// non-Unicode programs is Western). Among them be_BY and sq_AL, whose long time ends in a
// comma before the zone, and as_IN, brx_IN, ccp and ee_GH, whose AM/PM words Qt does not
// read back.
TEST(EveryLocale, TheRecordedLineReadsBackAsTheDateItWasWritten)
{
    const QList<QLocale> locales
        = QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
    ASSERT_GT(locales.size(), 300);
    const QDateTime moments[] = { QDateTime(QDate(2026, 12, 10), QTime(15, 31, 57)),
        QDateTime(QDate(2013, 2, 17), QTime(9, 5, 7)), QDateTime(QDate(2030, 1, 1), QTime(0, 0)) };
    for (const bool singleByteCodePage : { false, true }) {
        FakeServices services;
        services.singleByteCodePage = singleByteCodePage;
        int failures = 0;
        for (const QLocale &locale : locales) {
            const FirstUseRecord record(services, locale);
            for (const QDateTime &moment : moments) {
                QFile::remove(record.recordPath());
                record.write(moment);
                const QString line = record.readItems().value(4);
                const std::optional<int> days = record.usageDays(line, moment.date().addDays(3));
                if (days != 3 && ++failures <= 10)
                    ADD_FAILURE() << locale.name().toStdString() << (singleByteCodePage ? " (code page)" : "") << ": \""
                                  << line.toStdString() << "\" gives "
                                  << (days ? std::to_string(*days) : std::string("no date"));
            }
        }
        EXPECT_EQ(failures, 0) << (singleByteCodePage ? "code page" : "UTF-8");
    }
}

TEST(EveryLocale, WhereTheWholeLineReadsBackItIsTheRegionalText)
{
    FakeServices services;
    const QDateTime moment(QDate(2026, 12, 10), QTime(15, 31, 57));
    for (const char *name : { "en_US", "de_DE", "be_BY", "sq_AL", "ee_GH" }) {
        const FirstUseRecord record(services, QLocale(QString::fromLatin1(name)));
        const QString line = record.recordedDateTime(moment);
        EXPECT_EQ(line, record.dateTimeText(moment)) << name;
        EXPECT_FALSE(line.endsWith(QLatin1Char(',')) || line.contains(QLatin1Char(','))) << name;
        EXPECT_TRUE(line.contains(QLatin1Char(' '))) << name << ": " << line.toStdString() << " keeps its time";
    }
    // A Greek format in a Western code page: the AM/PM word has no bytes there, so the date
    // goes alone rather than as "?.?.".
    services.singleByteCodePage = true;
    const FirstUseRecord greek(services, QLocale(QLocale::Greek, QLocale::Greece));
    EXPECT_EQ(greek.recordedDateTime(moment), greek.dateTimeText(moment.date().startOfDay()));
}

INSTANTIATE_TEST_SUITE_P(Locales, LocaleRoundTrip,
    ::testing::Values(LocaleCase { "C" }, LocaleCase { "en_US" }, LocaleCase { "en_GB" }, LocaleCase { "de_DE" },
        LocaleCase { "fr_FR" }, LocaleCase { "ja_JP" }, LocaleCase { "ar_EG" }, LocaleCase { "hu_HU" },
        LocaleCase { "zh_CN" }, LocaleCase { "ko_KR" }),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
