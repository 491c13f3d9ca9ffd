// The search box's completion list: the planet names that contain the typed text, ignoring
// case, those that start with it first, each group in alphabetical order. Built once per
// planet table, so a keystroke only walks one sorted list of names.
#pragma once

#include "records.h"

#include <QStringList>

#include <vector>

class PlanetNames {
public:
    static constexpr int kShown = 20;

    // Every distinct name of the table, sorted once.
    void rebuild(const Globals &globals);

    // At most `limit` names containing `typed` in any letter case: those that start with it,
    // then the rest, alphabetically ignoring case. Nothing for an empty text.
    QStringList matching(QStringView typed, int limit = kShown) const;

    // The name a forgiving find settles on for `typed`, blanks around it ignored: the name
    // equal to it ignoring case (spelled as typed if the table has that spelling), else the
    // first of matching(). Empty when no name contains it.
    QString bestMatch(QStringView typed) const;

private:
    struct Name {
        QString text;
        QString folded; // case-folded once here rather than on every keystroke
    };
    std::vector<Name> m_names;
};
