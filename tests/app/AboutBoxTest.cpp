// The about box: its texts, the notes read once from notes.txt, and the
// banner that opens the game's site.
#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "app/TAboutBox.h"
#include "ui/GameServer.h"

class HomePageCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls << url; }
};

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

} // namespace

TEST(AboutBox, ShowsOnlyTheFirst4096BytesOfTheNotes)
{
    QTemporaryDir folder;
    const QString notes = QDir(folder.path()).filePath(QStringLiteral("notes.txt"));
    // Windows-1252 text with CR LF line breaks: "Pelmorin é" then filler,
    // and a marker beyond byte 4096.
    QByteArray bytes("Nouveaut\xe9s\r\n");
    while (bytes.size() < 4096)
        bytes.append('x');
    bytes.append("FIN DU FICHIER");
    while (bytes.size() < 5000)
        bytes.append('y');
    ASSERT_EQ(bytes.size(), 5000);
    writeFile(notes, bytes);

    TAboutBox box(notes, nullptr);
    const QString shown = box.notesText();
    EXPECT_TRUE(shown.startsWith(QString::fromUtf8("Nouveautés\n")));
    EXPECT_FALSE(shown.contains(QStringLiteral("FIN")));
    EXPECT_FALSE(shown.contains(QLatin1Char('y')));
    EXPECT_EQ(shown.size(), 4096 - 1); // one byte per character, CR LF became one break
    // Read once: changing the file later does not change the box.
    writeFile(notes, QByteArray("autre chose"));
    EXPECT_EQ(box.notesText(), shown);

    TAboutBox missing(QDir(folder.path()).filePath(QStringLiteral("absent.txt")), nullptr);
    EXPECT_TRUE(missing.notesText().isEmpty());
}

TEST(AboutBox, NamesTheProgramAndOpensTheGameSite)
{
    QTemporaryDir folder;
    TAboutBox box(QDir(folder.path()).filePath(QStringLiteral("notes.txt")), nullptr);
    EXPECT_EQ(box.windowTitle(), QStringLiteral("A propos"));
    EXPECT_EQ(box.ProductName->text(), QStringLiteral("Carte du Pelmorin"));
    EXPECT_TRUE(box.ProductName->font().bold());
    EXPECT_EQ(box.Version->text(), QStringLiteral("Version 1.3.5"));
    EXPECT_TRUE(box.Comments->text().startsWith(QStringLiteral("Programmation : ")));
    EXPECT_EQ(box.Label1->text(), QStringLiteral("Notes :"));
    EXPECT_EQ(box.Image1->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(box.size(), QSize(486, 379));

    HomePageCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "open");
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    QTest::mouseClick(box.Image1, Qt::LeftButton, {}, QPoint(100, 30));
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_EQ(catcher.urls.first(), homePageUrl());
}

#include "AboutBoxTest.moc"
