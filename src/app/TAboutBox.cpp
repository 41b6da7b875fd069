#include "app/TAboutBox.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>

#include "map/Windows1252.h"
#include "ui/GameServer.h"
#include "settings/ProgramFolder.h"

namespace {

constexpr qint64 NotesByteLimit = 4096;

// The program's picture: a corner of a world map with a road leading to a
// city, in the colours the map windows use for grass, water and roads.
QPixmap drawProgramPicture()
{
    QImage picture(81, 65, QImage::Format_RGB32);
    picture.fill(QColor(40, 110, 190));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath land;
    land.moveTo(0, 10);
    land.cubicTo(25, 0, 50, 18, 81, 6);
    land.lineTo(81, 65);
    land.lineTo(0, 65);
    land.closeSubpath();
    painter.fillPath(land, QColor(76, 150, 60));
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QColor(0, 0, 0, 60));
    for (int x = 0; x < 81; x += 9)
        painter.drawLine(x, 0, x, 64);
    for (int y = 0; y < 65; y += 9)
        painter.drawLine(0, y, 80, y);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(180, 140, 80), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(QPolygon({QPoint(6, 60), QPoint(24, 46), QPoint(42, 48), QPoint(58, 30)}));
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(QColor(200, 40, 40));
    painter.drawRect(52, 22, 14, 12);
    painter.setBrush(QColor(120, 30, 30));
    painter.drawPolygon(QPolygon({QPoint(50, 23), QPoint(59, 14), QPoint(68, 23)}));
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(Qt::NoBrush);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.drawRect(0, 0, 80, 64);
    painter.end();
    return QPixmap::fromImage(picture);
}

// The banner that leads to the game's web site.
QPixmap drawBanner(QSize size)
{
    QImage banner(size, QImage::Format_RGB32);
    QPainter painter(&banner);
    QLinearGradient sky(0, 0, size.width(), 0);
    sky.setColorAt(0.0, QColor(20, 40, 90));
    sky.setColorAt(1.0, QColor(60, 120, 70));
    painter.fillRect(banner.rect(), sky);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont title(QStringLiteral("Georgia"), 20, QFont::Bold);
    painter.setFont(title);
    painter.setPen(QColor(250, 230, 160));
    painter.drawText(QRect(16, 4, size.width() - 32, 36), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Varenthe"));
    QFont line(QStringLiteral("Arial"), 9);
    painter.setFont(line);
    painter.setPen(Qt::white);
    painter.drawText(QRect(16, 38, size.width() - 32, 22), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Le jeu en ligne : %1").arg(QLatin1String(GameServerHost)));
    painter.setPen(QPen(QColor(250, 230, 160), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(banner.rect().adjusted(0, 0, -1, -1));
    painter.end();
    return QPixmap::fromImage(banner);
}

QLabel *placeLabel(QWidget *parent, const QString &text, int x, int y)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->move(x, y);
    label->adjustSize();
    return label;
}

} // namespace

TAboutBox::TAboutBox(QWidget *parent) : QDialog(parent)
{
    build(QDir(ProgramFolder::dataPath()).filePath(QStringLiteral("notes.txt")));
}

TAboutBox::TAboutBox(const QString &notesPath, QWidget *parent) : QDialog(parent)
{
    build(notesPath);
}

QString TAboutBox::readNotes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.read(NotesByteLimit);
    const std::string text = cp1252ToUtf8(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    QString notes = QString::fromStdString(text);
    notes.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    notes.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return notes;
}

QString TAboutBox::notesText() const
{
    return Label2->text();
}

void TAboutBox::build(const QString &notesPath)
{
    setObjectName(QStringLiteral("TAboutBox"));
    setWindowTitle(QStringLiteral("A propos"));
    setFixedSize(486, 379);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(8, 8, 473, 249);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setLineWidth(2);

    ProgramIcon = new QLabel(Panel1);
    ProgramIcon->setGeometry(16, 8, 81, 65);
    ProgramIcon->setPixmap(drawProgramPicture());

    ProductName = placeLabel(Panel1, QStringLiteral("Carte du Pelmorin"), 104, 16);
    QFont bold = ProductName->font();
    bold.setBold(true);
    ProductName->setFont(bold);
    ProductName->adjustSize();

    Comments = new QLabel(QStringLiteral("Programmation : l'équipe Pelmorin"), Panel1);
    Comments->setTextFormat(Qt::PlainText);
    Comments->setWordWrap(true);
    Comments->setGeometry(104, 40, 353, 32);
    Comments->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Version = placeLabel(Panel1, QStringLiteral("Version " PELMORIN_VERSION), 16, 80);

    Label1 = placeLabel(Panel1, QStringLiteral("Notes :"), 16, 104);
    QFont underlined = Label1->font();
    underlined.setUnderline(true);
    Label1->setFont(underlined);
    Label1->adjustSize();

    // Read once: changing the file while the program runs does not change
    // the box. Text that does not fit the area is cut off.
    Label2 = new QLabel(readNotes(notesPath), Panel1);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setTextFormat(Qt::PlainText);
    Label2->setWordWrap(true);
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label2->setGeometry(16, 120, 449, 121);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(8, 272, 473, 65);
    Image1->setPixmap(drawBanner(QSize(473, 65)));
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->setToolTip(homePageUrl().toString());
    Image1->installEventFilter(this);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(223, 348, 75, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutBox::Image1Click()
{
    // Fire and forget: a desktop without a browser is not the box's concern.
    QDesktopServices::openUrl(homePageUrl());
}

bool TAboutBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Image1 && event->type() == QEvent::MouseButtonRelease) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && Image1->rect().contains(mouse->position().toPoint())) {
            Image1Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
