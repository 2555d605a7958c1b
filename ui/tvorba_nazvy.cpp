// What screen readers hear of the creation page: the names of the controls
// that show the selected ingredient and the potion, kept current as they
// change, and what the keyboard's actions did.
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "ovladace.h"
#include "seznamy.h"
#include "text.h"
#include "tvorba.h"
#include "ui_tvorba.h"

namespace {

// Names change only when what they say does: each change is announced.
void pojmenuj(QWidget* ovladac, const QString& jmeno)
{
    if (ovladac->accessibleName() != jmeno)
        ovladac->setAccessibleName(jmeno);
}

// "1 a 3", "1, 2 a 4"; "žádné" for none.
QString vyctiSloty(const TEfektLektvaru& zaznam)
{
    QStringList cisla;
    for (std::size_t j = 0; j < zaznam.ZPrisady.size(); ++j)
        if (zaznam.ZPrisady[j])
            cisla << QString::number(j + 1);
    if (cisla.isEmpty())
        return QStringLiteral("žádné");
    const QString posledni = cisla.takeLast();
    return cisla.isEmpty() ? posledni : cisla.join(QStringLiteral(", ")) + QStringLiteral(" a ") + posledni;
}

} // namespace

void TStrankaTvorby::pojmenujPrisadu()
{
    pojmenuj(ui_->TpJmeno, QStringLiteral("Vybraná přísada: ") + ui_->TpJmeno->text());
    for (std::size_t k = 0; k < 4; ++k) {
        const QString efekt = TpEfekty_[k]->text();
        pojmenuj(TpEfekty_[k], QStringLiteral("Efekt přísady %1: %2")
                                   .arg(k + 1)
                                   .arg(efekt.isEmpty() ? QStringLiteral("žádný") : efekt));
    }
    ui_->TpPridat->setAccessibleDescription(QStringLiteral("Přidá do lektvaru přísadu ") + ui_->TpJmeno->text());
}

void TStrankaTvorby::pojmenujLektvar()
{
    for (std::size_t k = 0; k < 4; ++k) {
        const bool plny = Lektvar.Prisady[k] != nullptr;
        const QString prisada = plny ? TlPrisady_[k]->text() : QStringLiteral("prázdná");
        pojmenuj(TlPrisady_[k], QStringLiteral("Přísada %1: %2").arg(k + 1).arg(prisada));
        pojmenuj(TlVyjmi_[k], QStringLiteral("Vyjmout přísadu %1: %2").arg(k + 1).arg(prisada));
        const TEfektLektvaru& zaznam = Lektvar.Efekty[k];
        const QString efekt = zaznam.Efekt ? TlEfekty_[k]->text() : QStringLiteral("žádný");
        pojmenuj(TlEfekty_[k], QStringLiteral("Efekt lektvaru %1: %2").arg(k + 1).arg(efekt));
        // The digits alone read as one number ("13").
        pojmenuj(TlEfektyZP_[k], QStringLiteral("Přísady efektu lektvaru %1: %2").arg(k + 1).arg(vyctiSloty(zaznam)));
    }
}

QString TStrankaTvorby::ohlasPridani(bool pridana) const
{
    if (VybranaPrisada == nullptr)
        return QString();
    const QString jmeno = ui_->TpJmeno->text();
    const auto& sloty = Lektvar.Prisady;
    const auto slot = std::find(sloty.begin(), sloty.end(), VybranaPrisada);
    if (slot == sloty.end())
        return QStringLiteral("Lektvar už má čtyři přísady, %1 nepřidána").arg(jmeno);
    const auto cislo = slot - sloty.begin() + 1;
    return pridana ? QStringLiteral("%1 přidána do lektvaru jako přísada %2").arg(jmeno).arg(cislo)
                   : QStringLiteral("%1 už je v lektvaru jako přísada %2").arg(jmeno).arg(cislo);
}

void TStrankaTvorby::PrevezmiFokus()
{
    QStringList prisady;
    for (const TPopisek* slot : TlPrisady_)
        if (!slot->text().isEmpty())
            prisady << slot->text();
    const int efekt = ui_->Tefekty->currentRow();
    const QString uvod = efekt > 0 ? QStringLiteral("Tvorba lektvarů: efekt %1, ").arg(ui_->Tefekty->Text(efekt))
                                   : QStringLiteral("Tvorba lektvarů: ");
    ui_->Tprisady->setFocus(Qt::OtherFocusReason);
    ui_->Tprisady->Ohlas(uvod + QStringLiteral("vybraná přísada %1; lektvar: %2")
                                    .arg(ui_->TpJmeno->text(), prisady.join(QStringLiteral(", "))));
}
