// Small controls of the pages: labels that answer a double-click and carry a
// row number (Tag), and the strip that scrolls a long note sideways.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QWidget>

class QToolButton;

class TPopisek : public QLabel {
    Q_OBJECT
    Q_PROPERTY(int Tag READ Tag WRITE NastavTag)
public:
    explicit TPopisek(QWidget* rodic = nullptr);

    int Tag() const { return tag_; }
    void NastavTag(int tag) { tag_ = tag; }

signals:
    // A double-click, or Enter or Space while the label has the focus.
    void DvojKlik();

protected:
    void mouseDoubleClickEvent(QMouseEvent* udalost) override;
    void keyPressEvent(QKeyEvent* udalost) override;
    void paintEvent(QPaintEvent* udalost) override;

private:
    int tag_ = 0;
};

// One line of text between two arrow buttons that appear when the text is
// wider than the strip.
class TPosuvnyPas : public QWidget {
    Q_OBJECT
public:
    explicit TPosuvnyPas(QWidget* rodic = nullptr);

    QLabel* Text() const { return text_; }
    void NastavText(const QString& text);
    // How far the text is scrolled to the left, in pixels.
    int Posun() const { return posun_; }

public slots:
    void Doleva();
    void Doprava();

protected:
    void resizeEvent(QResizeEvent* udalost) override;

private:
    void rozvrhni();
    int nejvetsiPosun() const;

    QToolButton* doleva_;
    QToolButton* doprava_;
    QWidget* okenko_;
    QLabel* text_;
    int posun_ = 0;
};

// A style box: three states, the grey one set only by the program; a click
// on a grey or unticked box ticks it, on a ticked box unticks it.
class TStylBox : public QCheckBox {
    Q_OBJECT
public:
    explicit TStylBox(QWidget* rodic = nullptr);

protected:
    void nextCheckState() override;
};

// The sixteen standard colours by name; a typed key opens the list. Screen
// readers hear it named by its role, not by the colour it shows.
class TBarvy : public QComboBox {
    Q_OBJECT
public:
    explicit TBarvy(QWidget* rodic = nullptr);

    // The entry of this colour, or -1.
    int IndexBarvy(const QColor& barva) const;
    QColor Barva(int index) const;

protected:
    void keyPressEvent(QKeyEvent* udalost) override;
};
