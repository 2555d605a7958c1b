#include "aplikace.h"

#include <QDir>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QPushButton>
#include <QTranslator>
#include <cstdlib>
#include <cstdio>
#include <new>
#include <stdexcept>

TAplikace::TAplikace(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("mixor"));
    // No display name: the window system would append it, after " — ", to
    // every title that does not already end with it (message boxes, the
    // save dialog). Every window names the program in its own title.
    // The desktop entry gives the name the desktop shows for the program.
    setDesktopFileName(QStringLiteral("org.example.mixor"));
    // The window and every dialog carry the program's icon, built into the
    // program (dist/) at every size the desktop installs.
    QIcon ikona;
    for (const QFileInfo& png : QDir(QStringLiteral(":/ikony")).entryInfoList(QDir::Files))
        ikona.addFile(png.filePath());
    setWindowIcon(ikona);
    // Where the window's fonts are missing, prefer faces of the same build.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
    nactiPrekladQt();
}

void TAplikace::nactiPrekladQt()
{
    // Qt's own texts (dialog buttons, the save dialog, context menus) in
    // Czech whatever the system's language, like the rest of the window.
    const QLocale cestina(QLocale::Czech, QLocale::CzechRepublic);
    QLocale::setDefault(cestina);
    auto* preklad = new QTranslator(this);
    if (preklad->load(cestina, QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(preklad);
}

TAplikace* TAplikace::Instance()
{
    return qobject_cast<TAplikace*>(QCoreApplication::instance());
}

QString TAplikace::Titul()
{
    return QStringLiteral("Mixorův průvodce 2");
}

void TAplikace::Zprava(QMessageBox::Icon ikona, const QString& titulek, const QString& text)
{
    if (odpovidac_) {
        odpovidac_(TZprava{ikona, titulek, text});
        return;
    }
    QMessageBox box(ikona, titulek, text, QMessageBox::Ok);
    box.exec();
}

bool TAplikace::Otazka(const QString& titulek, const QString& text)
{
    if (odpovidacOtazek_)
        return odpovidacOtazek_(TZprava{QMessageBox::Question, titulek, text});
    return QMessageBox::question(activeWindow(), titulek, text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

QMessageBox::StandardButton TAplikace::OtazkaUlozeni(const QString& titulek, const QString& text)
{
    if (odpovidacUlozeni_)
        return odpovidacUlozeni_(TZprava{QMessageBox::Question, titulek, text});
    QMessageBox box(QMessageBox::Question, titulek, text, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                    activeWindow());
    // The program's own words, whatever Qt's translation calls the buttons.
    box.button(QMessageBox::Save)->setText(QStringLiteral("Uložit"));
    box.button(QMessageBox::Discard)->setText(QStringLiteral("Zahodit"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("Zrušit"));
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    const auto odpoved = static_cast<QMessageBox::StandardButton>(box.exec());
    return odpoved == QMessageBox::Save || odpoved == QMessageBox::Discard ? odpoved : QMessageBox::Cancel;
}

bool TAplikace::UkazDialog(QFileDialog& dialog)
{
    if (odpovidacDialogu_)
        return odpovidacDialogu_(dialog);
    return dialog.exec() == QDialog::Accepted;
}

QString TAplikace::TextChyby(const QString& text)
{
    if (!text.isEmpty() && text.back().isLetterOrNumber())
        return text + QLatin1Char('.');
    return text;
}

void TAplikace::HlasChybu(const std::exception& chyba)
{
    Zprava(QMessageBox::Critical, Titul(), TextChyby(QString::fromUtf8(chyba.what())));
}

void TAplikace::HlasZachycenouChybu() noexcept
{
    try {
        throw;
    } catch (const std::bad_alloc&) {
        koncimProNedostatekPameti();
    } catch (const std::exception& chyba) {
        hlasText(chyba.what());
    } catch (...) {
        hlasText("Neznámá chyba");
    }
}

void TAplikace::hlasText(const char* text) noexcept
{
    try {
        if (TAplikace* aplikace = Instance()) {
            aplikace->HlasChybu(std::runtime_error(text));
            return;
        }
    } catch (...) {
        // Not even the report could be shown (no memory left).
    }
    std::fprintf(stderr, "%s\n", text);
}

void TAplikace::koncimProNedostatekPameti() noexcept
{
    // After a failed allocation nothing the window holds can be trusted:
    // the program ends without writing, so the files stay as they were.
    constexpr char kNedostatekPameti[] = "Nedostatek paměti.";
    std::fprintf(stderr, "%s\n", kNedostatekPameti);
    TAplikace* aplikace = Instance();
    if (!aplikace || aplikace->doslaPamet_)
        return;
    aplikace->doslaPamet_ = true;
    try {
        aplikace->Zprava(QMessageBox::Critical, Titul(), QString::fromUtf8(kNedostatekPameti));
    } catch (...) {
        // Standard error has it.
    }
    // After the box: an event loop started after exit() returns at once.
    QCoreApplication::exit(EXIT_FAILURE);
}

bool TAplikace::KrokStartu(const std::function<void()>& krok)
{
    try {
        krok();
    } catch (...) {
        HlasZachycenouChybu();
        return false;
    }
    return !doslaPamet_;
}

bool TAplikace::notify(QObject* prijemce, QEvent* udalost)
{
    try {
        return QApplication::notify(prijemce, udalost);
    } catch (...) {
        ++chybyVNotify_;
        HlasZachycenouChybu();
    }
    return false;
}
