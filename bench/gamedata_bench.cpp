// gamedata-bench: times the game file readers and writers, the load sequence, a story switch, and, in the editor,
// edits with their undo and marks, the army table's filter, bulk rule and CSV export and import, on games
// written by scripts/gen-game, each reader and writer beside its floor (reading the same bytes and decoding them
// as UTF-8), and checks the speed targets. It is a report:
// the exit status is 0 whether the targets are met or not, and 1 only when something could not be measured (a
// missing game, a reader that finds nothing, a load that fails), since then the numbers would mean nothing.
//
//   gamedata-bench [--scales 1,10,100] [--games DIR] [--repeat N] [--cpu-time]
//
// DIR holds scale-N/ and, for scales 1 and 10, scale-N-adversarial/ (scripts/bench generates them).
#include "app/mainwindow.h"
#include "document/gamedocument.h"
#include "document/gamehealth.h"
#include "document/recovery.h"
#include "gamedata/armytypefile.h"
#include "gamedata/cityfile.h"
#include "gamedata/csvimport.h"
#include "gamedata/csvreader.h"
#include "gamedata/csvwriter.h"
#include "gamedata/gameconfig.h"
#include "gamedata/idorder.h"
#include "gamedata/languagefile.h"
#include "gamedata/skillfile.h"
#include "gamedata/stagefile.h"
#include "gamedata/storycatalogue.h"
#include "gamedata/textfile.h"
#include "tests/testsupport.h"
#include "views/armytab.h"
#include "views/importpreviewdialog.h"
#include "views/recordtableview.h"
#include "widgets/prompts.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDialog>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QThread>
#include <QUndoStack>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

#ifdef __GLIBC__
#include <malloc.h>
#endif
#ifdef Q_OS_LINUX
#include <sys/times.h>
#include <time.h>
#include <unistd.h>
#endif

namespace {

constexpr double bytesPerMB = 1e6; // decimal, as gen-game reports its sizes
constexpr int idsPerSave = 50;
constexpr int refillRows = 3000;
// Above this many cores kept busy by other work, the measurements are disturbed.
constexpr double busyOtherCores = 0.25;
const char* const peakLoadFlag = "peak-load";
const char* const badImportFlag = "bad-import";

// Targets.
constexpr double loadFloorRatioLimit = 3.0;
constexpr double readerMBpsMinimum = 100.0;
constexpr qint64 smallestRatedBytes = 64'000;
constexpr double adversarialRatioLimit = 12.0;
constexpr double adversarialMsLimit = 100.0;
constexpr double saveArmyTypesMsLimit = 100.0;
constexpr double peakResidentMBLimit = 300.0;
constexpr double storySwitchMsLimit = 30.0;
constexpr double refillMsLimit = 150.0;
constexpr double filterMsLimit = 30.0;
constexpr double csvMsLimit = 300.0;
constexpr double badImportMsLimit = 1000.0;
constexpr double badImportMBLimit = 200.0;
constexpr double bulkMsLimit = 200.0;
constexpr double editMsLimit = 5.0;
constexpr int markedFields = 500;
constexpr double markedRefillMsLimit = 150.0;
// The heap that the same edits take at scale 10 against scale 1: the journal must not grow with the game.
constexpr double journalGrowthLimit = 1.25;
// The scale whose editor the editing targets are checked on: 3,000 army types.
constexpr int editorScale = 10;

// The targets as printed beside PASS or FAIL.
QString loadTarget()
{
    return QStringLiteral("load sequence at scale 1 within %1x its floor").arg(loadFloorRatioLimit);
}
QString readersTarget(int scale)
{
    return QStringLiteral("every reader at %1 MB/s or more at scale %2").arg(readerMBpsMinimum).arg(scale);
}
QString adversarialTarget()
{
    return QStringLiteral("adversarial files at scale 10 within %1x of scale 1 and under %2 ms")
        .arg(adversarialRatioLimit)
        .arg(adversarialMsLimit);
}
QString saveTarget()
{
    return QStringLiteral("saving %1 army types at scale 10 under %2 ms").arg(idsPerSave).arg(saveArmyTypesMsLimit);
}
QString peakMemoryTarget()
{
    return QStringLiteral("peak resident memory of a scale-10 load under %1 MB").arg(peakResidentMBLimit);
}
QString storySwitchTarget()
{
    return QStringLiteral("story switch at scale 1 under %1 ms").arg(storySwitchMsLimit);
}
QString refillTarget()
{
    return QStringLiteral("refilling the army table with %1 rows under %2 ms").arg(refillRows).arg(refillMsLimit);
}

QString filterTarget()
{
    return QStringLiteral("a filter keystroke on the army table at scale %1 under %2 ms")
        .arg(editorScale)
        .arg(filterMsLimit);
}
QString exportTarget()
{
    return QStringLiteral("exporting the army table to CSV at scale %1 under %2 ms").arg(editorScale).arg(csvMsLimit);
}
QString importTarget()
{
    return QStringLiteral("importing a CSV of the army table at scale %1, preview and marks included, under %2 ms")
        .arg(editorScale)
        .arg(csvMsLimit);
}
QString badImportTarget()
{
    return QStringLiteral("previewing the import of a %1 MB file of bad rows under %2 ms and %3 MB peak resident")
        .arg(csvSizeLimit / (1024 * 1024))
        .arg(badImportMsLimit)
        .arg(badImportMBLimit);
}

QString bulkTarget()
{
    return QStringLiteral("a bulk 乘以百分比 on every statistic at scale %1, dialog and marks included, under %2 ms")
        .arg(editorScale)
        .arg(bulkMsLimit);
}
QString bulkUndoTarget()
{
    return QStringLiteral("undoing that bulk edit under %1 ms").arg(bulkMsLimit);
}
QString editTarget()
{
    return QStringLiteral("an edit, an undo and a redo at scale %1 each under %2 ms").arg(editorScale).arg(editMsLimit);
}
QString markedRefillTarget()
{
    return QStringLiteral("refilling the army table at scale %1 with %2 marked cells under %3 ms")
        .arg(editorScale)
        .arg(markedFields)
        .arg(markedRefillMsLimit);
}
QString journalMemoryTarget()
{
    return QStringLiteral("the heap of %1 edits at scale 10 within %2x of the same edits at scale 1")
        .arg(markedFields)
        .arg(journalGrowthLimit);
}

void say(const QString& line = QString())
{
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

double megabytes(qint64 bytes)
{
    return double(bytes) / bytesPerMB;
}

double mbPerSecond(qint64 bytes, double ms)
{
    return ms > 0 ? megabytes(bytes) / (ms / 1000.0) : std::numeric_limits<double>::infinity();
}

QString fixed(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

// Touches more memory than the per-core caches hold, so that the next call starts as after other work.
void evictCaches()
{
    static std::vector<char> other(32 << 20);
    for (size_t i = 0; i < other.size(); i += 64)
        ++other[i];
}

// Whether calls are timed by the wall clock or by the CPU time of the calling thread. The CPU time leaves out
// the time other processes held the core, so it stays steady on a shared machine; on a quiet one both agree,
// since everything measured runs on this thread.
bool timeByCpu = false;

qint64 nowNs(const QElapsedTimer& wall)
{
#ifdef Q_OS_LINUX
    if (timeByCpu) {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
    }
#endif
    return wall.nsecsElapsed();
}

// Median time of one call of `work`, in ms, after one warm-up call. Each call is timed alone, after the
// processor caches were filled with other data: a text that fits the cache would otherwise make a small
// scale look faster than a large one, and calls repeated on the same input look faster than a single call,
// the way the editor makes them. Short calls get more samples. `untimed` runs before each call, outside the
// timer: to free what `work` kept, or to set up afresh.
double medianMs(int samples, const std::function<void()>& work, const std::function<void()>& untimed = {})
{
    constexpr qint64 shortCallBudgetNs = 50'000'000;
    constexpr qint64 mostSamples = 51;
    QElapsedTimer wall;
    wall.start();
    if (untimed)
        untimed();
    qint64 start = nowNs(wall);
    work();
    const qint64 once = std::max<qint64>(nowNs(wall) - start, 1);
    samples = int(std::max<qint64>(std::max(samples, 1), std::min(shortCallBudgetNs / once, mostSamples)));

    std::vector<double> times;
    for (int sample = 0; sample < samples; ++sample) {
        if (untimed)
            untimed();
        evictCaches();
        start = nowNs(wall);
        work();
        times.push_back(double(nowNs(wall) - start) / 1e6);
    }
    std::sort(times.begin(), times.end());
    const size_t middle = times.size() / 2;
    return times.size() % 2 ? times[middle] : (times[middle - 1] + times[middle]) / 2;
}

// The work followed by the events it posted, the repaint among them: what the user waits for.
std::function<void()> withRepaint(std::function<void()> work)
{
    return [work = std::move(work)] {
        work();
        QApplication::processEvents();
    };
}

// Results of timed calls, freed outside the timer: freeing a large table is a cost of its owner when it
// replaces the table, not of the reader that made it.
using Kept = std::vector<std::shared_ptr<const void>>;

template <typename Result> const Result& keep(Kept& kept, Result&& result)
{
    auto held = std::make_shared<const std::decay_t<Result>>(std::forward<Result>(result));
    kept.push_back(held);
    return *held;
}

// The floor every reader is compared with: the file's bytes, decoded.
QString readAndDecode(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

// Median time of the floor of a set of files: reading their bytes and decoding them. Each text is freed
// before the next is read, which lets the allocator reuse its memory: the cheapest way to hold the text.
double timeFloor(int samples, const QStringList& paths)
{
    return medianMs(samples, [&] {
        for (const QString& path : paths)
            readAndDecode(path);
    });
}

qint64 fileSize(const QString& path)
{
    return QFileInfo(path).size();
}

qint64 folderSize(const QString& path)
{
    qint64 total = 0;
    QDirIterator it(path, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        total += it.fileInfo().size();
    }
    return total;
}

// CPU time, in clock ticks, that the whole machine spent busy and that this process and its finished children
// spent: the difference over a run is the work of others that competed with the measurements.
struct CpuTicks
{
    qint64 machineBusy = 0;
    qint64 own = 0;
    bool known = false;
};

CpuTicks cpuTicks()
{
    CpuTicks ticks;
#ifdef Q_OS_LINUX
    QFile stat(QStringLiteral("/proc/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return ticks;
    // "cpu  user nice system idle iowait irq softirq steal ...": all but idle and iowait is work.
    const QList<QByteArray> fields = stat.readLine().simplified().split(' ');
    if (fields.size() < 9 || fields.at(0) != "cpu")
        return ticks;
    for (int field : {1, 2, 3, 6, 7, 8})
        ticks.machineBusy += fields.at(field).toLongLong();
    tms own{};
    times(&own);
    ticks.own = qint64(own.tms_utime + own.tms_stime + own.tms_cutime + own.tms_cstime);
    ticks.known = true;
#endif
    return ticks;
}

// Cores that other work kept busy on average between two readings taken `ms` apart (-1 when unknown).
double othersCores(const CpuTicks& before, const CpuTicks& after, qint64 ms)
{
#ifdef Q_OS_LINUX
    if (!before.known || !after.known || ms <= 0)
        return -1;
    const double others = double((after.machineBusy - before.machineBusy) - (after.own - before.own));
    return std::max(0.0, others / double(sysconf(_SC_CLK_TCK)) / (double(ms) / 1000.0));
#else
    Q_UNUSED(before);
    Q_UNUSED(after);
    Q_UNUSED(ms);
    return -1;
#endif
}

// The process's peak resident memory so far, in kB (-1 when /proc is not there).
qint64 peakResidentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).simplified().split(' ').value(0).toLongLong();
    }
    return -1;
}

// The bytes the heap holds now (-1 when the C library cannot say).
qint64 heapInUse()
{
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 33))
    const struct mallinfo2 info = mallinfo2();
    return qint64(info.uordblks + info.hblkhd);
#else
    return -1;
#endif
}

// Ids spread evenly over the table in numeric order, so that records near the end of the file are among them.
QStringList spreadIds(const QStringList& ids, int count)
{
    const QStringList sorted = sortedByNumber(ids);
    if (sorted.size() <= count)
        return sorted;
    QStringList picked;
    for (int i = 0; i < count; ++i)
        picked.append(sorted.at(int(qint64(i) * sorted.size() / count)));
    return picked;
}

// A copy of the table with the numbers at the given positions of the given records raised, so that a save
// really changes the file.
RecordTable raised(RecordTable table, const QStringList& ids, int first, int last, int by)
{
    for (const QString& id : ids) {
        auto record = table.find(id);
        if (record == table.end())
            continue;
        for (int position = first; position <= last && position < record->size(); ++position)
            (*record)[position] = QString::number((*record)[position].toLongLong() + by);
    }
    return table;
}

RecordTable withSpecialties(RecordTable cities, const QStringList& ids, const QString& specialties)
{
    for (const QString& id : ids) {
        auto city = cities.find(id);
        if (city != cities.end() && city->size() > 1)
            (*city)[1] = specialties;
    }
    return cities;
}

// A working folder whose config.ini names the game, current while the object lives: the editor finds its
// game from there, as when a user starts it.
class WorkingFolder
{
public:
    explicit WorkingFolder(const QString& gameDirectory)
    {
        previous = QDir::currentPath();
        valid = folder.isValid() && TestSupport::writeBytes(folder.filePath(QStringLiteral("config.ini")),
                                                            configWithGameDirectory({}, gameDirectory));
        QDir::setCurrent(folder.path());
    }
    ~WorkingFolder() { QDir::setCurrent(previous); }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

    bool isValid() const { return valid; }

private:
    QTemporaryDir folder;
    QString previous;
    bool valid = false;
};

// The editor as main() builds it, in the current directory: the document, which opens the game config.ini
// names, and its window, at a size that shows every column.
struct Editor
{
    Editor() : window(std::make_unique<MainWindow>(&document)) { window->resize(1200, 800); }

    GameDocument document;
    std::unique_ptr<MainWindow> window;
};

// One measured operation: a line of a table.
struct Measure
{
    QString what;
    QString file;
    qint64 bytes = 0;
    double ms = 0;
    double floorMs = 0; // 0 when the operation has no floor
    QString note;
};

// Prints lines of cells in aligned columns: the first `leftColumns` columns and the last to the left (names
// and notes), the others to the right (numbers).
void printColumns(const QList<QStringList>& lines, int leftColumns)
{
    QList<int> widths;
    for (const QStringList& line : lines) {
        for (int column = 0; column < line.size(); ++column) {
            if (column >= widths.size())
                widths.append(0);
            widths[column] = std::max(widths.at(column), int(line.at(column).size()));
        }
    }
    for (const QStringList& line : lines) {
        QString text;
        for (int column = 0; column < line.size(); ++column) {
            const bool left = column < leftColumns || column == line.size() - 1;
            text += QStringLiteral("  ") + (left ? line.at(column).leftJustified(widths.at(column))
                                                 : line.at(column).rightJustified(widths.at(column)));
        }
        while (text.endsWith(QLatin1Char(' ')))
            text.chop(1);
        say(text);
    }
}

void printTable(const QList<Measure>& measures)
{
    QList<QStringList> lines = {{QStringLiteral("what"), QStringLiteral("file"), QStringLiteral("MB"),
                                 QStringLiteral("ms"), QStringLiteral("MB/s"), QStringLiteral("x floor"),
                                 QStringLiteral("note")}};
    for (const Measure& m : measures) {
        lines.append({m.what, m.file, fixed(megabytes(m.bytes), 3), fixed(m.ms, 3),
                      m.bytes > 0 ? fixed(mbPerSecond(m.bytes, m.ms), 0) : QString(),
                      m.floorMs > 0 ? fixed(m.ms / m.floorMs, 2) : QString(), m.note});
    }
    printColumns(lines, 2);
}

// A reader as the editor calls it: the file, the codec it is read with, and the pure function that makes the
// table, kept in `kept`; it returns the number of records found.
struct Reader
{
    QString path;
    const char* codec;
    std::function<int(const QString&, Kept& kept)> parse;
};

// A writer given the text read for patching; `second` picks the second of two value sets, so that two
// saves in a row both change the file.
struct Writer
{
    QString what;
    QString path;
    std::function<PatchResult(const QString& text, bool second)> patch;
    int ids = 0;
};

struct Check
{
    QString target;
    bool pass = false;
    QString detail;
};

class Bench
{
public:
    Bench(QString gamesDirectory, QList<int> scales, int samples)
        : gamesDirectory(std::move(gamesDirectory)), scales(std::move(scales)), samples(samples)
    {}

    int run();

private:
    QString gameDirectory(int scale, bool adversarial) const;
    QString relative(const QString& gameDir, const QString& path) const;
    QString firstStoryDirectory(const QString& gameDir) const;
    QList<Reader> readers(const QString& gameDir, const TextTable& languageTexts) const;
    QList<Writer> writers(const QString& gameDir, const TextTable& languageTexts) const;

    // Times a reader on its file: the floor, the pure function on the decoded text and, with `fileLevel`,
    // the file read with it. Adds the rows to `table` and gives the pure function's time (-1 when the file
    // cannot be read).
    double timeReader(const QString& gameDir, const Reader& reader, bool fileLevel, QList<Measure>& table);
    // The health check of each file on its own (of the stage files, the first story's), "check FILE" -> ms.
    QMap<QString, double> timeHealthChecks(const QString& gameDir, QList<Measure>& table);
    // Times a writer on the text read for patching and, with `fileLevel`, the whole save into a copy of the
    // file. Adds the rows to `table` and gives the patch time and the save time (-1 when not measured).
    QPair<double, double> timeWriter(const QString& gameDir, const Writer& writer, bool fileLevel,
                                     QList<Measure>& table);

    void runScale(int scale);
    void runEditor(int scale, const QString& gameDir, QList<Measure>& table);
    // Edits of single cells in the editor: the heap they take, the refill with them marked, and the time of an
    // edit, its undo and its redo.
    void runEdits(int scale, Editor& editor, QTableWidget* armyTable, QList<Measure>& table);
    // The army table's filter, a bulk rule on every statistic and its undo, CSV export and import, each the
    // whole user action in the editor.
    void runBulkAndCsv(int scale, Editor& editor, QTableWidget* armyTable, QList<Measure>& table);
    // The army table refilled with refillRows rows, markedFields of their cells marked, in an editor on a copy
    // of the game whose armytype.txt holds that many army types.
    void runRefill(const QString& gameDir, QList<Measure>& table);
    void compareJournalMemory();
    void runAdversarial(int scale);
    void compareAdversarial();
    void runPeakMemory(int scale);
    void runBadImport();
    // `otherCores`: cores that other work kept busy during the run, or -1.
    void printChecks(double otherCores);

    void problem(const QString& text);
    void check(const QString& target, bool pass, const QString& detail);

    QString gamesDirectory;
    QList<int> scales;
    int samples;
    bool refillMeasured = false;
    QList<Check> checks;
    QStringList problems;
    // Reader and patch timings per scale, "what file" -> ms, of the adversarial games and the plain ones.
    QMap<int, QMap<QString, double>> adversarialMs;
    QMap<int, QMap<QString, double>> plainMs;
    // Per scale, the heap that markedFields edits took.
    QMap<int, qint64> editHeapBytes;
};

QString Bench::gameDirectory(int scale, bool adversarial) const
{
    return QDir(gamesDirectory)
        .absoluteFilePath(QStringLiteral("scale-%1%2").arg(scale).arg(adversarial ? "-adversarial" : ""));
}

QString Bench::relative(const QString& gameDir, const QString& path) const
{
    return QDir(gameDir).relativeFilePath(path);
}

QString Bench::firstStoryDirectory(const QString& gameDir) const
{
    const QString catalogue = gameFilePaths(gameDir).storyConfig;
    const QStringList paths = parseStoryPaths(readTextFile(catalogue).value_or(QString()));
    return QFileInfo(catalogue).absolutePath() + QLatin1Char('/') + paths.value(0);
}

QList<Reader> Bench::readers(const QString& gameDir, const TextTable& languageTexts) const
{
    const GameFilePaths paths = gameFilePaths(gameDir);
    const QString story = firstStoryDirectory(gameDir);
    // Codecs as the editor reads each file.
    return {
        {paths.language, "UTF-8",
         [](const QString& text, Kept& kept) {
             return int(keep(kept, parseLanguageTable(text)).size());
         }},
        {paths.items, nullptr,
         [&languageTexts](const QString& text, Kept& kept) {
             return int(keep(kept, parseItems(text, languageTexts)).size());
         }},
        {paths.armyType, nullptr,
         [&languageTexts](const QString& text, Kept& kept) {
             return int(keep(kept, parseArmyTypes(text, languageTexts)).size());
         }},
        {paths.skill, nullptr,
         [](const QString& text, Kept& kept) {
             return int(keep(kept, parseSkills(text)).size());
         }},
        {paths.city, nullptr,
         [](const QString& text, Kept& kept) {
             return int(keep(kept, parseCities(text)).size());
         }},
        {paths.citySpecialty, nullptr,
         [](const QString& text, Kept& kept) {
             return int(keep(kept, parseCitySpecialties(text)).size());
         }},
        {paths.storyConfig, nullptr,
         [](const QString& text, Kept& kept) {
             return int(keep(kept, parseStoryPaths(text)).size());
         }},
        {story + QStringLiteral("/summary.xml"), "utf-8",
         [](const QString& text, Kept& kept) {
             return keep(kept, parseStoryName(text)).isEmpty() ? 0 : 1;
         }},
        {story + QStringLiteral("/stage.xml"), "utf-8",
         [](const QString& text, Kept& kept) {
             return int(keep(kept, parseStageStatistics(text)).size());
         }},
    };
}

QList<Writer> Bench::writers(const QString& gameDir, const TextTable& languageTexts) const
{
    const GameFilePaths paths = gameFilePaths(gameDir);
    const QString stagePath = firstStoryDirectory(gameDir) + QStringLiteral("/stage.xml");

    // The tables as the editor holds them after loading, with the values of the saved ids changed.
    const RecordTable armyTypes = parseArmyTypes(readTextFile(paths.armyType).value_or(QString()), languageTexts);
    const QStringList armyIds = spreadIds(armyTypes.keys(), idsPerSave);
    const RecordTable armyFirst = raised(armyTypes, armyIds, 1, 8, 1);
    const RecordTable armySecond = raised(armyTypes, armyIds, 1, 8, 2);

    const RecordTable skills = parseSkills(readTextFile(paths.skill).value_or(QString()));
    const QStringList skillIds = spreadIds(skills.keys(), idsPerSave);
    const RecordTable skillsFirst = raised(skills, skillIds, 1, 2, 1);
    const RecordTable skillsSecond = raised(skills, skillIds, 1, 2, 2);

    const RecordTable cities = parseCities(readTextFile(paths.city).value_or(QString()));
    const QStringList cityIds = spreadIds(cities.keys(), idsPerSave);
    const RecordTable citiesFirst = withSpecialties(cities, cityIds, QStringLiteral("1,2,3,"));
    const RecordTable citiesSecond = withSpecialties(cities, cityIds, QStringLiteral("4,5,"));

    // Army types the story declares, as a statistics edit in that story would save them.
    QStringList declared;
    const RecordTable statistics = parseStageStatistics(readTextFile(stagePath, "utf-8").value_or(QString()));
    for (auto element = statistics.cbegin(); element != statistics.cend(); ++element) {
        if (armyTypes.contains(element.key()))
            declared.append(element.key());
    }
    const QStringList stageIds = spreadIds(declared, idsPerSave);
    const RecordTable stageFirst = raised(armyTypes, stageIds, 1, 6, 1);
    const RecordTable stageSecond = raised(armyTypes, stageIds, 1, 6, 2);

    return {
        {QStringLiteral("save army types"), paths.armyType,
         [=](const QString& text, bool second) {
             return patchArmyTypes(text, armyIds, second ? armySecond : armyFirst, ArmyTypeFields::All);
         },
         int(armyIds.size())},
        {QStringLiteral("save skills"), paths.skill,
         [=](const QString& text, bool second) {
             return patchSkills(text, skillIds, second ? skillsSecond : skillsFirst);
         },
         int(skillIds.size())},
        {QStringLiteral("save cities"), paths.city,
         [=](const QString& text, bool second) {
             return patchCities(text, cityIds, second ? citiesSecond : citiesFirst);
         },
         int(cityIds.size())},
        {QStringLiteral("save stage"), stagePath,
         [=](const QString& text, bool second) {
             return patchStage(text, stageIds, second ? stageSecond : stageFirst);
         },
         int(stageIds.size())},
    };
}

void Bench::problem(const QString& text)
{
    problems.append(text);
    say(QStringLiteral("  ERROR: ") + text);
}

void Bench::check(const QString& target, bool pass, const QString& detail)
{
    checks.append({target, pass, detail});
}

double Bench::timeReader(const QString& gameDir, const Reader& reader, bool fileLevel, QList<Measure>& table)
{
    const QString name = relative(gameDir, reader.path);
    const std::optional<QString> text = readTextFile(reader.path, reader.codec);
    if (!text) {
        problem(QStringLiteral("cannot read %1").arg(reader.path));
        return -1;
    }
    const qint64 bytes = fileSize(reader.path);
    const double floorMs = timeFloor(samples, {reader.path});
    Kept kept;
    const auto freeKept = [&kept] {
        kept.clear();
    };
    int records = 0;
    const double parseMs = medianMs(
        samples, [&] { records = reader.parse(*text, kept); }, freeKept);
    if (records == 0)
        problem(QStringLiteral("%1: the reader found nothing").arg(reader.path));

    if (fileLevel)
        table.append({QStringLiteral("floor"), name, bytes, floorMs, floorMs, QString()});
    table.append({QStringLiteral("parse"), name, bytes, parseMs, floorMs, QStringLiteral("%1 records").arg(records)});
    if (fileLevel) {
        const double readMs = medianMs(
            samples,
            [&] {
                const std::optional<QString> read = readTextFile(reader.path, reader.codec);
                reader.parse(read.value_or(QString()), kept);
            },
            freeKept);
        table.append(
            {QStringLiteral("read+parse"), name, bytes, readMs, floorMs, QStringLiteral("readTextFile + parse")});
    }
    return parseMs;
}

QMap<QString, double> Bench::timeHealthChecks(const QString& gameDir, QList<Measure>& table)
{
    QMap<QString, double> times;
    const std::optional<QVector<GameFileText>> files = readGameFiles(gameDir);
    if (!files) {
        problem(QStringLiteral("cannot read the game at %1").arg(gameDir));
        return times;
    }
    bool stageDone = false;
    for (const GameFileText& file : *files) {
        if (file.kind == GameFileKind::Stage && std::exchange(stageDone, true))
            continue;
        int found = 0;
        const double ms = medianMs(samples, [&] { found = checkGameFiles({file}).size(); });
        table.append({QStringLiteral("check"), file.file, qint64(file.text.size()), ms, 0,
                      QStringLiteral("%1 findings").arg(found)});
        times.insert(QStringLiteral("check ") + file.file, ms);
    }
    return times;
}

QPair<double, double> Bench::timeWriter(const QString& gameDir, const Writer& writer, bool fileLevel,
                                        QList<Measure>& table)
{
    const QString name = relative(gameDir, writer.path);
    const std::optional<ExactText> content = readExactText(writer.path);
    if (!content) {
        problem(QStringLiteral("cannot read %1").arg(writer.path));
        return {-1, -1};
    }
    const qint64 bytes = fileSize(writer.path);
    const double floorMs = timeFloor(samples, {writer.path});

    bool second = false;
    Kept kept;
    const double patchMs = medianMs(
        samples,
        [&] {
            keep(kept, writer.patch(content->text, second));
            second = !second;
        },
        [&kept] { kept.clear(); });
    const PatchResult result = writer.patch(content->text, false);
    if (writer.ids == 0 || result.unwritten().size() == writer.ids || result.text == content->text)
        problem(QStringLiteral("%1: wrote none of the %2 ids").arg(writer.path).arg(writer.ids));
    table.append({writer.what + QStringLiteral(" (patch)"), name, bytes, patchMs, floorMs,
                  QStringLiteral("%1 ids, %2 not written").arg(writer.ids).arg(result.unwritten().size())});
    if (!fileLevel)
        return {patchMs, -1};

    // The whole save as the editor makes it: read for patching, patch, write back atomically; into a copy.
    QTemporaryDir scratch;
    const QString copy = scratch.filePath(QFileInfo(writer.path).fileName());
    if (!scratch.isValid() || !QFile::copy(writer.path, copy)) {
        problem(QStringLiteral("cannot make a copy of %1 to save into").arg(writer.path));
        return {patchMs, -1};
    }
    bool saved = true;
    const double saveMs = medianMs(samples, [&] {
        const std::optional<ExactText> current = readExactText(copy);
        const PatchResult patched = writer.patch(current ? current->text : QString(), second);
        second = !second;
        saved = current && writeTextFile(copy, ExactText{patched.text, current->codecName}) && saved;
    });
    if (!saved)
        problem(QStringLiteral("%1: could not save the copy").arg(copy));
    table.append({writer.what + QStringLiteral(" (file)"), name, bytes, saveMs, floorMs,
                  QStringLiteral("readExactText + patch + writeTextFile")});
    return {patchMs, saveMs};
}

void Bench::runScale(int scale)
{
    const QString gameDir = gameDirectory(scale, false);
    say();
    if (!QFileInfo(gameDir).isDir()) {
        problem(QStringLiteral("no game at %1 (scripts/bench generates it)").arg(gameDir));
        return;
    }
    say(QStringLiteral("scale %1: %2 (%3 MB)").arg(scale).arg(gameDir, fixed(megabytes(folderSize(gameDir)), 1)));

    QList<Measure> table;
    const TextTable languageTexts =
        parseLanguageTable(readTextFile(gameFilePaths(gameDir).language, "UTF-8").value_or(QString()));

    QStringList slowReaders;
    QStringList unrated;
    QString slowest;
    double slowestRate = std::numeric_limits<double>::infinity();
    for (const Reader& reader : readers(gameDir, languageTexts)) {
        const double parseMs = timeReader(gameDir, reader, true, table);
        if (parseMs < 0)
            continue;
        plainMs[scale].insert(QStringLiteral("parse ") + relative(gameDir, reader.path), parseMs);

        // A few kilobytes take microseconds whatever the reader does; a rate of them would only measure the
        // cost of a call.
        const QString fileName = QFileInfo(reader.path).fileName();
        const qint64 bytes = fileSize(reader.path);
        if (bytes < smallestRatedBytes) {
            unrated.append(fileName);
            continue;
        }
        const double rate = mbPerSecond(bytes, parseMs);
        if (rate < readerMBpsMinimum)
            slowReaders.append(QStringLiteral("%1 %2 MB/s").arg(fileName, fixed(rate, 0)));
        if (rate < slowestRate) {
            slowestRate = rate;
            slowest = QStringLiteral("%1 %2 MB/s").arg(fileName, fixed(rate, 0));
        }
    }
    QString rateDetail = slowReaders.isEmpty() ? QStringLiteral("slowest ") + slowest
                                               : QStringLiteral("below: ") + slowReaders.join(QStringLiteral(", "));
    if (!unrated.isEmpty())
        rateDetail += QStringLiteral(" (under %1 kB, not rated: %2)")
                          .arg(smallestRatedBytes / 1000)
                          .arg(unrated.join(QStringLiteral(", ")));
    check(readersTarget(scale), slowReaders.isEmpty(), rateDetail);

    for (const Writer& writer : writers(gameDir, languageTexts)) {
        const auto [patchMs, saveMs] = timeWriter(gameDir, writer, true, table);
        if (patchMs < 0)
            continue;
        plainMs[scale].insert(writer.what + QLatin1Char(' ') + relative(gameDir, writer.path), patchMs);
        if (scale == 10 && writer.what == QLatin1String("save army types")) {
            check(saveTarget(), saveMs < saveArmyTypesMsLimit,
                  QStringLiteral("%1 ms with file access, %2 ms patching").arg(fixed(saveMs, 2), fixed(patchMs, 2)));
        }
    }

    const QMap<QString, double> checks = timeHealthChecks(gameDir, table);
    for (auto it = checks.cbegin(); it != checks.cend(); ++it)
        plainMs[scale].insert(it.key(), it.value());

    runEditor(scale, gameDir, table);
    // The refill depends on the number of rows, not on the game: once is enough.
    if (!refillMeasured)
        runRefill(gameDir, table);
    printTable(table);
}

// Chooses the story in a row of the story list, as a double click on the row does: the window settles
// pending statistics, the document reads the story and the army tab is filled and shown.
bool chooseStory(MainWindow& window, int row)
{
    auto* list = window.findChild<QTableWidget*>(QStringLiteral("storyList"));
    if (!list || row >= list->rowCount())
        return false;
    emit list->cellDoubleClicked(row, 0);
    return true;
}

void Bench::runEditor(int scale, const QString& gameDir, QList<Measure>& table)
{
    const WorkingFolder working(gameDir);
    if (!working.isValid()) {
        problem(QStringLiteral("cannot make a working folder with a config.ini"));
        return;
    }
    Editor editor;
    GameDocument& document = editor.document;
    MainWindow& window = *editor.window;
    if (!document.isOpen()) {
        problem(QStringLiteral("the editor could not load %1").arg(gameDir));
        return;
    }
    window.show();
    QApplication::processEvents();

    // The load sequence against the floor of every file it reads.
    const GameFilePaths paths = gameFilePaths(gameDir);
    QStringList loadFiles = {paths.storyConfig};
    for (const QStringList& story : document.stories())
        loadFiles.append(story.value(0) + QStringLiteral("/summary.xml"));
    loadFiles << paths.language << paths.armyType << paths.items << paths.skill << paths.city;
    if (QFileInfo::exists(paths.citySpecialty))
        loadFiles.append(paths.citySpecialty);
    qint64 loadBytes = 0;
    for (const QString& file : loadFiles)
        loadBytes += fileSize(file);

    const double loadFloorMs = timeFloor(samples, loadFiles);
    // The load as at start-up, into a document that holds no tables yet: config.ini read for the game
    // directory, then every file of the game. The window's part, two status texts, is left out.
    std::unique_ptr<GameDocument> fresh;
    bool loaded = true;
    const double loadMs = medianMs(
        samples, [&] { loaded = fresh->open(fresh->configuredGameDirectory()) && loaded; },
        [&] {
            fresh.reset();
            fresh = std::make_unique<GameDocument>();
        });
    fresh.reset();
    if (!loaded)
        problem(QStringLiteral("a load of %1 failed").arg(gameDir));
    table.append({QStringLiteral("load sequence"), QStringLiteral("%1 files").arg(loadFiles.size()), loadBytes, loadMs,
                  loadFloorMs, QStringLiteral("GameDocument::open of config.ini's game, first load")});
    if (scale == 1) {
        check(loadTarget(), loadMs <= loadFloorRatioLimit * loadFloorMs,
              QStringLiteral("%1x (%2 ms, floor %3 ms)")
                  .arg(fixed(loadMs / loadFloorMs, 2), fixed(loadMs, 2), fixed(loadFloorMs, 2)));
    }

    // Story switch: read armytype.txt and stage.xml, overlay, refill the army table, and let it paint.
    auto* armyTable = window.findChild<QTableWidget*>(QStringLiteral("armyInfoTable"));
    const int storyCount = document.stories().size();
    if (!armyTable || storyCount == 0) {
        problem(QStringLiteral("no army table or no story to switch to"));
        return;
    }
    const QString firstStage = document.stories().first().value(0) + QStringLiteral("/stage.xml");
    const qint64 switchBytes = fileSize(firstStage) + fileSize(paths.armyType);
    const double switchFloorMs = timeFloor(samples, {firstStage, paths.armyType});
    int row = 0;
    bool chosen = true;
    const double switchMs = medianMs(samples, [&] {
        chosen = chooseStory(window, row) && chosen;
        row = (row + 1) % std::min(storyCount, 2);
        QApplication::processEvents();
    });
    const int armyCount = document.armyTypes().size();
    if (!chosen || document.stagePath().isEmpty() || armyTable->rowCount() != armyCount || armyCount == 0 ||
        !armyTable->isVisible())
        problem(QStringLiteral("the story switch did not fill the army table (%1 rows for %2 army types)")
                    .arg(armyTable->rowCount())
                    .arg(armyCount));
    table.append({QStringLiteral("story switch"), QStringLiteral("stage.xml + armytype.txt"), switchBytes, switchMs,
                  switchFloorMs, QStringLiteral("stories 1 and 2 in turn, %1 rows, with repaint").arg(armyCount)});
    if (scale == 1) {
        check(storySwitchTarget(), switchMs < storySwitchMsLimit, QStringLiteral("%1 ms").arg(fixed(switchMs, 2)));
    }

    runEdits(scale, editor, armyTable, table);
    runBulkAndCsv(scale, editor, armyTable, table);
}

// Makes markedFields one-field edits of statistics spread over the army types, each a step of its own as a
// user makes them.
void makeMarkedEdits(GameDocument& document)
{
    const QStringList ids = spreadIds(document.armyTypes().keys(), markedFields);
    for (int i = 0; i < markedFields; ++i) {
        const FieldRef ref{RecordKind::ArmyType, ids.value(i % ids.size()), 1 + (i / ids.size() + i) % 6};
        const QString value = document.armyTypes().value(ref.id).value(ref.field);
        document.changeFields({{ref, QString::number(value.toLongLong() + 1)}}, QStringLiteral("edit"));
    }
}

// armytype.txt with `count` army types numbered from 1, their names taken in turn from the army types of
// `original`, with made-up statistics and no recruitment needs.
QByteArray manyArmyTypes(const QString& original, int count)
{
    QStringList nameIds;
    const QRegularExpression nameKey(QStringLiteral("\"Name\":(\\d+),"));
    for (auto match = nameKey.globalMatch(readTextFile(original).value_or(QString())); match.hasNext();)
        nameIds.append(match.next().captured(1));
    if (nameIds.isEmpty())
        nameIds.append(QStringLiteral("0"));
    QByteArray text;
    for (int id = 1; id <= count; ++id) {
        text += QStringLiteral("{\"Type\":%1,\"Name\":%2,\"LongAttack\":%3,\"ShortAttack\":%4,\"LongDefense\":%5,"
                               "\"ShortDefense\":%6,\"Destroy\":%7,\"Range\":%8,\"MustCityDesc\":0,\"NeedItemId\":0,"
                               "\"Icon\":%9},\n")
                    .arg(id)
                    .arg(nameIds.at((id - 1) % nameIds.size()))
                    .arg(id % 97)
                    .arg(id % 89)
                    .arg(id % 83)
                    .arg(id % 79)
                    .arg(id % 10)
                    .arg(id % 7)
                    .arg(id % 60)
                    .toUtf8();
    }
    return text;
}

void Bench::runRefill(const QString& gameDir, QList<Measure>& table)
{
    refillMeasured = true;
    QTemporaryDir copy;
    bool copied = copy.isValid();
    for (QDirIterator it(gameDir, QDir::Files, QDirIterator::Subdirectories); copied && it.hasNext();) {
        const QString file = it.next();
        copied =
            TestSupport::writeBytes(copy.filePath(QDir(gameDir).relativeFilePath(file)), TestSupport::readBytes(file));
    }
    const QString armyTypePath = gameFilePaths(copy.path()).armyType;
    copied = copied && TestSupport::writeBytes(armyTypePath, manyArmyTypes(armyTypePath, refillRows));
    if (!copied) {
        problem(QStringLiteral("cannot copy %1 with %2 army types").arg(gameDir).arg(refillRows));
        return;
    }

    const WorkingFolder working(copy.path());
    Editor editor;
    auto* armyTab = editor.window->findChild<ArmyTab*>();
    auto* armyTable = editor.window->findChild<QTableWidget*>(QStringLiteral("armyInfoTable"));
    if (!working.isValid() || !editor.document.isOpen() || editor.document.armyTypes().size() != refillRows ||
        !armyTab || !armyTable) {
        problem(
            QStringLiteral("the editor could not load the copy of %1 with %2 army types").arg(gameDir).arg(refillRows));
        return;
    }
    editor.window->show();
    chooseStory(*editor.window, 0);
    QApplication::processEvents();
    makeMarkedEdits(editor.document);
    const int marked = editor.document.journal().size();

    const double refillMs = medianMs(samples, withRepaint([armyTab] { armyTab->drawArmyInfo(); }));
    if (armyTable->rowCount() != refillRows || !armyTable->isVisible())
        problem(QStringLiteral("the refill left %1 rows instead of %2").arg(armyTable->rowCount()).arg(refillRows));
    table.append({QStringLiteral("army table refill"), QStringLiteral("(%1 rows)").arg(refillRows), 0, refillMs, 0,
                  QStringLiteral("drawArmyInfo with %1 marked cells, with repaint").arg(marked)});
    check(refillTarget(), refillMs < refillMsLimit, QStringLiteral("%1 ms").arg(fixed(refillMs, 2)));
}

void Bench::runEdits(int scale, Editor& editor, QTableWidget* armyTable, QList<Measure>& table)
{
    GameDocument& document = editor.document;
    auto* armyTab = editor.window->findChild<ArmyTab*>();
    const QString rowsNote = QStringLiteral("(%1 rows)").arg(armyTable->rowCount());
    const qint64 heapBefore = heapInUse();
    makeMarkedEdits(document);
    const qint64 heapAfter = heapInUse();
    const int entries = document.journal().size();
    if (entries != markedFields)
        problem(QStringLiteral("%1 edits left %2 fields in the journal").arg(markedFields).arg(entries));
    if (heapBefore >= 0) {
        editHeapBytes.insert(scale, heapAfter - heapBefore);
        table.append({QStringLiteral("edits' heap"), QStringLiteral("(%1 fields)").arg(entries), 0, 0, 0,
                      QStringLiteral("%1 kB for %2 one-field steps (journal, undo, marks), %3 bytes a field; "
                                     "%4 army types in the game")
                          .arg(fixed((heapAfter - heapBefore) / 1024.0, 1))
                          .arg(markedFields)
                          .arg((heapAfter - heapBefore) / std::max(entries, 1))
                          .arg(document.armyTypes().size())});
    }

    if (!armyTab) {
        problem(QStringLiteral("the window has no army tab"));
        return;
    }
    const double refillMs = medianMs(samples, withRepaint([armyTab] { armyTab->drawArmyInfo(); }));
    table.append({QStringLiteral("army table refill, marked"), rowsNote, 0, refillMs, 0,
                  QStringLiteral("drawArmyInfo with %1 marked cells, with repaint").arg(entries)});
    if (scale == editorScale)
        check(markedRefillTarget(), refillMs < markedRefillMsLimit, QStringLiteral("%1 ms").arg(fixed(refillMs, 2)));

    // A cell typed into, as the cell editor commits it: the current cell takes the text.
    const int row = armyTable->rowCount() / 2;
    QTableWidgetItem* cell = armyTable->item(row, 3);
    const qint64 original = cell->text().toLongLong();
    int typed = 0;
    const auto edit = [&] {
        armyTable->setCurrentItem(cell);
        cell->setText(QString::number(original + 1 + typed++ % 2));
    };
    QUndoStack* undo = document.undoStack();
    const int stepsBefore = undo->index();
    const double editMs = medianMs(samples, withRepaint(edit));
    if (undo->index() == stepsBefore)
        problem(QStringLiteral("typing into the army table made no step"));
    const double undoMs = medianMs(samples, withRepaint([undo] { undo->undo(); }), edit);
    const double redoMs = medianMs(samples, withRepaint([undo] { undo->redo(); }), [&] {
        edit();
        undo->undo();
    });
    // An undo whose army type is not the one whose skills are shown brings that type's skills too. A click on
    // a row beside the edited one, which makes it current and then reports the click, shows that row's skills;
    // both rows are in view, so that the undo does not scroll the table.
    const auto inView = [armyTable](int other) {
        const QTableWidgetItem* item = armyTable->item(other, 1);
        return item && armyTable->viewport()->rect().contains(armyTable->visualItemRect(item));
    };
    const double undoElsewhereMs = medianMs(samples, withRepaint([undo] { undo->undo(); }), [&] {
        edit();
        const int otherRow = inView(row - 1) ? row - 1 : row + 1;
        armyTable->setCurrentCell(otherRow, 1);
        emit armyTable->cellClicked(otherRow, 1);
    });
    table.append({QStringLiteral("edit"), rowsNote, 0, editMs, 0, QStringLiteral("a typed cell, with repaint")});
    // The recovery file: written half a second after a change, on the same thread, with every field pending.
    if (auto* recovery = editor.window->findChild<RecoveryFile*>()) {
        const double recoveryMs = medianMs(samples, [recovery] { recovery->writeNow(); });
        table.append({QStringLiteral("recovery write"), QStringLiteral("(%1 changes)").arg(entries), 0, recoveryMs, 0,
                      QStringLiteral("the pending changes beside editor.ini, atomically; not per keystroke")});
    }
    table.append({QStringLiteral("undo"), rowsNote, 0, undoMs, 0,
                  QStringLiteral("Ctrl+Z, the army type brought into view, with repaint")});
    table.append({QStringLiteral("undo, other skills"), rowsNote, 0, undoElsewhereMs, 0,
                  QStringLiteral("Ctrl+Z while another army type's skills are shown, with repaint")});
    table.append({QStringLiteral("redo"), rowsNote, 0, redoMs, 0, QStringLiteral("Ctrl+Y, with repaint")});
    if (scale == editorScale) {
        check(editTarget(), std::max({editMs, undoMs, undoElsewhereMs, redoMs}) < editMsLimit,
              QStringLiteral("edit %1 ms, undo %2 ms (%3 ms with another army type's skills shown), redo %4 ms")
                  .arg(fixed(editMs, 2), fixed(undoMs, 2), fixed(undoElsewhereMs, 2), fixed(redoMs, 2)));
    }
}

void Bench::runBulkAndCsv(int scale, Editor& editor, QTableWidget* armyTable, QList<Measure>& table)
{
    const GameDocument& document = editor.document;
    const int rows = armyTable->rowCount();
    const QString rowsNote = QStringLiteral("(%1 rows)").arg(rows);
    QUndoStack* undo = document.undoStack();

    // A keystroke that turns the filter from the ids holding a 1 to those holding 12, or back.
    auto* search = editor.window->findChild<QLineEdit*>(QStringLiteral("armyInfoTableSearch"));
    auto* view = armyTable->findChild<RecordTableView*>();
    if (!search || !view) {
        problem(QStringLiteral("the army table has no search line or no view"));
        return;
    }
    int keystroke = 0;
    const double filterMs = medianMs(
        samples, withRepaint([&] { search->setText(++keystroke % 2 ? QStringLiteral("1") : QStringLiteral("12")); }));
    int shown = 0;
    for (int row = 0; row < rows; ++row)
        shown += armyTable->isRowHidden(row) ? 0 : 1;
    search->clear();
    table.append({QStringLiteral("filter keystroke"), rowsNote, 0, filterMs, 0,
                  QStringLiteral("%1 rows left shown, with repaint").arg(shown)});
    if (scale == editorScale)
        check(filterTarget(), filterMs < filterMsLimit, QStringLiteral("%1 ms").arg(fixed(filterMs, 2)));

    // Every statistic selected, then "批量修改…" answered with 110 %.
    Prompts::setDialogRunner([](QDialog& dialog) {
        auto* amount = dialog.findChild<QLineEdit*>(QStringLiteral("bulkAmount"));
        if (amount)
            amount->setText(QStringLiteral("110"));
        return amount != nullptr;
    });
    const auto selectStatistics = [&] {
        armyTable->clearSelection();
        armyTable->setRangeSelected(QTableWidgetSelectionRange(0, 2, rows - 1, 7), true);
    };
    const auto bulk = [view] {
        view->bulkEdit();
    };
    int stepsBefore = undo->index();
    const int fieldsBefore = document.journal().size();
    selectStatistics();
    bulk();
    const int bulkFields = document.journal().size() - fieldsBefore;
    if (undo->index() != stepsBefore + 1 || bulkFields <= 0)
        problem(QStringLiteral("the bulk edit made %1 steps and changed %2 fields")
                    .arg(undo->index() - stepsBefore)
                    .arg(bulkFields));
    undo->undo();
    const double bulkMs = medianMs(samples, withRepaint(bulk), [&] {
        if (undo->index() > stepsBefore)
            undo->undo();
        selectStatistics();
    });
    const double bulkUndoMs = medianMs(samples, withRepaint([undo] { undo->undo(); }), [&] {
        selectStatistics();
        bulk();
    });
    table.append(
        {QStringLiteral("bulk edit"), QStringLiteral("(%1 cells)").arg(rows * 6), 0, bulkMs, 0,
         QStringLiteral("批量修改 110 %: dialog, one step, %1 marked fields more, with repaint").arg(bulkFields)});
    table.append({QStringLiteral("bulk edit undo"), QStringLiteral("(%1 cells)").arg(rows * 6), 0, bulkUndoMs, 0,
                  QStringLiteral("Ctrl+Z, with repaint")});
    if (scale == editorScale) {
        check(bulkTarget(), bulkMs < bulkMsLimit, QStringLiteral("%1 ms").arg(fixed(bulkMs, 2)));
        check(bulkUndoTarget(), bulkUndoMs < bulkMsLimit, QStringLiteral("%1 ms").arg(fixed(bulkUndoMs, 2)));
    }

    QTemporaryDir scratch;
    const QString exported = scratch.filePath(QStringLiteral("army.csv"));
    Prompts::setCsvExportPicker([&](QWidget*, const QString&) { return exported; });
    const double exportMs = medianMs(samples, [&] { view->exportTable(); });
    QString error;
    const QList<QStringList> exportedRows = readCsvFile(exported, &error);
    if (exportedRows.size() != rows + 1)
        problem(QStringLiteral("the export wrote %1 rows for %2 (%3)").arg(exportedRows.size()).arg(rows).arg(error));
    table.append({QStringLiteral("CSV export"), rowsNote, fileSize(exported), exportMs, 0,
                  QStringLiteral("导出为CSV: the rows in view into the file")});
    if (scale == editorScale)
        check(exportTarget(), exportMs < csvMsLimit, QStringLiteral("%1 ms").arg(fixed(exportMs, 2)));

    // The file as a spreadsheet gives it back with every statistic raised by one, imported after its preview.
    QList<QStringList> raisedRows = exportedRows;
    for (int row = 1; row < raisedRows.size(); ++row) {
        for (int column = 2; column < raisedRows[row].size(); ++column)
            raisedRows[row][column] = QString::number(raisedRows[row][column].toLongLong() + 1);
    }
    const QString edited = scratch.filePath(QStringLiteral("edited.csv"));
    writeCsvFile(edited, raisedRows);
    Prompts::setCsvImportPicker([&](QWidget*, const QString&) { return edited; });
    Prompts::setDialogRunner([](QDialog&) { return true; });
    stepsBefore = undo->index();
    const double importMs = medianMs(samples, withRepaint([view] { view->importTable(); }), [&] {
        if (undo->index() > stepsBefore)
            undo->undo();
    });
    if (undo->index() != stepsBefore + 1)
        problem(QStringLiteral("the import made no step: ") +
                editor.window->findChild<QStatusBar*>()->currentMessage());
    table.append({QStringLiteral("CSV import"), rowsNote, fileSize(edited), importMs, 0,
                  QStringLiteral("从CSV导入: read, match, preview of %1 changes, one step, with repaint")
                      .arg(qint64(rows) * 6)});
    if (scale == editorScale)
        check(importTarget(), importMs < csvMsLimit, QStringLiteral("%1 ms").arg(fixed(importMs, 2)));

    Prompts::setDialogRunner([](QDialog&) { return false; });
    Prompts::setCsvExportPicker([](QWidget*, const QString&) { return QString(); });
    Prompts::setCsvImportPicker([](QWidget*, const QString&) { return QString(); });
}

void Bench::compareJournalMemory()
{
    if (!editHeapBytes.contains(1) || !editHeapBytes.contains(10))
        return;
    const qint64 small = editHeapBytes.value(1);
    const qint64 large = editHeapBytes.value(10);
    check(journalMemoryTarget(), large <= journalGrowthLimit * std::max<qint64>(small, 1),
          QStringLiteral("%1 kB at scale 1, %2 kB at scale 10 (%3x) for %4 fields")
              .arg(fixed(small / 1024.0, 1), fixed(large / 1024.0, 1),
                   fixed(double(large) / std::max<qint64>(small, 1), 2))
              .arg(markedFields));
}

void Bench::runAdversarial(int scale)
{
    const QString gameDir = gameDirectory(scale, true);
    say();
    if (!QFileInfo(gameDir).isDir()) {
        problem(QStringLiteral("no game at %1 (scripts/bench generates it)").arg(gameDir));
        return;
    }
    say(QStringLiteral("adversarial, scale %1: %2 (%3 MB)")
            .arg(scale)
            .arg(gameDir, fixed(megabytes(folderSize(gameDir)), 1)));

    QList<Measure> table;
    const TextTable languageTexts =
        parseLanguageTable(readTextFile(gameFilePaths(gameDir).language, "UTF-8").value_or(QString()));
    for (const Reader& reader : readers(gameDir, languageTexts)) {
        const double parseMs = timeReader(gameDir, reader, false, table);
        if (parseMs >= 0)
            adversarialMs[scale].insert(QStringLiteral("parse ") + relative(gameDir, reader.path), parseMs);
    }
    for (const Writer& writer : writers(gameDir, languageTexts)) {
        const double patchMs = timeWriter(gameDir, writer, false, table).first;
        if (patchMs >= 0)
            adversarialMs[scale].insert(writer.what + QLatin1Char(' ') + relative(gameDir, writer.path), patchMs);
    }
    const QMap<QString, double> checks = timeHealthChecks(gameDir, table);
    for (auto it = checks.cbegin(); it != checks.cend(); ++it)
        adversarialMs[scale].insert(it.key(), it.value());
    printTable(table);
}

void Bench::compareAdversarial()
{
    if (!adversarialMs.contains(1) || !adversarialMs.contains(10))
        return;
    say();
    say(QStringLiteral("adversarial, scale 10 against scale 1 (target: ratio at most %1, under %2 ms at scale 10);")
            .arg(adversarialRatioLimit)
            .arg(adversarialMsLimit));
    say(QStringLiteral("the plain games' ratio beside it tells growth that comes from the input's size alone"));
    QList<QStringList> lines = {{QString(), QStringLiteral("what"), QStringLiteral("ms at 1"),
                                 QStringLiteral("ms at 10"), QStringLiteral("ratio"), QStringLiteral("plain ratio")}};
    QStringList missed;
    QString worst;
    double worstRatio = 0;
    const QMap<QString, double> small = adversarialMs.value(1);
    const QMap<QString, double> large = adversarialMs.value(10);
    for (auto it = large.cbegin(); it != large.cend(); ++it) {
        if (!small.contains(it.key()))
            continue;
        const double ratio = it.value() / std::max(small.value(it.key()), 1e-9);
        const bool pass = ratio <= adversarialRatioLimit && it.value() < adversarialMsLimit;
        const bool plainMeasured = plainMs.value(1).contains(it.key()) && plainMs.value(10).contains(it.key());
        const QString plainRatio =
            plainMeasured
                ? fixed(plainMs.value(10).value(it.key()) / std::max(plainMs.value(1).value(it.key()), 1e-9), 1)
                : QStringLiteral("-");
        lines.append({pass ? QStringLiteral("ok") : QStringLiteral("MISS"), it.key(), fixed(small.value(it.key()), 3),
                      fixed(it.value(), 3), fixed(ratio, 1), plainRatio});
        if (!pass)
            missed.append(QStringLiteral("%1 (%2 ms, %3x)").arg(it.key(), fixed(it.value(), 1), fixed(ratio, 1)));
        if (ratio > worstRatio) {
            worstRatio = ratio;
            worst = QStringLiteral("%1 %2x").arg(it.key(), fixed(ratio, 1));
        }
    }
    printColumns(lines, 2);
    check(adversarialTarget(), missed.isEmpty(),
          missed.isEmpty() ? QStringLiteral("highest ratio ") + worst : missed.join(QStringLiteral("; ")));
}

// The load runs in a fresh process, so that nothing measured before raises its peak.
void Bench::runPeakMemory(int scale)
{
    const QString gameDir = gameDirectory(scale, false);
    if (!QFileInfo(gameDir).isDir())
        return;
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--%1").arg(peakLoadFlag), gameDir});
    if (!child.waitForFinished(-1) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
        problem(QStringLiteral("the load in a fresh process failed for %1").arg(gameDir));
        return;
    }
    // The child prints "<peak kB before the load> <peak kB after it>".
    const QList<QByteArray> fields = child.readAllStandardOutput().trimmed().split(' ');
    const double beforeMB = megabytes(fields.value(0).toLongLong() * 1024);
    const double afterMB = megabytes(fields.value(1).toLongLong() * 1024);
    say(QStringLiteral("  peak resident memory of a load at scale %1 in a fresh process: %2 MB (%3 MB before the load)")
            .arg(scale)
            .arg(fixed(afterMB, 1), fixed(beforeMB, 1)));
    if (scale == 10) {
        check(peakMemoryTarget(), afterMB > 0 && afterMB < peakResidentMBLimit,
              QStringLiteral("%1 MB (%2 MB before the load)").arg(fixed(afterMB, 1), fixed(beforeMB, 1)));
    }
}

// Files of bad rows just under the size limit, each previewed in a fresh process so that its peak is its own:
// ragged rows of one field (the most rows a file can hold), rows of an unknown id, and headers of millions of
// empty or unknown columns followed by one row.
void Bench::runBadImport()
{
    QTemporaryDir scratch;
    const QByteArray header = QByteArrayLiteral("\xEF\xBB\xBF兵种ID,兵种,远程攻击,近战攻击\r\n");
    const QList<std::tuple<QString, QByteArray, QByteArray>> kinds{
        {QStringLiteral("ragged rows"), header, QByteArrayLiteral("1\n")},
        {QStringLiteral("unknown ids"), header, QByteArrayLiteral("9999999,x,1,2\r\n")},
        {QStringLiteral("a header of empty columns"), QByteArray(), QByteArrayLiteral(",")},
        {QStringLiteral("a header of unknown columns"), QByteArray(), QByteArrayLiteral("x,")}};
    double worstMs = 0;
    double worstMB = 0;
    for (const auto& [kind, start, row] : kinds) {
        const QString path = scratch.filePath(QStringLiteral("bad.csv"));
        const QByteArray end = start.isEmpty() ? QByteArrayLiteral("\r\n1,2,3,4\r\n") : QByteArray();
        QByteArray bytes = start;
        bytes.reserve(int(csvSizeLimit));
        while (bytes.size() + row.size() + end.size() <= csvSizeLimit)
            bytes += row;
        bytes += end;
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            problem(QStringLiteral("cannot write ") + path);
            return;
        }
        file.close();
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--%1").arg(badImportFlag), path});
        if (!child.waitForFinished(-1) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
            problem(QStringLiteral("the bad-row import in a fresh process failed"));
            return;
        }
        // The child prints "<peak kB before> <peak kB after> <ms> <problems counted>".
        const QList<QByteArray> fields = child.readAllStandardOutput().trimmed().split(' ');
        const double beforeMB = megabytes(fields.value(0).toLongLong() * 1024);
        const double afterMB = megabytes(fields.value(1).toLongLong() * 1024);
        const double ms = fields.value(2).toDouble();
        say(QStringLiteral(
                "  import preview of %1 MB of %2 (problems listed: %3): %4 ms, peak resident %5 MB (%6 MB before)")
                .arg(fixed(megabytes(bytes.size()), 1), kind, QString::fromLatin1(fields.value(3)), fixed(ms, 1),
                     fixed(afterMB, 1), fixed(beforeMB, 1)));
        worstMs = std::max(worstMs, ms);
        worstMB = std::max(worstMB, afterMB);
    }
    check(badImportTarget(), worstMs < badImportMsLimit && worstMB < badImportMBLimit,
          QStringLiteral("%1 ms, %2 MB at worst").arg(fixed(worstMs, 1), fixed(worstMB, 1)));
}

void Bench::printChecks(double otherCores)
{
    say();
    say(QStringLiteral("targets"));
    int met = 0;
    QStringList failed;
    for (const Check& c : checks) {
        say(QStringLiteral("  %1  %2: %3")
                .arg(c.pass ? QStringLiteral("PASS") : QStringLiteral("FAIL"), c.target, c.detail));
        if (c.pass)
            ++met;
        else
            failed.append(c.target);
    }
    // Targets that this run had no game for.
    const QList<QPair<QString, QString>> expected = {
        {loadTarget(), QStringLiteral("needs scale 1")},
        {storySwitchTarget(), QStringLiteral("needs scale 1")},
        {refillTarget(), QStringLiteral("needs a game")},
        {filterTarget(), QStringLiteral("needs scale 10")},
        {exportTarget(), QStringLiteral("needs scale 10")},
        {importTarget(), QStringLiteral("needs scale 10")},
        {bulkTarget(), QStringLiteral("needs scale 10")},
        {bulkUndoTarget(), QStringLiteral("needs scale 10")},
        {editTarget(), QStringLiteral("needs scale 10")},
        {markedRefillTarget(), QStringLiteral("needs scale 10")},
        {journalMemoryTarget(), QStringLiteral("needs scales 1 and 10")},
        {saveTarget(), QStringLiteral("needs scale 10")},
        {peakMemoryTarget(), QStringLiteral("needs scale 10")},
        {adversarialTarget(), QStringLiteral("needs scales 1 and 10")},
    };
    int skipped = 0;
    for (const auto& target : expected) {
        if (std::none_of(checks.cbegin(), checks.cend(), [&](const Check& c) { return c.target == target.first; })) {
            say(QStringLiteral("  SKIP  %1: %2").arg(target.first, target.second));
            ++skipped;
        }
    }

    // Other work on the machine makes wall-clock numbers larger and noisier: a miss is only worth chasing when
    // the machine was quiet, or when the calls were timed by CPU time.
    if (otherCores >= 0) {
        QString advice;
        if (otherCores > busyOtherCores) {
            advice = timeByCpu
                         ? QStringLiteral(" (timed by CPU time: only the shared caches disturbed the numbers)")
                         : QStringLiteral(": rerun on a quiet machine, or with --cpu-time, before trusting a FAIL");
        }
        say(QStringLiteral("other work kept %1 of %2 cores busy on average during the run%3")
                .arg(fixed(otherCores, 2))
                .arg(QThread::idealThreadCount())
                .arg(advice));
    }

    say();
    QString summary = QStringLiteral("summary: %1 of %2 targets met").arg(met).arg(checks.size());
    if (skipped > 0)
        summary += QStringLiteral(", %1 not measured").arg(skipped);
    if (!failed.isEmpty())
        summary += QStringLiteral("; missed: ") + failed.join(QStringLiteral("; "));
    if (!problems.isEmpty())
        summary += QStringLiteral("; %1 measurement errors (see ERROR lines)").arg(problems.size());
    say(summary);
}

int Bench::run()
{
#ifdef BENCH_BUILD_TYPE
    const QString buildType = QStringLiteral(BENCH_BUILD_TYPE);
#else
    const QString buildType;
#endif
    say(QStringLiteral("gamedata-bench: games in %1, scales %2, median of %3 samples, Qt %4, %5 build, %6")
            .arg(QDir(gamesDirectory).absolutePath())
            .arg([this] {
                QStringList names;
                for (int scale : scales)
                    names.append(QString::number(scale));
                return names.join(QLatin1Char(','));
            }())
            .arg(samples)
            .arg(QLatin1String(qVersion()), buildType.isEmpty() ? QStringLiteral("unnamed") : buildType,
                 timeByCpu ? QStringLiteral("thread CPU time") : QStringLiteral("wall-clock time")));
    say(QStringLiteral("MB are 10^6 bytes; the floor of a file is QFile::readAll + QString::fromUtf8 of its bytes"));
    const CpuTicks ticksBefore = cpuTicks();
    QElapsedTimer runTime;
    runTime.start();

    for (int scale : scales) {
        runScale(scale);
        runPeakMemory(scale);
    }
    for (int scale : scales) {
        if (scale == 1 || scale == 10)
            runAdversarial(scale);
    }
    compareAdversarial();
    compareJournalMemory();
    runBadImport();
    printChecks(othersCores(ticksBefore, cpuTicks(), runTime.elapsed()));
    return problems.isEmpty() ? 0 : 1;
}

// Child mode: build the editor on the game, as at start-up, and print the peak resident memory before and
// after its load.
// Child mode: preview the import of the CSV file into a small army table, as "从CSV导入…" does, and print the
// peak resident memory before and after, the time and the problems counted.
int badImport(const QString& path)
{
    const qint64 before = peakResidentKb();
    const TableShape shape{
        {QStringLiteral("兵种ID"), QStringLiteral("兵种"), QStringLiteral("远程攻击"), QStringLiteral("近战攻击")},
        0,
        1,
        {2, 3}};
    const QHash<QString, QStringList> records{{QStringLiteral("1"), {"1", "a", "1", "2"}}};
    Prompts::setCsvImportPicker([&](QWidget*, const QString&) { return path; });
    int problems = -1;
    Prompts::setDialogRunner([&](QDialog& dialog) {
        if (auto* list = dialog.findChild<QTableWidget*>(QStringLiteral("importProblems")))
            problems = list->rowCount();
        return false;
    });
    QElapsedTimer timer;
    timer.start();
    QString message;
    importCsvChanges(nullptr, shape, records, &message);
    const qint64 ms = timer.elapsed();
    const qint64 after = peakResidentKb();
    // A file is previewed with its problems, or refused with a message (a header that is no table's).
    if (before < 0 || (problems < 0) == message.isEmpty())
        return 1;
    say(QStringLiteral("%1 %2 %3 %4")
            .arg(before)
            .arg(after)
            .arg(ms)
            .arg(problems < 0 ? QStringLiteral("refused") : QString::number(problems)));
    return 0;
}

int peakLoad(const QString& gameDir)
{
    const qint64 before = peakResidentKb();
    const WorkingFolder working(gameDir);
    Editor editor;
    const qint64 after = peakResidentKb();
    if (!working.isValid() || !editor.document.isOpen() || before < 0)
        return 1;
    say(QStringLiteral("%1 %2").arg(before).arg(after));
    return 0;
}

QtMessageHandler defaultMessageHandler = nullptr;

// The offscreen platform's notes about what it cannot do say nothing about the measurements.
void quietMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.contains(QLatin1String("propagateSizeHints")) ||
        message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
        return;
    defaultMessageHandler(type, context, message);
}

} // namespace

int main(int argc, char* argv[])
{
    // The editor's widgets are built and painted without a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    defaultMessageHandler = qInstallMessageHandler(quietMessageHandler);
    QApplication app(argc, argv);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Times the game file readers and writers on generated games."));
    parser.addHelpOption();
    const QCommandLineOption scalesOption(QStringLiteral("scales"), QStringLiteral("Comma-separated scales."),
                                          QStringLiteral("list"), QStringLiteral("1,10"));
    const QCommandLineOption gamesOption(QStringLiteral("games"),
                                         QStringLiteral("Folder holding scale-N and scale-N-adversarial games."),
                                         QStringLiteral("dir"), QCoreApplication::applicationDirPath() + "/../games");
    const QCommandLineOption cpuTimeOption(
        QStringLiteral("cpu-time"),
        QStringLiteral(
            "Time calls by this thread's CPU time instead of the wall clock: steadier on a shared machine."));
    const QCommandLineOption repeatOption(QStringLiteral("repeat"), QStringLiteral("Samples per median."),
                                          QStringLiteral("n"), QStringLiteral("5"));
    QCommandLineOption peakLoadOption(QString::fromLatin1(peakLoadFlag), QStringLiteral("Internal."),
                                      QStringLiteral("dir"));
    peakLoadOption.setFlags(QCommandLineOption::HiddenFromHelp);
    QCommandLineOption badImportOption(QString::fromLatin1(badImportFlag), QStringLiteral("Internal."),
                                       QStringLiteral("file"));
    badImportOption.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOptions({scalesOption, gamesOption, repeatOption, cpuTimeOption, peakLoadOption, badImportOption});
    parser.process(app);

    // Nothing may wait for a person: no directory dialog, no save question.
    Prompts::setDirectoryPicker([](QWidget*, const QString&, const QString&) { return QString(); });
    Prompts::setSaveQuestion([](QWidget*) { return Prompts::SaveAnswer::Discard; });
    Prompts::setDialogRunner([](QDialog&) { return false; });

    if (parser.isSet(peakLoadOption))
        return peakLoad(parser.value(peakLoadOption));
    if (parser.isSet(badImportOption))
        return badImport(parser.value(badImportOption));
#ifdef Q_OS_LINUX
    timeByCpu = parser.isSet(cpuTimeOption);
#endif

    QList<int> scales;
    for (const QString& field : parser.value(scalesOption).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int scale = field.trimmed().toInt(&ok);
        if (!ok || scale < 1) {
            std::fprintf(stderr, "gamedata-bench: bad scale '%s'\n", qPrintable(field));
            return 2;
        }
        scales.append(scale);
    }
    bool repeatOk = false;
    const int samples = parser.value(repeatOption).toInt(&repeatOk);
    if (!repeatOk || samples < 1) {
        std::fprintf(stderr, "gamedata-bench: --repeat needs a positive number\n");
        return 2;
    }
    return Bench(parser.value(gamesOption), scales, samples).run();
}
