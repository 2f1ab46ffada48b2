#include "playbook/exports.h"

#include "play/playexport.h"
#include "play/playtext.h"
#include "playbook/picturedialog.h"
#include "playbook/playbookdialog.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>

namespace exports {

namespace {

QString tr(const char *text)
{
    return QApplication::translate("exports", text);
}

// The file's name, asked with the format's filter and suffix; empty when cancelled.
QString askFileName(
    QWidget *parent, const QString &title, const QString &suggested, const QString &suffix, const QString &filter)
{
    QFileDialog dialog(parent, title, suggested, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffix);
    dialog.selectFile(suggested);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

QString suggestedPath(const QString &folder, const QString &name, const QString &suffix)
{
    const QString start
        = folder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) : folder;
    return QDir(start).filePath(name + QLatin1Char('.') + suffix);
}

void reportFailure(QWidget *parent, const QString &path, const QString &error)
{
    if (error.isEmpty())
        return;
    QMessageBox::warning(
        parent, tr("Hoopwright Playbook"), tr("Cannot write %1:\n%2.").arg(QDir::toNativeSeparators(path), error));
}

QString stepName(const play::TitledPlay &play, int step)
{
    return play.play.steps.size() > 1 ? tr("%1 - step %2").arg(play.name).arg(step + 1) : play.name;
}

} // namespace

void exportPlaybook(QWidget *parent, const QList<play::TitledPlay> &plays, const QString &folder)
{
    PlaybookDialog choices(plays, parent);
    if (choices.exec() != QDialog::Accepted || choices.plays().isEmpty())
        return;
    const QList<play::TitledPlay> chosen = choices.plays();
    const QString name = chosen.size() == 1 ? chosen.front().name : tr("Playbook");
    const QString path = askFileName(parent, tr("Export PDF Playbook"),
        suggestedPath(folder, name, QStringLiteral("pdf")), QStringLiteral("pdf"), tr("PDF documents (*.pdf)"));
    if (path.isEmpty())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString error = play::writePlaybookPdf(path, chosen, choices.paper());
    QApplication::restoreOverrideCursor();
    reportFailure(parent, path, error);
}

void exportPng(QWidget *parent, const play::TitledPlay &play, int step, const QString &folder)
{
    static int lastWidth = play::kDefaultPictureWidth;
    PictureDialog size(play.play.court, lastWidth, parent);
    if (size.exec() != QDialog::Accepted)
        return;
    lastWidth = size.pictureWidth();
    const QString path = askFileName(parent, tr("Export Picture (PNG)"),
        suggestedPath(folder, stepName(play, step), QStringLiteral("png")), QStringLiteral("png"),
        tr("PNG pictures (*.png)"));
    if (!path.isEmpty())
        reportFailure(parent, path, play::writeStepPng(path, play.play, step, lastWidth));
}

void exportSvg(QWidget *parent, const play::TitledPlay &play, int step, const QString &folder)
{
    const QString path = askFileName(parent, tr("Export Picture (SVG)"),
        suggestedPath(folder, stepName(play, step), QStringLiteral("svg")), QStringLiteral("svg"),
        tr("SVG pictures (*.svg)"));
    if (!path.isEmpty())
        reportFailure(parent, path, play::writeStepSvg(path, play.play, step));
}

void print(QWidget *parent, const QList<play::TitledPlay> &plays)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(plays.size() == 1 ? plays.front().name : tr("Playbook"));
    printer.setPageSize(QPageSize(play::paperFor(QLocale::system())));
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(tr("Print Play"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool printed = play::drawPlaybook(printer, plays);
    QApplication::restoreOverrideCursor();
    if (!printed) {
        QMessageBox::warning(parent, tr("Hoopwright Playbook"),
            tr("Cannot print on %1.")
                .arg(printer.printerName().isEmpty() ? printer.outputFileName() : printer.printerName()));
    }
}

void copyStepPicture(const play::Play &play, int step)
{
    QApplication::clipboard()->setImage(play::stepPicture(play, step, play::kDefaultPictureWidth));
}

void copyText(const play::TitledPlay &play)
{
    QApplication::clipboard()->setText(play::playText(play.play, play.name));
}

} // namespace exports
