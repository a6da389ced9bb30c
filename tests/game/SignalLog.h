#pragma once

#include <QMetaMethod>
#include <QObject>
#include <QStringList>

// Records the names of every signal of an object, in emission order.
class SignalLog : public QObject
{
    Q_OBJECT
public:
    explicit SignalLog(QObject &model)
    {
        const QMetaObject *mo = model.metaObject();
        const int slotIndex = metaObject()->indexOfSlot("record()");
        // Only the object's own signals, not QObject's.
        for (int i = mo->methodOffset(); i < mo->methodCount(); ++i) {
            const QMetaMethod m = mo->method(i);
            if (m.methodType() != QMetaMethod::Signal)
                continue;
            QObject::connect(&model, m, this, metaObject()->method(slotIndex));
        }
    }
    QStringList names;
    int count(const QString &name) const { return int(names.count(name)); }

public slots:
    void record()
    {
        const QObject *s = sender();
        names << QString::fromLatin1(s->metaObject()->method(senderSignalIndex()).name());
    }
};
