#include "ui/TMinimapForm.h"

#include <QCloseEvent>
#include <QDir>
#include <QMouseEvent>
#include <QPainter>

#include "settings/ProgramFolder.h"

// A tool window of the main window: the window manager keeps it above that
// window, but not above the program's dialogs nor above other programs.
TMinimapForm::TMinimapForm(QWidget *parent) : QWidget(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("TMinimapForm"));
    setWindowTitle(QStringLiteral("Minipelmorin"));
    setFixedSize(MinimapWidth, MinimapHeight);
    // Black behind the picture when the overview file is missing.
    QPalette background = palette();
    background.setColor(QPalette::Window, Qt::black);
    setPalette(background);
    setAutoFillBackground(true);
    overview_.load(QDir(ProgramFolder::dataPath()).filePath(overviewFileName()));
}

QString TMinimapForm::overviewFileName()
{
    return QStringLiteral("img/minipelmorin.bmp");
}

void TMinimapForm::setViewSource(ViewSource source)
{
    viewSource_ = std::move(source);
    update();
}

void TMinimapForm::paintEvent(QPaintEvent *)
{
    const std::optional<MinimapView> view = viewSource_ ? viewSource_() : std::nullopt;
    if (!view)
        return;
    QPainter painter(this);
    if (view->picture)
        painter.drawImage(0, 0, *view->picture);
    else if (!overview_.isNull())
        painter.drawImage(0, 0, overview_);
    const MinimapFrame frame = minimapFrame(*view);
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(Qt::NoBrush);
    // The outline covers left .. right - 1 and top .. bottom - 1.
    painter.drawRect(QRect(frame.left, frame.top, frame.right - frame.left - 1, frame.bottom - frame.top - 1));
}

void TMinimapForm::centreOn(QPoint position)
{
    const std::optional<MinimapView> view = viewSource_ ? viewSource_() : std::nullopt;
    if (!view)
        return;
    const QPoint scroll = minimapScrollFor(*view, position);
    emit scrollRequested(scroll.x(), scroll.y());
}

void TMinimapForm::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        centreOn(event->position().toPoint());
}

void TMinimapForm::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        centreOn(event->position().toPoint());
}

void TMinimapForm::closeEvent(QCloseEvent *event)
{
    event->accept();
    emit closed();
}
