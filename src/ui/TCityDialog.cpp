#include "ui/TCityDialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "map/CityEdits.h"
#include "ui/RefusalLabel.h"

namespace {

// The number as typed, when it is a whole number a city can carry.
bool readCityNumber(const QString &text, int32_t &number)
{
    bool whole = false;
    const qlonglong value = text.trimmed().toLongLong(&whole, 10);
    if (!whole || value < SmallestCityNumber || value > LargestCityNumber)
        return false;
    number = static_cast<int32_t>(value);
    return true;
}

} // namespace

TCityDialog::TCityDialog(const QString &name, int32_t number, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Ville"));
    Edit1 = new QLineEdit(name);
    Edit2 = new QLineEdit(QString::number(number));
    Edit1->setMinimumWidth(220);

    refusalLabel = newRefusalLabel();

    Button1 = new QPushButton(QStringLiteral("Ok"));
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Annuler"));
    connect(Button1, &QPushButton::clicked, this, &TCityDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &TCityDialog::reject);
    // Typing again takes the last refusal away.
    for (QLineEdit *edit : {Edit1, Edit2})
        connect(edit, &QLineEdit::textEdited, refusalLabel, &QLabel::hide);

    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("Nom :"), Edit1);
    fields->addRow(QStringLiteral("Numéro :"), Edit2);
    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(Button1);
    buttonRow->addWidget(Button2);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(refusalLabel);
    layout->addLayout(buttonRow);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    Edit1->selectAll();
}

QString TCityDialog::cityName() const
{
    return Edit1->text().trimmed();
}

int32_t TCityDialog::cityNumber() const
{
    int32_t number = 0;
    readCityNumber(Edit2->text(), number);
    return number;
}

QString TCityDialog::refusal() const
{
    return refusalLabel->isHidden() ? QString() : refusalLabel->text();
}

void TCityDialog::accept()
{
    const std::string problem = cityNameProblem(cityName().toStdString());
    if (!problem.empty()) {
        refuse(QString::fromStdString(problem), Edit1);
        return;
    }
    int32_t number = 0;
    if (!readCityNumber(Edit2->text(), number)) {
        refuse(QStringLiteral("Le numéro « %1 » n'est pas un nombre entier de %2 à %3.")
                   .arg(Edit2->text(), QString::number(SmallestCityNumber), QString::number(LargestCityNumber)),
               Edit2);
        return;
    }
    QDialog::accept();
}

void TCityDialog::refuse(const QString &reason, QLineEdit *field)
{
    refusalLabel->setText(reason);
    refusalLabel->show();
    field->setFocus();
}
