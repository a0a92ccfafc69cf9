#pragma once

#include "gamedata/gametables.h"

#include <QTableWidget>

// The list of the game's stories, by name; a double click, or Enter on the current row, chooses one.
class StoryList : public QTableWidget
{
    Q_OBJECT

public:
    explicit StoryList(QWidget* parent = nullptr);

    void fill(const StoryCatalogue& stories);
    // Selects the row of the story with this number, or none for -1.
    void highlightStory(int number);

signals:
    // The story with this number in the catalogue was chosen.
    void storyChosen(int number);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void choose(int row);
};
