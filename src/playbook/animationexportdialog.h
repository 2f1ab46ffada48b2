#pragma once

#include "play/playanimation.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QSpinBox;

// How a play's animation is exported: its width and its speed, with the size and the length
// they make. exportPlay runs the whole export from the File menu.
class AnimationExportDialog : public QDialog {
    Q_OBJECT

public:
    enum class Format { Gif, PngSequence };

    AnimationExportDialog(const play::Play &play, Format format, QWidget *parent = nullptr);

    play::AnimationOptions options() const;

    // Asks for the options and the file, writes it behind a progress dialog that can be
    // cancelled, and tells the user when it fails; the play is a copy, which nothing changes
    // while it is written. Returns what was written (the GIF, or the first picture of the
    // sequence), or an empty string.
    static QString exportPlay(QWidget *parent, play::Play play, const QString &playPath, Format format);

private:
    void showSummary();

    const play::Play &play_;
    QSpinBox *widthBox;
    QComboBox *speedBox;
    QLabel *summaryLabel;
};
