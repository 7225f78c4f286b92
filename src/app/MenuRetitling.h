// Retitles menu entries that carry an identifier (their objectName) from the current table.
#pragma once

class QWidget;

// Entries of a QMenu or QMenuBar and of their submenus (one level deep) are retitled; entries
// without an identifier keep their titles.
void retitleMenu(QWidget* menu);
