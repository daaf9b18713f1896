#include "about/HelpWindow.h"

#include "about/ChmArchive.h"
#include "about/HelpBrowser.h"
#include "settings/ModuloIdioma.h"
#include "settings/comun.h"

#include <QAction>
#include <QIcon>
#include <QKeySequence>
#include <QStyle>
#include <QToolBar>

namespace
{
const char *const context = "HelpWindow";
const char *const backText = QT_TRANSLATE_NOOP("HelpWindow", "Back");
const char *const forwardText = QT_TRANSLATE_NOOP("HelpWindow", "Forward");
const char *const homeText = QT_TRANSLATE_NOOP("HelpWindow", "Home");
} // namespace

HelpWindow::HelpWindow(QWidget *parent) : QMainWindow(parent), m_browser(new HelpBrowser(this))
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Tesselon"));
    setWindowIcon(comun::windowIcon());
    setCentralWidget(m_browser);
    m_browser->setObjectName(QStringLiteral("helpBrowser"));

    QToolBar *bar = addToolBar(QString());
    bar->setObjectName(QStringLiteral("helpToolBar"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_back = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QString(), m_browser,
                            &QTextBrowser::backward);
    m_forward = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), QString(), m_browser,
                               &QTextBrowser::forward);
    m_home = bar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), QString(), m_browser,
                            &QTextBrowser::home);
    m_back->setShortcut(QKeySequence::Back);
    m_forward->setShortcut(QKeySequence::Forward);
    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::showTitle);

    setIdioma(ModuloIdioma::idioma());
    resize(760, 620);
}

bool HelpWindow::openTopic(const QString &helpFile, const QString &topic)
{
    if (!m_browser->openTopic(std::make_unique<ChmArchive>(helpFile), topic))
        return false;
    showTitle();
    return true;
}

void HelpWindow::setIdioma(qint16 language)
{
    m_back->setText(ModuloIdioma::text(language, context, backText));
    m_forward->setText(ModuloIdioma::text(language, context, forwardText));
    m_home->setText(ModuloIdioma::text(language, context, homeText));
}

QString HelpWindow::helpFile() const
{
    return m_browser->archive() ? m_browser->archive()->fileName() : QString();
}

void HelpWindow::showTitle()
{
    const QString title = m_browser->documentTitle().simplified();
    setWindowTitle(title.isEmpty() ? QStringLiteral("Tesselon") : title);
}
