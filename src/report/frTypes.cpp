#include "frTypes.h"

QColor frColor(qint32 value)
{
    if (value == clNone)
        return QColor(Qt::transparent);
    if (value < 0) {
        // System colours: the few a form can name, the rest as window text.
        switch (value & 0xFF) {
        case 5: // window
        case 14: // highlight text
            return QColor(Qt::white);
        case 15: // button face
            return QColor(0xF0, 0xF0, 0xF0);
        case 16: // button shadow
            return QColor(0xA0, 0xA0, 0xA0);
        default:
            return QColor(Qt::black);
        }
    }
    const quint32 v = quint32(value);
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}
