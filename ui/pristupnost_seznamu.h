// What screen readers see of a TListBox: a list whose items are its lines,
// each named by its display text, with the current line focused and the
// selected line selected. Qt builds this only for its own item views.
#pragma once

class QAccessibleEvent;
class QAccessibleInterface;
class QObject;
class QString;

// The factory QAccessible asks for an object's interface; TListBox installs it.
QAccessibleInterface* PristupnostSeznamu(const QString& trida, QObject* objekt);

// A list's events (a line focused, selected, renamed, ticked) go to Qt,
// which passes them on while a screen reader is active, and to the one
// observer set here: in-process checks, which run where no reader can.
using TPozorovatelSeznamu = void (*)(QAccessibleEvent* udalost);
// Sets the observer (nullptr: none) and returns the one before.
TPozorovatelSeznamu NastavPozorovateleSeznamu(TPozorovatelSeznamu pozorovatel);
// Whether anyone listens: events are made only then.
bool SeznamySlysi();
void OhlasSeznamu(QAccessibleEvent* udalost);
