#pragma once

#include <QDialog>

class BestResults;
class QPushButton;
class QTableWidget;

// Lists the best game of every puzzle the player has finished, with a thumbnail of its
// picture; any column sorts, and a chosen entry can be removed.
class BestResultsWindow : public QDialog
{
    Q_OBJECT
public:
    BestResultsWindow(BestResults &results, qint16 language, QWidget *parent = nullptr);

    void refill();
    QTableWidget *table() const { return m_table; }

private:
    void removeChosen();

    BestResults &m_results;
    qint16 m_language;
    QTableWidget *m_table = nullptr;
    QPushButton *m_remove = nullptr;
};
