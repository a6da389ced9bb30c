#pragma once

#include <QByteArray>
#include <QTranslator>

// Answers only for context "Mahjong", so a name looked up elsewhere shows.
class MahjongTranslator : public QTranslator
{
public:
    QString translate(const char *context, const char *source, const char *disambiguation, int n) const override
    {
        Q_UNUSED(disambiguation);
        Q_UNUSED(n);
        if (QByteArray(context) != "Mahjong")
            return QString();
        const QByteArray s(source);
        if (s == "East")
            return QStringLiteral("Higashi");
        if (s == "Prevalent wind: South")
            return QStringLiteral("Bakaze: Minami");
        if (s == "Circle")
            return QStringLiteral("Pin");
        if (s == "%1 %L2")
            return QStringLiteral("%L2-%1");
        if (s == "Concealed")
            return QStringLiteral("Ura");
        return QString();
    }
    bool isEmpty() const override { return false; }
};
