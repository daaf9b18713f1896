#include "settings/ExtraSettings.h"

#include <QSettings>

namespace
{
constexpr const char *AnimationsKey = "play/animations";
}

ExtraSettings::ExtraSettings(QString dataFolder) : m_folder(std::move(dataFolder))
{
    if (m_folder.isEmpty())
        return;
    const QSettings file(filePath(), QSettings::IniFormat);
    // A value that is not a boolean keeps the default rather than turning the option off.
    const QVariant animations = file.value(AnimationsKey);
    if (animations.toString() == QLatin1String("true") || animations.toString() == QLatin1String("false"))
        m_animations = animations.toBool();
}

QString ExtraSettings::filePath() const
{
    return m_folder + QStringLiteral("/settings.ini");
}

void ExtraSettings::setAnimations(bool on)
{
    m_animations = on;
    write(AnimationsKey, on);
}

void ExtraSettings::write(const char *key, bool value) const
{
    if (m_folder.isEmpty())
        return;
    QSettings file(filePath(), QSettings::IniFormat);
    file.setValue(QLatin1String(key), value);
    file.sync();
}
