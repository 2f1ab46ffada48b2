#include "playbook/animationexportdialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>

namespace {

const QString kWidthKey = QStringLiteral("animationExport/width");
const QString kSpeedKey = QStringLiteral("animationExport/speed");

} // namespace

AnimationExportDialog::AnimationExportDialog(const play::Play &play, Format format, QWidget *parent)
    : QDialog(parent)
    , play_(play)
    , widthBox(new QSpinBox(this))
    , speedBox(new QComboBox(this))
    , summaryLabel(new QLabel(this))
{
    setWindowTitle(format == Format::Gif ? tr("Export Animation") : tr("Export PNG Sequence"));
    const QSettings settings;
    widthBox->setRange(play::kMinAnimationWidth, play::kMaxAnimationWidth);
    widthBox->setSingleStep(100);
    widthBox->setSuffix(tr(" pixels"));
    widthBox->setValue(settings.value(kWidthKey, play::AnimationOptions().width).toInt());
    for (double speed : { 0.25, 0.5, 1.0, 1.5, 2.0 })
        speedBox->addItem(tr("%1x").arg(speed), speed);
    const int speed = speedBox->findData(settings.value(kSpeedKey, 1.0).toDouble());
    speedBox->setCurrentIndex(speed >= 0 ? speed : speedBox->findData(1.0));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("&Export..."));
    auto *form = new QFormLayout(this);
    form->addRow(tr("&Width:"), widthBox);
    form->addRow(tr("&Speed:"), speedBox);
    form->addRow(summaryLabel);
    form->addRow(buttons);

    // Wide enough for a title bar to show the title whole, beside its buttons.
    setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle()) * 3);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(widthBox, &QSpinBox::valueChanged, this, &AnimationExportDialog::showSummary);
    connect(speedBox, &QComboBox::currentIndexChanged, this, &AnimationExportDialog::showSummary);
    showSummary();
}

play::AnimationOptions AnimationExportDialog::options() const
{
    return play::AnimationOptions { widthBox->value(), speedBox->currentData().toDouble() };
}

void AnimationExportDialog::showSummary()
{
    const play::AnimationOptions chosen = options();
    const QSize size = play::animationSize(play_.court, chosen.width);
    summaryLabel->setText(tr("%1 x %2 pixels, %3 seconds")
                              .arg(size.width())
                              .arg(size.height())
                              .arg(play::playDuration(play_) / chosen.speed, 0, 'f', 1));
}

QString AnimationExportDialog::exportPlay(QWidget *parent, play::Play play, const QString &playPath, Format format)
{
    AnimationExportDialog dialog(play, format, parent);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const play::AnimationOptions options = dialog.options();
    QSettings settings;
    settings.setValue(kWidthKey, options.width);
    settings.setValue(kSpeedKey, options.speed);

    const bool gif = format == Format::Gif;
    const QString folder = playPath.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                                              : QFileInfo(playPath).absolutePath();
    const QString name = playPath.isEmpty() ? tr("Untitled") : QFileInfo(playPath).completeBaseName();
    const QString path = QFileDialog::getSaveFileName(parent, dialog.windowTitle(),
        folder + QLatin1Char('/') + name + (gif ? QStringLiteral(".gif") : QStringLiteral(".png")),
        gif ? tr("GIF animations (*.gif)") : tr("PNG pictures, numbered after this name (*.png)"));
    if (path.isEmpty())
        return {};

    QProgressDialog progress(tr("Writing the animation..."), tr("Cancel"), 0, 0, parent);
    progress.setWindowTitle(dialog.windowTitle());
    progress.setMinimumWidth(dialog.minimumWidth());
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(400);
    const play::AnimationProgress report = [&progress](int done, int total) {
        progress.setMaximum(total);
        progress.setValue(done);
        return !progress.wasCanceled();
    };
    const QFileInfo target(path);
    const QString sequenceName = target.completeBaseName();
    // The sequence's pictures are numbered after the name given, beside it.
    const QString error = gif ? play::writeGif(play, path, options, report)
                              : play::writePngSequence(play, target.absolutePath(), sequenceName, options, report);
    const bool cancelled = progress.wasCanceled();
    progress.reset();
    if (cancelled)
        return {};
    if (!error.isEmpty()) {
        QMessageBox::warning(parent, tr("Hoopwright Playbook"), tr("Cannot export the animation:\n%1.").arg(error));
        return {};
    }
    if (gif)
        return path;
    const int frames = int(play::frameTimes(play, options.speed).size());
    return QDir(target.absolutePath()).filePath(play::sequenceFileName(sequenceName, 1, frames));
}
