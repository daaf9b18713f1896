#include "game/AutosaveWriter.h"

#include "settings/StateFolders.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace
{
QString saveAll(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return QStringLiteral("%1 (%2)").arg(QDir::toNativeSeparators(path), file.errorString());
    return QString();
}
} // namespace

AutosaveWriter::AutosaveWriter(QString folder, QObject *parent) : QObject(parent), m_folder(std::move(folder))
{
    m_pool.setMaxThreadCount(1);
    // Starting a thread costs milliseconds: the one writer thread stays for the whole run.
    m_pool.setExpiryTimeout(-1);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &AutosaveWriter::kick);
}

AutosaveWriter::~AutosaveWriter()
{
    flush();
}

bool AutosaveWriter::acquire()
{
    if (active())
        return true;
    if (!QDir().mkpath(m_folder))
        return false;
    m_lock = std::make_unique<QLockFile>(m_folder + QStringLiteral("/lock"));
    // A lock left by a copy that was killed names a process that no longer runs; Qt
    // takes such a lock over.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0)) {
        m_pool.start([] {});
        return true;
    }
    m_lock.reset();
    return false;
}

void AutosaveWriter::schedule(Game game)
{
    if (!active())
        return;
    m_pending = std::move(game);
    kick();
}

void AutosaveWriter::kick()
{
    if (m_busy || !m_pending)
        return;
    if (m_sinceStart.isValid() && m_sinceStart.elapsed() < IntervalMs) {
        if (!m_timer.isActive())
            m_timer.start(int(IntervalMs - m_sinceStart.elapsed()));
        return;
    }
    Game game = std::move(*m_pending);
    m_pending.reset();
    start(std::move(game));
}

void AutosaveWriter::start(Game game)
{
    m_busy = true;
    m_sinceStart.start();
    m_pool.start([this, folder = m_folder, game = std::move(game)]() mutable {
        const QString error = write(folder, std::move(game));
        QMetaObject::invokeMethod(
            this, [this, error] { finished(error); }, Qt::QueuedConnection);
    });
}

void AutosaveWriter::finished(const QString &error)
{
    m_busy = false;
    if (!error.isEmpty() && !m_failing)
        emit failed(error);
    m_failing = !error.isEmpty();
    kick();
}

void AutosaveWriter::flush()
{
    m_timer.stop();
    m_pool.waitForDone();
    if (!m_pending)
        return;
    const QString error = write(m_folder, std::move(*m_pending));
    m_pending.reset();
    if (!error.isEmpty() && !m_failing)
        emit failed(error);
    m_failing = !error.isEmpty();
}

void AutosaveWriter::discard()
{
    m_timer.stop();
    m_pending.reset();
    m_pool.waitForDone();
    if (!active())
        return;
    QFile::remove(sidePath());
    QFile::remove(pzzPath());
}

QString AutosaveWriter::write(const QString &folder, Game game)
{
    if (!QDir().mkpath(folder))
        return QDir::toNativeSeparators(folder);
    if (game.history)
        game.side.history = game.history();
    const QByteArray bytes = game.pzz.toBytes();
    game.side.pzzSha256 = SideData::hashOf(bytes);
    // The side data goes first: if the run stops between the two, its hash no longer
    // matches and the board is resumed without a history that belongs to another one.
    QString error = saveAll(folder + QStringLiteral("/current.json"), game.side.toBytes());
    if (error.isEmpty())
        error = saveAll(folder + QStringLiteral("/current.pzz"), bytes);
    return error;
}

std::optional<AutosaveWriter::Saved> AutosaveWriter::readSaved(const QString &folder)
{
    const QString pzzPath = folder + QStringLiteral("/current.pzz");
    const QString sidePath = folder + QStringLiteral("/current.json");
    QFile file(pzzPath);
    if (!file.exists())
        return std::nullopt;
    Saved saved;
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly) && file.size() <= PzzFile::MaxFileBytes)
        bytes = file.readAll();
    file.close();
    const QByteArray hash = SideData::hashOf(bytes);
    if (PzzFile::read(std::move(bytes), saved.pzz) != PzzFile::Check::Ok) {
        StateFolders::setAside(pzzPath);
        if (QFile::exists(sidePath))
            StateFolders::setAside(sidePath);
        return std::nullopt;
    }
    QFile side(sidePath);
    if (side.open(QIODevice::ReadOnly)) {
        saved.side = SideData::fromBytes(side.read(64 * 1024 * 1024));
        side.close();
        if (!saved.side)
            StateFolders::setAside(sidePath);
        else if (saved.side->pzzSha256 != hash)
            saved.side.reset();
    }
    return saved;
}
