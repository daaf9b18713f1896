#include "app/GameKeeper.h"

#include "PuzzlePictures.h"
#include "app/BestResultsWindow.h"
#include "app/BoardView.h"
#include "app/MainActions.h"
#include "app/StatusPanels.h"
#include "app/tess2mainform.h"
#include "board/GridRange.h"
#include "dialog/DialogRules.h"
#include "io/UnixSignalWatcher.h"
#include "puzzlefile/SalvarLeerPuzzle2.h"
#include "settings/ModuloIdioma.h"
#include "settings/StateFolders.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QSaveFile>
#include <QStatusBar>

namespace
{

const char *const Ctx = "GameKeeper";

QByteArray readAll(const QString &path, qint64 limit)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > limit)
        return QByteArray();
    return file.readAll();
}

} // namespace

GameKeeper::GameKeeper(tess2mainform &window)
    : m_window(window), m_session(window.session()), m_writer(StateFolders::stateFolder()),
      m_results(StateFolders::resultsFolder())
{
    m_timePanel = window.statusPanels()->addPanel(QStringLiteral("Panel7"));
    m_notice = new QLabel(window.statusBar());
    m_notice->setObjectName(QStringLiteral("KeeperNotice"));
    window.statusBar()->addPermanentWidget(m_notice);
    m_notice->hide();
    m_noticeTimer.setSingleShot(true);
    connect(&m_noticeTimer, &QTimer::timeout, m_notice, &QLabel::hide);

    MainActions *a = window.actions();
    m_bestAction = new QAction(a->m_menuArchivo);
    m_bestAction->setObjectName(QStringLiteral("M_Mejores_Resultados"));
    m_bestAction->setText(ModuloIdioma::text("BestResultsWindow", "Best results"));
    a->m_menuArchivo->insertAction(a->m_actSalir, m_bestAction);
    // The menu's captions change with the language; this one follows when the menu opens.
    connect(a->m_menuArchivo, &QMenu::aboutToShow, this,
            [this] { m_bestAction->setText(ModuloIdioma::text("BestResultsWindow", "Best results")); });
    connect(m_bestAction, &QAction::triggered, this, &GameKeeper::showBestResults);

    connect(&m_session, &GameSession::started, this, &GameKeeper::onStarted);
    connect(&m_session, &GameSession::stateChanged, this, &GameKeeper::onStateChanged);
    connect(&m_session, &GameSession::statusChanged, this, &GameKeeper::scheduleSave);
    connect(&m_writer, &AutosaveWriter::failed, this, [this](const QString &reason) {
        tell(ModuloIdioma::text(Ctx, "Games are not being kept: %1").arg(reason));
    });
    connect(qApp, &QGuiApplication::commitDataRequest, this, &GameKeeper::flush);
    connect(qApp, &QCoreApplication::aboutToQuit, this, &GameKeeper::flush);
    connect(new UnixSignalWatcher(this), &UnixSignalWatcher::terminationRequested, this,
            &GameKeeper::terminate);
    m_tick.setInterval(1000);
    connect(&m_tick, &QTimer::timeout, this, &GameKeeper::refreshTime);
    window.installEventFilter(this);

    const QString folder = StateFolders::stateFolder();
    // A folder that cannot be written also refuses the lock: that is no second copy.
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isWritable())
        tell(ModuloIdioma::text(Ctx, "Games are not being kept: %1").arg(QDir::toNativeSeparators(folder)));
    else if (!m_writer.acquire())
        tell(
            ModuloIdioma::text(Ctx, "Another copy of Tesselon is running; this one does not keep its game."));
    m_results.load();
    refreshTime();
}

GameKeeper::~GameKeeper()
{
    flush();
}

bool GameKeeper::resume()
{
    if (!m_writer.active())
        return false;
    const std::optional<AutosaveWriter::Saved> saved = AutosaveWriter::readSaved(StateFolders::stateFolder());
    if (!saved)
        return false;
    // The saved game goes through the same reading as any puzzle file the player opens.
    SalvarLeerPuzzle2 files(puzzlePictures());
    TableroClass board;
    GameSetup setup;
    const SalvarLeerPuzzle2::Result read =
        files.leerPuzzle(m_writer.pzzPath(), board, setup.sliding, &setup.pictureBytes);
    if (read.code != 0 || !GridRange::contains(board.getCasillasX()) ||
        !GridRange::contains(board.getCasillasY())) {
        StateFolders::setAside(m_writer.pzzPath());
        if (QFile::exists(m_writer.sidePath()))
            StateFolders::setAside(m_writer.sidePath());
        return false;
    }
    const QString origin = saved->side ? saved->side->origin : QString();
    // The file the game came from names it while it is still there; otherwise the saved
    // game itself stands in, so a later save can read its picture.
    setup.archivo = !origin.isEmpty() && QFileInfo(origin).isFile() ? origin : m_writer.pzzPath();
    setup.archivoSinPath = QFileInfo(setup.archivo).fileName();
    setup.extension = saved->pzz.extensionText();
    setup.columns = board.getCasillasX();
    setup.rows = board.getCasillasY();
    setup.picture = files.picture();
    setup.board = board;
    m_resuming = true;
    m_window.Nuevopuzzle(setup);
    m_resuming = false;
    if (m_session.state() != GameState::Playing)
        return false;
    if (saved->side)
        restore(*saved->side);
    scheduleSave();
    return true;
}

void GameKeeper::onStarted()
{
    m_pictureBytes = m_session.current().pictureBytes;
    // A picture read from its own file is kept as that file's bytes, never encoded again.
    if (m_pictureBytes.isEmpty() && !DialogRules::isPuzzleFileName(m_session.archivoSinPath()))
        m_pictureBytes = readAll(m_session.archivo(), PzzFile::MaxPictureBytes);
    m_fittedZoom = m_window.boardView()->getZoom();
    m_clock.reset();
    updateClock();
    refreshTime();
    // A resumed game is written again only once its counter and history are back.
    if (m_resuming)
        return;
    restoreContinuedFile();
    scheduleSave();
}

void GameKeeper::onStateChanged(GameState state)
{
    updateClock();
    if (state != GameState::Assembled)
        return;
    m_writer.discard();
    recordResult();
}

void GameKeeper::scheduleSave()
{
    if (m_session.state() == GameState::Playing && m_writer.active() && !m_pictureBytes.isEmpty())
        m_writer.schedule(currentGame());
}

void GameKeeper::flush()
{
    scheduleSave();
    m_writer.flush();
}

SideData GameKeeper::currentSide() const
{
    SideData side;
    side.moves = m_session.moves();
    side.timeMs = m_clock.elapsedMs();
    side.origin = m_session.archivo();
    side.name = m_session.archivoSinPath();
    const float zoom = m_window.boardView()->getZoom();
    side.zoom = zoom == m_fittedZoom ? 0 : zoom;
    side.historyPosition = m_session.historyPosition();
    return side;
}

AutosaveWriter::Game GameKeeper::currentGame() const
{
    AutosaveWriter::Game game;
    PzzFile &pzz = game.pzz;
    m_session.board().getBoard(pzz.homeColumns, pzz.homeRows, pzz.columns, pzz.rows, pzz.fichasX,
                               pzz.fichasY);
    pzz.extension = PzzFile::extensionField(m_session.extension());
    pzz.style = PzzFile::styleValue(m_session.sliding());
    pzz.picture = m_pictureBytes;
    game.side = currentSide();
    game.history = m_session.historyToJsonLater();
    return game;
}

void GameKeeper::restore(const SideData &side)
{
    m_session.restoreKept(side.moves, side.history, side.historyPosition);
    m_clock.reset(side.timeMs);
    if (side.zoom > 0)
        m_window.boardView()->zoomTo(float(side.zoom));
    updateClock();
    refreshTime();
}

QString GameKeeper::keptPath(const QByteArray &pzzBytes)
{
    return StateFolders::stateFolder() + QStringLiteral("/saves/") +
           QString::fromLatin1(SideData::hashOf(pzzBytes)) + QStringLiteral(".json");
}

void GameKeeper::keepSaved(const QString &path)
{
    const QByteArray bytes = readAll(path, PzzFile::MaxFileBytes);
    PzzFile pzz;
    if (PzzFile::read(bytes, pzz) != PzzFile::Check::Ok)
        return;
    SideData side = currentSide();
    side.history = m_session.historyToJson();
    side.pzzSha256 = SideData::hashOf(bytes);
    side.origin = path;
    const QString kept = keptPath(bytes);
    QDir().mkpath(QFileInfo(kept).path());
    QSaveFile file(kept);
    const QByteArray data = side.toBytes();
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit())
        tell(ModuloIdioma::text(Ctx, "Games are not being kept: %1").arg(QDir::toNativeSeparators(kept)));
}

// A puzzle file the player saved earlier brings back its counter, time and history. A
// board the game carried over from the one in play already has its own counter.
void GameKeeper::restoreContinuedFile()
{
    if (!DialogRules::isPuzzleFileName(m_session.archivoSinPath()) || m_session.moves() != 0)
        return;
    const QByteArray bytes = readAll(m_session.archivo(), PzzFile::MaxFileBytes);
    const QString kept = keptPath(bytes);
    if (bytes.isEmpty() || !QFile::exists(kept))
        return;
    const std::optional<SideData> side = SideData::fromBytes(readAll(kept, 64 * 1024 * 1024));
    if (!side || side->pzzSha256 != SideData::hashOf(bytes)) {
        StateFolders::setAside(kept);
        return;
    }
    restore(*side);
}

bool GameKeeper::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ActivationChange:
    case QEvent::WindowStateChange:
    case QEvent::Show:
    case QEvent::Hide:
        updateClock();
        break;
    case QEvent::Close:
        flush();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

// The time counts only while the player can see and use the board.
void GameKeeper::updateClock()
{
    const bool run = m_session.state() == GameState::Playing && m_window.isVisible() &&
                     m_window.isActiveWindow() && !m_window.isMinimized();
    if (run && !m_clock.running())
        m_clock.start();
    else if (!run && m_clock.running())
        m_clock.pause();
    if (run)
        m_tick.start();
    else
        m_tick.stop();
    refreshTime();
}

void GameKeeper::refreshTime()
{
    m_timePanel->setText(m_session.state() == GameState::NoPicture ? QString()
                                                                   : PlayClock::format(m_clock.elapsedMs()));
}

void GameKeeper::recordResult()
{
    BestResult game;
    game.picture = BestResults::pictureKey(
        !m_pictureBytes.isEmpty()
            ? m_pictureBytes
            : QByteArray::fromRawData(reinterpret_cast<const char *>(m_session.sourcePicture().constBits()),
                                      int(m_session.sourcePicture().sizeInBytes())));
    game.name = m_session.archivoSinPath();
    game.columns = m_session.columns();
    game.rows = m_session.rows();
    game.sliding = m_session.sliding();
    game.moves = m_session.moves();
    game.timeMs = m_clock.elapsedMs();
    game.when = QDateTime::currentDateTime();
    bool saved = true;
    const BestResults::Comparison c = m_results.record(game, m_session.sourcePicture(), &saved);
    tell(BestResults::comparisonText(ModuloIdioma::idioma(), c, game.moves, game.timeMs));
    if (!saved)
        tell(ModuloIdioma::text(Ctx, "Games are not being kept: %1")
                 .arg(QDir::toNativeSeparators(m_results.filePath())));
    if (m_bestWindow)
        m_bestWindow->refill();
}

void GameKeeper::tell(const QString &text)
{
    m_notice->setText(text);
    m_notice->show();
    m_noticeTimer.start(15000);
}

void GameKeeper::showBestResults()
{
    if (!m_bestWindow)
        m_bestWindow = new BestResultsWindow(m_results, ModuloIdioma::idioma(), &m_window);
    m_bestWindow->refill();
    m_bestWindow->show();
    m_bestWindow->raise();
}

// A logout or a kill: the game is written first, then the window closes without asking.
void GameKeeper::terminate()
{
    flush();
    m_window.sessionCommitting();
    m_window.close();
    QCoreApplication::quit();
}
