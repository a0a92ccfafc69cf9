#pragma once

#include "gamedata/healthcheck.h"

#include <QString>
#include <QVector>

#include <optional>

// The game's files as the game reads them, with their codecs: the configuration files and the stage file of every
// story the catalogue names. Nothing when a file the game needs cannot be read.
std::optional<QVector<GameFileText>> readGameFiles(const QString& gameDirectory);

// Checks the game's files as they are on disk now (not as the editor holds them): the configuration files and
// the stage file of every story the catalogue names. Nothing when a file the game needs cannot be read.
std::optional<QVector<HealthFinding>> checkGameDirectory(const QString& gameDirectory);
