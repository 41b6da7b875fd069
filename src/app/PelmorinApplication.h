#pragma once
// The application object: an error that no handler of the program expected
// ends the event that raised it and is shown in the general error box; the
// program then goes on.
#include <QApplication>
#include <QElapsedTimer>
#include <functional>

class PelmorinApplication : public QApplication {
    Q_OBJECT
public:
    PelmorinApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    // Qt's own French texts for the standard buttons ("&Oui", "&Non",
    // "Annuler") and dialogs; false when the translation is not installed.
    bool loadFrenchTranslation();

    // Instrumented run: once the first map window has painted, prints the
    // time since `started` on the standard error and calls `then`.
    void reportFirstMapPaint(QElapsedTimer started, std::function<void()> then = {});

private:
    bool timingFirstPaint_ = false;
    QElapsedTimer started_;
    std::function<void()> afterFirstPaint_;
};

// The general error box: caption "Pelmorin", the error's own text.
void showGeneralErrorBox(const QString &text);
