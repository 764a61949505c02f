// SPDX-License-Identifier: MIT
#include "platform/SessionBus.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

class tst_SessionBus : public QObject
{
    Q_OBJECT

private slots:
    void publishedAddress_data();
    void publishedAddress();
    void runtimeBus_data();
    void runtimeBus();
    void address_data();
    void address();
};

namespace {

constexpr quint32 string = 31, utf8String = 301;
const QByteArray guid = "0123456789abcdef0123456789abcdef";

// A socket bound at a path, as a bus daemon leaves it.
bool makeSocket(const QString &path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    qstrncpy(address.sun_path, name.constData(), sizeof address.sun_path);
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
    ::close(fd);
    return bound;
}

} // namespace

void tst_SessionBus::publishedAddress_data()
{
    QTest::addColumn<quint32>("type");
    QTest::addColumn<int>("format");
    QTest::addColumn<quint32>("bytesAfter");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<bool>("taken");

    QTest::newRow("dbus-launch's abstract socket")
        << string << 8 << 0u << "unix:abstract=/tmp/dbus-Ab12,guid=" + guid << true;
    QTest::newRow("a path") << string << 8 << 0u << QByteArray("unix:path=/run/user/1000/bus") << true;
    QTest::newRow("escaped bytes") << string << 8 << 0u << QByteArray("unix:path=/tmp/a%20b") << true;
    QTest::newRow("two sockets in turn")
        << string << 8 << 0u << QByteArray("unix:path=/a;unix:abstract=/b") << true;

    QTest::newRow("a program to run")
        << string << 8 << 0u << QByteArray("unixexec:path=/usr/bin/touch,argv1=/tmp/x") << false;
    QTest::newRow("a bus to start") << string << 8 << 0u << QByteArray("autolaunch:") << false;
    QTest::newRow("a socket, then a program")
        << string << 8 << 0u << QByteArray("unix:path=/a;unixexec:path=/bin/sh") << false;
    QTest::newRow("a program after a NUL")
        << string << 8 << 0u << QByteArray("unix:path=/a\0;unixexec:path=/bin/sh", 35) << false;
    QTest::newRow("TCP") << string << 8 << 0u << QByteArray("tcp:host=localhost,port=4000") << false;
    QTest::newRow("a place to listen") << string << 8 << 0u << QByteArray("unix:tmpdir=/tmp") << false;
    QTest::newRow("two sockets in one")
        << string << 8 << 0u << QByteArray("unix:path=/a,abstract=/b") << false;
    QTest::newRow("a guid and no socket") << string << 8 << 0u << "unix:guid=" + guid << false;
    QTest::newRow("a short guid") << string << 8 << 0u << QByteArray("unix:path=/a,guid=0123") << false;
    QTest::newRow("an unescaped space") << string << 8 << 0u << QByteArray("unix:path=/a b") << false;
    QTest::newRow("a cut escape") << string << 8 << 0u << QByteArray("unix:path=/a%2") << false;
    QTest::newRow("an empty path") << string << 8 << 0u << QByteArray("unix:path=") << false;
    QTest::newRow("a separator at the end") << string << 8 << 0u << QByteArray("unix:path=/a;") << false;
    QTest::newRow("nothing") << string << 8 << 0u << QByteArray() << false;

    QTest::newRow("a UTF8_STRING") << utf8String << 8 << 0u << QByteArray("unix:path=/a") << false;
    QTest::newRow("16-bit items") << string << 16 << 0u << QByteArray("unix:path=/a") << false;
    QTest::newRow("cut short") << string << 8 << 4u << QByteArray("unix:path=/a") << false;
}

void tst_SessionBus::publishedAddress()
{
    QFETCH(quint32, type);
    QFETCH(int, format);
    QFETCH(quint32, bytesAfter);
    QFETCH(QByteArray, value);
    QFETCH(bool, taken);
    QCOMPARE(SessionBus::publishedAddress(type, quint8(format), bytesAfter, value),
             taken ? value : QByteArray());
    QCOMPARE(SessionBus::isSocketAddress(value), taken || type != string || format != 8 || bytesAfter != 0);
}

void tst_SessionBus::runtimeBus_data()
{
    QTest::addColumn<QString>("made");
    QTest::addColumn<bool>("taken");

    QTest::newRow("the user's socket") << "socket" << true;
    QTest::newRow("no bus") << "nothing" << false;
    QTest::newRow("a file") << "file" << false;
    QTest::newRow("a link to the user's socket") << "link" << false;
    QTest::newRow("someone else's socket") << "foreign socket" << false;
}

void tst_SessionBus::runtimeBus()
{
    QFETCH(QString, made);
    QFETCH(bool, taken);
    QTemporaryDir directory;
    const QString bus = directory.filePath("bus");
    if (made == "socket" || made == "foreign socket") {
        QVERIFY(makeSocket(bus));
    } else if (made == "file") {
        QFile file(bus);
        QVERIFY(file.open(QIODevice::WriteOnly));
    } else if (made == "link") {
        QVERIFY(makeSocket(directory.filePath("elsewhere")));
        QVERIFY(QFile::link(directory.filePath("elsewhere"), bus));
    }
    if (made == "foreign socket" && ::lchown(QFile::encodeName(bus).constData(), 65534, 65534) != 0)
        QSKIP("Only root can give the socket to someone else");

    const QByteArray expected = taken ? "unix:path=" + QFile::encodeName(bus) : QByteArray();
    QCOMPARE(SessionBus::runtimeBus(QFile::encodeName(directory.path())), expected);
}

void tst_SessionBus::address_data()
{
    QTest::addColumn<QByteArray>("environment");
    QTest::addColumn<bool>("runtimeBus");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("the environment's socket")
        << QByteArray("unix:path=/run/user/1000/bus") << true << QByteArray("unix:path=/run/user/1000/bus");
    QTest::newRow("the environment's program")
        << QByteArray("unixexec:path=/bin/sh") << true << QByteArray("disabled:");
    QTest::newRow("the environment's bus to start")
        << QByteArray("autolaunch:") << false << QByteArray("disabled:");
    QTest::newRow("no bus named, the runtime directory's") << QByteArray() << true << QByteArray("runtime");
    QTest::newRow("no bus anywhere") << QByteArray() << false << QByteArray("disabled:");
}

void tst_SessionBus::address()
{
    QFETCH(QByteArray, environment);
    QFETCH(bool, runtimeBus);
    QFETCH(QByteArray, expected);
    QTemporaryDir directory;
    if (runtimeBus)
        QVERIFY(makeSocket(directory.filePath("bus")));
    const QByteArray runtimeDirectory = QFile::encodeName(directory.path());
    if (expected == "runtime")
        expected = "unix:path=" + runtimeDirectory + "/bus";
    QCOMPARE(SessionBus::address(environment, runtimeDirectory, nullptr), expected);
}

QTEST_GUILESS_MAIN(tst_SessionBus)
#include "tst_sessionbus.moc"
