// The main window: the shell that holds the five pages as tabs, creates and
// shows them at start-up with a short splash, keeps the options and their
// file, and carries between the pages what one hands to another.
#pragma once

#include <QColor>
#include <QStringList>
#include <QWidget>
#include <array>
#include <memory>
#include <string>

#include "prostredi.h"

class QTimer;
class TStrankaTvorby;
class TStrankaVypisu;
class TStrankaZapisniku;
class TStrankaOProgramu;
class TStrankaHledani;
namespace Ui {
class TMF;
}

class TMF : public QWidget {
    Q_OBJECT
public:
    explicit TMF(QWidget* rodic = nullptr);
    ~TMF() override;

    // The catalogue and the options, as the pages see them.
    const TProstredi& Prostredi() const { return *prostredi_; }

    // True once the catalogue proved unusable: the program must end.
    bool KonciPoChybe() const { return konciPoChybe_; }

public slots:
    void FormCreate();
    void FormShow();
    void StartTimerDo();
    void FormClose();

protected:
    void showEvent(QShowEvent* udalost) override;
    void closeEvent(QCloseEvent* udalost) override;

private:
    void nastavPisma();
    void pridejStranky();
    void propojStranky();
    void pripravKlavesyStranek();
    void nactiVolby();
    void nactiKatalog();
    // Asks about the notebook's unsaved changes; false keeps the window open.
    bool smiZavrit();
    // Writes an entry into the notebook and brings the notebook forward
    // when the option asks for it.
    void zapis(const QString& nadpis, const QColor& barva, const QStringList& radky, int radekKurzivou);
    // Brings the creation page forward, showing what another page chose.
    void ukazEfekt(TEfekt* efekt);
    void ukazPrisadu(TPrisada* prisada);

    std::unique_ptr<Ui::TMF> ui_;
    TProstredi* prostredi_;
    TStrankaTvorby* tvorba_ = nullptr;
    TStrankaVypisu* vypis_ = nullptr;
    TStrankaZapisniku* zapisnik_ = nullptr;
    TStrankaOProgramu* oProgramu_ = nullptr;
    TStrankaHledani* hledani_ = nullptr;
    QTimer* StartTimer = nullptr;
    bool zobrazeno_ = false;
    bool konciPoChybe_ = false;
};
