// The notebook page: a rich-text notebook under a protected header, the
// style controls that follow the selection, saving, printing, and the
// entries that the other pages write into it.
#pragma once

#include <QColor>
#include <QStringList>
#include <QWidget>
#include <memory>

#include "prostredi.h"

class QTextCharFormat;
class TTiskarna;
namespace Ui {
class TStrankaZapisniku;
}

class TStrankaZapisniku : public QWidget {
    Q_OBJECT
public:
    TStrankaZapisniku(TProstredi& prostredi, QWidget* rodic = nullptr);
    ~TStrankaZapisniku() override;

    // Where the notebook is printed: the spooler's default destination
    // unless another printer is given.
    void NastavTiskarnu(std::unique_ptr<TTiskarna> tiskarna);

    // Where the notebook's user area starts: the header's length.
    int ZacatekUzivatelske = 0;
    // Appends a line after the notebook's last line with this format.
    void PridejRadekZapisniku(const QString& text, const QTextCharFormat& format);

    // Text typed or entries written since the notebook was last saved (or
    // since its header was written).
    bool NeulozeneZmeny() const;

public slots:
    // Writes the protected header; the notebook starts empty below it.
    void FormShowZapisnik();
    // Appends one entry: heading, body lines (one of them in italics, if
    // asked), an empty line; then Arial over the user area.
    void ZapisPolozku(const QString& nadpis, const QColor& barvaNadpisu, const QStringList& radky,
                      int radekKurzivou = -1);

    void ZtextSelectionChange();
    bool ZtextProtectChange(int od, int po);
    void ZstylClick();
    void ZsizeChange();
    void ZcolorChange();
    void ZprotectedClick();
    void ZsaveClick();
    void DialogTypeChange(const QString& typ);
    void ZprintClick();

protected:
    void changeEvent(QEvent* udalost) override;

private:
    // Where the notebook was last saved; empty before the first save.
    QString slozkaUlozeni_;
    void nastavPisma();
    void zmenFormatVyberu(const QTextCharFormat& format);
    // Prints the whole notebook as it stands, or all in black and then
    // restored; throws when the print fails.
    void tiskni();
    void tiskniCerne();

    std::unique_ptr<Ui::TStrankaZapisniku> ui_;
    TProstredi& prostredi_;
    std::unique_ptr<TTiskarna> tiskarna_;
    // While the controls are set to follow the selection, their changes
    // are no user's.
    bool aktualizujiStyl_ = false;
};
