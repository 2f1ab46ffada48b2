#include "fuzz/playfilecheck.h"
#include "fuzz/recordcheck.h"
#include "play/playfile.h"
#include "startup/firstuserecord.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs a check over every file of a fuzzing corpus: real inputs and what the fuzzer found.
void forEachFile(const char *folder, const std::function<void(const QString &, const QByteArray &)> &check)
{
    const QDir corpus(QString::fromUtf8(folder));
    const QStringList files = corpus.entryList(QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    for (const QString &name : files) {
        QFile file(corpus.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        check(name, file.readAll());
    }
}

} // namespace

// Every record in the fuzzing corpus runs through the same checks on every test run.
TEST(RecordCorpus, EveryFileReadsWithoutABrokenInvariant)
{
    forEachFile(HOOPWRIGHT_FUZZ_CORPUS, [](const QString &name, const QByteArray &bytes) {
        checkRecordBytes(reinterpret_cast<const std::uint8_t *>(bytes.constData()), std::size_t(bytes.size()));
        SUCCEED() << name.toStdString();
    });
}

// The corpus keeps small files; records around the 64 KiB read limit are made here. Each
// ends in a two-byte character, which the limit cuts in half in the middle one;
// scripts/fuzz seeds the fuzzer with that one.
TEST(RecordCorpus, RecordsAroundTheReadLimitReadWithoutABrokenInvariant)
{
    QFile file(QDir(QStringLiteral(HOOPWRIGHT_FUZZ_CORPUS)).filePath(QStringLiteral("en_us_record.txt")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray record = file.readAll();
    for (const qint64 size :
        { FirstUseRecord::kReadLimit - 1, FirstUseRecord::kReadLimit, FirstUseRecord::kReadLimit + 1 }) {
        QByteArray bytes = record + QByteArray(size - record.size() - 1, 'x') + "\xc3\xa9\r\n";
        checkRecordBytes(reinterpret_cast<const std::uint8_t *>(bytes.constData()), std::size_t(bytes.size()));
        SUCCEED() << size;
    }
}

// The same for play files; the real plays among them, named good_*, must also read.
TEST(PlayCorpus, EveryFileReadsWithoutABrokenInvariant)
{
    forEachFile(HOOPWRIGHT_PLAY_CORPUS, [](const QString &name, const QByteArray &bytes) {
        checkPlayBytes(reinterpret_cast<const std::uint8_t *>(bytes.constData()), std::size_t(bytes.size()));
        if (name.startsWith(QLatin1StringView("good_")))
            EXPECT_EQ(play::fromJson(bytes).error, QString()) << name.toStdString();
    });
}
