// What screen readers see of a TListBox: a list whose items are its lines,
// each named by its display text, with the current line focused and the
// selected line selected. Qt builds this only for its own item views.
#pragma once

class QAccessibleInterface;
class QObject;
class QString;

// The factory QAccessible asks for an object's interface; TListBox installs it.
QAccessibleInterface* PristupnostSeznamu(const QString& trida, QObject* objekt);
