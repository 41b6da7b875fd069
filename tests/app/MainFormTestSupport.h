#pragma once
// What the main window's tests share: a program folder of their own with
// small generated map files, dialogs and a new-map prompt that answer from a
// script, and a main window started as the program starts it.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <memory>

#include "settings/ConfigFile.h"
#include "app/NewMapPrompt.h"
#include "app/TMainForm.h"
#include "map/CarteVarenthe.h"
#include "render/TileLibrary.h"
#include "ui/TMapForm.h"
#include "ui/UserDialogs.h"
#include "settings/ProgramFolder.h"

// A fresh, empty program folder that is also the current directory.
class ScratchProgram {
public:
    ScratchProgram()
    {
        previous_ = QDir::currentPath();
        ProgramFolder::setPath(dir_.path());
        QDir::setCurrent(dir_.path());
    }
    ~ScratchProgram()
    {
        QDir::setCurrent(previous_);
        ProgramFolder::setPath(QString());
    }
    QString path(const QString &name) const { return QDir(dir_.path()).filePath(name); }

    // A map file of `width` x `height` cells of grass; world maps have
    // provinces of 20 x 13.
    void writeMap(const QString &name, int width, int height, int mapType = 0, int fill = 100) const
    {
        CarteVarenthe map;
        map.create(width, height, mapType == 1 ? 20 : 0, mapType == 1 ? 13 : 0, mapType, fill);
        map.save(QFile::encodeName(path(name)).toStdString());
    }
    void writeText(const QString &name, const QByteArray &bytes) const
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    QByteArray contents(const QString &name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    ConfigFile config() const { return ConfigFile(path(QStringLiteral("pelmorin.cfg"))); }

private:
    QTemporaryDir dir_;
    QString previous_;
};

// The next scripted answer, or `fallback` once the script has run out.
template <typename T> T nextAnswer(std::deque<T> &script, T fallback)
{
    if (script.empty())
        return fallback;
    T value = script.front();
    script.pop_front();
    return value;
}

// Dialogs answered from a script (an empty name is Cancel); every question
// and error is recorded as "title|text".
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
        saveRequests.append(request);
        return nextAnswer(saveAnswers, QString());
    }
    Answer askYesNoCancel(QWidget *, const QString &title, const QString &text) override
    {
        questions.append(title + QLatin1Char('|') + text);
        return nextAnswer(questionAnswers, Answer::Cancel);
    }
    void showError(QWidget *, const QString &title, const QString &text) override
    {
        errors.append(title + QLatin1Char('|') + text);
    }
    void showInformation(QWidget *, const QString &, const QString &) override {}
};

// The new-map dialog answered from a script: nothing left means "Annuler".
// NewMapRequest{} is a city map of 20 x 13 empty cells.
class ScriptedNewMap : public NewMapPrompt {
public:
    std::deque<std::optional<NewMapRequest>> answers;
    int asked = 0;
    std::optional<NewMapRequest> askNewMap(QWidget *) override { return ++asked, nextAnswer(answers, {}); }
};

// Closes the main window as the user would; true when it agreed to close.
inline bool closeMainForm(TMainForm &main)
{
    const bool closed = main.close();
    QCoreApplication::processEvents();
    return closed;
}

inline QString captionOf(TMainForm &main, TMapForm *window)
{
    QMdiSubWindow *sub = main.subWindowOf(window);
    return sub ? sub->windowTitle() : QString();
}

// A program folder, scripted dialogs and a main window started over them.
// `startWith` lists the maps to reopen, as the last run recorded them.
class MainFormFixture : public ::testing::Test {
protected:
    // Shown and activated as the program starts it, so that the maps of the
    // last run are back.
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
    // The active window once `command` has run and its events are through.
    TMapForm *trigger(Command command)
    {
        main->command(command)->trigger();
        QCoreApplication::processEvents();
        return main->activeMapWindow();
    }
    // The active window after "&Ouvrir" answered with `path`.
    TMapForm *openThroughDialog(const QString &path)
    {
        dialogs.openAnswers.push_back(path);
        return trigger(Command::OuvrirFichier);
    }
    void makeActive(TMapForm *window)
    {
        main->mdiArea()->setActiveSubWindow(main->subWindowOf(window));
        QCoreApplication::processEvents();
    }
    void TearDown() override
    {
        // Nothing to ask about while the window goes.
        if (main)
            for (TMapForm *window : main->mapWindows())
                window->document().modified = false;
        main.reset();
    }

    ScratchProgram folder;
    ScriptedDialogs dialogs;
    ScriptedNewMap newMaps;
    std::unique_ptr<TMainForm> main;
};
