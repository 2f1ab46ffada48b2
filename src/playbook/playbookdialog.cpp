#include "playbook/playbookdialog.h"

#include "play/playfile.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

PlaybookDialog::PlaybookDialog(const QList<play::TitledPlay> &plays, QWidget *parent)
    : QDialog(parent)
    , plays_(plays)
    , playList(new QListWidget(this))
    , addButton(new QPushButton(tr("&Add Plays..."), this))
    , removeButton(new QPushButton(tr("&Remove"), this))
    , paperBox(new QComboBox(this))
{
    setWindowTitle(tr("Export PDF Playbook"));
    playList->setAccessibleName(tr("Plays in the playbook"));
    for (const play::TitledPlay &entry : plays_)
        playList->addItem(entry.name);
    playList->setCurrentRow(0);
    paperBox->addItem(tr("A4"), int(QPageSize::A4));
    paperBox->addItem(tr("Letter"), int(QPageSize::Letter));
    paperBox->setCurrentIndex(paperBox->findData(int(play::paperFor(QLocale::system()))));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    exportButton = buttons->addButton(tr("&Export..."), QDialogButtonBox::AcceptRole);
    auto *listButtons = new QVBoxLayout;
    listButtons->addWidget(addButton);
    listButtons->addWidget(removeButton);
    listButtons->addStretch();
    auto *listRow = new QHBoxLayout;
    listRow->addWidget(playList, 1);
    listRow->addLayout(listButtons);
    auto *form = new QFormLayout;
    form->addRow(tr("&Paper:"), paperBox);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(listRow);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(addButton, &QPushButton::clicked, this, &PlaybookDialog::addPlays);
    connect(removeButton, &QPushButton::clicked, this, &PlaybookDialog::removePlay);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    updateButtons();
}

QPageSize::PageSizeId PlaybookDialog::paper() const
{
    return QPageSize::PageSizeId(paperBox->currentData().toInt());
}

void PlaybookDialog::addPlays()
{
    const QStringList files = QFileDialog::getOpenFileNames(this, tr("Add Plays"), QString(),
        tr("Hoopwright plays (*.%1);;All files (*)").arg(QLatin1String(play::kFileSuffix)));
    QStringList refused;
    for (const QString &file : files) {
        const play::ReadResult read = play::readPlayFile(file);
        if (!read.ok()) {
            refused.append(tr("%1: %2").arg(QDir::toNativeSeparators(file), read.error));
            continue;
        }
        plays_.append({ QFileInfo(file).completeBaseName(), read.play });
        playList->addItem(plays_.back().name);
    }
    if (!refused.isEmpty())
        QMessageBox::warning(this, windowTitle(), tr("These plays cannot be read:\n%1").arg(refused.join('\n')));
    updateButtons();
}

void PlaybookDialog::removePlay()
{
    const int row = playList->currentRow();
    if (row < 0)
        return;
    plays_.removeAt(row);
    delete playList->takeItem(row);
    updateButtons();
}

void PlaybookDialog::updateButtons()
{
    removeButton->setEnabled(!plays_.isEmpty());
    exportButton->setEnabled(!plays_.isEmpty());
}
