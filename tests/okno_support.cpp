#include "okno_support.h"

#include <QCoreApplication>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <type_traits>

#include "text.h"

namespace {

template <typename T>
T* najdi(const QWidget& okno, const char* jmeno)
{
    T* ovladac = okno.findChild<T*>(QString::fromLatin1(jmeno));
    if (ovladac == nullptr)
        throw std::logic_error(std::string("no control named ") + jmeno);
    return ovladac;
}

} // namespace

#define NAJDI(jmeno) jmeno = najdi<std::remove_pointer_t<decltype(jmeno)>>(okno, #jmeno)

TOvladace::TOvladace(const QWidget& okno)
{
    NAJDI(Pages);
    NAJDI(Tefekty), NAJDI(Tprisady);
    NAJDI(TZefekt), NAJDI(TZprisada), NAJDI(TZlektvar), NAJDI(TpPridat);
    NAJDI(TpJmeno), NAJDI(TpEfekt1), NAJDI(TpEfekt2), NAJDI(TpEfekt3), NAJDI(TpEfekt4);
    NAJDI(TpDatadisky), NAJDI(TpPopisPS), NAJDI(TlJmeno), NAJDI(TlDatadisky);
    NAJDI(TlPrisada1), NAJDI(TlPrisada2), NAJDI(TlPrisada3), NAJDI(TlPrisada4);
    NAJDI(TlVyjmi1), NAJDI(TlVyjmi2), NAJDI(TlVyjmi3), NAJDI(TlVyjmi4);
    NAJDI(TlEfekt1), NAJDI(TlEfekt2), NAJDI(TlEfekt3), NAJDI(TlEfekt4);
    NAJDI(TlEfektZP1), NAJDI(TlEfektZP2), NAJDI(TlEfektZP3), NAJDI(TlEfektZP4);
    NAJDI(Vvyber1), NAJDI(Vvyber2), NAJDI(VvyberList), NAJDI(VvyberJenom), NAJDI(VL1), NAJDI(VZlist), NAJDI(Vlist);
    NAJDI(Hefekty), NAJDI(Hprisady), NAJDI(Hzasoby), NAJDI(Hpocet), NAJDI(HL1), NAJDI(HZlist), NAJDI(Hlist);
    NAJDI(Ztext), NAJDI(Zsave), NAJDI(Zprint), NAJDI(Zbold), NAJDI(Zitalic), NAJDI(Zunderline), NAJDI(Zprotected);
    NAJDI(Zsize), NAJDI(Zcolor);
    NAJDI(OlogoP), NAJDI(Ovolby), NAJDI(OL1), NAJDI(OL2);
    NAJDI(Otribunal), NAJDI(Obloodmoon), NAJDI(Olisit), NAJDI(Oprepnout), NAJDI(Obarvy);
}

#undef NAJDI

void OknoTest::SetUp()
{
    puvodni_ = std::filesystem::current_path();
    std::filesystem::current_path(slozka.cesta());
    TAplikace::Instance()->NastavOdpovidace([this](const TAplikace::TZprava& z) { zpravy.push_back(z); });
    // A question no test expects is recorded and keeps the window open.
    TAplikace::Instance()->NastavOdpovidaceUlozeni([this](const TAplikace::TZprava& z) {
        zpravy.push_back(z);
        return QMessageBox::Cancel;
    });
}

void OknoTest::TearDown()
{
    okno.reset();
    ovladace_.reset();
    TAplikace::Instance()->NastavOdpovidace(nullptr);
    TAplikace::Instance()->NastavOdpovidaceUlozeni(nullptr);
    TAplikace::Instance()->NastavOdpovidaceDialogu(nullptr);
    TAplikace::Instance()->NastavOdpovidaceOtazek(nullptr);
    std::filesystem::current_path(puvodni_);
}

void OknoTest::katalog(std::string_view obsah)
{
    slozka.zapis("P\xC5\x99\xC3\xADsady.txt", obsah);
}

void OknoTest::soubor(const std::string& jmeno, std::string_view obsah)
{
    slozka.zapis(jmeno, obsah);
}

std::string OknoTest::precti(const std::string& jmeno) const
{
    std::ifstream in(slozka.cesta() / jmeno, std::ios::binary);
    std::ostringstream obsah;
    obsah << in.rdbuf();
    return obsah.str();
}

TMF& OknoTest::spust()
{
    okno = std::make_unique<TMF>();
    ovladace_ = std::make_unique<TOvladace>(*okno);
    okno->show();
    QCoreApplication::processEvents();
    return *okno;
}

TMF& OknoTest::spustPoUvodu(std::string_view obsahKatalogu)
{
    katalog(obsahKatalogu);
    spust();
    tikniStartTimer();
    return *okno;
}

QTimer* OknoTest::startTimer() const
{
    QTimer* casovac = okno->findChild<QTimer*>(QStringLiteral("StartTimer"));
    return casovac && casovac->isActive() ? casovac : nullptr;
}

void OknoTest::tikniStartTimer()
{
    QTimer* casovac = startTimer();
    ASSERT_NE(casovac, nullptr) << "the start-up timer is not waiting";
    // The timeout signal through the meta-object, as the timer itself sends it.
    QMetaObject::invokeMethod(casovac, "timeout");
    // What the tick handed to the event loop (the timer's deletion) runs now.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void OknoTest::zavri()
{
    okno->close();
}

std::vector<std::string> OknoTest::radky(const TListBox* seznam) const
{
    std::vector<std::string> out;
    for (int i = 0; i < seznam->count(); ++i)
        out.push_back(seznam->Text(i).toStdString());
    return out;
}

std::vector<std::string> OknoTest::texty(const TListBox* seznam) const
{
    std::vector<std::string> out;
    for (int i = 0; i < seznam->count(); ++i)
        out.push_back(DoCp1250(seznam->Index(i).data().toString()));
    return out;
}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TAplikace aplikace(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
