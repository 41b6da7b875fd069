#pragma once
// The real dialogs: Qt's own file dialogs (never the desktop's native ones)
// and message boxes.
#include "ui/UserDialogs.h"

class QtUserDialogs : public UserDialogs {
public:
    QString openFile(QWidget *parent, const FileRequest &request) override;
    QString saveFile(QWidget *parent, const FileRequest &request) override;
    Answer askYesNoCancel(QWidget *parent, const QString &title, const QString &text) override;
    Answer askYesNo(QWidget *parent, const QString &title, const QString &text) override;
    void showError(QWidget *parent, const QString &title, const QString &text) override;
    void showInformation(QWidget *parent, const QString &title, const QString &text) override;
};
