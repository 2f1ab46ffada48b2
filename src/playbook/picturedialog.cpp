#include "playbook/picturedialog.h"

#include "play/playexport.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

PictureDialog::PictureDialog(play::Court court, int width, QWidget *parent)
    : QDialog(parent)
    , court_(court)
    , widthBox(new QSpinBox(this))
    , heightLabel(new QLabel(this))
{
    setWindowTitle(tr("Export Picture"));
    widthBox->setRange(play::kMinPictureWidth, play::kMaxPictureWidth);
    widthBox->setSingleStep(100);
    widthBox->setSuffix(tr(" pixels"));
    widthBox->setValue(width);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    buttons->addButton(tr("&Export..."), QDialogButtonBox::AcceptRole);
    auto *form = new QFormLayout(this);
    form->addRow(tr("&Width:"), widthBox);
    form->addRow(tr("Height:"), heightLabel);
    form->addRow(buttons);

    connect(widthBox, &QSpinBox::valueChanged, this, &PictureDialog::showHeight);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    showHeight();
}

int PictureDialog::pictureWidth() const
{
    return widthBox->value();
}

void PictureDialog::showHeight()
{
    heightLabel->setText(tr("%1 pixels").arg(play::pictureSize(court_, widthBox->value()).height()));
}
