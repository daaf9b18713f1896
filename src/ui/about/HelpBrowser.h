#pragma once

#include <QTextBrowser>

#include <memory>

class ChmArchive;

// A text browser whose pages, style sheets and pictures come out of one compiled help file.
// Topics are addressed as chm:/<path inside the file>, so relative links and pictures
// resolve against the page that names them.
class HelpBrowser : public QTextBrowser
{
    Q_OBJECT

public:
    explicit HelpBrowser(QWidget *parent = nullptr);
    ~HelpBrowser() override;

    // Takes over the archive and shows its topic. On failure (no archive, no such topic)
    // the browser keeps the help it showed before and answers false.
    bool openTopic(std::unique_ptr<ChmArchive> archive, const QString &topic);

    const ChmArchive *archive() const { return m_archive.get(); }
    static QUrl topicUrl(const QString &topic);

    QVariant loadResource(int type, const QUrl &name) override;

protected:
    void doSetSource(const QUrl &name, QTextDocument::ResourceType type) override;

private:
    QUrl resolved(const QUrl &name) const;

    std::unique_ptr<ChmArchive> m_archive;
};
