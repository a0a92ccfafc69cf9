#include "document/recovery.h"

#include "document/gamedocument.h"
#include "gamedata/textfile.h"

#include <QDateTime>
#include <QFile>
#include <QTimer>

RecoveryFile::RecoveryFile(GameDocument* document, const QString& path, QObject* parent)
    : QObject(parent), document(document), filePath(path), timer(new QTimer(this))
{
    timer->setSingleShot(true);
    timer->setInterval(500);
    connect(timer, &QTimer::timeout, this, &RecoveryFile::writeNow);
    // Not restarted by every change: a steady stream of edits still reaches the file within the interval.
    connect(document, &GameDocument::journalChanged, this, [this] {
        if (!timer->isActive())
            timer->start();
    });
}

void RecoveryFile::writeNow()
{
    timer->stop();
    const QVector<RecordChange> changes = document->pendingChangeSet();
    if (changes.isEmpty())
        QFile::remove(filePath);
    else
        writeTextFile(filePath, writeChangeSet(changes, QStringLiteral(EDITOR_VERSION), document->gameDirectory()),
                      WriteMode::MayCreate);
}

void RecoveryFile::discard()
{
    timer->stop();
    QFile::remove(filePath);
}

std::optional<ChangeSet> RecoveryFile::read(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return std::nullopt;
    if (!file.open(QIODevice::ReadOnly))
        return ChangeSet{{}, {}, {}, QStringLiteral("无法读取")};
    ChangeSet set = readChangeSet(file.readAll());
    if (set.error.isEmpty() && set.gameDirectory.isEmpty())
        set.error = QStringLiteral("没有游戏目录");
    return set;
}

QString RecoveryFile::keepAside(const QString& path)
{
    const QString aside =
        path + QLatin1Char('.') + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    return QFile::rename(path, aside) ? aside : QString();
}
