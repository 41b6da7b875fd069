#pragma once
// Files of the settings tests: whole bytes read back, and golden copies of
// the files the program writes.
#include <gtest/gtest.h>

#include <QFile>
#include <QString>

inline QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Holds a whole settings file against tests/settings/data/<name>, shown as
// Windows-1252 text when they differ; with PELMORIN_UPDATE_GOLDEN=1 the file
// becomes the new golden, to be read before it is committed.
inline void expectGoldenFile(const QByteArray &bytes, const QString &name)
{
    const QString path = QStringLiteral(PELMORIN_SOURCE_DIR "/tests/settings/data/") + name;
    if (qEnvironmentVariable("PELMORIN_UPDATE_GOLDEN") == QStringLiteral("1")) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return;
    }
    EXPECT_EQ(QString::fromLatin1(bytes), QString::fromLatin1(bytesOf(path))) << name.toStdString();
}
