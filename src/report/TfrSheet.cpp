#include "TfrSheet.h"

QString TfrSheet::plainText() const
{
    QStringList parts;
    for (const TfrPreparedObject &o : objects)
        for (const TfrTextLine &l : o.lines)
            parts.append(l.text);
    return parts.join(QLatin1Char('\n'));
}
