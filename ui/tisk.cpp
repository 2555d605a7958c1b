#include "tisk.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTextDocument>
#include <cups/cups.h>

namespace {

const char* const kNepodariloSe = "Zápisníček se nepodařilo vytisknout";
const char* const kSluzbaNebezi = "Zápisníček nelze vytisknout: tisková služba neběží";
const char* const kZadnaVychozi = "Zápisníček nelze vytisknout: není nastavena výchozí tiskárna";

// The cause of the spooler call that failed last, for the user. A default
// that cannot be found is told apart from other failures only while looking
// for it.
TChybaTisku chybaCups(bool hledaniVychozi)
{
    const ipp_status_t stav = cupsLastError();
    if (stav == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE)
        return TChybaTisku(kSluzbaNebezi);
    if (hledaniVychozi && (stav == IPP_STATUS_ERROR_NOT_FOUND || stav < IPP_STATUS_REDIRECTION_OTHER_SITE))
        return TChybaTisku(kZadnaVychozi);
    const char* zprava = cupsLastErrorString();
    if (zprava == nullptr || *zprava == '\0')
        return TChybaTisku(kNepodariloSe);
    return TChybaTisku(std::string(kNepodariloSe) + ": " + zprava);
}

class TTiskarnaCups : public TTiskarna {
public:
    ~TTiskarnaCups() override { zapomen(); }

    QPageLayout Rozvrzeni() override
    {
        zapomen();
        // A scheduler that does not answer would otherwise look like one
        // without a default printer.
        spojeni_ = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, kCekaniNaSluzbuMs,
                                nullptr);
        if (spojeni_ == nullptr)
            throw TChybaTisku(kSluzbaNebezi);
        cil_ = cupsGetNamedDest(spojeni_, nullptr, nullptr);
        if (cil_ == nullptr)
            throw chybaCups(true);
        return rozvrzeniCile();
    }

    void Odesli(const QString& pdf, const QString& titul) override
    {
        if (cil_ == nullptr)
            Rozvrzeni();
        // The destination's own options go with the job, as lp sends them.
        const int uloha = cupsPrintFile2(spojeni_, cil_->name, QFile::encodeName(pdf).constData(),
                                         titul.toUtf8().constData(), cil_->num_options, cil_->options);
        if (uloha == 0) {
            const TChybaTisku chyba = chybaCups(false);
            zapomen();
            throw chyba;
        }
        // The next print looks for the default again.
        zapomen();
    }

private:
    static constexpr int kCekaniNaSluzbuMs = 5000;

    void zapomen()
    {
        if (cil_ != nullptr)
            cupsFreeDests(1, cil_);
        cil_ = nullptr;
        httpClose(spojeni_);
        spojeni_ = nullptr;
    }

    // The destination's default sheet (the user's "media" option, else the
    // printer's default) and its printable area; A4 with no margins when
    // the printer does not say.
    QPageLayout rozvrzeniCile() const
    {
        cups_size_t rozmer{};
        bool znamy = false;
        if (cups_dinfo_t* info = cupsCopyDestInfo(spojeni_, cil_)) {
            const char* medium = cupsGetOption("media", cil_->num_options, cil_->options);
            if (medium == nullptr)
                if (ipp_attribute_t* vychozi = cupsFindDestDefault(spojeni_, cil_, info, "media"))
                    medium = ippGetString(vychozi, 0, nullptr);
            znamy = (medium != nullptr && cupsGetDestMediaByName(spojeni_, cil_, info, medium, 0, &rozmer)) ||
                    cupsGetDestMediaDefault(spojeni_, cil_, info, 0, &rozmer);
            cupsFreeDestInfo(info);
        }
        if (!znamy || rozmer.width <= 0 || rozmer.length <= 0)
            return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
        // CUPS measures in hundredths of a millimetre.
        auto mm = [](int setiny) { return setiny / 100.0; };
        const QPageSize list(QSizeF(mm(rozmer.width), mm(rozmer.length)), QPageSize::Millimeter, QString(),
                             QPageSize::FuzzyMatch);
        const QMarginsF okraje(mm(rozmer.left), mm(rozmer.top), mm(rozmer.right), mm(rozmer.bottom));
        return QPageLayout(list, QPageLayout::Portrait, okraje, QPageLayout::Millimeter);
    }

    http_t* spojeni_ = nullptr;
    cups_dest_t* cil_ = nullptr;
};

} // namespace

std::unique_ptr<TTiskarna> TiskarnaCups()
{
    return std::make_unique<TTiskarnaCups>();
}

void VykresliDokument(const QTextDocument& dokument, QPrinter& tiskarna)
{
    dokument.print(&tiskarna);
    if (tiskarna.printerState() == QPrinter::Error)
        throw TChybaTisku(kNepodariloSe);
}

void TiskniDokument(const QTextDocument& dokument, TTiskarna& tiskarna, const QString& titul)
{
    const QPageLayout rozvrzeni = tiskarna.Rozvrzeni();
    const QTemporaryDir slozka;
    if (!slozka.isValid())
        throw TChybaTisku(std::string(kNepodariloSe) + ": nelze vytvořit dočasnou složku");
    const QString pdf = slozka.filePath(QStringLiteral("zapisnicek.pdf"));
    {
        QPrinter pdfTiskarna(QPrinter::HighResolution);
        pdfTiskarna.setOutputFormat(QPrinter::PdfFormat);
        pdfTiskarna.setOutputFileName(pdf);
        pdfTiskarna.setPageLayout(rozvrzeni);
        pdfTiskarna.setDocName(titul);
        pdfTiskarna.setCreator(QGuiApplication::applicationDisplayName());
        VykresliDokument(dokument, pdfTiskarna);
    }
    if (QFileInfo(pdf).size() <= 0)
        throw TChybaTisku(kNepodariloSe);
    tiskarna.Odesli(pdf, titul);
}
