#pragma once

#include <QCoreApplication>
#include <QString>

#include <cstddef>

// One value of a reason or status code the server sends: its meaning as the
// protocol reference states it and the words the user is shown for it
// (source texts, translated in the context of the window that shows them).
// Each code has one table of these; the reference and the user texts are
// both made from it.
struct ReasonText
{
    int value = 0;
    const char *meaning = "";
    const char *text = nullptr;
    // Kicks only: the box title, and the text on a tournament table.
    const char *title = nullptr;
    const char *tournamentText = nullptr;

    // The entry for a value, or null.
    template <size_t N>
    static const ReasonText *find(const ReasonText (&table)[N], int value)
    {
        for (const ReasonText &r : table)
            if (r.value == value)
                return &r;
        return nullptr;
    }

    static QString translated(const char *context, const char *source)
    {
        return source ? QCoreApplication::translate(context, source) : QString();
    }
};
