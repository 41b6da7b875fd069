#include "ui/QtUserDialogs.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QMessageBox>

namespace {

UserDialogs *installed = nullptr;

// On Linux the pattern "*.*" hides every name without a dot, while the
// filter "Tous les fichiers (*.*)" means every file: whenever such a filter
// is in use, the dialog's model is told to match everything.
bool patternIsEveryFile(const QString &filter)
{
    return filter.endsWith(QLatin1String("(*.*)"));
}

void matchEveryFileFor(QFileDialog &dialog)
{
    auto *model = dialog.findChild<QFileSystemModel *>(QStringLiteral("qt_filesystem_model"));
    if (!model)
        return;
    auto apply = [model](const QString &filter) {
        if (patternIsEveryFile(filter))
            model->setNameFilters({QStringLiteral("*")});
    };
    QObject::connect(&dialog, &QFileDialog::filterSelected, model, apply);
    apply(dialog.selectedNameFilter());
}

QString runFileDialog(QWidget *parent, const FileRequest &request, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, request.title, request.startPath);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen && request.mustExist ? QFileDialog::ExistingFile
                                                                              : QFileDialog::AnyFile);
    dialog.setNameFilters(request.filters);
    if (request.selectedFilter >= 0 && request.selectedFilter < request.filters.size())
        dialog.selectNameFilter(request.filters.at(request.selectedFilter));
    matchEveryFileFor(dialog);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (request.filterSuffixes.size() == request.filters.size()) {
        auto followFilter = [&dialog, &request](const QString &filter) {
            const qsizetype index = request.filters.indexOf(filter);
            if (index >= 0)
                dialog.setDefaultSuffix(request.filterSuffixes.at(index));
        };
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, followFilter);
        followFilter(dialog.selectedNameFilter());
    }
    // Replacing an existing file is what the user asked for by choosing it.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

// A message box whose text shows as typed: messages quote file names and
// texts from map files, which must never be taken as markup.
QMessageBox::StandardButton showMessage(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                                        const QString &text, QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, title, text, buttons, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace

UserDialogs &userDialogs()
{
    static QtUserDialogs qtDialogs;
    return installed ? *installed : qtDialogs;
}

void setUserDialogs(UserDialogs *dialogs)
{
    installed = dialogs;
}

QString QtUserDialogs::openFile(QWidget *parent, const FileRequest &request)
{
    return runFileDialog(parent, request, QFileDialog::AcceptOpen);
}

QString QtUserDialogs::saveFile(QWidget *parent, const FileRequest &request)
{
    return runFileDialog(parent, request, QFileDialog::AcceptSave);
}

Answer QtUserDialogs::askYesNoCancel(QWidget *parent, const QString &title, const QString &text)
{
    const auto button = showMessage(parent, QMessageBox::Question, title, text,
                                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (button == QMessageBox::Yes)
        return Answer::Yes;
    if (button == QMessageBox::No)
        return Answer::No;
    return Answer::Cancel;
}

Answer QtUserDialogs::askYesNo(QWidget *parent, const QString &title, const QString &text)
{
    return showMessage(parent, QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No,
                       QMessageBox::No)
                   == QMessageBox::Yes
               ? Answer::Yes
               : Answer::No;
}

void QtUserDialogs::showError(QWidget *parent, const QString &title, const QString &text)
{
    showMessage(parent, QMessageBox::Critical, title, text, QMessageBox::Ok, QMessageBox::Ok);
}

void QtUserDialogs::showInformation(QWidget *parent, const QString &title, const QString &text)
{
    showMessage(parent, QMessageBox::Information, title, text, QMessageBox::Ok, QMessageBox::Ok);
}
