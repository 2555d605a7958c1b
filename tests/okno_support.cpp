#include "okno_support.h"

#include <QCoreApplication>
#include <fstream>
#include <sstream>

#include "text.h"

void OknoTest::SetUp()
{
    puvodni_ = std::filesystem::current_path();
    std::filesystem::current_path(slozka.cesta());
    TAplikace::Instance()->NastavOdpovidace([this](const TAplikace::TZprava& z) { zpravy.push_back(z); });
}

void OknoTest::TearDown()
{
    okno.reset();
    TAplikace::Instance()->NastavOdpovidace(nullptr);
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

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TAplikace aplikace(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
