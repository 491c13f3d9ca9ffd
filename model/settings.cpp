#include "settings.h"

#include <QMetaType>
#include <QVariant>

Settings::Settings() : m_store(QSettings::IniFormat, QSettings::UserScope, "Kavora", "Kavora") {}

Settings::Settings(const QString &fileName) : m_store(fileName, QSettings::IniFormat) {}

QString Settings::text(const QString &key, const QString &fallback) const
{
    const QVariant value = m_store.value(key);
    // An INI file gives back a plain string, or a list when the text held a comma.
    if (value.typeId() == QMetaType::QString)
        return value.toString();
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(", ");
    return fallback;
}

QStringList Settings::textList(const QString &key) const
{
    const QVariant value = m_store.value(key);
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList();
    // A one-item list is stored as a plain string.
    if (value.typeId() == QMetaType::QString)
        return {value.toString()};
    return {};
}

int Settings::integer(const QString &key, int fallback) const
{
    const QVariant value = m_store.value(key);
    if (value.typeId() == QMetaType::Int)
        return value.toInt();
    if (value.typeId() != QMetaType::QString)
        return fallback;
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok);
    return ok ? number : fallback;
}

bool Settings::flag(const QString &key, bool fallback) const
{
    const QVariant value = m_store.value(key);
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    const QString word = value.typeId() == QMetaType::QString ? value.toString().trimmed() : QString();
    if (word == "true")
        return true;
    if (word == "false")
        return false;
    return fallback;
}

std::optional<QRect> Settings::rect(const QString &key) const
{
    const QVariant value = m_store.value(key);
    if (value.typeId() != QMetaType::QRect)
        return std::nullopt;
    const QRect r = value.toRect();
    if (!r.isValid())
        return std::nullopt;
    return r;
}

QStringList Settings::childGroups(const QString &group) const
{
    m_store.beginGroup(group);
    const QStringList groups = m_store.childGroups();
    m_store.endGroup();
    return groups;
}

void Settings::setText(const QString &key, const QString &value) { m_store.setValue(key, value); }

void Settings::setTextList(const QString &key, const QStringList &value)
{
    m_store.setValue(key, value);
}

void Settings::setInteger(const QString &key, int value) { m_store.setValue(key, value); }

void Settings::setFlag(const QString &key, bool value) { m_store.setValue(key, value); }

void Settings::setRect(const QString &key, const QRect &value) { m_store.setValue(key, value); }

void Settings::remove(const QString &key) { m_store.remove(key); }

void Settings::sync() { m_store.sync(); }

void Settings::reload() const
{
    m_store.sync();
}
