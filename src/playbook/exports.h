#pragma once

#include "play/playbooklayout.h"

class QWidget;

// The File and Edit menus' ways out of the editor: the PDF playbook, pictures of a step,
// printing and the clipboard. Each asks for what it needs (its choices, then a file's
// name), draws through the play library, and says so when it cannot write the file.
namespace exports {

// `folder` is where the file dialogs start: the play's own folder, or the documents.
void exportPlaybook(QWidget *parent, const QList<play::TitledPlay> &plays, const QString &folder);
void exportPng(QWidget *parent, const play::TitledPlay &play, int step, const QString &folder);
void exportSvg(QWidget *parent, const play::TitledPlay &play, int step, const QString &folder);
void print(QWidget *parent, const QList<play::TitledPlay> &plays);

void copyStepPicture(const play::Play &play, int step);
void copyText(const play::TitledPlay &play);

} // namespace exports
