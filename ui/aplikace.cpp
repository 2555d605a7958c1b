#include "aplikace.h"

#include <QDir>
#include <QFont>
#include <QIcon>
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
        try {
            throw;
        } catch (const std::bad_alloc&) {
            // Its own text would mean nothing to the user.
            if (TAplikace* aplikace = Instance())
                aplikace->HlasChybu(std::runtime_error("Nedostatek paměti"));
        } catch (const std::exception& chyba) {
            if (TAplikace* aplikace = Instance())
                aplikace->HlasChybu(chyba);
            else
                std::fprintf(stderr, "%s\n", chyba.what());
        } catch (...) {
            if (TAplikace* aplikace = Instance())
                aplikace->HlasChybu(std::runtime_error("Neznámá chyba"));
        }
    } catch (...) {
        // Not even the report could be shown (no memory left); the program
        // goes on all the same.
    }
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
