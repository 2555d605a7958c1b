// The about page: the logo, the version and the options panel.
#pragma once

#include <QWidget>
#include <memory>

#include "prostredi.h"

namespace Ui {
class TStrankaOProgramu;
}

class TStrankaOProgramu : public QWidget {
    Q_OBJECT
public:
    TStrankaOProgramu(TProstredi& prostredi, QWidget* rodic = nullptr);
    ~TStrankaOProgramu() override;

    // The ticks of the five option boxes.
    TVolby Volby() const;
    // Ticks the boxes in the options file's order; each change runs its
    // reaction as a user's click would.
    void NastavVolby(const TVolby& volby);

    // The splash: only the logo, near the middle of the page.
    void UkazUvod();
    // The whole page: the logo panel in its designed bounds, the version and
    // the options.
    void DokonciUvod();

public slots:
    void OdatadiskClick();
    void OlisitClick();

protected:
    void changeEvent(QEvent* udalost) override;

private:
    void nastavPisma();
    void obarviPoznamku();

    std::unique_ptr<Ui::TStrankaOProgramu> ui_;
    TProstredi& prostredi_;
};
