#include "app/BestResultsWindow.h"

#include "game/BestResults.h"
#include "game/PlayClock.h"
#include "settings/ModuloIdioma.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QIcon>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace
{
const char *const Ctx = "BestResultsWindow";
enum Column { Picture, Grid, Style, Moves, Time, Games, When, ColumnCount };

// Sorts by the value kept under Qt::UserRole, so times and counts sort as numbers.
class SortItem : public QTableWidgetItem
{
public:
    SortItem(const QString &text, const QVariant &key) : QTableWidgetItem(text)
    {
        setData(Qt::UserRole, key);
    }
    bool operator<(const QTableWidgetItem &other) const override
    {
        return QVariant::compare(data(Qt::UserRole), other.data(Qt::UserRole)) < 0;
    }
};
} // namespace

BestResultsWindow::BestResultsWindow(BestResults &results, qint16 language, QWidget *parent)
    : QDialog(parent), m_results(results), m_language(language)
{
    setObjectName(QStringLiteral("BestResultsWindow"));
    const auto tr = [language](const char *text) { return ModuloIdioma::text(language, Ctx, text); };
    setWindowTitle(tr(QT_TRANSLATE_NOOP("BestResultsWindow", "Best results")));
    m_table = new QTableWidget(0, ColumnCount, this);
    m_table->setObjectName(QStringLiteral("results"));
    m_table->setAccessibleName(windowTitle());
    m_table->setHorizontalHeaderLabels({tr(QT_TRANSLATE_NOOP("BestResultsWindow", "Picture")),
                                        tr(QT_TRANSLATE_NOOP("BestResultsWindow", "Pieces")),
                                        tr(QT_TRANSLATE_NOOP("BestResultsWindow", "Style")),
                                        tr(QT_TRANSLATE_NOOP("BestResultsWindow", "Movements")),
                                        tr(QT_TRANSLATE_NOOP("BestResultsWindow", "Time")),
                                        tr(QT_TRANSLATE_NOOP("BestResultsWindow", "Games")),
                                        tr(QT_TRANSLATE_NOOP("BestResultsWindow", "Date"))});
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setIconSize(QSize(48, 48));
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setStretchLastSection(true);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(tr(QT_TRANSLATE_NOOP("BestResultsWindow", "Close")));
    m_remove = buttons->addButton(tr(QT_TRANSLATE_NOOP("BestResultsWindow", "Remove")),
                                  QDialogButtonBox::ActionRole);
    m_remove->setObjectName(QStringLiteral("remove"));
    connect(m_remove, &QPushButton::clicked, this, &BestResultsWindow::removeChosen);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_table, &QTableWidget::itemSelectionChanged, this,
            [this] { m_remove->setEnabled(!m_table->selectedItems().isEmpty()); });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addWidget(buttons);
    resize(720, 420);
    refill();
}

void BestResultsWindow::refill()
{
    const auto tr = [this](const char *text) { return ModuloIdioma::text(m_language, Ctx, text); };
    m_table->setSortingEnabled(false);
    m_table->setRowCount(0);
    const QVector<BestResult> &entries = m_results.entries();
    const QLocale locale(m_language == ModuloIdioma::Spanish ? QLocale::Spanish : QLocale::English);
    for (int i = 0; i < entries.size(); ++i) {
        const BestResult &r = entries.at(i);
        m_table->insertRow(i);
        auto *picture = new SortItem(r.name, r.name.toLower());
        picture->setIcon(QIcon(m_results.thumbnailPath(r.picture)));
        // The entry's place in the list survives any sorting of the rows.
        picture->setData(Qt::UserRole + 1, i);
        m_table->setItem(i, Picture, picture);
        m_table->setItem(
            i, Grid, new SortItem(QStringLiteral("%1x%2").arg(r.columns).arg(r.rows), r.columns * r.rows));
        m_table->setItem(i, Style,
                         new SortItem(r.sliding ? tr(QT_TRANSLATE_NOOP("BestResultsWindow", "Difficult"))
                                                : tr(QT_TRANSLATE_NOOP("BestResultsWindow", "Normal")),
                                      int(r.sliding)));
        m_table->setItem(i, Moves, new SortItem(QString::number(r.moves), r.moves));
        m_table->setItem(i, Time, new SortItem(PlayClock::format(r.timeMs), r.timeMs));
        m_table->setItem(i, Games, new SortItem(QString::number(r.games), r.games));
        m_table->setItem(i, When,
                         new SortItem(locale.toString(r.when.toLocalTime(), QLocale::ShortFormat), r.when));
    }
    m_table->setSortingEnabled(true);
    m_remove->setEnabled(false);
}

void BestResultsWindow::removeChosen()
{
    const QList<QTableWidgetItem *> chosen = m_table->selectedItems();
    if (chosen.isEmpty())
        return;
    const int index = m_table->item(chosen.first()->row(), Picture)->data(Qt::UserRole + 1).toInt();
    m_results.remove(index);
    refill();
}
