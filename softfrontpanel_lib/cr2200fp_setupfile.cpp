#include "cr2200fp_setupfile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QSaveFile>
#include <QSet>
#include <QVector>

#include <climits>
#include <cmath>

namespace {

const char formatName[] = "sfp-setup";

// Where a problem sits: the file, and the channel once it is known.
struct Place
{
    QString file;
    QString channel; // "channel 3" or "entry 2 of \"channels\"", empty at the top
    QString say(const QString &problem) const
    {
        return cr2200fp_setupFile::message(
            file, channel.isEmpty() ? problem : channel + QStringLiteral(", ") + problem);
    }
};

// Line and column (from 1, the column counted in characters) of a byte offset.
QString position(const QByteArray &text, int offset)
{
    offset = qBound(0, offset, text.size());
    const QByteArray before = text.left(offset);
    const int lineStart = before.lastIndexOf('\n') + 1;
    const int line = before.count('\n') + 1;
    const int column = QString::fromUtf8(before.mid(lineStart)).size() + 1;
    return cr2200fp_setupFile::tr("line %1, column %2").arg(line).arg(column);
}

// Finds a key that an object gives twice. Qt's parser keeps the last value silently (and
// Qt 5's loses the memory of the first when that is an object or an array); a setup file
// must not hide a setting that way. Meant for text that is JSON: on anything else it may
// miss or misplace, and the parser that runs next reports the fault.
class DuplicateKeys
{
public:
    explicit DuplicateKeys(const QByteArray &text)
        : text(text)
    {
    }

    // The offset of the second key, -1 if no object repeats one; *key is the key.
    int find(QString *key)
    {
        QVector<QSet<QString>> objects; // the open objects' keys
        QVector<bool> isObject; // the open containers, innermost last
        for (int i = 0; i < text.size(); ++i) {
            const char c = text.at(i);
            if (c == '{' || c == '[') {
                isObject.append(c == '{');
                if (c == '{')
                    objects.append(QSet<QString>());
            } else if ((c == '}' || c == ']') && !isObject.isEmpty()) {
                if (isObject.takeLast())
                    objects.removeLast();
            } else if (c == '"') {
                const int start = i;
                const QString string = readString(&i);
                if (isObject.isEmpty() || !isObject.last() || !followedByColon(i + 1))
                    continue;
                if (objects.last().contains(string)) {
                    *key = string;
                    return start;
                }
                objects.last().insert(string);
            }
        }
        return -1;
    }

private:
    // Decodes the string that starts at *i; *i is left on its closing quote.
    QString readString(int *i) const
    {
        QString decoded;
        QByteArray run; // bytes since the last escape, decoded as UTF-8 together
        int k = *i + 1;
        for (; k < text.size() && text.at(k) != '"'; ++k) {
            if (text.at(k) != '\\') {
                run.append(text.at(k));
                continue;
            }
            decoded += QString::fromUtf8(run);
            run.clear();
            if (++k >= text.size())
                break;
            decoded += escaped(&k);
        }
        decoded += QString::fromUtf8(run);
        *i = k;
        return decoded;
    }

    // The character of the escape whose letter is at *k; *k is left on its last byte.
    QChar escaped(int *k) const
    {
        switch (text.at(*k)) {
        case 'b':
            return QLatin1Char('\b');
        case 'f':
            return QLatin1Char('\f');
        case 'n':
            return QLatin1Char('\n');
        case 'r':
            return QLatin1Char('\r');
        case 't':
            return QLatin1Char('\t');
        case 'u': {
            bool ok = false;
            const ushort unit = text.mid(*k + 1, 4).toUShort(&ok, 16);
            *k += 4;
            // A surrogate stays a UTF-16 unit of its own: keys compare unit by unit.
            return ok ? QChar(unit) : QChar(QChar::ReplacementCharacter);
        }
        default:
            return QLatin1Char(text.at(*k)); // " \ /
        }
    }

    bool followedByColon(int i) const
    {
        while (i < text.size()
            && (text.at(i) == ' ' || text.at(i) == '\t' || text.at(i) == '\n'
                || text.at(i) == '\r'))
            ++i;
        return i < text.size() && text.at(i) == ':';
    }

    const QByteArray &text;
};

bool readString(const QJsonObject &object, const QString &key, const Place &place, QString *value,
    QString *error)
{
    const QJsonValue v = object.value(key);
    if (!v.isString()) {
        *error = place.say(
            cr2200fp_setupFile::tr("%1 is not a text").arg(cr2200fp_setupFile::quoted(key)));
        return false;
    }
    *value = v.toString();
    return true;
}

bool readBool(const QJsonObject &object, const QString &key, const QString &name,
    const Place &place, bool *value, QString *error)
{
    const QJsonValue v = object.value(key);
    if (!v.isBool()) {
        *error = place.say(cr2200fp_setupFile::tr("%1 is not true or false")
                               .arg(cr2200fp_setupFile::quoted(name)));
        return false;
    }
    *value = v.toBool();
    return true;
}

bool readNumber(const QJsonObject &object, const QString &key, const QString &name,
    const Place &place, double *value, QString *error)
{
    const QJsonValue v = object.value(key);
    // A number too large for a double reads as infinite; no setting takes one.
    if (!v.isDouble() || !std::isfinite(v.toDouble())) {
        *error = place.say(
            cr2200fp_setupFile::tr("%1 is not a number").arg(cr2200fp_setupFile::quoted(name)));
        return false;
    }
    *value = v.toDouble();
    return true;
}

// Keys beyond the known ones are refused inside a channel: a misspelt key would otherwise
// leave its setting silently as it was.
bool onlyKnownKeys(const QJsonObject &object, const QStringList &known, const QString &prefix,
    const Place &place, QString *error)
{
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (!known.contains(it.key())) {
            *error = place.say(cr2200fp_setupFile::tr("unknown key %1")
                                   .arg(cr2200fp_setupFile::quoted(prefix + it.key())));
            return false;
        }
    }
    return true;
}

bool readExcitation(
    const QJsonObject &entry, const Place &place, cr2200fp_channelSetup *channel, QString *error)
{
    const QJsonValue value = entry.value(QStringLiteral("excitation"));
    if (!value.isObject()) {
        *error = place.say(cr2200fp_setupFile::tr("\"excitation\" is not an object"));
        return false;
    }
    const QJsonObject excitation = value.toObject();
    const QString positive = QStringLiteral("positive");
    const QString negative = QStringLiteral("negative");
    if (!onlyKnownKeys(
            excitation, { positive, negative }, QStringLiteral("excitation."), place, error))
        return false;
    if (excitation.contains(positive)) {
        if (!readNumber(excitation, positive, QStringLiteral("excitation.positive"), place,
                &channel->positiveExcitation, error))
            return false;
        channel->keys |= cr2200fp_channelSetup::PositiveExcitation;
    }
    if (excitation.contains(negative)) {
        if (!readNumber(excitation, negative, QStringLiteral("excitation.negative"), place,
                &channel->negativeExcitation, error))
            return false;
        channel->keys |= cr2200fp_channelSetup::NegativeExcitation;
    }
    return true;
}

bool readCalibrations(
    const QJsonObject &entry, const Place &place, cr2200fp_channelSetup *channel, QString *error)
{
    const QJsonValue value = entry.value(QStringLiteral("calibrations"));
    if (!value.isObject()) {
        *error = place.say(cr2200fp_setupFile::tr("\"calibrations\" is not an object"));
        return false;
    }
    const QJsonObject calibrations = value.toObject();
    struct Choice
    {
        const char *key;
        cr2200fp_channelSetup::Key flag;
        bool cr2200fp_channelSetup::*member;
    };
    static const Choice choices[] = {
        { "signalPath", cr2200fp_channelSetup::SignalPathCalibration,
            &cr2200fp_channelSetup::signalPathCalibration },
        { "excitation", cr2200fp_channelSetup::ExcitationCalibration,
            &cr2200fp_channelSetup::excitationCalibration },
        { "autobalance", cr2200fp_channelSetup::AutobalanceCalibration,
            &cr2200fp_channelSetup::autobalanceCalibration },
    };
    QStringList known;
    for (const Choice &choice : choices)
        known.append(QLatin1String(choice.key));
    if (!onlyKnownKeys(calibrations, known, QStringLiteral("calibrations."), place, error))
        return false;
    for (const Choice &choice : choices) {
        const QString key = QLatin1String(choice.key);
        if (!calibrations.contains(key))
            continue;
        if (!readBool(calibrations, key, QStringLiteral("calibrations.") + key, place,
                &(channel->*choice.member), error))
            return false;
        channel->keys |= choice.flag;
    }
    return true;
}

bool readChannelNumber(const QJsonObject &entry, const Place &place, int *number, QString *error)
{
    const QString key = QStringLiteral("channel");
    if (!entry.contains(key)) {
        *error = place.say(cr2200fp_setupFile::tr("\"channel\" is missing"));
        return false;
    }
    double value = 0.0;
    if (!readNumber(entry, key, key, place, &value, error))
        return false;
    // Checked before the conversion, which is undefined outside int's range.
    if (value != std::floor(value) || value < INT_MIN || value > INT_MAX) {
        *error
            = place.say(cr2200fp_setupFile::tr("\"channel\" %1 is not a whole number").arg(value));
        return false;
    }
    *number = static_cast<int>(value);
    return true;
}

bool readChannel(const QJsonValue &value, int index, const QString &file, int version,
    cr2200fp_channelSetup *channel, QString *error)
{
    Place place { file, cr2200fp_setupFile::tr("entry %1 of \"channels\"").arg(index + 1) };
    if (!value.isObject()) {
        *error = place.say(cr2200fp_setupFile::tr("not an object"));
        return false;
    }
    const QJsonObject entry = value.toObject();
    if (!readChannelNumber(entry, place, &channel->channel, error))
        return false;
    place.channel = cr2200fp_setupFile::tr("channel %1").arg(channel->channel);

    QStringList known { QStringLiteral("channel"), QStringLiteral("input"), QStringLiteral("mode"),
        QStringLiteral("coupling"), QStringLiteral("gain"), QStringLiteral("excitation"),
        QStringLiteral("shunt"), QStringLiteral("calibrations") };
    // Names came with version 2; a version 1 file leaves the panel's names as they are.
    if (version >= 2)
        known.append(QStringLiteral("name"));
    if (!onlyKnownKeys(entry, known, QString(), place, error))
        return false;

    struct Text
    {
        const char *key;
        cr2200fp_channelSetup::Key flag;
        QString cr2200fp_channelSetup::*member;
    };
    static const Text texts[] = {
        { "input", cr2200fp_channelSetup::Input, &cr2200fp_channelSetup::input },
        { "mode", cr2200fp_channelSetup::Mode, &cr2200fp_channelSetup::mode },
        { "coupling", cr2200fp_channelSetup::Coupling, &cr2200fp_channelSetup::coupling },
        { "name", cr2200fp_channelSetup::Name, &cr2200fp_channelSetup::name },
    };
    for (const Text &text : texts) {
        const QString key = QLatin1String(text.key);
        if (!entry.contains(key))
            continue;
        if (!readString(entry, key, place, &(channel->*text.member), error))
            return false;
        channel->keys |= text.flag;
    }
    const QString gain = QStringLiteral("gain");
    if (entry.contains(gain)) {
        if (!readNumber(entry, gain, gain, place, &channel->gain, error))
            return false;
        channel->keys |= cr2200fp_channelSetup::Gain;
    }
    const QString shunt = QStringLiteral("shunt");
    if (entry.contains(shunt)) {
        if (!readBool(entry, shunt, shunt, place, &channel->shunt, error))
            return false;
        channel->keys |= cr2200fp_channelSetup::Shunt;
    }
    if (entry.contains(QStringLiteral("excitation"))
        && !readExcitation(entry, place, channel, error))
        return false;
    if (entry.contains(QStringLiteral("calibrations"))
        && !readCalibrations(entry, place, channel, error))
        return false;
    return true;
}

bool readHeader(const QJsonObject &root, const Place &place, cr2200fp_setup *setup, int *version,
    QString *error)
{
    const QJsonValue format = root.value(QStringLiteral("format"));
    if (format.toString() != QLatin1String(formatName)) {
        *error = place.say(cr2200fp_setupFile::tr("\"format\" is not \"%1\": not a setup file")
                               .arg(QLatin1String(formatName)));
        return false;
    }
    const QJsonValue value = root.value(QStringLiteral("version"));
    const double number = value.toDouble();
    if (!value.isDouble() || number < cr2200fp_setupFile::firstFormatVersion
        || number > cr2200fp_setupFile::formatVersion || number != std::floor(number)) {
        const QString shown = value.isDouble() ? QString::number(number)
                                               : cr2200fp_setupFile::tr("missing or not a number");
        *error = place.say(cr2200fp_setupFile::tr("\"version\" %1 is not known to this build, "
                                                  "which reads versions %2 to %3")
                               .arg(shown)
                               .arg(cr2200fp_setupFile::firstFormatVersion)
                               .arg(cr2200fp_setupFile::formatVersion));
        return false;
    }
    *version = static_cast<int>(number);
    if (!root.contains(QStringLiteral("unit"))) {
        *error = place.say(cr2200fp_setupFile::tr("\"unit\" is missing"));
        return false;
    }
    return readString(root, QStringLiteral("unit"), place, &setup->unit, error);
}

} // namespace

bool cr2200fp_setupFile::parse(
    const QByteArray &text, const QString &fileName, cr2200fp_setup *setup, QString *error)
{
    const Place place { fileName, QString() };
    QString key;
    const int repeated = DuplicateKeys(text).find(&key);
    if (repeated >= 0) {
        *error = place.say(cr2200fp_setupFile::tr("key %1 given twice in one object at %2")
                               .arg(quoted(key), position(text, repeated)));
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(text, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        *error = place.say(cr2200fp_setupFile::tr("not JSON at %1: %2")
                               .arg(position(text, parseError.offset), parseError.errorString()));
        return false;
    }
    if (!document.isObject()) {
        *error
            = place.say(cr2200fp_setupFile::tr("not a setup file: the text is not a JSON object"));
        return false;
    }
    const QJsonObject root = document.object();
    cr2200fp_setup read;
    int version = 0;
    if (!readHeader(root, place, &read, &version, error))
        return false;

    const QJsonValue channels = root.value(QStringLiteral("channels"));
    if (!channels.isArray()) {
        *error = place.say(cr2200fp_setupFile::tr("\"channels\" is missing or not a list"));
        return false;
    }
    const QJsonArray list = channels.toArray();
    QSet<int> named;
    for (int i = 0; i < list.size(); ++i) {
        cr2200fp_channelSetup channel;
        if (!readChannel(list.at(i), i, fileName, version, &channel, error))
            return false;
        if (named.contains(channel.channel)) {
            *error = place.say(
                cr2200fp_setupFile::tr("channel %1 is named twice").arg(channel.channel));
            return false;
        }
        named.insert(channel.channel);
        read.channels.append(channel);
    }
    // What else the top holds is information, kept for whoever shows it.
    read.information = root;
    for (const char *key : { "format", "version", "unit", "channels" })
        read.information.remove(QLatin1String(key));
    *setup = read;
    return true;
}

bool cr2200fp_setupFile::read(const QString &path, cr2200fp_setup *setup, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error
            = message(path, cr2200fp_setupFile::tr("cannot be read: %1").arg(file.errorString()));
        return false;
    }
    if (file.size() > maxFileSize) {
        *error = message(path,
            cr2200fp_setupFile::tr("too large for a setup file (more than %1 bytes)")
                .arg(maxFileSize));
        return false;
    }
    const QByteArray text = file.read(maxFileSize + 1);
    if (text.size() > maxFileSize) {
        *error = message(path,
            cr2200fp_setupFile::tr("too large for a setup file (more than %1 bytes)")
                .arg(maxFileSize));
        return false;
    }
    return parse(text, path, setup, error);
}

QByteArray cr2200fp_setupFile::toJson(const cr2200fp_setup &setup)
{
    QJsonObject root = setup.information;
    root.insert(QStringLiteral("format"), QLatin1String(formatName));
    root.insert(QStringLiteral("version"), formatVersion);
    root.insert(QStringLiteral("unit"), setup.unit);
    QJsonArray channels;
    for (const cr2200fp_channelSetup &channel : setup.channels) {
        const QJsonObject excitation { { QStringLiteral("positive"), channel.positiveExcitation },
            { QStringLiteral("negative"), channel.negativeExcitation } };
        const QJsonObject calibrations {
            { QStringLiteral("signalPath"), channel.signalPathCalibration },
            { QStringLiteral("excitation"), channel.excitationCalibration },
            { QStringLiteral("autobalance"), channel.autobalanceCalibration },
        };
        channels.append(QJsonObject { { QStringLiteral("channel"), channel.channel },
            { QStringLiteral("input"), channel.input }, { QStringLiteral("mode"), channel.mode },
            { QStringLiteral("coupling"), channel.coupling },
            { QStringLiteral("gain"), channel.gain }, { QStringLiteral("excitation"), excitation },
            { QStringLiteral("shunt"), channel.shunt },
            { QStringLiteral("calibrations"), calibrations },
            { QStringLiteral("name"), channel.name } });
    }
    root.insert(QStringLiteral("channels"), channels);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

bool cr2200fp_setupFile::write(const QString &path, const cr2200fp_setup &setup, QString *error)
{
    QSaveFile file(path);
    const QByteArray text = toJson(setup);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        *error = message(
            path, cr2200fp_setupFile::tr("cannot be written: %1").arg(file.errorString()));
        return false;
    }
    return true;
}

QString cr2200fp_setupFile::quoted(const QString &text)
{
    QString quoted = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\') + c;
        else if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F)
            || c.unicode() == 0x2028 || c.unicode() == 0x2029) // and the line separators
            quoted += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            quoted += c;
    }
    return quoted + QLatin1Char('"');
}

QString cr2200fp_setupFile::message(const QString &fileName, const QString &problem)
{
    return fileName + QStringLiteral(": ") + problem;
}
