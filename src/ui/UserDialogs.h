#pragma once
// The one seam through which the windows ask the user something: file
// dialogs and message boxes. The program uses QtUserDialogs; widget tests
// install a scripted implementation that answers without a person.
#include <QString>
#include <QStringList>

class QWidget;

enum class Answer { Yes, No, Cancel, Ok };

// A file dialog request: title, filters in Qt form ("Cartes de Varenthe (*.vr)"),
// the filter selected at first, the default suffix without the dot, and the
// start name or folder.
struct FileRequest {
    QString title;
    QStringList filters;
    int selectedFilter = 0;
    QString defaultSuffix;
    // The suffix a name without one gets under each filter, when the filters
    // differ in it (then it replaces defaultSuffix); empty otherwise.
    QStringList filterSuffixes;
    QString startPath;
    // Open dialogs only: whether the chosen name must be an existing file.
    bool mustExist = true;
};

class UserDialogs {
public:
    virtual ~UserDialogs() = default;

    // The chosen path, or an empty string when the user cancels.
    virtual QString openFile(QWidget *parent, const FileRequest &request) = 0;
    virtual QString saveFile(QWidget *parent, const FileRequest &request) = 0;
    // Yes / No / Cancel question with a question icon.
    virtual Answer askYesNoCancel(QWidget *parent, const QString &title, const QString &text) = 0;
    // Yes / No question with a question icon, No as the default button. A
    // dialog set without it answers through its three-way question, where
    // anything but Yes counts as No.
    virtual Answer askYesNo(QWidget *parent, const QString &title, const QString &text)
    {
        return askYesNoCancel(parent, title, text) == Answer::Yes ? Answer::Yes : Answer::No;
    }
    // Error box with an OK button.
    virtual void showError(QWidget *parent, const QString &title, const QString &text) = 0;
    virtual void showInformation(QWidget *parent, const QString &title, const QString &text) = 0;
};

// The dialogs in use; QtUserDialogs unless a test installed another.
UserDialogs &userDialogs();
// Installs `dialogs` (not owned) for the rest of the run, or the Qt ones again
// when null.
void setUserDialogs(UserDialogs *dialogs);
