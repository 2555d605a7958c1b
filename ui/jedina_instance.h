// One program per player's folder. The first start in a folder holds a lock
// on it for the program's life and answers the later starts there, which
// bring its window to the front instead of opening a second window over the
// same "volby.txt" and "zasoby.txt".
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <chrono>

class QLocalServer;
class QWidget;

class TJedinaInstance : public QObject {
    Q_OBJECT
public:
    // The program's instance for a folder (the working folder by default);
    // a later start waits at most `cekani` for the running program to answer.
    explicit TJedinaInstance(const QString& slozka = QStringLiteral("."),
                             std::chrono::milliseconds cekani = std::chrono::seconds(10));
    ~TJedinaInstance() override;

    // Takes the folder: false when another program already holds it. The
    // lock is held by an open file, so the kernel releases it when the
    // program ends in any way, a kill included.
    bool Zamkni();

    // The window that later starts bring to the front.
    void NastavOkno(QWidget* okno) { okno_ = okno; }

    // For a later start: asks the running program to bring its window to the
    // front. Where it does not answer, says that the program runs in this
    // folder already and returns false.
    bool PrivolejBezici();

private:
    void otevriServer();
    bool pozadejBezici();
    void prijmiSpojeni();
    void ukazOkno();

    QString zamek_;
    QString nahradniZamek_;
    QString server_;
    std::chrono::milliseconds cekani_;
    int fd_ = -1;
    QLocalServer* naslouchani_ = nullptr;
    QPointer<QWidget> okno_;
};
