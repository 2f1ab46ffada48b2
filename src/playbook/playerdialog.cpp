#include "playbook/playerdialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSpinBox>

PlayerDialog::PlayerDialog(const play::Play &play, int player, QWidget *parent)
    : QDialog(parent)
    , play_(play)
    , playerBox(new QComboBox(this))
    , numberBox(new QSpinBox(this))
    , nameEdit(new QLineEdit(this))
{
    setWindowTitle(tr("Edit Player"));
    for (int p = 0; p < play::kPlayerCount; ++p)
        playerBox->addItem(play::pieceLabel(p));
    numberBox->setRange(0, play::kMaxNumber);
    nameEdit->setMaxLength(play::kMaxNameLength);
    nameEdit->setPlaceholderText(tr("No name"));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto *form = new QFormLayout(this);
    form->addRow(tr("&Player:"), playerBox);
    form->addRow(tr("N&umber:"), numberBox);
    form->addRow(tr("&Name:"), nameEdit);
    form->addRow(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(playerBox, &QComboBox::currentIndexChanged, this, &PlayerDialog::choosePlayer);
    playerBox->setCurrentIndex(player);
    choosePlayer(player);
    numberBox->setFocus();
    numberBox->selectAll();
}

void PlayerDialog::choosePlayer(int player)
{
    numberBox->setValue(play_.roster[player].number);
    nameEdit->setText(play_.roster[player].name);
}

int PlayerDialog::player() const
{
    return playerBox->currentIndex();
}

play::Player PlayerDialog::value() const
{
    return play::Player { numberBox->value(), nameEdit->text().trimmed() };
}
