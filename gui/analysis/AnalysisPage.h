#pragma once

#include "analysis/TextTable.h"
#include "draws/StoredDraws.h"

#include <QWidget>
#include <memory>

class AnalysisModel;
class BallChart;
class Connection;
class QComboBox;
class QTableView;
class QVBoxLayout;

// What the pages of the analysis window read. The draw history is read once
// per change of the data and shared by the pages that need it (a page
// working on it in the background keeps it while the next is read).
class AnalysisSource {
public:
    explicit AnalysisSource(Connection& connection) : m_connection(connection) {}
    Connection& connection() { return m_connection; }
    std::shared_ptr<const Draws::History> draws();
    void forget() { m_draws.reset(); } // the data changed

private:
    Connection& m_connection;
    std::shared_ptr<const Draws::History> m_draws;
};

// One tab of the analysis window: a table computed from the database, which
// can be saved as CSV in the order shown.
class AnalysisPage : public QWidget {
    Q_OBJECT
public:
    // Makes the page's table: its rows and a sortable view whose columns share
    // the width, none narrower than its title; the page places the view in its
    // layout.
    explicit AnalysisPage(QWidget* parent = nullptr);
    virtual void recompute(AnalysisSource& source) = 0;
    virtual Analysis::TextTable exportTable() const = 0;
    virtual QString exportName() const = 0; // suggested file name
    // The page's chart, saved as PNG by the window; none on a page without one.
    virtual QWidget* chartView() const { return nullptr; }

    AnalysisModel* model() const { return m_model; }
    QTableView* tableView() const { return m_view; }

Q_SIGNALS:
    // A choice on the page changed what it shows: compute it again.
    void optionsChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A page taller than a small screen lays its controls out in the layout
    // returned, which scrolls within the page when the window is lower.
    QVBoxLayout* scrollingLayout();

private:
    void fitColumns();
    AnalysisModel* m_model;
    QTableView* m_view;
};

// A choice of the newest 10, 25, 50 or 100 draws or all of them; the item
// data is N (0 for all).
QComboBox* createLastNBox(int initialN, QWidget* parent);
// The N chosen (0 for all).
int chosenLastN(const QComboBox* box);
