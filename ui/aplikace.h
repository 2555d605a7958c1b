// The application object: its title, the general error report, and the one
// way the program shows a message box (which tests can answer).
#pragma once

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <exception>
#include <functional>

class TAplikace : public QApplication {
    Q_OBJECT
public:
    TAplikace(int& argc, char** argv);

    static TAplikace* Instance();

    // "Mixorův průvodce 2".
    static QString Titul();

    // A message box with one OK button. While an answerer is set, it gets the
    // box's contents instead and no box is shown.
    struct TZprava {
        QMessageBox::Icon Ikona;
        QString Titulek;
        QString Text;
    };
    using TOdpovidac = std::function<void(const TZprava&)>;
    void Zprava(QMessageBox::Icon ikona, const QString& titulek, const QString& text);
    void NastavOdpovidace(TOdpovidac odpovidac) { odpovidac_ = std::move(odpovidac); }

    // A yes/no question; an answerer set for tests replies instead of the user.
    using TOdpovidacOtazek = std::function<bool(const TZprava&)>;
    bool Otazka(const QString& titulek, const QString& text);
    void NastavOdpovidaceOtazek(TOdpovidacOtazek odpovidac) { odpovidacOtazek_ = std::move(odpovidac); }

    // Whether to save before something is lost: Uložit (QMessageBox::Save),
    // Zahodit (Discard) or Zrušit (Cancel, also when the box is closed).
    // An answerer set for tests replies instead of the user.
    using TOdpovidacUlozeni = std::function<QMessageBox::StandardButton(const TZprava&)>;
    QMessageBox::StandardButton OtazkaUlozeni(const QString& titulek, const QString& text);
    void NastavOdpovidaceUlozeni(TOdpovidacUlozeni odpovidac) { odpovidacUlozeni_ = std::move(odpovidac); }

    // Runs a file dialog; an answerer set for tests fills it in and says
    // whether it was accepted.
    using TOdpovidacDialogu = std::function<bool(QFileDialog&)>;
    bool UkazDialog(QFileDialog& dialog);
    void NastavOdpovidaceDialogu(TOdpovidacDialogu odpovidac) { odpovidacDialogu_ = std::move(odpovidac); }

    // The general error report: title as caption, the failure's text with a
    // full stop after a final letter or digit, a stop icon.
    void HlasChybu(const std::exception& chyba);
    static QString TextChyby(const QString& text);

    // Reports the failure being caught through the general error report: the
    // catch clause of the frame around a user's action (obsluha.h), so that
    // no failure crosses the event loop.
    // Running out of memory ends the program: reported ("Nedostatek
    // paměti.", on standard error as well), the event loop ends with status 1
    // and nothing is written at close.
    static void HlasZachycenouChybu() noexcept;
    bool DoslaPamet() const { return doslaPamet_; }

    // Runs a step of the start-up outside the event loop (building and
    // showing the window), reporting its failure as a handler's would be.
    // False when the step failed or memory ran out on the way: the program
    // must end.
    bool KrokStartu(const std::function<void()>& krok);

    // The last resort for a failure that no frame caught; counted, so that
    // tests can tell that every handler runs inside one.
    bool notify(QObject* prijemce, QEvent* udalost) override;
    int ChybyVNotify() const { return chybyVNotify_; }

private:
    void nactiPrekladQt();
    static void hlasText(const char* text) noexcept;
    static void koncimProNedostatekPameti() noexcept;

    int chybyVNotify_ = 0;
    bool doslaPamet_ = false;
    TOdpovidac odpovidac_;
    TOdpovidacOtazek odpovidacOtazek_;
    TOdpovidacUlozeni odpovidacUlozeni_;
    TOdpovidacDialogu odpovidacDialogu_;
};
