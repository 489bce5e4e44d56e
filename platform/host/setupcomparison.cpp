#include "setupcomparison.h"

#include <cr2200fp_setupfile.h>

#include <algorithm>

namespace {

using Channel = cr2200fp_channelSetup;

QString written(const QString &text)
{
    return cr2200fp_setupFile::quoted(text);
}

QString written(double number)
{
    // As JSON writes a number: 100, 2.5, -7.001.
    return QString::number(number, 'g', 15);
}

QString written(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

template<typename Value>
void compare(const Channel &from, const Channel &to, Channel::Key key, const char *name,
    Value Channel::*member, QVector<SetupComparison::Difference> *out)
{
    if (!from.has(key) || !to.has(key) || from.*member == to.*member)
        return;
    out->append({ from.channel, QLatin1String(name), written(from.*member), written(to.*member) });
}

void compareChannels(
    const Channel &from, const Channel &to, QVector<SetupComparison::Difference> *out)
{
    compare(from, to, Channel::Input, "input", &Channel::input, out);
    compare(from, to, Channel::Mode, "mode", &Channel::mode, out);
    compare(from, to, Channel::Coupling, "coupling", &Channel::coupling, out);
    compare(from, to, Channel::Gain, "gain", &Channel::gain, out);
    compare(from, to, Channel::PositiveExcitation, "excitation.positive",
        &Channel::positiveExcitation, out);
    compare(from, to, Channel::NegativeExcitation, "excitation.negative",
        &Channel::negativeExcitation, out);
    compare(from, to, Channel::Shunt, "shunt", &Channel::shunt, out);
    compare(from, to, Channel::SignalPathCalibration, "calibrations.signalPath",
        &Channel::signalPathCalibration, out);
    compare(from, to, Channel::ExcitationCalibration, "calibrations.excitation",
        &Channel::excitationCalibration, out);
    compare(from, to, Channel::AutobalanceCalibration, "calibrations.autobalance",
        &Channel::autobalanceCalibration, out);
    compare(from, to, Channel::Name, "name", &Channel::name, out);
}

QVector<Channel> inOrder(QVector<Channel> channels)
{
    std::sort(channels.begin(), channels.end(),
        [](const Channel &a, const Channel &b) { return a.channel < b.channel; });
    return channels;
}

} // namespace

QVector<SetupComparison::Difference> SetupComparison::differences(
    const cr2200fp_setup &from, const cr2200fp_setup &to)
{
    const QVector<Channel> before = inOrder(from.channels);
    const QVector<Channel> after = inOrder(to.channels);
    QVector<Difference> found;
    auto other = after.cbegin();
    for (const Channel &channel : before) {
        while (other != after.cend() && other->channel < channel.channel)
            ++other;
        if (other != after.cend() && other->channel == channel.channel)
            compareChannels(channel, *other, &found);
    }
    return found;
}

QString SetupComparison::line(const Difference &difference)
{
    return QStringLiteral("channel %1: %2 %3 -> %4")
        .arg(difference.channel)
        .arg(difference.key, difference.from, difference.to);
}
