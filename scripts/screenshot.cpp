// Drives the editor the way a user would and saves a picture of the window.
//   editor-screenshot SCENE OUT.png      (run in a folder holding config.ini, as the editor itself)
// The window opens as the editor's does: the default size or the screen's available area, whichever is
// smaller. On a scaled screen (QT_SCALE_FACTOR=2) the picture has the screen's pixels.
// Scenes: start (the window after loading), army (a story chosen and an army type clicked),
// city (the city tab with a city clicked and a search typed), pending (a few marked edits and the list
// of pending changes open), bulk (the army table filtered, a block of statistics selected and "批量修改…"
// open over it).
#include "app/editorresources.h"
#include "app/mainwindow.h"
#include "document/gamedocument.h"
#include "views/recordtableview.h"
#include "widgets/prompts.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QScreen>
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
    setApplicationAttributes();
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: editor-screenshot start|army|city|pending|bulk OUT.png\n");
        return 2;
    }
    const QString scene = QString::fromLocal8Bit(argv[1]);

    GameDocument document;
    MainWindow window(&document);
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
    if (scene == QLatin1String("pending")) {
        auto* army = window.findChild<QTableWidget*>(QStringLiteral("armyInfoTable"));
        const auto type = [&](QTableWidget* table, int row, int column, const QString& text) {
            table->setCurrentCell(row, column);
            table->editItem(table->item(row, column));
            for (auto* editor : table->viewport()->findChildren<QLineEdit*>()) {
                if (editor->isVisible()) {
                    editor->setText(text);
                    QTest::keyClick(editor, Qt::Key_Return);
                }
            }
            settle();
        };
        type(army, rowOf(army, 0, QStringLiteral("1")), 3, QStringLiteral("66"));
        type(army, rowOf(army, 0, QStringLiteral("3")), 2, QStringLiteral("52"));
        type(army, rowOf(army, 0, QStringLiteral("3")), 7, QStringLiteral("4"));
        clickRow(army, rowOf(army, 1, QStringLiteral("岚戈骑兵")), 1);
        auto* skills = window.findChild<QTableWidget*>(QStringLiteral("armySkillTable"));
        type(skills, rowOf(skills, 0, QStringLiteral("301")), 3, QStringLiteral("3"));
        clickRow(army, rowOf(army, 0, QStringLiteral("5")), 1);
        QTest::mousePress(window.findChild<QWidget*>(QStringLiteral("changesButton")), Qt::LeftButton);
        settle();
        if (auto* pending = window.findChild<QWidget*>(QStringLiteral("pendingChangesDialog")))
            pending->move(window.geometry().right() - pending->frameGeometry().width() - 40,
                          window.geometry().bottom() - pending->frameGeometry().height() - 60);
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
            dialog.findChild<QLineEdit*>(QStringLiteral("bulkAmount"))->setText(QStringLiteral("110"));
            // Below the rows in view, so that the selection shows beside the dialog.
            dialog.move(window.mapToGlobal(QPoint(150, 320)));
            dialog.show();
            settle();
            saved = savePicture(window, argv[2]);
            return false;
        });
        army->findChild<RecordTableView*>()->bulkEdit();
        return saved ? 0 : 1;
    }

    settle();
    return savePicture(window, argv[2]) ? 0 : 1;
}
