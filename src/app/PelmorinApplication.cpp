#include "app/PelmorinApplication.h"

#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>
#include <cstdio>

#include "ui/TMapForm.h"

#include "ui/UserDialogs.h"

PelmorinApplication::PelmorinApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Pelmorin"));
}

bool PelmorinApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        const bool firstMapPaint =
            timingFirstPaint_ && event->type() == QEvent::Paint && qobject_cast<TMapForm *>(receiver);
        const bool handled = QApplication::notify(receiver, event);
        if (firstMapPaint) {
            timingFirstPaint_ = false;
            std::fprintf(stderr, "Première carte peinte après %lld ms\n", static_cast<long long>(started_.elapsed()));
            if (afterFirstPaint_)
                QTimer::singleShot(0, this, afterFirstPaint_);
        }
        return handled;
    } catch (const std::bad_alloc &) {
        showGeneralErrorBox(QStringLiteral("Mémoire insuffisante."));
    } catch (const std::exception &error) {
        showGeneralErrorBox(QString::fromUtf8(error.what()));
    }
    return false;
}

bool PelmorinApplication::loadFrenchTranslation()
{
    auto *translator = new QTranslator(this);
    if (!translator->load(QStringLiteral("qtbase_fr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    installTranslator(translator);
    return true;
}

void PelmorinApplication::reportFirstMapPaint(QElapsedTimer started, std::function<void()> then)
{
    started_ = started;
    afterFirstPaint_ = std::move(then);
    timingFirstPaint_ = true;
}

void showGeneralErrorBox(const QString &text)
{
    userDialogs().showError(QApplication::activeWindow(), QStringLiteral("Pelmorin"), text);
}
