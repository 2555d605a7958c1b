#include "jedina_instance.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "aplikace.h"
#include "obsluha.h"

namespace {

constexpr char kZamekVeSlozce[] = ".mixor.zamek";

// A lock file that is a regular file of its own (not a link, a pipe or a
// device); read-only where the folder lets nobody write it, which still
// locks.
int otevriZamek(const QString& cesta)
{
    const QByteArray nazev = QFile::encodeName(cesta);
    constexpr int kVolby = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY;
    int fd = ::open(nazev.constData(), O_RDWR | O_CREAT | kVolby, 0666);
    if (fd < 0 && (errno == EACCES || errno == EROFS))
        fd = ::open(nazev.constData(), O_RDONLY | kVolby);
    struct stat info {};
    if (fd >= 0 && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))) {
        ::close(fd);
        fd = -1;
    }
    return fd;
}

// Runs the event loop until the socket has an answer or gives up, or the
// time is up.
void cekejNaOdpoved(QLocalSocket& spojeni, std::chrono::milliseconds cekani)
{
    QEventLoop smycka;
    QObject::connect(&spojeni, &QLocalSocket::readyRead, &smycka, &QEventLoop::quit);
    QObject::connect(&spojeni, &QLocalSocket::disconnected, &smycka, &QEventLoop::quit);
    QObject::connect(&spojeni, &QLocalSocket::errorOccurred, &smycka, &QEventLoop::quit);
    QTimer::singleShot(cekani, &smycka, &QEventLoop::quit);
    if (spojeni.state() != QLocalSocket::UnconnectedState && spojeni.bytesAvailable() == 0)
        smycka.exec();
}

} // namespace

TJedinaInstance::TJedinaInstance(const QString& slozka, std::chrono::milliseconds cekani) : cekani_(cekani)
{
    // Named after the folder's real path, so that every way to the same
    // folder meets the same program.
    const QString cesta = QFileInfo(slozka).canonicalFilePath();
    const QByteArray otisk =
        QCryptographicHash::hash(QFile::encodeName(cesta), QCryptographicHash::Sha256).toHex().left(32);
    // The user's own runtime folder: nobody else can plant a server there.
    const QString beh = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    zamek_ = QDir(cesta).filePath(QString::fromLatin1(kZamekVeSlozce));
    nahradniZamek_ = QDir(beh).filePath(QStringLiteral("mixor-%1.zamek").arg(QLatin1String(otisk)));
    server_ = QDir(beh).filePath(QStringLiteral("mixor-%1").arg(QLatin1String(otisk)));
}

TJedinaInstance::~TJedinaInstance()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool TJedinaInstance::Zamkni()
{
    // The lock lives in the folder, where every program started there sees
    // it; in a folder that takes no file, in the user's runtime folder.
    for (const QString& cesta : {zamek_, nahradniZamek_}) {
        const int fd = otevriZamek(cesta);
        if (fd < 0)
            continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            fd_ = fd;
            otevriServer();
            return true;
        }
        const int chyba = errno;
        ::close(fd);
        if (chyba == EWOULDBLOCK)
            return false;
    }
    // No lock can be had at all: the program runs unguarded rather than not at all.
    return true;
}

void TJedinaInstance::otevriServer()
{
    naslouchani_ = new QLocalServer(this);
    naslouchani_->setSocketOptions(QLocalServer::UserAccessOption);
    PripojObsluhu(naslouchani_, &QLocalServer::newConnection, this, &TJedinaInstance::prijmiSpojeni);
    // A server left by a program that was killed holds the name; the lock
    // says that no program answers there any more.
    QLocalServer::removeServer(server_);
    naslouchani_->listen(server_);
}

void TJedinaInstance::prijmiSpojeni()
{
    while (QLocalSocket* spojeni = naslouchani_->nextPendingConnection()) {
        connect(spojeni, &QLocalSocket::disconnected, spojeni, &QObject::deleteLater);
        ukazOkno();
        spojeni->write("1");
        spojeni->disconnectFromServer();
    }
}

void TJedinaInstance::ukazOkno()
{
    if (okno_) {
        okno_->setWindowState(okno_->windowState() & ~Qt::WindowMinimized);
        okno_->show();
        okno_->raise();
        okno_->activateWindow();
    }
    // A message box open over the window comes first.
    if (QWidget* dialog = QApplication::activeModalWidget()) {
        dialog->raise();
        dialog->activateWindow();
    }
}

bool TJedinaInstance::PrivolejBezici()
{
    if (pozadejBezici())
        return true;
    const QString text = TAplikace::Titul() + QStringLiteral(" už v této složce běží.");
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    TAplikace::Instance()->Zprava(QMessageBox::Information, TAplikace::Titul(), text);
    return false;
}

bool TJedinaInstance::pozadejBezici()
{
    // The running program may have just taken the lock and not yet opened
    // its server: the request is tried again until the time is up.
    const QDeadlineTimer termin(cekani_);
    while (!termin.hasExpired()) {
        QLocalSocket spojeni;
        spojeni.connectToServer(server_);
        cekejNaOdpoved(spojeni, std::chrono::milliseconds(termin.remainingTime()));
        if (spojeni.bytesAvailable() > 0)
            return true;
        if (spojeni.state() == QLocalSocket::UnconnectedState)
            QThread::msleep(50);
    }
    return false;
}
