#pragma once

#include <QFile>
#include <QList>
#include <gtest/gtest.h>

// The first-use record as a first run leaves it: five lines ended by CR LF, the fourth the
// program's name.
inline ::testing::AssertionResult isFirstRunRecord(const QString &path)
{
    QFile record(path);
    if (!record.open(QIODevice::ReadOnly))
        return ::testing::AssertionFailure() << "no record at " << path.toStdString();
    const QList<QByteArray> lines = record.readAll().split('\n');
    if (lines.size() != 6 || !lines[5].isEmpty())
        return ::testing::AssertionFailure() << lines.size() - 1 << " line ends, not five";
    for (int i = 0; i < 5; ++i) {
        if (!lines[i].endsWith('\r'))
            return ::testing::AssertionFailure() << "line " << i + 1 << " does not end with CR LF";
    }
    if (lines[3] != QByteArray("Hoopwright\r"))
        return ::testing::AssertionFailure() << "line 4 reads " << lines[3].toStdString();
    return ::testing::AssertionSuccess();
}
