// What Kavora remembers between runs: one INI file read through QSettings. Every read is
// defensive, so a damaged file or an entry of the wrong kind gives the default for that
// entry alone; nothing here knows what the entries mean.
#pragma once

#include <QRect>
#include <QSettings>
#include <QString>
#include <QStringList>

#include <optional>

class Settings {
public:
    // The user's own settings file (an INI file in the platform's configuration folder).
    Settings();
    // A settings file of the caller's choosing; tests pass a temporary one.
    explicit Settings(const QString &fileName);

    QString fileName() const { return m_store.fileName(); }

    // Each reader returns the default when the key is missing or holds something else.
    QString text(const QString &key, const QString &fallback = {}) const;
    QStringList textList(const QString &key) const;
    int integer(const QString &key, int fallback) const;
    bool flag(const QString &key, bool fallback) const;
    std::optional<QRect> rect(const QString &key) const;
    // The keys directly below a group ("races" gives the race names stored there).
    QStringList childGroups(const QString &group) const;

    void setText(const QString &key, const QString &value);
    void setTextList(const QString &key, const QStringList &value);
    void setInteger(const QString &key, int value);
    void setFlag(const QString &key, bool value);
    void setRect(const QString &key, const QRect &value);
    void remove(const QString &key);
    // Writes pending changes now; QSettings otherwise writes them when it is destroyed.
    void sync();
    // Reads again what another copy of Kavora may have written since (and writes what is
    // pending here): a list that is changed here is read again first, so that both copies'
    // changes survive.
    void reload() const;

private:
    mutable QSettings m_store;
};
