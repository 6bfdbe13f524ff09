#pragma once
// CatalogueBuilder: makes the widgets of a form from its catalogue - the page
// control PageControl1, one scrolling page per catalogue page, the group boxes
// in order, each row's entries left to right, labels, radio panels as named
// button groups, detail controls beside their buttons, the "followed by"
// texts, memos, date pickers in their three modes and the check code field.
// Every control's objectName is its catalogue name.
#include "Catalogue.h"

#include <QColor>

class QTabWidget;
class QWidget;

namespace CatalogueBuilder {
// Builds the page control as a child of parent and returns it.
QTabWidget *build(const Catalogue &catalogue, QWidget *parent);
// The sky-blue background of the check code field.
QColor skyBlue();
}
