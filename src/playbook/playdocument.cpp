#include "playbook/playdocument.h"

#include <QFileInfo>

PlayDocument::PlayDocument(play::Play play, QObject *parent)
    : QObject(parent)
    , play_(std::move(play))
{
}

void PlayDocument::setFilePath(const QString &path)
{
    filePath_ = path;
    emit filePathChanged();
}

QString PlayDocument::displayName() const
{
    return filePath_.isEmpty() ? tr("Untitled") : QFileInfo(filePath_).completeBaseName();
}

const play::PlayMotion &PlayDocument::motion() const
{
    if (!motion_)
        motion_.emplace(play_);
    return *motion_;
}

void PlayDocument::setCurrentStep(int step)
{
    step = std::clamp(step, 0, int(play_.steps.size()) - 1);
    if (step == currentStep_)
        return;
    currentStep_ = step;
    emit currentStepChanged(step);
}

void PlayDocument::replacePlay(const play::Play &play)
{
    play_ = play;
    motion_.reset();
    currentStep_ = 0;
    emit stepsChanged();
    emit rosterChanged();
    emit currentStepChanged(0);
}

void PlayDocument::setStep(int step, const play::Step &value)
{
    play::Step &target = play_.steps[step];
    const bool noteDiffers = target.note != value.note;
    const bool actionsDiffer = target.actions != value.actions;
    target = value;
    motion_.reset();
    emit stepChanged(step);
    if (noteDiffers)
        emit noteChanged(step);
    if (actionsDiffer)
        emit actionsChanged(step);
}

void PlayDocument::setSteps(const QList<play::Step> &steps)
{
    Q_ASSERT(steps.size() == play_.steps.size());
    for (int step = 0; step < steps.size(); ++step) {
        if (steps.at(step) != play_.steps.at(step))
            setStep(step, steps.at(step));
    }
}

void PlayDocument::setPlayer(int player, const play::Player &value)
{
    play_.roster[player] = value;
    motion_.reset();
    emit rosterChanged();
}

void PlayDocument::setNote(int step, const QString &note)
{
    play_.steps[step].note = note;
    motion_.reset();
    emit noteChanged(step);
}

void PlayDocument::insertStep(int index, const play::Step &value)
{
    play_.steps.insert(index, value);
    motion_.reset();
    emit stepsChanged();
    currentStep_ = -1;
    setCurrentStep(index);
}

void PlayDocument::removeStep(int index)
{
    play_.steps.removeAt(index);
    motion_.reset();
    emit stepsChanged();
    const int step = std::min(index, int(play_.steps.size()) - 1);
    currentStep_ = -1;
    setCurrentStep(step);
}

void PlayDocument::moveStep(int from, int to)
{
    play_.steps.move(from, to);
    motion_.reset();
    emit stepsChanged();
    currentStep_ = -1;
    setCurrentStep(to);
}
