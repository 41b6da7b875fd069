#pragma once
// The small "Ville" dialog of the map window's pop-up menu: the name and the
// number of a city placed or changed by hand. "Ok" closes it only on a name
// a map file can hold and a whole number in range; otherwise the reason
// shows under the fields and what was typed stays for the user to mend.
#include <QDialog>
#include <cstdint>

class QLabel;
class QLineEdit;
class QPushButton;

class TCityDialog : public QDialog {
    Q_OBJECT
public:
    TCityDialog(const QString &name, int32_t number, QWidget *parent = nullptr);

    // What was accepted: the name without surrounding spaces, and the number.
    QString cityName() const;
    int32_t cityNumber() const;
    // The reason shown for the last refusal, empty when none shows.
    QString refusal() const;

    void accept() override;

    QLineEdit *Edit1 = nullptr; // "Nom :"
    QLineEdit *Edit2 = nullptr; // "Numéro :"
    QLabel *refusalLabel = nullptr;
    QPushButton *Button1 = nullptr; // "Ok"
    QPushButton *Button2 = nullptr; // "Annuler"

private:
    void refuse(const QString &reason, QLineEdit *field);
};
