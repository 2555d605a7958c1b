// The body of an entry that copies a list: no entry writes more lines than
// a window can hold and still answer, so beyond a bound the lines are only
// counted, in one line of their own.
#pragma once

#include <QString>
#include <QStringList>
#include <cstddef>
#include <functional>

// A count in Czech form, thousands grouped by non-breaking spaces:
// "12 397 500".
QString CeskeCislo(std::size_t cislo);

// The line that stands for `pocet` (1 or more) lines not written, its
// words agreeing with the number: "… a další 1 řádek nezapsán", "… a další
// 3 řádky nezapsány", "… a dalších 12 397 500 řádků nezapsáno".
QString TextNezapsanych(std::size_t pocet);

// The body lines of an entry of a list of `radku` lines that stands for
// `celkem` (a list may count more than it shows): one tab and the text of
// each of the first `nejvic` lines (made by `text`, only for the lines
// written), then, when fewer than `celkem` were written, one tab and the
// line that counts the rest.
QStringList RadkyZapisu(std::size_t radku, std::size_t celkem, std::size_t nejvic,
                        const std::function<QString(int radek)>& text);
inline QStringList RadkyZapisu(std::size_t radku, std::size_t nejvic, const std::function<QString(int radek)>& text)
{
    return RadkyZapisu(radku, radku, nejvic, text);
}

class TListBox;
// A list line's text as an entry copies it: as much as the list shows of it,
// kNejvicZnakuPopisku characters and "…" after them when it is longer.
QString TextRadkuZapisu(const TListBox& seznam, int radek);
