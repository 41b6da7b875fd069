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

TEST(AboutBox, NamesTheProgramShowsTheFirst4096BytesOfTheNotesOnceAndOpensTheGameSite)
{
    QTemporaryDir folder;
    const QString notes = QDir(folder.path()).filePath(QStringLiteral("notes.txt"));
    const auto write = [&notes](const QByteArray &bytes) {
        QFile file(notes);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    // Windows-1252 with CR LF line breaks, and a marker beyond byte 4096.
    write("Nouveaut\xe9s\r\n" + QByteArray(4096 - 12, 'x') + "FIN DU FICHIER" + QByteArray(886, 'y'));
    TAboutBox box(notes, nullptr);
    const QString shown = box.notesText();
    EXPECT_TRUE(shown.startsWith(QString::fromUtf8("Nouveautés\nxx")));
    EXPECT_EQ(shown.size(), 4096 - 1); // one byte per character, CR LF became one break
    write("autre chose");
    EXPECT_EQ(box.notesText(), shown) << "read once";
    EXPECT_TRUE(TAboutBox(QDir(folder.path()).filePath(QStringLiteral("absent.txt")), nullptr).notesText().isEmpty());

    const QStringList texts = {box.windowTitle(), box.ProductName->text(), box.Version->text(),
                               box.Comments->text().left(16), box.Label1->text()};
    EXPECT_EQ(texts, QStringList({"A propos", "Carte du Pelmorin", "Version 1.3.5", "Programmation : ", "Notes :"}));
    EXPECT_TRUE(box.ProductName->font().bold());
    EXPECT_EQ(box.size(), QSize(486, 379));
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
