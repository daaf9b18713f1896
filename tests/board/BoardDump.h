#pragma once

#include "board/TableroClass.h"

#include <QStringList>

// Places whose piece is not home: "column,row=homeColumn,homeRow ...".
inline QString dump(const TableroClass &t)
{
    QStringList out;
    for (qint16 c = 1; c <= t.getCasillasX(); ++c) {
        for (qint16 r = 1, hx = 0, hy = 0; r <= t.getCasillasY(); ++r) {
            t.getCasilla(c, r, hx, hy);
            if (hx != c || hy != r)
                out << QStringLiteral("%1,%2=%3,%4").arg(c).arg(r).arg(hx).arg(hy);
        }
    }
    return out.join(QLatin1Char(' '));
}
