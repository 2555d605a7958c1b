// The window's list boxes: lines of variable height drawn by the window,
// each line a text plus a reference to the record it shows.
#pragma once

#include <QListWidget>
#include <QStyledItemDelegate>

#include "hledani.h"
#include "katalog.h"

Q_DECLARE_METATYPE(TEfekt*)
Q_DECLARE_METATYPE(TPrisada*)
Q_DECLARE_METATYPE(TDvojice)

class TMF;

class TListBox : public QListWidget {
    Q_OBJECT
public:
    explicit TListBox(QWidget* rodic = nullptr);

    // A list that keeps itself in the language's alphabetical order, case
    // ignored, its first line always first.
    void NastavRazeni(bool razeny) { razeny_ = razeny; }
    bool Razeny() const { return razeny_; }

    // The record that a line shows, or nullptr.
    template <typename T>
    T Odkaz(int radek) const
    {
        const QListWidgetItem* polozka = item(radek);
        return polozka ? polozka->data(Qt::UserRole).value<T>() : T{};
    }

    // The line showing this record, or -1.
    template <typename T>
    int RadekSOdkazem(T odkaz) const
    {
        for (int i = 0; i < count(); ++i)
            if (Odkaz<T>(i) == odkaz)
                return i;
        return -1;
    }

    // Like a user's click on a line (-1: nothing selected).
    void VyberRadek(int radek);

signals:
    // A line chosen by the mouse or by the arrow keys.
    void Klik();
    // A double-click on a line, or Enter.
    void DvojKlik();

protected:
    void keyPressEvent(QKeyEvent* udalost) override;

private:
    bool razeny_ = false;
};

// Measures and draws the lines through the window's handlers.
class TKreslicRadku : public QStyledItemDelegate {
    Q_OBJECT
public:
    TKreslicRadku(const TMF& okno, TListBox& seznam);

    void paint(QPainter* malir, const QStyleOptionViewItem& volby, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& volby, const QModelIndex& index) const override;

private:
    const TMF& okno_;
    TListBox& seznam_;
};

// The colour that stands for an origin in lists and labels.
QColor BarvaPuvodu(bool tribunal, bool bloodmoon);
// The origin colour that a line's text carries in its mark.
QColor BarvaTextu(const QString& text);
