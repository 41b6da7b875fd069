#pragma once
// Whole files read back, and golden copies of the files the program writes.
#include <gtest/gtest.h>

#include <QFile>
#include <QString>

inline QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Held against tests/settings/data/<name>; PELMORIN_UPDATE_GOLDEN=1 remakes it, to be read before committing.
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
