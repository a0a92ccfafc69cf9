// Drives the editor the way a user would and saves a picture of the window.
//   editor-screenshot SCENE OUT.png      (run in a folder holding config.ini, as the editor itself)
// Scenes: start (the window after loading), army (a story chosen and an army type clicked),
// city (the city tab with a city clicked and a search typed), bulk (the army table filtered, a block of
// statistics selected and "批量修改…" open over it).
#include "app/mywindow.h"
#include "app/prompts.h"
#include "app/widget.h"
#include "app/windowplacement.h"

#include <QApplication>
#include <QDialog>
#include <QGridLayout>
#include <QLineEdit>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include <cstdio>

namespace {

void settle()
{
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
        QTest::qWait(50);
    }
}

void clickRow(QTableWidget* table, int row, int column, bool doubleClick = false)
{
    table->scrollToItem(table->item(row, column));
    const QPoint centre = table->visualItemRect(table->item(row, column)).center();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    if (doubleClick)
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    settle();
}

// The first row whose column holds the text.
int rowOf(QTableWidget* table, int column, const QString& text)
{
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->item(row, column) && table->item(row, column)->text() == text)
            return row;
    }
    return 0;
}

// The window and whatever stands over it, as on the screen.
bool savePicture(const QWidget& window, const char* path)
{
    const QPixmap picture = window.screen()->grabWindow(0, window.x(), window.y(), window.width(), window.height());
    if (picture.save(QString::fromLocal8Bit(path)))
        return true;
    std::fprintf(stderr, "could not save %s\n", path);
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: editor-screenshot start|army|city|bulk OUT.png\n");
        return 2;
    }
    const QString scene = QString::fromLocal8Bit(argv[1]);

    auto* backgroundWindow = new MyWindow;
    backgroundWindow->setObjectName(QStringLiteral("mainUI"));
    auto* windowLayout = new QGridLayout;
    backgroundWindow->setLayout(windowLayout);
    Widget window(backgroundWindow, windowLayout);
    window.resize(1200, 800);
    window.move(centredPosition(QGuiApplication::primaryScreen()->availableGeometry(), window.size()));
    window.show();
    settle();

    if (scene != QLatin1String("start")) {
        auto* stories = window.findChild<QTableWidget*>(QStringLiteral("storyList"));
        clickRow(stories, 0, 0, true);
    }
    if (scene == QLatin1String("army")) {
        auto* army = window.findChild<QTableWidget*>(QStringLiteral("armyInfoTable"));
        clickRow(army, rowOf(army, 1, QStringLiteral("岚戈骑兵")), 2);
        // A far range above 7, typed into the skill table, then another skill clicked so the mark shows.
        auto* skills = window.findChild<QTableWidget*>(QStringLiteral("armySkillTable"));
        const int skill = rowOf(skills, 0, QStringLiteral("311"));
        skills->setCurrentCell(skill, 2);
        skills->editItem(skills->item(skill, 2));
        for (auto* editor : skills->viewport()->findChildren<QLineEdit*>()) {
            if (editor->isVisible()) {
                editor->setText(QStringLiteral("8"));
                QTest::keyClick(editor, Qt::Key_Return);
            }
        }
        settle();
        clickRow(skills, rowOf(skills, 0, QStringLiteral("301")), 1);
    }
    if (scene == QLatin1String("city")) {
        auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("tabWidget"));
        const QPoint cityTab = tabs->tabBar()->tabRect(1).center();
        QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, Qt::NoModifier, cityTab);
        tabs->setCurrentIndex(1);
        settle();
        auto* cities = window.findChild<QTableWidget*>(QStringLiteral("cityTable"));
        clickRow(cities, qMin(2, cities->rowCount() - 1), 1);
        if (auto* search = window.findChild<QLineEdit*>(QStringLiteral("specialtySearch"))) {
            search->setText(QStringLiteral("铁"));
            QTest::keyClick(search, Qt::Key_Return);
            settle();
        }
    }

    if (scene == QLatin1String("bulk")) {
        auto* army = window.findChild<QTableWidget*>(QStringLiteral("armyInfoTable"));
        auto* search = window.findChild<QLineEdit*>(QStringLiteral("armyInfoTableSearch"));
        search->insert(QStringLiteral("骑")); // as an input method types it
        settle();
        // The melee attack and both defences of every army type in view.
        QList<int> shown;
        for (int row = 0; row < army->rowCount(); ++row) {
            if (!army->isRowHidden(row))
                shown.append(row);
        }
        if (shown.isEmpty())
            return 1;
        clickRow(army, shown.first(), 3);
        QTest::mouseClick(army->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                          army->visualItemRect(army->item(shown.last(), 5)).center());
        settle();
        // The dialog is shown as the user sees it, +10 % chosen, and pictured before it is answered.
        bool saved = false;
        Prompts::setDialogRunner([&](QDialog& dialog) {
            dialog.findChild<QSpinBox*>(QStringLiteral("bulkAmount"))->setValue(110);
            // Below the rows in view, so that the selection shows beside the dialog.
            dialog.move(window.mapToGlobal(QPoint(150, 320)));
            dialog.show();
            settle();
            saved = savePicture(window, argv[2]);
            return false;
        });
        window.bulkEdit(RecordKind::ArmyType);
        return saved ? 0 : 1;
    }

    settle();
    return savePicture(window, argv[2]) ? 0 : 1;
}
