#pragma once

#include <QString>
#include <QThread>

class TileImages;

// Renders one tile set at one scale off the GUI thread. It reads only the
// values copied in at creation and writes only its result; the result is
// taken after finished() or wait().
class ResizeWorker : public QThread
{
    Q_OBJECT
public:
    ResizeWorker(const QString &blank, const QString &face, double scale, QObject *parent = nullptr);
    ~ResizeWorker() override;

    QString blank() const { return m_blank; }
    QString face() const { return m_face; }
    double scale() const { return m_scale; }

    // Hands the result over (null before run() returned).
    TileImages *takeResult();

protected:
    void run() override;

private:
    const QString m_blank;
    const QString m_face;
    const double m_scale;
    TileImages *m_result = nullptr;
};
