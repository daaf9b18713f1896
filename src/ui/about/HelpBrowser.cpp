#include "about/HelpBrowser.h"

#include "about/ChmArchive.h"

namespace
{
const QString scheme = QStringLiteral("chm");
}

HelpBrowser::HelpBrowser(QWidget *parent) : QTextBrowser(parent) {}

HelpBrowser::~HelpBrowser() = default;

QUrl HelpBrowser::topicUrl(const QString &topic)
{
    QUrl url;
    url.setScheme(scheme);
    url.setPath(QLatin1Char('/') + topic);
    return url;
}

bool HelpBrowser::openTopic(std::unique_ptr<ChmArchive> archive, const QString &topic)
{
    if (!archive || !archive->isOpen())
        return false;
    const std::optional<QByteArray> page = archive->read(topic);
    if (!page || page->isEmpty())
        return false;

    m_archive = std::move(archive);
    const QUrl url = topicUrl(topic);
    if (source() == url)
        reload();
    else
        setSource(url, QTextDocument::HtmlResource);
    clearHistory();
    return true;
}

QUrl HelpBrowser::resolved(const QUrl &name) const
{
    if (name.isRelative())
        return source().resolved(name);
    return name;
}

QVariant HelpBrowser::loadResource(int type, const QUrl &name)
{
    Q_UNUSED(type);
    const QUrl url = resolved(name);
    if (!m_archive || url.scheme() != scheme)
        return {};
    const std::optional<QByteArray> bytes = m_archive->read(url.path());
    if (!bytes)
        return {};
    return *bytes;
}

void HelpBrowser::doSetSource(const QUrl &name, QTextDocument::ResourceType type)
{
    // A link to something the help file does not hold, a web page included, leaves the
    // current page in view instead of an empty one.
    const QUrl url = resolved(name);
    if (url.scheme() != scheme || !m_archive || !m_archive->contains(url.path()))
        return;
    QTextBrowser::doSetSource(url, type);
}
