#include "gamedata/healthcheck.h"

#include "gamedata/armytypefile.h"
#include "gamedata/cityfile.h"
#include "gamedata/languagefile.h"
#include "gamedata/skillfile.h"
#include "gamedata/stagefile.h"
#include "gamedata/textscan.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <cstring>
#include <vector>

using textscan::Span;

namespace {

// Line numbers of text positions.
class LineIndex
{
public:
    explicit LineIndex(const QString& text) : size(text.size())
    {
        starts.push_back(0);
        const QChar* s = text.constData();
        for (int i = 0; i < size; ++i) {
            if (s[i] == QLatin1Char('\n'))
                starts.push_back(i + 1);
        }
    }
    int lineOf(int pos) const { return int(std::upper_bound(starts.begin(), starts.end(), pos) - starts.begin()); }
    int lineStart(int pos) const { return starts[size_t(lineOf(pos) - 1)]; }
    // The line feed that ends the line of pos, or the end of the text.
    int lineEnd(int pos) const
    {
        const auto next = std::upper_bound(starts.begin(), starts.end(), pos);
        return next == starts.end() ? size : *next - 1;
    }

private:
    std::vector<int> starts;
    int size;
};

// Collects the findings of one file.
struct Report
{
    QString file;
    std::optional<RecordKind> record;
    QVector<HealthFinding>* findings;

    void add(int line, const QString& id, const QString& text) const
    {
        findings->append({file, line, id, text, record});
    }
};

// One field of a record as a reader expects it, for saying why a record is not read: its key's name and
// the piece that must match where the key stands (textscan's notation).
struct Field
{
    const char* name;
    const char* piece;
};

// How a file's records look: what starts one, the reader's chain, and its fields in file order.
struct RecordFormat
{
    QLatin1String start;
    const std::vector<const char*>& chain;
    std::vector<Field> fields;
    bool elements = false;
};

// A record the reader takes: its id, line and the spans of its chain.
struct ReadRecord
{
    QString id;
    int line;
    std::vector<Span> spans;
};

int literalLength(const char* piece)
{
    int length = 0;
    while (piece[length] && !std::strchr("#@$!*", piece[length]))
        ++length;
    return length;
}

int spanTotal(const std::vector<const char*>& chain)
{
    int total = 0;
    for (const char* piece : chain)
        total += textscan::spanCount(piece);
    return total;
}

// The text of a value behind its key, up to its terminator or the record's end, shortened for a message.
QString valueText(const QString& text, int begin, int end, QChar terminator, bool number)
{
    int stop = begin;
    while (stop < end && stop - begin < 24 && text.at(stop) != terminator && text.at(stop) != QLatin1Char('\n'))
        ++stop;
    // A quoted value shows its opening quote; the search for the end starts behind it.
    if (number && stop == begin && begin < end && text.at(begin) == QLatin1Char('"')) {
        stop = begin + 1;
        while (stop < end && stop - begin < 24 && text.at(stop) != QLatin1Char('"'))
            ++stop;
        stop = qMin(stop + 1, end);
    }
    return text.mid(begin, stop - begin);
}

QString valueProblem(const QString& value, bool atEndOfText)
{
    if (atEndOfText)
        return QStringLiteral("后面直到文件末尾再无字符（最后一行缺少换行符）");
    if (value.isEmpty())
        return QStringLiteral("为空");
    if (value.startsWith(QLatin1Char('"')))
        return QStringLiteral("带引号");
    if (value.startsWith(QLatin1Char('-')))
        return QStringLiteral("为负数");
    if (value.contains(QLatin1Char(' ')) || value.contains(QLatin1Char('\t')))
        return QStringLiteral("含空格");
    return QStringLiteral("不是数字");
}

// Why the record in [begin, end) does not match the reader's chain on its own.
QString recordProblem(const QString& text, int begin, int end, const std::vector<Field>& fields)
{
    std::vector<Span> spans(8);
    for (const Field& field : fields) {
        const int prefix = literalLength(field.piece);
        const QLatin1String literal(field.piece, prefix);
        const int at = textscan::findLiteral(text, literal, begin, end);
        if (at < 0)
            return QStringLiteral("缺少 %1（键名不对或没有这个键）").arg(QLatin1String(field.name));
        int matchEnd = 0;
        if (textscan::findPiece(text, field.piece, at, end, spans.data(), &matchEnd) == at)
            continue;
        const int valueBegin = at + prefix;
        const char placeholder = field.piece[prefix];
        const char* rest = field.piece + prefix + 1;
        const QChar terminator = QLatin1Char(*rest == '!' || !*rest ? ',' : *rest);
        const QString value = valueText(text, valueBegin, end, terminator, placeholder == '#');
        const bool atEndOfText =
            textscan::digitRunEnd(text, valueBegin, text.size()) == text.size() && valueBegin < text.size();
        const QString problem =
            QStringLiteral("%1 的值%2").arg(QLatin1String(field.name), valueProblem(value, atEndOfText));
        return value.isEmpty() ? problem : problem + QStringLiteral(": ") + value;
    }
    return QStringLiteral("键的顺序或间隔与游戏所读的不同");
}

// The id as a record writes it, also when it is no number: behind the first field's key, up to its end.
QString writtenId(const QString& text, int begin, int end, const Field& idField)
{
    const int prefix = literalLength(idField.piece);
    const int at = textscan::findLiteral(text, QLatin1String(idField.piece, prefix), begin, end);
    if (at < 0)
        return QString();
    const char* rest = idField.piece + prefix + 1;
    return valueText(text, at + prefix, end, QLatin1Char(*rest ? *rest : ','), true);
}

// The parts of the text inside XML comments.
std::vector<Span> commentSpans(const QString& text)
{
    std::vector<Span> comments;
    for (int at = text.indexOf(QLatin1String("<!--")); at >= 0;) {
        const int close = text.indexOf(QLatin1String("-->"), at + 4);
        const int end = close < 0 ? text.size() : close + 3;
        comments.push_back({at, end});
        at = text.indexOf(QLatin1String("<!--"), end);
    }
    return comments;
}

// An element ends at its first "/>" or at the next "<".
int elementEnd(const QString& text, int from)
{
    const int close = text.indexOf(QLatin1String("/>"), from);
    const int next = text.indexOf(QLatin1Char('<'), from);
    if (close < 0)
        return next < 0 ? text.size() : next;
    return next < 0 ? close : qMin(close, next);
}

// Walks the records of a file beside the reader's matches: reports records never read, records completed by
// the ones behind them and those swallowed, elements read inside comments; gives back the records read.
std::vector<ReadRecord> checkRecords(const QString& text, const RecordFormat& format, const LineIndex& lines,
                                     const Report& report)
{
    struct Match
    {
        int begin;
        int end;
        std::vector<Span> spans;
    };
    std::vector<Match> matches;
    std::vector<Span> spans(size_t(spanTotal(format.chain)) + 1);
    std::vector<Span> pieces(format.chain.size());
    for (int pos = 0; textscan::findChain(text, pos, format.chain, spans.data(), pieces.data());) {
        matches.push_back({pieces.front().begin, pieces.back().end, spans});
        pos = pieces.back().end;
    }
    std::vector<int> starts;
    for (int at = textscan::findLiteral(text, format.start, 0, text.size()); at >= 0;
         at = textscan::findLiteral(text, format.start, at + 1, text.size()))
        starts.push_back(at);
    const std::vector<Span> comments = format.elements ? commentSpans(text) : std::vector<Span>();
    size_t comment = 0;
    const auto inComment = [&](int pos) {
        while (comment < comments.size() && comments[comment].end <= pos)
            ++comment;
        return comment < comments.size() && comments[comment].begin <= pos;
    };
    // A record runs to the end of its element, or to its line end or the next record on the same line.
    const auto recordEnd = [&](size_t k) {
        const int from = starts[k] + format.start.size();
        if (format.elements)
            return elementEnd(text, from);
        const int lineEnd = lines.lineEnd(starts[k]);
        return k + 1 < starts.size() ? qMin(lineEnd, starts[k + 1]) : lineEnd;
    };

    std::vector<ReadRecord> read;
    size_t m = 0;
    for (size_t k = 0; k < starts.size(); ++k) {
        const int start = starts[k];
        while (m < matches.size() && matches[m].end <= start)
            ++m;
        const int end = recordEnd(k);
        const int line = lines.lineOf(start);
        if (m == matches.size() || matches[m].begin > start) {
            if (!inComment(start)) {
                report.add(
                    line, writtenId(text, start, end, format.fields.front()),
                    QStringLiteral("游戏不读取这条记录：%1").arg(recordProblem(text, start, end, format.fields)));
            }
            continue;
        }
        const Match& match = matches[m];
        const QString id = textscan::spanText(text, match.spans.front());
        read.push_back({id, line, match.spans});
        if (inComment(start))
            report.add(line, id, QStringLiteral("这条记录在注释里，游戏仍然读取它"));
        // Records that start inside the match give it their values and are not read themselves.
        size_t swallowed = k + 1;
        while (swallowed < starts.size() && starts[swallowed] < match.end)
            ++swallowed;
        if (swallowed == k + 1)
            continue;
        const int lastLine = lines.lineOf(starts[swallowed - 1]);
        report.add(line, id,
                   QStringLiteral("这条记录不完整（%1），游戏从后面的记录补全它的值，直到第 %2 行")
                       .arg(recordProblem(text, start, end, format.fields))
                       .arg(lastLine));
        for (size_t other = k + 1; other < swallowed; ++other) {
            const int otherEnd = recordEnd(other);
            report.add(
                lines.lineOf(starts[other]), writtenId(text, starts[other], otherEnd, format.fields.front()),
                QStringLiteral("这条记录被第 %1 行的记录 %2 吞并：它的值归 %2，它本身不被读取").arg(line).arg(id));
        }
        k = swallowed - 1;
    }
    return read;
}

// An id whose digits the game takes as another id than they seem to say.
void checkIdForm(const QString& id, int line, const Report& report)
{
    const bool ascii = std::all_of(id.begin(), id.end(), [](QChar c) { return c.unicode() < 0x80; });
    if (!ascii)
        report.add(line, id, QStringLiteral("id 含其他文字的数字，游戏把它当作另一个 id"));
    else if (id.size() > 1 && id.startsWith(QLatin1Char('0')))
        report.add(line, id, QStringLiteral("id 有前导零，游戏把它当作与 %1 不同的 id").arg(id.toLongLong()));
}

// Every id read more than once: the last record wins.
void checkDuplicates(const std::vector<ReadRecord>& records, const Report& report)
{
    QHash<QString, int> last;
    for (size_t k = 0; k < records.size(); ++k)
        last.insert(records[k].id, int(k));
    for (size_t k = 0; k < records.size(); ++k) {
        checkIdForm(records[k].id, records[k].line, report);
        const int winner = last.value(records[k].id);
        if (winner != int(k)) {
            report.add(
                records[k].line, records[k].id,
                QStringLiteral("id 重复：第 %1 行的记录生效，这里的值不被使用").arg(records[size_t(winner)].line));
        }
    }
}

QSet<QString> idsOf(const std::vector<ReadRecord>& records)
{
    QSet<QString> ids;
    for (const ReadRecord& record : records)
        ids.insert(record.id);
    return ids;
}

// Ids of a list such as "2001,2003," that the set lacks; "0" stands for none (the game's built-in empty item).
void checkListedIds(const ReadRecord& record, const QString& list, const QSet<QString>& known, const QString& what,
                    const Report& report)
{
    for (const QString& id : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        if (id != QLatin1String("0") && !known.contains(id))
            report.add(record.line, record.id, QStringLiteral("%1 %2 不存在").arg(what, id));
    }
}

void checkLanguage(const QString& text, const LineIndex& lines, const Report& report)
{
    // Ids and texts are views into the text: a language file holds hundreds of thousands of entries.
    struct Entry
    {
        QStringView id;
        QStringView value;
        int line;
    };
    std::vector<Entry> entries;
    std::vector<int> references; // entries whose text is "^" and an id
    const QStringView all(text);
    const int cut = scanLanguageEntries(text, [&](const LanguageEntry& entry) {
        const QStringView id = all.mid(entry.idBegin, entry.colon - entry.idBegin);
        const QStringView value = all.mid(entry.colon + 1, entry.lineFeed - entry.colon - 1);
        const int line = lines.lineOf(entry.idBegin);
        if (value.startsWith(QLatin1Char('^')))
            references.push_back(int(entries.size()));
        entries.push_back({id, value, line});
        const int lineStart = lines.lineStart(entry.idBegin);
        if (lineStart == entry.idBegin)
            return;
        const QStringView before = all.mid(lineStart, entry.idBegin - lineStart).trimmed();
        const bool comment = before.startsWith(QLatin1String("//")) || before.startsWith(QLatin1Char('#')) ||
                             before.startsWith(QLatin1Char(';'));
        report.add(line, id.toString(),
                   comment ? QStringLiteral("注释行定义了这个 id，游戏仍然读取它")
                           : QStringLiteral("行首不是 id，游戏从行中间的 %1 读取").arg(id));
    });
    if (cut >= 0) {
        const QString id = text.mid(cut, textscan::digitRunEnd(text, cut, text.size()) - cut);
        report.add(lines.lineOf(cut), id, QStringLiteral("最后一行缺少换行符，游戏不读取它"));
    }

    QHash<QStringView, int> last;
    last.reserve(int(entries.size()));
    for (size_t k = 0; k < entries.size(); ++k)
        last.insert(entries[k].id, int(k));
    for (size_t k = 0; k < entries.size(); ++k) {
        const Entry& entry = entries[k];
        const bool plain = std::all_of(entry.id.begin(), entry.id.end(), [](QChar c) { return c.unicode() < 0x80; });
        if (!plain || (entry.id.size() > 1 && entry.id.front() == QLatin1Char('0')))
            checkIdForm(entry.id.toString(), entry.line, report);
        const int winner = last.value(entry.id);
        if (winner != int(k)) {
            report.add(entry.line, entry.id.toString(),
                       QStringLiteral("id 重复：第 %1 行的文本生效").arg(entries[size_t(winner)].line));
        }
    }

    // References of the texts that stand: each id has at most one, so following them from an id either ends or
    // runs into a loop; every id is walked once.
    QHash<QStringView, int> state; // 1 on the current walk, 2 done
    for (int start : references) {
        if (last.value(entries[size_t(start)].id) != start)
            continue;
        QVector<QStringView> walk;
        QStringView id = entries[size_t(start)].id;
        bool loops = false;
        for (;;) {
            const int seen = state.value(id);
            loops = seen == 1;
            if (seen != 0)
                break;
            const auto at = last.constFind(id);
            if (at == last.cend() || !entries[size_t(*at)].value.startsWith(QLatin1Char('^')))
                break;
            state.insert(id, 1);
            walk += id;
            const QStringView target = entries[size_t(*at)].value.mid(1);
            if (!last.contains(target)) {
                report.add(entries[size_t(*at)].line, id.toString(),
                           QStringLiteral("引用的 id %1 不存在，游戏显示空文本").arg(target));
                break;
            }
            id = target;
        }
        if (loops) {
            // Each id of the loop names it starting from itself.
            QStringList loop;
            for (int k = walk.indexOf(id); k < walk.size(); ++k)
                loop += walk.at(k).toString();
            for (int k = 0; k < loop.size(); ++k) {
                const QStringList path = loop.mid(k) + loop.mid(0, k) << loop.at(k);
                report.add(entries[size_t(last.value(QStringView(loop.at(k))))].line, loop.at(k),
                           QStringLiteral("引用成环：%1").arg(path.join(QStringLiteral(" → "))));
            }
        }
        for (QStringView walked : qAsConst(walk))
            state.insert(walked, 2);
    }
}

const RecordFormat& formatOf(GameFileKind kind)
{
    static const RecordFormat items{
        QLatin1String("\"ID\":"), itemRecordChain(), {{"ID", "\"ID\":#,"}, {"Name", "\"Name\":#,"}}};
    static const RecordFormat armyTypes{QLatin1String("\"Type\":"),
                                        armyTypeRecordChain(),
                                        {{"Type", "\"Type\":#,"},
                                         {"Name", "\"Name\":#,"},
                                         {"LongAttack", "\"LongAttack\":#,"},
                                         {"ShortAttack", "\"ShortAttack\":#,"},
                                         {"LongDefense", "\"LongDefense\":#,"},
                                         {"ShortDefense", "\"ShortDefense\":#,"},
                                         {"Destroy", "\"Destroy\":#,"},
                                         {"Range", "\"Range\":#,"},
                                         {"MustCityDesc", "\"MustCityDesc\":#,"},
                                         {"NeedItemId", "\"NeedItemId\":#,"}}};
    static const std::vector<const char*> skillChain{skillRecordPiece()};
    static const RecordFormat skills{QLatin1String("\"ID\":"),
                                     skillChain,
                                     {{"ID", "\"ID\":#,"},
                                      {"Temp", "\"Temp\":\"@\","},
                                      {"Name", "\"Name\":#,"},
                                      {"SkillPoint", "\"SkillPoint\":#,"},
                                      {"FarRange", "\"FarRange\":#,"},
                                      {"NearRange", "\"NearRange\":#,"}}};
    static const RecordFormat cities{
        QLatin1String("\"ID\":"),
        cityRecordChain(),
        {{"ID", "\"ID\":#,"}, {"Temp", "\"Temp\":\"$\""}, {"specialattributes", "\"specialattributes\":\"*\","}}};
    static const RecordFormat specialties{QLatin1String("\"ID\":"),
                                          citySpecialtyRecordChain(),
                                          {{"ID", "\"ID\":#,"},
                                           {"NAME", "\"NAME\":#,"},
                                           {"Specialty", "\"Specialty\":\"@\","},
                                           {"EffectDesc", "\"EffectDesc\":#,"},
                                           {"ConditionDesc", "\"ConditionDesc\":#!"}}};
    static const RecordFormat stage{QLatin1String("<armytype "),
                                    stageElementChain(),
                                    {{"a0", "<armytype a0=\"#\""},
                                     {"a4", "a4=\"#\""},
                                     {"a5", "a5=\"#\""},
                                     {"a6", "a6=\"#\""},
                                     {"a7", "a7=\"#\""},
                                     {"a8", "a8=\"#\""},
                                     {"a9", "a9=\"#\""},
                                     {"a10", "a10=\"#\""},
                                     {"a11", "a11=\"#\""}},
                                    true};
    switch (kind) {
    case GameFileKind::Items:
        return items;
    case GameFileKind::ArmyTypes:
        return armyTypes;
    case GameFileKind::Skills:
        return skills;
    case GameFileKind::Cities:
        return cities;
    case GameFileKind::CitySpecialties:
        return specialties;
    case GameFileKind::Stage:
    case GameFileKind::Language:
        break;
    }
    return stage;
}

std::optional<RecordKind> shownRecords(GameFileKind kind)
{
    switch (kind) {
    case GameFileKind::ArmyTypes:
    case GameFileKind::Stage:
        return RecordKind::ArmyType;
    case GameFileKind::Skills:
        return RecordKind::Skill;
    case GameFileKind::Cities:
        return RecordKind::City;
    default:
        return std::nullopt;
    }
}

} // namespace

QVector<HealthFinding> checkGameFiles(const QVector<GameFileText>& files)
{
    // Per file, its findings and the records its reader takes; references are checked once all ids are known.
    QVector<QVector<HealthFinding>> findings(files.size());
    std::vector<std::vector<ReadRecord>> records(size_t(files.size()));
    std::vector<LineIndex> lines;
    QHash<int, QSet<QString>> known; // per GameFileKind
    QSet<int> present;
    const auto report = [&](int k) {
        return Report{files.at(k).file, shownRecords(files.at(k).kind), &findings[k]};
    };

    for (int k = 0; k < files.size(); ++k) {
        const GameFileText& file = files.at(k);
        lines.emplace_back(file.text);
        present.insert(int(file.kind));
        if (file.kind == GameFileKind::Language) {
            checkLanguage(file.text, lines.back(), report(k));
            continue;
        }
        std::vector<ReadRecord> read = checkRecords(file.text, formatOf(file.kind), lines.back(), report(k));
        if (file.kind == GameFileKind::Skills) {
            // Slot fillers are read past: no skills, so no duplicates either.
            read.erase(std::remove_if(read.begin(), read.end(),
                                      [&](const ReadRecord& record) {
                                          QString name = textscan::spanText(file.text, record.spans[1]);
                                          decodeEscapes(name);
                                          return isSlotFiller(name);
                                      }),
                       read.end());
        }
        checkDuplicates(read, report(k));
        known[int(file.kind)].unite(idsOf(read));
        records[size_t(k)] = std::move(read);
    }

    for (int k = 0; k < files.size(); ++k) {
        const GameFileText& file = files.at(k);
        const Report out = report(k);
        const auto has = [&](GameFileKind kind) {
            return present.contains(int(kind));
        };
        for (const ReadRecord& record : records[size_t(k)]) {
            const auto span = [&](int index) {
                return textscan::spanText(file.text, record.spans[size_t(index)]);
            };
            switch (file.kind) {
            case GameFileKind::Items:
                if (record.id == QLatin1String("0"))
                    out.add(record.line, record.id, QStringLiteral("物品 id 0 替换了游戏内置的空物品"));
                break;
            case GameFileKind::ArmyTypes:
                if (has(GameFileKind::Items))
                    checkListedIds(record, span(9), known[int(GameFileKind::Items)], QStringLiteral("所需物品"), out);
                break;
            case GameFileKind::Skills:
                for (int index : {4, 5}) {
                    if (span(index).toLongLong() > 7) {
                        out.add(record.line, record.id,
                                QStringLiteral("%1 为 %2，大于 7，游戏不接受")
                                    .arg(index == 4 ? QStringLiteral("FarRange") : QStringLiteral("NearRange"),
                                         span(index)));
                    }
                }
                break;
            case GameFileKind::Cities:
                if (has(GameFileKind::CitySpecialties))
                    checkListedIds(record, span(2), known[int(GameFileKind::CitySpecialties)],
                                   QStringLiteral("城市特性"), out);
                break;
            case GameFileKind::CitySpecialties:
                if (has(GameFileKind::Items))
                    checkListedIds(record, span(2), known[int(GameFileKind::Items)], QStringLiteral("产出物品"), out);
                break;
            case GameFileKind::Stage:
                if (has(GameFileKind::ArmyTypes) && !known[int(GameFileKind::ArmyTypes)].contains(record.id))
                    out.add(record.line, record.id, QStringLiteral("剧本声明的兵种在 armytype.txt 中不存在"));
                break;
            case GameFileKind::Language:
                break;
            }
        }
    }

    QVector<HealthFinding> all;
    for (QVector<HealthFinding>& fileFindings : findings) {
        std::stable_sort(fileFindings.begin(), fileFindings.end(),
                         [](const HealthFinding& a, const HealthFinding& b) { return a.line < b.line; });
        all += fileFindings;
    }
    return all;
}

QString findingLine(const HealthFinding& finding)
{
    return QStringLiteral("%1:%2: %3: %4").arg(finding.file).arg(finding.line).arg(finding.id, finding.text);
}
