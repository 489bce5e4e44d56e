#include "cr2200fp_app.h"

#include <QRandomGenerator>
#include <QtTest>

#include <algorithm>
#include <iterator>
#include <vector>

namespace {

// Keeps the environment variable as it was before the test, whatever the test does.
class EnvironmentGuard
{
public:
    explicit EnvironmentGuard(const char *name)
        : variable(name)
        , wasSet(qEnvironmentVariableIsSet(name))
        , value(qgetenv(name))
    {
    }
    ~EnvironmentGuard()
    {
        if (wasSet)
            qputenv(variable, value);
        else
            qunsetenv(variable);
    }

private:
    const char *variable;
    bool wasSet;
    QByteArray value;
};

// Well-formed VISA resource names, upper case: type, board number, "::" and the rest.
class NameGenerator
{
public:
    explicit NameGenerator(quint32 seed)
        : random(seed)
    {
    }

    QString next()
    {
        static const char *const types[]
            = { "TCPIP", "GPIB", "VXI", "SOCKET", "BACKPLANE", "PXI", "ASRL", "USB", "GPIB-VXI" };
        const QString type = QString::fromLatin1(types[bounded(std::size(types))]);
        // Few distinct numbers, so that equal keys and long chains both occur.
        const QString board = bounded(8) == 0 ? QString() : QString::number(bounded(12));
        QString rest;
        if (type == "TCPIP") {
            if (bounded(6) == 0) {
                rest = QStringLiteral("instrument%1.example::inst0").arg(bounded(3));
            } else {
                QStringList address;
                const int parts = bounded(5) == 0 ? 1 + bounded(4) : 4;
                for (int i = 0; i < parts; ++i)
                    address << QString::number(bounded(4) == 0 ? 200 + bounded(56) : bounded(3));
                rest = address.join('.');
            }
        } else {
            rest = QString::number(bounded(32));
        }
        const char *const kinds[] = { "::INSTR", "::SOCKET", "", "::0::INSTR" };
        return type + board + "::" + rest + QLatin1String(kinds[bounded(std::size(kinds))]);
    }

private:
    int bounded(std::size_t n) { return int(random.bounded(quint32(n))); }
    QRandomGenerator random;
};

QString describe(const QString &a, const QString &b, const QString &c = QString())
{
    return QStringLiteral("\"%1\" \"%2\" \"%3\"").arg(a, b, c);
}

} // namespace

class tst_resourcelessthan : public QObject
{
    Q_OBJECT

private slots:
    void ordering_data();
    void ordering();
    void strictWeakOrderingOverWellFormedNames();
    void sortingGeneratedLists();
    void arbitraryStringsAreSafe();
    void configDirectory_data();
    void configDirectory();
};

void tst_resourcelessthan::ordering_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<bool>("aLess");
    QTest::addColumn<bool>("bLess");

    // TCPIP: board, then the four address numbers, compared as numbers.
    QTest::newRow("TCPIP last number 2 before 10")
        << "TCPIP0::192.168.0.2::INSTR"
        << "TCPIP0::192.168.0.10::INSTR" << true << false;
    QTest::newRow("tcpip lower case, 2 before 10")
        << "tcpip0::192.168.0.2::inst0::INSTR"
        << "tcpip0::192.168.0.10::inst0::INSTR" << true << false;
    QTest::newRow("TCPIP mixed case, 2 before 10")
        << "TcpIp0::192.168.0.2::INSTR"
        << "TCPIP0::192.168.0.10::INSTR" << true << false;
    QTest::newRow("TCPIP larger second, smaller fourth is not less")
        << "TCPIP0::10.2.0.1::INSTR"
        << "TCPIP0::10.1.0.9::INSTR" << false << true;
    QTest::newRow("TCPIP board decides before the address")
        << "TCPIP1::10.0.0.1::INSTR"
        << "TCPIP0::10.0.0.9::INSTR" << false << true;
    QTest::newRow("TCPIP board 2 before 10") << "TCPIP2::10.0.0.1::INSTR"
                                             << "TCPIP10::10.0.0.1::INSTR" << true << false;
    QTest::newRow("TCPIP same address, different suffix, neither less")
        << "TCPIP0::10.0.0.1::INSTR"
        << "TCPIP0::10.0.0.1::5025::SOCKET" << false << false;
    QTest::newRow("TCPIP missing board reads 0") << "TCPIP::10.0.0.1::INSTR"
                                                 << "TCPIP0::10.0.0.2::INSTR" << true << false;

    // Unreadable TCPIP addresses read as 0 for each number that cannot be read.
    QTest::newRow("TCPIP host name reads as 0.0.0.0") << "TCPIP0::scope.example::INSTR"
                                                      << "TCPIP0::0.0.0.0::INSTR" << false << false;
    QTest::newRow("TCPIP host name before 0.0.0.1") << "TCPIP0::scope.example::INSTR"
                                                    << "TCPIP0::0.0.0.1::INSTR" << true << false;
    QTest::newRow("TCPIP host names on one board are equal")
        << "TCPIP0::alpha::INSTR"
        << "TCPIP0::beta::INSTR" << false << false;
    QTest::newRow("TCPIP host name keeps its board")
        << "TCPIP3::scope::INSTR"
        << "TCPIP2::255.255.255.255::INSTR" << false << true;
    QTest::newRow("TCPIP missing parts read 0") << "TCPIP0::10.1::INSTR"
                                                << "TCPIP0::10.1.0.0::INSTR" << false << false;
    QTest::newRow("TCPIP missing parts before 1") << "TCPIP0::10.1"
                                                  << "TCPIP0::10.1.0.1" << true << false;
    QTest::newRow("TCPIP without separator after board") << "TCPIP0"
                                                         << "TCPIP0:10.0.0.1" << false << false;
    QTest::newRow("TCPIP empty number between points") << "TCPIP0::10..3.4"
                                                       << "TCPIP0::10.0.3.4" << false << false;
    QTest::newRow("TCPIP huge number saturates, stays largest")
        << "TCPIP0::1.2.3.99999999999999999999999"
        << "TCPIP0::1.2.3.2147483646" << false << true;
    QTest::newRow("TCPIP huge numbers saturate alike")
        << "TCPIP0::1.2.3.4294967296"
        << "TCPIP0::1.2.3.2147483648" << false << false;
    QTest::newRow("TCPIP huge board") << "TCPIP99999999999999999999::1.1.1.1"
                                      << "TCPIP2147483646::9.9.9.9" << false << true;
    QTest::newRow("TCPIP just below the ceiling") << "TCPIP0::1.2.3.2147483646"
                                                  << "TCPIP0::1.2.3.2147483647" << true << false;

    // Board-only types: the board number alone decides.
    QTest::newRow("GPIB board 0 before board 1 whatever follows")
        << "GPIB0::30::INSTR"
        << "GPIB1::2::INSTR" << true << false;
    QTest::newRow("GPIB same board, neither less") << "GPIB0::3::INSTR"
                                                   << "GPIB0::20::INSTR" << false << false;
    QTest::newRow("GPIB board 2 before 10") << "GPIB2::1::INSTR"
                                            << "GPIB10::1::INSTR" << true << false;
    QTest::newRow("GPIB-VXI is typed GPIB") << "GPIB-VXI0::8::INSTR"
                                            << "GPIB0::5::INSTR" << false << false;
    QTest::newRow("GPIB-VXI reads board 0") << "GPIB-VXI3::8::INSTR"
                                            << "GPIB1::5::INSTR" << true << false;
    QTest::newRow("VXI board 2 before 10") << "VXI10::1::INSTR"
                                           << "VXI2::1::INSTR" << false << true;
    QTest::newRow("SOCKET board 2 before 10") << "SOCKET2"
                                              << "SOCKET10" << true << false;
    QTest::newRow("BACKPLANE board 2 before 10") << "BACKPLANE2::INSTR"
                                                 << "BACKPLANE10::INSTR" << true << false;
    QTest::newRow("PXI board 2 before 10") << "PXI2::5::INSTR"
                                           << "PXI10::1::INSTR" << true << false;
    QTest::newRow("ASRL board 2 before 10") << "ASRL10::INSTR"
                                            << "ASRL2::INSTR" << false << true;
    QTest::newRow("asrl lower case by board") << "asrl10::INSTR"
                                              << "ASRL2::INSTR" << false << true;
    QTest::newRow("GPIB huge board saturates") << "GPIB99999999999999999999999::1"
                                               << "GPIB2147483646::1" << false << true;

    // Equal and empty names.
    QTest::newRow("equal TCPIP") << "TCPIP0::10.0.0.1::INSTR"
                                 << "TCPIP0::10.0.0.1::INSTR" << false << false;
    QTest::newRow("equal GPIB") << "GPIB0::5::INSTR"
                                << "GPIB0::5::INSTR" << false << false;
    QTest::newRow("equal other type") << "USB0::0x1234::INSTR"
                                      << "USB0::0x1234::INSTR" << false << false;
    QTest::newRow("both empty") << ""
                                << "" << false << false;
    QTest::newRow("empty before a name") << ""
                                         << "GPIB0::5::INSTR" << true << false;
    QTest::newRow("no letters, plain strings") << "10::x"
                                               << "9::x" << true << false;

    // Different types, and types without numbers of their own, order as plain strings.
    QTest::newRow("different types as strings") << "TCPIP0::1.1.1.1::INSTR"
                                                << "GPIB9::1::INSTR" << false << true;
    QTest::newRow("USB as strings") << "USB0::0x1234::INSTR"
                                    << "USB0::0x1111::INSTR" << false << true;
    QTest::newRow("USB board 10 before 2 as strings") << "USB10::0x1::INSTR"
                                                      << "USB2::0x1::INSTR" << true << false;
    QTest::newRow("GPIB-VXI and VXI are different types") << "VXI0::1::INSTR"
                                                          << "GPIB-VXI0::1::INSTR" << false << true;
    QTest::newRow("letters past ASCII end the type")
        << QString::fromUtf8("GPIB\u00c40::1") << "GPIB3::1" << true << false;
}

void tst_resourcelessthan::ordering()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(bool, aLess);
    QFETCH(bool, bLess);
    QCOMPARE(resourceLessThan(a, b), aLess);
    QCOMPARE(resourceLessThan(b, a), bLess);
    QVERIFY(!resourceLessThan(a, a));
    QVERIFY(!resourceLessThan(b, b));
}

void tst_resourcelessthan::strictWeakOrderingOverWellFormedNames()
{
    // Every triple of a small list, for several lists.
    for (quint32 seed = 1; seed <= 6; ++seed) {
        NameGenerator generator(seed);
        QStringList names;
        for (int i = 0; i < 70; ++i)
            names << generator.next();
        const int n = names.size();
        // less[i][j] once, so that the triples cost nothing but look-ups.
        std::vector<std::vector<bool>> less(n, std::vector<bool>(n));
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                less[i][j] = resourceLessThan(names[i], names[j]);

        for (int i = 0; i < n; ++i) {
            QVERIFY2(!less[i][i], qPrintable("irreflexive: " + names[i]));
            for (int j = 0; j < n; ++j) {
                QVERIFY2(!(less[i][j] && less[j][i]),
                    qPrintable("asymmetric: " + describe(names[i], names[j])));
                for (int k = 0; k < n; ++k) {
                    if (less[i][j] && less[j][k] && !less[i][k])
                        QFAIL(qPrintable("transitive: " + describe(names[i], names[j], names[k])));
                    const bool ijEquivalent = !less[i][j] && !less[j][i];
                    const bool jkEquivalent = !less[j][k] && !less[k][j];
                    const bool ikEquivalent = !less[i][k] && !less[k][i];
                    if (ijEquivalent && jkEquivalent && !ikEquivalent)
                        QFAIL(qPrintable("incomparability transitive: "
                            + describe(names[i], names[j], names[k])));
                }
            }
        }
    }
}

void tst_resourcelessthan::sortingGeneratedLists()
{
    NameGenerator generator(2024);
    QStringList names;
    for (int i = 0; i < 5000; ++i)
        names << generator.next();
    std::sort(names.begin(), names.end(), resourceLessThan);
    QVERIFY(std::is_sorted(names.begin(), names.end(), resourceLessThan));
    // Adjacent names never order backwards, and TCPIP addresses on one board climb by
    // number, not by text.
    for (int i = 1; i < names.size(); ++i)
        QVERIFY2(!resourceLessThan(names[i], names[i - 1]),
            qPrintable(describe(names[i - 1], names[i])));

    QStringList tcpip = { "TCPIP0::10.0.0.10::INSTR", "TCPIP0::10.0.0.9::INSTR",
        "TCPIP0::10.0.0.100::INSTR", "TCPIP0::9.0.0.1::INSTR", "TCPIP1::1.0.0.1::INSTR" };
    std::sort(tcpip.begin(), tcpip.end(), resourceLessThan);
    const QStringList expected = { "TCPIP0::9.0.0.1::INSTR", "TCPIP0::10.0.0.9::INSTR",
        "TCPIP0::10.0.0.10::INSTR", "TCPIP0::10.0.0.100::INSTR", "TCPIP1::1.0.0.1::INSTR" };
    QCOMPARE(tcpip, expected);
}

void tst_resourcelessthan::arbitraryStringsAreSafe()
{
    // Pieces that steer the reader into every branch, mixed with raw characters (including
    // lone surrogates and non-ASCII digits) and runs of digits long enough to overflow.
    const QStringList pieces = {
        "TCPIP",
        "tcpip",
        "GPIB",
        "GPIB-VXI",
        "VXI",
        "SOCKET",
        "BACKPLANE",
        "PXI",
        "ASRL",
        "USB",
        "::",
        ":",
        ".",
        "..",
        "0",
        "1",
        "10",
        "255",
        "2147483647",
        "2147483648",
        "99999999999999999999",
        "-1",
        "+",
        " ",
        "INSTR",
        "",
    };
    QRandomGenerator random(4830);
    auto randomString = [&] {
        QString s;
        const int parts = int(random.bounded(8u));
        for (int p = 0; p < parts; ++p) {
            if (random.bounded(3u) == 0)
                s.append(QChar(char16_t(random.bounded(0x10000u))));
            else
                s.append(pieces[int(random.bounded(quint32(pieces.size())))]);
        }
        return s;
    };
    for (int i = 0; i < 20000; ++i) {
        const QString a = randomString();
        const QString b = randomString();
        const bool ab = resourceLessThan(a, b);
        const bool ba = resourceLessThan(b, a);
        QVERIFY2(!(ab && ba), qPrintable(describe(a, b)));
        QVERIFY2(!resourceLessThan(a, a), qPrintable(a));
    }
}

void tst_resourcelessthan::configDirectory_data()
{
    QTest::addColumn<bool>("set");
    QTest::addColumn<QByteArray>("profile");
    QTest::addColumn<QString>("directory");
    QTest::newRow("not set") << false << QByteArray() << "c:\\vxipnp";
    QTest::newRow("set") << true << QByteArray("C:\\ProgramData")
                         << "C:\\ProgramData\\Tormel\\tmvisa";
    QTest::newRow("set with blanks") << true << QByteArray("C:\\Documents and Settings\\All Users")
                                     << "C:\\Documents and Settings\\All Users\\Tormel\\tmvisa";
    QTest::newRow("set but empty") << true << QByteArray("") << "\\Tormel\\tmvisa";
    QTest::newRow("percent signs stay as they are")
        << true << QByteArray("C:\\100%s") << "C:\\100%s\\Tormel\\tmvisa";
}

void tst_resourcelessthan::configDirectory()
{
    QFETCH(bool, set);
    QFETCH(QByteArray, profile);
    QFETCH(QString, directory);

    const bool wasSet = qEnvironmentVariableIsSet("ALLUSERSPROFILE");
    const QByteArray was = qgetenv("ALLUSERSPROFILE");
    {
        EnvironmentGuard guard("ALLUSERSPROFILE");
        if (set)
            QVERIFY(qputenv("ALLUSERSPROFILE", profile));
        else
            QVERIFY(qunsetenv("ALLUSERSPROFILE"));
        QCOMPARE(::configDirectory(), directory);
    }
    QCOMPARE(qEnvironmentVariableIsSet("ALLUSERSPROFILE"), wasSet);
    QCOMPARE(qgetenv("ALLUSERSPROFILE"), was);
}

QTEST_MAIN(tst_resourcelessthan)
#include "tst_resourcelessthan.moc"
