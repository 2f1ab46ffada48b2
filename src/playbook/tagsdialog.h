#pragma once

#include <QDialog>
#include <QStringList>

class QDialogButtonBox;
class QLabel;
class QLineEdit;

// The category tags of a play, typed as one line with commas between them.
class TagsDialog : public QDialog {
    Q_OBJECT

public:
    TagsDialog(const QString &playName, const QStringList &tags, QWidget *parent = nullptr);

    QStringList tags() const;

    // The tags of a line: split at commas, trimmed, the empty and the repeated ones dropped
    // (a repeat differing in case alone is a repeat).
    static QStringList parse(const QString &text);
    // What is wrong with a list of tags for a person, or an empty string.
    static QString check(const QStringList &tags);

private:
    void typeTags();

    QLineEdit *tagsEdit;
    QLabel *problemLabel;
    QDialogButtonBox *buttons;
};
