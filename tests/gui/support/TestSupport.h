#pragma once

#include "gui/Unit1.h"
#include "widgets/MessageBoxes.h"

#include "dataset/Query.h"
#include "widgets/DbGrid.h"

#include <QList>
#include <QPushButton>
#include <QSignalSpy>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>

// Answers message boxes from a script and records every box shown, so that no
// test ever blocks on a modal window.
class ScriptedBoxes : public MessageBoxes {
public:
    BoxResult show(const BoxRequest& request) override;
    void answer(BoxResult result) { m_answers.append(result); }
    QStringList texts() const; // the texts of the boxes shown, in order
    QList<BoxRequest> shown;
    // Runs as each box is shown, to look at the window at that moment.
    std::function<void(const BoxRequest&)> onShow;

private:
    QList<BoxResult> m_answers;
};

// A temporary program folder with razyg.ini and a fresh database, and the main
// window started on it.
class TestApp {
public:
    TestApp();
    ~TestApp();
    QString dir() const { return m_dir.path(); }
    QString dbPath() const;

    // Runs SQL on the database file directly (outside the program).
    void sql(const QString& statements) const;
    QVariant scalar(const QString& query) const;
    int draws() const; // rows of razyg
    int bets() const;  // rows of Rate
    // Stores a draw the way the import does: sorted balls, drawn order as given.
    void addDraw(int tir, std::initializer_list<int> drawn, int ch6 = 0, int ch5 = 0) const;

    // Creates the window and runs its start-up.
    TForm1& start();
    TForm1& form() { return *m_form; }
    ScriptedBoxes boxes;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<TForm1> m_form;
};

// Lists of texts for expectations: strings({"5", "12"}), numbers({5, 12}),
// numberRange(1, 49).
QStringList strings(std::initializer_list<const char*> items);
QStringList numbers(std::initializer_list<int> values);
QStringList numberRange(int from, int to);

// Texts of the six ball fields.
QStringList ballFields(const TForm1& form);
// Ball numbers whose panels are red.
QList<int> litBalls(const TForm1& form);
// A part of a grid by name: "cells", "title row", "row indicator", "corner",
// "vertical scroll bar", "horizontal scroll bar"; any other name gives the grid.
QWidget* gridPart(DbGrid* grid, const QString& part);
// Column of the current query's rows, as text.
QStringList column(const Query* query, const QString& field);
