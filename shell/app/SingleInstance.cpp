#include "shell/app/SingleInstance.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

QString runtimeDir()
{
    QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (dir.isEmpty() || !QDir(dir).exists()) {
        dir = QDir::tempPath() + QStringLiteral("/quillon-%1").arg(::getuid());
        QDir().mkpath(dir);
    }
    return dir;
}


}  // namespace

SingleInstance::SingleInstance(const QString& name, QObject* parent)
    : QObject(parent), name_(name), lockPath_(runtimeDir() + "/" + name + ".lock"),
      socketPath_(runtimeDir() + "/" + name + ".sock")
{
}

SingleInstance::~SingleInstance()
{
    if (fd_ >= 0) ::close(fd_);
}

bool SingleInstance::acquire(int timeoutMs)
{
    if (fd_ < 0) fd_ = ::open(lockPath_.toLocal8Bit().constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ < 0) return true;  // no lock file possible: never keep the user out
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
            startServer();
            return true;
        }
        if (clock.elapsed() >= timeoutMs) return false;
        QThread::msleep(20);
    }
}

void SingleInstance::startServer()
{
    QLocalServer::removeServer(socketPath_);  // a crashed first copy may have left its socket file
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* peer = server_->nextPendingConnection()) {
            connect(peer, &QLocalSocket::readyRead, this, [this, peer] {
                if (peer->readAll().contains("0x040A")) emit activationRequested();
                peer->disconnectFromServer();
            });
            connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
        }
    });
    server_->listen(socketPath_);
}

bool SingleInstance::notifyFirst(int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(socketPath_);
    if (!socket.waitForConnected(timeoutMs)) return false;
    socket.write("0x040A\n");
    bool ok = socket.waitForBytesWritten(timeoutMs);
    socket.disconnectFromServer();
    return ok;
}
