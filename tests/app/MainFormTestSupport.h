#pragma once
// What the program's tests share: a program folder with small generated maps,
// dialogs and a new-map prompt answering from a script, a started frame.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTest>
#include <deque>

#include "app/NewMapPrompt.h"
#include "app/TMainForm.h"
#include "settings/ProgramFolder.h"
#include "ui/TMapForm.h"
#include "ui/UserDialogs.h"

// A fresh, empty program folder that is also the current directory.
class ScratchProgram {
public:
    ScratchProgram() { ProgramFolder::setPath(dir_.path()), QDir::setCurrent(dir_.path()); }
    ~ScratchProgram() { QDir::setCurrent(previous_), ProgramFolder::setPath(QString()); }
    QString path(const QString &name) const { return QDir(dir_.path()).filePath(name); }

    // Grass everywhere; world maps (mapType 1) have provinces of 20 x 13.
    void writeMap(const QString &name, int width, int height, int mapType = 0) const
    {
        CarteVarenthe map;
        map.create(width, height, mapType ? 20 : 0, mapType ? 13 : 0, mapType, 100);
        map.save(QFile::encodeName(path(name)).toStdString());
    }
    void writeText(const QString &name, const QByteArray &bytes) const
    {
        if (QFile file(path(name)); file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(bytes);
    }
    QByteArray contents(const QString &name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    ConfigFile config() const { return ConfigFile(path(QStringLiteral("pelmorin.cfg"))); }

private:
    const QString previous_ = QDir::currentPath();
    QTemporaryDir dir_;
};

template <typename T> T nextAnswer(std::deque<T> &script, T fallback)
{
    if (!script.empty())
        fallback = script.front(), script.pop_front();
    return fallback;
}

// An empty file name answers Cancel; questions and errors are kept as "title|text".
class ScriptedDialogs : public UserDialogs {
public:
    ScriptedDialogs() { setUserDialogs(this); }
    ~ScriptedDialogs() override { setUserDialogs(nullptr); }

    std::deque<QString> openAnswers, saveAnswers;
    std::deque<Answer> questionAnswers;
    QList<FileRequest> saveRequests;
    QStringList questions, errors;

    QString openFile(QWidget *, const FileRequest &) override { return nextAnswer(openAnswers, QString()); }
    QString saveFile(QWidget *, const FileRequest &request) override
    {
        return saveRequests.append(request), nextAnswer(saveAnswers, QString());
    }
    Answer askYesNoCancel(QWidget *, const QString &title, const QString &text) override
    {
        return questions.append(title + '|' + text), nextAnswer(questionAnswers, Answer::Cancel);
    }
    void showError(QWidget *, const QString &title, const QString &text) override { errors.append(title + '|' + text); }
    void showInformation(QWidget *, const QString &, const QString &) override {}
};

// Nothing left in the script means "Annuler"; NewMapRequest{} is a 20 x 13 city map.
class ScriptedNewMap : public NewMapPrompt {
public:
    std::deque<std::optional<NewMapRequest>> answers;
    int asked = 0;
    std::optional<NewMapRequest> askNewMap(QWidget *) override { return ++asked, nextAnswer(answers, {}); }
};

inline bool activate(QWidget *window)
{
    window->activateWindow();
    return QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }, 2000);
}

inline bool closeMainForm(TMainForm &main)
{
    const bool closed = main.close();
    QCoreApplication::processEvents();
    return closed;
}

class MainFormFixture : public ::testing::Test {
protected:
    // Shown and activated as the program starts it, so the last run's maps come back.
    TMainForm &start()
    {
        main = std::make_unique<TMainForm>();
        main->setNewMapPrompt(&newMaps);
        main->resize(1000, 700);
        main->show();
        main->activateWindow();
        if (!QTest::qWaitFor([this] { return main->mapsReopened(); }, 5000))
            ADD_FAILURE() << "the main window did not reopen its maps within 5 s";
        QCoreApplication::processEvents();
        return *main;
    }
    TMainForm &startWith(const QStringList &maps, const QByteArray &moreSettings = {})
    {
        QByteArray list = "[Cartes Ouvertes]\r\n";
        for (int i = 0; i < maps.size(); ++i)
            list += "Carte " + QByteArray::number(i) + '=' + maps[i].toUtf8() + "\r\n";
        folder.writeText(QStringLiteral("pelmorin.cfg"), list + moreSettings);
        return start();
    }
    // The active window once `command` and its events are through.
    TMapForm *trigger(Command command)
    {
        main->command(command)->trigger();
        QCoreApplication::processEvents();
        return main->activeMapWindow();
    }
    TMapForm *openThroughDialog(const QString &path)
    {
        return dialogs.openAnswers.push_back(path), trigger(Command::OuvrirFichier);
    }
    void makeActive(TMapForm *window)
    {
        main->mdiArea()->setActiveSubWindow(main->subWindowOf(window));
        QCoreApplication::processEvents();
    }
    void TearDown() override
    {
        for (TMapForm *window : main ? main->mapWindows() : QList<TMapForm *>()) // nothing to ask about
            window->document().modified = false;
        main.reset();
    }

    ScratchProgram folder;
    ScriptedDialogs dialogs;
    ScriptedNewMap newMaps;
    std::unique_ptr<TMainForm> main;
};
