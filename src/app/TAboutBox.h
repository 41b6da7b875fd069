#pragma once
// The about box "A propos": program name, version, credits, the release
// notes read once from "notes.txt", and a banner that opens the game's web
// site. Created once at start-up and shown modally.
#include <QDialog>

class QLabel;
class QFrame;
class QPushButton;

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    // Reads "notes.txt" from the program's folder.
    explicit TAboutBox(QWidget *parent = nullptr);
    // Reads the notes from `notesPath` instead.
    TAboutBox(const QString &notesPath, QWidget *parent);

    // The notes shown: at most the first 4096 bytes of the file, decoded
    // from Windows-1252; empty when the file is missing or unreadable.
    static QString readNotes(const QString &path);
    QString notesText() const;

    // Opens the game's home page in the user's browser.
    void Image1Click();

    QFrame *Panel1 = nullptr;
    QLabel *ProgramIcon = nullptr;
    QLabel *ProductName = nullptr;
    QLabel *Comments = nullptr;
    QLabel *Version = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Image1 = nullptr;
    QPushButton *OKButton = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void build(const QString &notesPath);
};
