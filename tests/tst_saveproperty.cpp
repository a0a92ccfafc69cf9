// The save's promise on a few hundred mutated sample games, drawn from a fixed seed: the fuzz target fuzz_save
// runs the same check on the inputs libFuzzer makes.
#include "saveproperty.h"

#include <QRandomGenerator>
#include <QTest>

class SavePropertyTest : public QObject
{
    Q_OBJECT

private slots:
    void savesWhatTheScreenShows()
    {
        // SAVE_INPUT replays one input, in hexadecimal as a failure prints it.
        const QByteArray replay = QByteArray::fromHex(qgetenv("SAVE_INPUT"));
        QRandomGenerator random(21);
        for (int n = 0; n < (replay.isEmpty() ? 200 : 1); ++n) {
            QByteArray input(96, Qt::Uninitialized);
            random.fillRange(reinterpret_cast<quint32*>(input.data()), input.size() / 4);
            if (!replay.isEmpty())
                input = replay;
            const QString broken =
                SaveProperty::check(reinterpret_cast<const uint8_t*>(input.constData()), size_t(input.size()));
            QVERIFY2(broken.isEmpty(), qPrintable(input.toHex() + '\n' + broken));
        }
    }
};

QTEST_GUILESS_MAIN(SavePropertyTest)
#include "tst_saveproperty.moc"
