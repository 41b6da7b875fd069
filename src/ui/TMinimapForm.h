#pragma once
// The minimap tool window "Minipelmorin": the overview picture of the active
// world map, drawn from the map itself (the shipped picture of the world when
// none is given), with a white frame around the part the map window shows.
// A left click or drag asks for the view to be centred on that point. The
// main window tells it about the active map window through a view source
// and moves that window's scroll bars on `scrollRequested`.
#include <QImage>
#include <QWidget>
#include <functional>
#include <optional>

#include "ui/MinimapGeometry.h"

class TMinimapForm : public QWidget {
    Q_OBJECT
public:
    // Returns the active map window's view, or nothing when no map window
    // is active.
    using ViewSource = std::function<std::optional<MinimapView>()>;

    // Loads the overview picture from the program's folder.
    explicit TMinimapForm(QWidget *parent = nullptr);

    void setViewSource(ViewSource source);
    const QImage &overviewImage() const { return overview_; }
    // File of the overview picture, relative to the program's folder.
    static QString overviewFileName();

signals:
    // Set the active map window's scroll positions (already clamped).
    void scrollRequested(int horizontal, int vertical);
    // The close box was used: the main window clears `MontrerMinipelmorin`.
    void closed();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void centreOn(QPoint position);

    QImage overview_;
    ViewSource viewSource_;
};
