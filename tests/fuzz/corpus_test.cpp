#include "fuzz/recordcheck.h"

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
