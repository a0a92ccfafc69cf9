#pragma once
// Driving the editor window the way a user does and reading what it shows, for the GUI tests.

#include "app/mainwindow.h"
#include "document/gamedocument.h"
#include "testsupport.h"
#include "widgets/prompts.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

namespace TestSupport {

// The editor as main() builds it, in the current directory: the document and its window.
struct Editor
{
    Editor() : window(std::make_unique<MainWindow>(&document)) { window->resize(1200, 800); }

    GameDocument document;
    std::unique_ptr<MainWindow> window;
};

template <typename T = QTableWidget> T* child(const QWidget* window, const char* name)
{
    return window->findChild<T*>(QLatin1String(name));
}

inline QString message(const QWidget* window)
{
    return child<QLabel>(window, "messageLabel")->text();
}

inline QString status(const QWidget* window)
{
    return child<QStatusBar>(window, "statusBar")->currentMessage();
}

inline void press(const QWidget* window, const char* button)
{
    QTest::mousePress(child<QWidget>(window, button), Qt::LeftButton);
}

inline void clickTab(const QWidget* window, int index)
{
    QTabBar* tabs = window->findChild<QTabWidget*>()->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
}

inline QStringList rowTexts(const QTableWidget* table, int row)
{
    QStringList texts;
    for (int column = 0; column < table->columnCount(); ++column)
        texts += table->item(row, column) ? table->item(row, column)->text() : QString();
    return texts;
}

inline QStringList columnTexts(const QTableWidget* table, int column)
{
    QStringList texts;
    for (int row = 0; row < table->rowCount(); ++row)
        texts += table->item(row, column) ? table->item(row, column)->text() : QString();
    return texts;
}

inline int rowOfId(const QTableWidget* table, const QString& id)
{
    return columnTexts(table, 0).indexOf(id);
}

// Clicks the cell in the row of the id (column 0's text).
inline void clickCell(QTableWidget* table, const QString& id, int column = 1, bool doubleClick = false)
{
    const QTableWidgetItem* cell = table->item(rowOfId(table, id), column);
    QVERIFY2(cell, qPrintable(id));
    table->scrollToItem(cell);
    const QPoint centre = table->visualItemRect(cell).center();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    if (doubleClick)
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
}

// Shows the story list if need be and double-clicks the story.
inline void chooseStory(QWidget* window, const QString& name)
{
    if (!child(window, "storyList")->isVisible())
        press(window, "storyButton");
    clickCell(child(window, "storyList"), name, 0, true);
}

// Opens the table's own editor on the cell of the id's row.
inline QLineEdit* openCellEditor(QTableWidget* table, const QString& id, int column)
{
    table->setCurrentCell(rowOfId(table, id), column);
    table->editItem(table->currentItem());
    for (QLineEdit* open : table->viewport()->findChildren<QLineEdit*>()) {
        if (open->isVisible())
            return open;
    }
    return nullptr;
}

// Types into the cell of the id's row through the table's own editor and presses Return.
inline void editCell(QTableWidget* table, const QString& id, int column, const QString& text)
{
    QVERIFY2(rowOfId(table, id) >= 0, qPrintable(id));
    QLineEdit* editor = openCellEditor(table, id, column);
    QVERIFY(editor);
    // Typed as keys, so that the editor's own rules on what it takes apply.
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Delete);
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    // The delegate commits the text on the next turn of the event loop.
    QCoreApplication::processEvents();
}

// What the window system sends on a right click in the id's row, or below the last row for an empty id.
inline void rightClick(QTableWidget* table, const QString& id)
{
    const int last = table->rowCount() - 1;
    QPoint at(5, table->rowViewportPosition(last) + table->rowHeight(last) + 5);
    if (!id.isEmpty()) {
        table->scrollToItem(table->item(rowOfId(table, id), 0));
        at = table->visualItemRect(table->item(rowOfId(table, id), 0)).center();
    }
    QContextMenuEvent event(QContextMenuEvent::Mouse, at);
    QApplication::sendEvent(table->viewport(), &event);
}

// Opens the table's context menu on the cell and picks the enabled entry with that text.
inline void pickFromMenu(QTableWidget* table, const QTableWidgetItem* cell, const QString& entry)
{
    bool picked = false;
    QTimer::singleShot(0, table, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        for (QAction* action : menu ? menu->actions() : QList<QAction*>()) {
            if (action->text() == entry && action->isEnabled()) {
                action->trigger();
                picked = true;
            }
        }
        if (menu)
            menu->close();
    });
    emit table->customContextMenuRequested(table->visualItemRect(cell).center());
    QVERIFY2(picked, qPrintable(entry));
    QApplication::setActiveWindow(table->window());
}

// The editor on a copy of the sample game, shown, with its first story chosen.
struct OpenEditor
{
    GameCopy game;
    Editor editor;
    MainWindow* w = editor.window.get();
    GameDocument* doc = &editor.document;

    OpenEditor()
    {
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        chooseStory(w, QStringLiteral("群雄割据"));
    }
    QByteArray bytes(const char* file) const { return readBytes(game.gameFile(QLatin1String(file))); }
};

} // namespace TestSupport
