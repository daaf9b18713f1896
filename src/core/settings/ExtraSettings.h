#pragma once

#include <QString>

// Settings that the nine items of the configuration line cannot hold, in a second file
// beside it (settings.ini), so configfile.txt keeps exactly its items and bytes.
class ExtraSettings
{
public:
    // The file in the given data folder; an empty folder keeps everything in memory only.
    explicit ExtraSettings(QString dataFolder);

    bool animations() const { return m_animations; }
    void setAnimations(bool on);

    QString filePath() const;

private:
    void write(const char *key, bool value) const;

    QString m_folder;
    bool m_animations = true;
};
