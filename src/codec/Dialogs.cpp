#include "Dialogs.h"

#include "QtDialogs.h"

Dialogs::~Dialogs() = default;

int Dialogs::choose(const QString &, const QString &, const QStringList &, int, const QString &)
{
    return -1;
}

namespace {
Dialogs *g_installed = nullptr;
}

Dialogs &dialogs()
{
    if (g_installed)
        return *g_installed;
    static QtDialogs qtDialogs;
    return qtDialogs;
}

void setDialogs(Dialogs *implementation)
{
    g_installed = implementation;
}

QString applicationTitle()
{
    return QStringLiteral("电子申报");
}
