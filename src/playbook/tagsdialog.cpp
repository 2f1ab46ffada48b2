#include "playbook/tagsdialog.h"

#include "play/play.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TagsDialog::TagsDialog(const QString &playName, const QStringList &tags, QWidget *parent)
    : QDialog(parent)
    , tagsEdit(new QLineEdit(tags.join(QStringLiteral(", ")), this))
    , problemLabel(new QLabel(this))
    , buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    setWindowTitle(tr("Tags of %1").arg(playName));
    auto *layout = new QVBoxLayout(this);
    auto *prompt = new QLabel(tr("&Tags, separated by commas (for example: Inbounds, Zone offence):"), this);
    prompt->setBuddy(tagsEdit);
    tagsEdit->setAccessibleName(tr("Tags"));
    tagsEdit->setMinimumWidth(360);
    problemLabel->setWordWrap(true);
    layout->addWidget(prompt);
    layout->addWidget(tagsEdit);
    layout->addWidget(problemLabel);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(tagsEdit, &QLineEdit::textChanged, this, &TagsDialog::typeTags);
    typeTags();
}

QStringList TagsDialog::tags() const
{
    return parse(tagsEdit->text());
}

QStringList TagsDialog::parse(const QString &text)
{
    QStringList tags;
    for (const QString &part : text.split(QLatin1Char(','))) {
        const QString tag = part.simplified();
        if (!tag.isEmpty() && !tags.contains(tag, Qt::CaseInsensitive))
            tags.append(tag);
    }
    return tags;
}

QString TagsDialog::check(const QStringList &tags)
{
    if (tags.size() > play::kMaxTags)
        return tr("A play holds at most %1 tags.").arg(play::kMaxTags);
    for (const QString &tag : tags) {
        if (tag.size() > play::kMaxTagLength)
            return tr("A tag holds at most %1 characters: %2").arg(play::kMaxTagLength).arg(tag);
    }
    return {};
}

void TagsDialog::typeTags()
{
    const QString problem = check(tags());
    problemLabel->setText(problem);
    problemLabel->setVisible(!problem.isEmpty());
    buttons->button(QDialogButtonBox::Ok)->setEnabled(problem.isEmpty());
}
