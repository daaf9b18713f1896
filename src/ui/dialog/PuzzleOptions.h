#pragma once

#include <QObject>
#include <QtGlobal>

class QGroupBox;
class QLabel;
class QListWidget;
class QRadioButton;
class QWidget;

// The grid and style choices of the new-puzzle dialog: the lists of column and row
// counts with their piece-count summary, and the two styles with their explanation.
class PuzzleOptions : public QObject
{
    Q_OBJECT

public:
    // Creates the captions LabelColumns and LabelRows, then ListX, ListY, Label2, Frame2, OptionNormal,
    // OptionDificil and Label3, in that order, inside the dialog; the lists hold the counts 2 to 30.
    explicit PuzzleOptions(QWidget *dialog);

    QLabel *LabelColumns = nullptr;
    QLabel *LabelRows = nullptr;
    QListWidget *ListX = nullptr;
    QListWidget *ListY = nullptr;
    QLabel *Label2 = nullptr;
    QGroupBox *Frame2 = nullptr;
    QRadioButton *OptionNormal = nullptr;
    QRadioButton *OptionDificil = nullptr;
    QLabel *Label3 = nullptr;

    void setCaptions(qint16 language);
    // Describes the current choice in the current language.
    void describeChoice();

    void fillCounts();
    // Selects a count, brought into the offered range.
    void selectCount(QListWidget *list, int count);
    // The count a list has selected; 0 when none is.
    int selectedCount(const QListWidget *list) const;
    void setOptions(bool dificil);
    bool dificil() const;
    void setEnabled(bool enabled);

private:
    void ListX_Click();
    void styleExplanation();
};
