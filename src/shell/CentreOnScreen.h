#pragma once
// CentreOnScreen: places a window in the middle of the screen (the one its
// parent is on), where the help and about windows open; Qt would otherwise
// centre a dialog over its parent.
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

inline void CentreOnScreen(QWidget *window)
{
    QWidget *parent = window->parentWidget();
    QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}
