// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "sound/sound_player.h"

#include "common/app_info.h"
#include "sound/sound_module.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include <cstdio>

namespace rz6 {

SoundPlayer::SoundPlayer(const QString& applicationName, QObject* parent)
    : SoundPlayer(applicationName, loadSoundModule, parent) {}

SoundPlayer::SoundPlayer(const QString& applicationName, Loader loader, QObject* parent)
    : QObject(parent), applicationName_(applicationName), loader_(std::move(loader)) {}

SoundPlayer::~SoundPlayer() = default;

void SoundPlayer::prepare() {
    if (stage_ == Stage::NotLoaded || stage_ == Stage::LoadQueued)
        load();
}

void SoundPlayer::prepareSoon() {
    if (!enabled_ || stage_ != Stage::NotLoaded)
        return;
    stage_ = Stage::LoadQueued;
    QMetaObject::invokeMethod(
        this, [this] { prepare(); }, Qt::QueuedConnection);
}

void SoundPlayer::load() {
    if (!enabled_) {
        stage_ = Stage::NotLoaded;
        early_.clear();
        return;
    }
    const QByteArray name = applicationName_.toUtf8();
    sound::Identity identity;
    identity.applicationName = name.constData();
    identity.applicationId = appInfo::desktopId;
    identity.iconName = appInfo::desktopId;
    QString problem;
    cues_ = loader_(identity, problem);
    stage_ = cues_ ? Stage::Loaded : Stage::Unavailable;
    if (!cues_) {
        // The one line of the run about sound: the library never got to say anything.
        if (!problem.isEmpty())
            std::fprintf(stderr, "%s: %s\n", appInfo::applicationName, qPrintable(problem));
        early_.clear();
        return;
    }
    for (const CueCall& call : early_)
        cues_->play(call.cue, call.comboStep);
    early_.clear();
}

void SoundPlayer::setEnabled(bool enabled) {
    enabled_ = enabled;
    if (cues_)
        cues_->setEnabled(enabled);
    if (!enabled)
        early_.clear();
}

void SoundPlayer::setApplicationName(const QString& applicationName) {
    applicationName_ = applicationName;
    if (cues_)
        cues_->setApplicationName(applicationName.toUtf8().constData());
}

void SoundPlayer::play(sound::Cue cue, int comboStep) {
    if (!enabled_)
        return;
    switch (stage_) {
    case Stage::Loaded:
        cues_->play(cue, comboStep);
        return;
    case Stage::Unavailable:
        return;
    case Stage::NotLoaded:
        prepareSoon();
        [[fallthrough]];
    case Stage::LoadQueued:
        if (early_.size() < 4)
            early_.push_back({cue, comboStep});
        return;
    }
}

void SoundPlayer::playStrike(const StrikeResult& result) {
    for (const CueCall& call : cuesForStrike(result))
        play(call.cue, call.comboStep);
}

void SoundPlayer::playMoment(SoundMoment moment) {
    play(cueForMoment(moment));
}

QStringList soundModuleCandidates(const QString& programFolder) {
    const QString file = QString::fromUtf8(soundModule::file);
    const QDir program(programFolder);
    return {
        QDir::cleanPath(program.filePath(file)),
        QDir::cleanPath(
            program.filePath(QString::fromUtf8(soundModule::relativeFolder) + u'/' + file)),
        QDir::cleanPath(QString::fromUtf8(soundModule::folder) + u'/' + file),
    };
}

std::unique_ptr<sound::SoundCues> loadSoundModule(const sound::Identity& identity,
                                                  QString& problem) {
    QString named;
    QString reason = QStringLiteral("not found");
    for (const QString& path : soundModuleCandidates(QCoreApplication::applicationDirPath())) {
        if (!QFileInfo(path).isFile())
            continue;
        named = path;
        // Kept loaded for the rest of the run: its thread runs its code until the player ends.
        QLibrary library(path);
        const auto open =
            reinterpret_cast<sound::SoundEntry>(library.resolve(sound::soundEntryName));
        if (!open) {
            reason = library.errorString();
            continue;
        }
        if (sound::SoundCues* cues = open(sound::soundInterface, &identity))
            return std::unique_ptr<sound::SoundCues>(cues);
        reason = QStringLiteral("a library of another version of the game");
    }
    problem = QStringLiteral("no sound: the sound library %1 cannot be used (%2); the game plays "
                             "on without sound")
                  .arg(named.isEmpty() ? QString::fromUtf8(soundModule::file) : named, reason);
    return nullptr;
}

} // namespace rz6
