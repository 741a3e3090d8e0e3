#pragma once
#include <QObject>
#include <QString>

class QLocalServer;

// Lets one copy of the program run per user. The lock is a flock on a file named after the
// mutex in the user's runtime directory (released by the kernel when a copy dies, so a crashed
// first copy blocks nothing). A local socket of the same name carries the bring-to-front
// request (the 0x040A message) from a second copy to the first.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& name = QStringLiteral("TRELLMutexSimKeeper"), QObject* parent = nullptr);
    ~SingleInstance() override;

    // Waits up to `timeoutMs` for the lock. True: this is the first copy (the lock is kept and
    // the request server runs). False: another copy owns it.
    bool acquire(int timeoutMs = 1000);
    // Sends the bring-to-front request to the first copy; false when none listens.
    bool notifyFirst(int timeoutMs = 500);
    QString lockPath() const { return lockPath_; }

signals:
    // A second copy asked this one to come to the front.
    void activationRequested();

private:
    void startServer();

    QString name_;
    QString lockPath_;
    QString socketPath_;  // beside the lock, so each user (and each test) has its own
    int fd_ = -1;
    QLocalServer* server_ = nullptr;
};
