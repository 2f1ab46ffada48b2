#include "fuzz/recordcheck.h"
#include "startup/firstuserecord.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

// Every record in the fuzzing corpus (real records and what the fuzzer found) runs
// through the same checks on every test run.
TEST(RecordCorpus, EveryFileReadsWithoutABrokenInvariant)
{
    const QDir corpus(QStringLiteral(HOOPWRIGHT_FUZZ_CORPUS));
    const QStringList files = corpus.entryList(QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    for (const QString &name : files) {
        QFile file(corpus.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        checkRecordBytes(reinterpret_cast<const std::uint8_t *>(bytes.constData()), std::size_t(bytes.size()));
        SUCCEED() << name.toStdString();
    }
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
