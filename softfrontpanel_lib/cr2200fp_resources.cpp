// The frame's two free functions for VISA programs. They live apart from the widget code
// so that they can be built and fuzzed with QtCore alone.
#include "cr2200fp_app.h"

#include <QByteArray>
#include <QStringView>
#include <QtGlobal>

#include <array>
#include <limits>

namespace {

constexpr int numberCeiling = std::numeric_limits<int>::max();

bool isAsciiLetter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z');
}

bool isAsciiDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

// Walks a resource name from left to right. Nothing it reads can fail: a number that is
// not there reads as 0, one that is too big for an int as the ceiling.
class NameReader
{
public:
    explicit NameReader(const QString &name)
        : text(name)
    {
    }

    // The leading run of ASCII letters, upper-cased; the reader stands after it.
    QString interfaceType()
    {
        QString type;
        while (pos < text.size() && isAsciiLetter(text.at(pos)))
            type.append(text.at(pos++).toUpper());
        return type;
    }

    // Reads the digits at the reader's place, saturating instead of overflowing.
    int number()
    {
        int value = 0;
        for (; pos < text.size() && isAsciiDigit(text.at(pos)); ++pos) {
            const int digit = text.at(pos).unicode() - u'0';
            value = value > (numberCeiling - digit) / 10 ? numberCeiling : value * 10 + digit;
        }
        return value;
    }

    // Steps over the separator if it stands here.
    bool skip(QStringView separator)
    {
        if (!QStringView(text).mid(pos).startsWith(separator))
            return false;
        pos += separator.size();
        return true;
    }

private:
    const QString &text;
    int pos = 0;
};

// Board, then the four numbers of the IP address, e.g. TCPIP0::192.168.0.2::INSTR. A host
// name in place of the address leaves the address at 0.0.0.0.
std::array<int, 5> tcpipNumbers(NameReader &reader)
{
    std::array<int, 5> numbers {};
    numbers[0] = reader.number();
    if (!reader.skip(u"::"))
        return numbers;
    for (std::size_t i = 1; i < numbers.size(); ++i) {
        if (i > 1 && !reader.skip(u"."))
            break;
        numbers[i] = reader.number();
    }
    return numbers;
}

bool ordersByBoard(const QString &type)
{
    static const char *const types[] = { "VXI", "GPIB", "SOCKET", "BACKPLANE", "PXI", "ASRL" };
    for (const char *t : types) {
        if (type == QLatin1String(t))
            return true;
    }
    return false;
}

} // namespace

QString configDirectory()
{
    if (!qEnvironmentVariableIsSet("ALLUSERSPROFILE"))
        return QStringLiteral("c:\\vxipnp");
    const QByteArray profile = qgetenv("ALLUSERSPROFILE");
    return QString::asprintf("%s\\%s\\%s", profile.constData(), "Tormel", "tmvisa");
}

bool resourceLessThan(const QString &a, const QString &b)
{
    NameReader readerA(a);
    NameReader readerB(b);
    const QString type = readerA.interfaceType();
    if (type != readerB.interfaceType())
        return a < b;
    if (type == QLatin1String("TCPIP"))
        return tcpipNumbers(readerA) < tcpipNumbers(readerB);
    if (ordersByBoard(type))
        return readerA.number() < readerB.number();
    return a < b;
}
