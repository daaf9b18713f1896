#include "app/FormIdiomaInicial.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <utility>

FormIdiomaInicial::FormIdiomaInicial(LanguageChosen onChosen, QWidget *parent)
    : QDialog(parent), m_onChosen(std::move(onChosen)), Picture1(new QLabel(this)),
      Option1(new QRadioButton(QStringLiteral("English"), this)),
      Option2(new QRadioButton(QStringLiteral("Español"), this)),
      Command1(new QPushButton(QStringLiteral("Ok"), this))
{
    setObjectName(QStringLiteral("FormIdiomaInicial"));
    setWindowTitle(QStringLiteral("Tesselon"));
    setModal(true);

    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setPixmap(builtInPicture());
    Option1->setObjectName(QStringLiteral("Option1"));
    Option2->setObjectName(QStringLiteral("Option2"));
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setEnabled(false);
    Command1->setDefault(true);

    auto *choices = new QVBoxLayout;
    choices->addWidget(Option1);
    choices->addWidget(Option2);
    choices->addStretch();
    choices->addWidget(Command1);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(Picture1, 0, Qt::AlignTop);
    layout->addLayout(choices);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Arrow keys check an option without a click, so the button follows the checked state.
    connect(Option1, &QRadioButton::toggled, this, &FormIdiomaInicial::Option_Click);
    connect(Option2, &QRadioButton::toggled, this, &FormIdiomaInicial::Option_Click);
    connect(Command1, &QPushButton::clicked, this, &FormIdiomaInicial::Command1_Click);
}

void FormIdiomaInicial::Option_Click(bool checked)
{
    if (checked)
        Command1->setEnabled(true);
}

void FormIdiomaInicial::Command1_Click()
{
    qint16 language = -1;
    if (Option1->isChecked())
        language = 0;
    else if (Option2->isChecked())
        language = 1;
    if (language >= 0 && m_onChosen)
        m_onChosen(language);
    accept();
}

QPixmap FormIdiomaInicial::builtInPicture()
{
    constexpr int tile = 28;
    constexpr int gap = 2;
    QPixmap pixmap(2 * tile + 3 * gap + tile / 2, 2 * tile + 3 * gap + tile / 2);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    const QColor colours[4] = {QColor(0x2e, 0x6f, 0xb7), QColor(0x3c, 0xa3, 0x5b), QColor(0xe8, 0x9a, 0x2c),
                               QColor(0xc8, 0x3b, 0x3b)};
    for (int i = 0; i < 4; ++i) {
        QPoint corner(gap + (i % 2) * (tile + gap), gap + (i / 2) * (tile + gap));
        // The last piece lies out of place, waiting to be moved home.
        if (i == 3)
            corner += QPoint(tile / 2, tile / 2);
        const QRect piece(corner, QSize(tile, tile));
        painter.fillRect(piece, colours[i]);
        painter.setPen(QPen(Qt::black, 1));
        painter.drawRect(piece.adjusted(0, 0, -1, -1));
    }
    return pixmap;
}
