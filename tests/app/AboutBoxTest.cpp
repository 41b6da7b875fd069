// The about box: its texts, the start of notes.txt, and the banner that opens the game's site.
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

TEST(AboutBox, NamesTheProgramShowsTheFirst4096BytesOfTheNotesOnceAndOpensTheGameSite)
{
    QTemporaryDir folder;
    QFile notes(QDir(folder.path()).filePath(QStringLiteral("notes.txt")));
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    // Windows-1252 with CR LF line breaks, and more beyond byte 4096.
    notes.write("Nouveaut\xe9s\r\n" + QByteArray(4096 - 12, 'x') + "FIN DU FICHIER");
    notes.close();
    TAboutBox box(notes.fileName(), nullptr);
    const QString shown = box.notesText();
    EXPECT_TRUE(shown.startsWith(QString::fromUtf8("Nouveautés\nxx")));
    EXPECT_EQ(shown.size(), 4096 - 1); // one byte per character, CR LF became one break

    const QStringList texts = {box.windowTitle(), box.ProductName->text(), box.Version->text(),
                               box.Comments->text().left(16), box.Label1->text()};
    EXPECT_EQ(texts, QStringList({"A propos", "Carte du Pelmorin", "Version 1.3.5", "Programmation : ", "Notes :"}));
    EXPECT_EQ(box.Image1->cursor().shape(), Qt::PointingHandCursor);

    HomePageCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "open");
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    QTest::mouseClick(box.Image1, Qt::LeftButton, {}, QPoint(100, 30));
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    EXPECT_EQ(catcher.urls, QList<QUrl>({homePageUrl()}));
}

#include "AboutBoxTest.moc"
