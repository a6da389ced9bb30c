#include "scene/ShadowGeometry.h"

#include <QPainterPath>

void ShadowGeometry::registerMetaTypes()
{
    static const bool done = [] {
        qRegisterMetaType<ShadowGeometry>("ShadowGeometry");
        qRegisterMetaType<QPainterPath>("QPainterPath");
        return true;
    }();
    Q_UNUSED(done);
}
