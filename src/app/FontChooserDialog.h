#pragma once
// The font chooser of the options dialog: face, style, size and the
// underline and strike-out effects, plus the colour of the text, which the
// settings keep with each font. Only installed faces are offered.
#include <QDialog>
#include <optional>

#include "settings/AppSettings.h"

class NamedColourBox;
class QFontDialog;

class FontChooserDialog : public QDialog {
    Q_OBJECT
public:
    FontChooserDialog(const FontSetting &initial, QWidget *parent = nullptr);

    FontSetting fontSetting() const;

    // Runs the dialog modally; nothing when the user cancels.
    static std::optional<FontSetting> choose(QWidget *parent, const FontSetting &initial);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QFontDialog *fonts_ = nullptr;
    NamedColourBox *colours_ = nullptr;
};
