#include "gamedata/changeset.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const QString formatTag = QStringLiteral("gamedata-editor-changeset");
constexpr int formatVersion = 1;

const QStringList& fieldNames(RecordKind kind)
{
    static const QStringList army{QString(),
                                  QStringLiteral("LongAttack"),
                                  QStringLiteral("ShortAttack"),
                                  QStringLiteral("LongDefense"),
                                  QStringLiteral("ShortDefense"),
                                  QStringLiteral("Destroy"),
                                  QStringLiteral("Range"),
                                  QStringLiteral("MustCityDesc"),
                                  QStringLiteral("NeedItemId")};
    static const QStringList skill{QString(), QStringLiteral("FarRange"), QStringLiteral("NearRange")};
    static const QStringList city{QString(), QStringLiteral("specialattributes")};
    return kind == RecordKind::ArmyType ? army : kind == RecordKind::Skill ? skill : city;
}

// A string as a JSON value, quotes and escapes included. By hand: recovery files are written while the user
// types, and a JSON document a value is much slower.
QString jsonString(const QString& value)
{
    QString text;
    text.reserve(value.size() + 2);
    text += QLatin1Char('"');
    for (const QChar c : value) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\')) {
            text += QLatin1Char('\\');
            text += c;
        } else if (c.unicode() < 0x20) {
            text += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        } else {
            text += c;
        }
    }
    text += QLatin1Char('"');
    return text;
}

const QStringList kindNames{QStringLiteral("armytype"), QStringLiteral("skill"), QStringLiteral("city")};

// The line of each object directly inside an array of the top object, in order: the lines of the changes.
QVector<int> changeLines(const QByteArray& bytes)
{
    QVector<int> lines;
    int line = 1;
    int depth = 0;
    bool inString = false;
    for (int i = 0; i < bytes.size(); ++i) {
        const char c = bytes.at(i);
        if (c == '\n')
            ++line;
        else if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '{' || c == '[') {
            if (c == '{' && depth == 2)
                lines.append(line);
            ++depth;
        } else if (c == '}' || c == ']') {
            --depth;
        }
    }
    return lines;
}

} // namespace

QString changeFieldName(RecordKind kind, int field)
{
    return fieldNames(kind).value(field);
}

int changeFieldPosition(RecordKind kind, const QString& name)
{
    const int position = fieldNames(kind).indexOf(name);
    return position > 0 ? position : -1;
}

QString writeChangeSet(const QVector<RecordChange>& changes, const QString& editorVersion, const QString& gameDirectory)
{
    // One change a line, so that a report can name the line and a diff of two change sets stays readable.
    QString text = QStringLiteral("{\n    \"format\": \"%1\",\n    \"version\": %2,\n    \"editor\": %3,\n")
                       .arg(formatTag)
                       .arg(formatVersion)
                       .arg(jsonString(editorVersion));
    if (!gameDirectory.isEmpty())
        text += QStringLiteral("    \"game\": %1,\n").arg(jsonString(gameDirectory));
    text += QStringLiteral("    \"changes\": [");
    for (int i = 0; i < changes.size(); ++i) {
        const RecordChange& change = changes.at(i);
        // The keys in the order people read them, which a JSON object would sort.
        const QString object =
            QStringLiteral("{\"file\": %1, \"kind\": %2, \"id\": %3, \"name\": %4, \"field\": %5, \"before\": %6, "
                           "\"after\": %7}")
                .arg(jsonString(change.file), jsonString(kindNames.value(int(change.kind))), jsonString(change.id),
                     jsonString(change.name), jsonString(changeFieldName(change.kind, change.field)),
                     jsonString(change.before), jsonString(change.after));
        text += (i ? QStringLiteral(",\n        ") : QStringLiteral("\n        ")) + object;
    }
    text += changes.isEmpty() ? QStringLiteral("]\n}\n") : QStringLiteral("\n    ]\n}\n");
    return text;
}

ChangeSet readChangeSet(const QByteArray& bytes)
{
    ChangeSet set;
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    const QJsonObject top = document.object();
    if (document.isNull()) {
        set.error = QStringLiteral("不是JSON: ") + parseError.errorString();
        return set;
    }
    if (top.value(QStringLiteral("format")).toString() != formatTag ||
        !top.value(QStringLiteral("changes")).isArray()) {
        set.error = QStringLiteral("不是修改集");
        return set;
    }
    if (top.value(QStringLiteral("version")).toInt() > formatVersion) {
        set.error = QStringLiteral("修改集版本过新");
        return set;
    }
    set.editorVersion = top.value(QStringLiteral("editor")).toString();
    set.gameDirectory = top.value(QStringLiteral("game")).toString();

    const QJsonArray changes = top.value(QStringLiteral("changes")).toArray();
    const QVector<int> lines = changeLines(bytes);
    for (int i = 0; i < changes.size(); ++i) {
        const QJsonObject object = changes.at(i).toObject();
        RecordChange change;
        change.line = lines.value(i);
        change.file = object.value(QStringLiteral("file")).toString();
        change.id = object.value(QStringLiteral("id")).toString();
        change.name = object.value(QStringLiteral("name")).toString();
        change.before = object.value(QStringLiteral("before")).toString();
        change.after = object.value(QStringLiteral("after")).toString();
        const int kind = kindNames.indexOf(object.value(QStringLiteral("kind")).toString());
        change.kind = RecordKind(qMax(kind, 0));
        change.field = changeFieldPosition(change.kind, object.value(QStringLiteral("field")).toString());
        const bool complete = object.value(QStringLiteral("before")).isString() &&
                              object.value(QStringLiteral("after")).isString() && !change.file.isEmpty() &&
                              !change.id.isEmpty();
        if (kind < 0)
            change.problem = QStringLiteral("未知的记录种类");
        else if (change.field < 0)
            change.problem = QStringLiteral("未知的字段");
        else if (!complete)
            change.problem = QStringLiteral("修改不完整");
        set.changes.append(change);
    }
    return set;
}
