// Setups: the file's reader and writer, and the panel's setup interface, against the
// simulated unit. Every item of every list, both excitation extremes and every calibration
// choice go through the interface and through files and back; bad files are refused whole
// without a driver call; refused and skipped channels come from the simulated unit.
#include "checkedcall.h"
#include "modalanswerer.h"
#include "panelrig.h"
#include "simlog.h"
#include "simreset.h"

#include "channeltab.h"

#include <cr2200fp_overviewinterface.h>
#include <cr2200fp_setupfile.h>
#include <cr2200fp_setupinterface.h>
#include <sc4830fp_channelitems.h>
#include <sc4830fp_channelmodel.h>
#include <sc4830fp_chcfg.h>
#include <sc4830fp_fp.h>
#include <sc4830fp_overview.h>
#include <sc4830sim.h>

#include <QCheckBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(cr2200fp_channelSetup)
using Channels = QVector<int>;

namespace {

const QString fileName = QStringLiteral("bench.json");
const QStringList configurationCalls { QStringLiteral("sc4830_setChannelConf"),
    QStringLiteral("sc4830_setExcitation"), QStringLiteral("sc4830_setShuntCal") };

cr2200fp_channelSetup channelSetup(int channel, const char *input, const char *mode,
    const char *coupling, double gain, double positive, double negative, bool shunt,
    bool signalPath = false, bool excitation = false, bool autobalance = false,
    const QString &name = QString())
{
    cr2200fp_channelSetup c;
    c.channel = channel;
    c.keys = cr2200fp_channelSetup::AllKeys;
    c.input = QLatin1String(input);
    c.mode = QLatin1String(mode);
    c.coupling = QLatin1String(coupling);
    c.gain = gain;
    c.positiveExcitation = positive;
    c.negativeExcitation = negative;
    c.shunt = shunt;
    c.signalPathCalibration = signalPath;
    c.excitationCalibration = excitation;
    c.autobalanceCalibration = autobalance;
    c.name = name;
    return c;
}

cr2200fp_setup setupOf(const QVector<cr2200fp_channelSetup> &channels)
{
    cr2200fp_setup setup;
    setup.unit = QStringLiteral("Orbisa 4830");
    setup.channels = channels;
    return setup;
}

cr2200fp_setupInterface *setups(const PanelRig &rig)
{
    return qobject_cast<cr2200fp_setupInterface *>(rig.panel.data());
}

// The channel's values as one line, so that a mismatch shows every key at once.
QString describe(const cr2200fp_channelSetup &c)
{
    return QStringLiteral("%1 %2|%3|%4 gain %5 exc %6/%7 shunt %8 cal %9%10%11 name %12")
        .arg(c.channel)
        .arg(c.input, c.mode, c.coupling)
        .arg(c.gain)
        .arg(c.positiveExcitation, 0, 'f', 6)
        .arg(c.negativeExcitation, 0, 'f', 6)
        .arg(c.shunt)
        .arg(c.signalPathCalibration)
        .arg(c.excitationCalibration)
        .arg(c.autobalanceCalibration)
        .arg(cr2200fp_setupFile::quoted(c.name));
}

// A file whose channel 1 is good and whose channel 3 is the object given.
QByteArray withChannel3(const char *object, char version = '1')
{
    return QByteArray("{ \"format\": \"sfp-setup\", \"version\": ") + version
        + ", \"unit\": \"Orbisa 4830\",\n  \"channels\": [ { \"channel\": 1, \"mode\": "
          "\"Half Bridge\", \"gain\": 10 },\n    "
        + object + "\n  ] }\n";
}

// Reads the text and applies it as a host does; the refusal's message, empty if none.
QString load(
    cr2200fp_setupInterface *panel, const QByteArray &text, cr2200fp_setupResult *result = nullptr)
{
    cr2200fp_setup setup;
    QString error;
    if (!cr2200fp_setupFile::parse(text, fileName, &setup, &error))
        return error;
    const cr2200fp_setupResult applied = panel->applySetup(setup);
    if (result)
        *result = applied;
    return applied.refusedWhole() ? cr2200fp_setupFile::message(fileName, applied.error)
                                  : QString();
}

int indexIn(const char *const *texts, int count, const QString &text)
{
    for (int i = 0; i < count; ++i) {
        if (text == QLatin1String(texts[i]))
            return i;
    }
    return -1;
}

} // namespace

class tst_Setup : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void roundTrip_data();
    void roundTrip();
    void leftOutKeysKeepTheirValues();
    void badFiles_data();
    void badFiles();
    void refusedAndSkippedChannels_data();
    void refusedAndSkippedChannels();
    void applyChangedAndRevert_data();
    void applyChangedAndRevert();
    void stageThenRevertOrApply_data();
    void stageThenRevertOrApply();
    void earlierSetups_data();
    void earlierSetups();
    void demonstrationSendsNothing();
    void savingReportsFailureAndReplacesWhole();
};

void tst_Setup::init()
{
    resetSimulators();
}

void tst_Setup::roundTrip_data()
{
    QTest::addColumn<cr2200fp_channelSetup>("given");
    QTest::addColumn<double>("positive"); // as the spin box takes it
    QTest::addColumn<double>("negative");
    const QString longest = QString(63, QLatin1Char('x')) + QChar(0x00B5);

    // Every mode, with what it offers chosen; both inputs, both couplings, every gain;
    // names empty, of the greatest length, beyond ASCII and with what JSON escapes.
    QTest::newRow("Full Bridge, reference input, signal path")
        << channelSetup(3, "Voltage Ref.", "Full Bridge", "AC", 1, 5.0, -5.0, true, true, true)
        << 5.0 << -5.0;
    QTest::newRow("Half Bridge, DC, autobalance") << channelSetup(
        3, "Front Panel", "Half Bridge", "DC", 10, 2.5, -2.5, false, false, true, true, longest)
                                                  << 2.5 << -2.5;
    QTest::newRow("Quarter Bridge 120, excitation at its maxima")
        << channelSetup(3, "Front Panel", "Quarter Bridge 120", "DC", 100, 10.0, -10.0, true)
        << 10.0 << -10.0;
    QTest::newRow("Quarter Bridge 350, excitation at its minima") << channelSetup(
        3, "Front Panel", "Quarter Bridge 350", "AC", 1000, 0.0, 0.0, true, false, true)
                                                                  << 0.0 << 0.0;
    QTest::newRow("Quarter Bridge User, excitation rounded as typed") << channelSetup(3,
        "Voltage Ref.", "Quarter Bridge User", "DC", 100, 2.3456, -7.0004, false, true, false, true,
        "\"left\" \\ /") << 2.346 << -7.0;
    QTest::newRow("ICP") << channelSetup(3, "Front Panel", "ICP", "AC", 10, 1.0, -1.0, false) << 1.0
                         << -1.0;
    QTest::newRow("Differential Voltage, DC, autobalance")
        << channelSetup(3, "Voltage Ref.", "Differential Voltage", "DC", 1000, 0.0, 0.0, false,
               true, false, true, QStringLiteral("Dehnungsmessstreifen \u00DC\u00DF \U0001F50A"))
        << 0.0 << 0.0;
    QTest::newRow("Single Ended Voltage") << channelSetup(3, "Front Panel", "Single Ended Voltage",
        "AC", 1, 3.0, -3.0, false) << 3.0 << -3.0;
}

void tst_Setup::roundTrip()
{
    QFETCH(cr2200fp_channelSetup, given);
    QFETCH(double, positive);
    QFETCH(double, negative);
    ModalAnswerer boxes;
    PanelRig rig(PanelRig::Attached, 8, PanelRig::NotPolling);
    cr2200fp_setupInterface *panel = setups(rig);
    QVERIFY(panel);

    cr2200fp_channelSetup expected = given;
    expected.positiveExcitation = positive;
    expected.negativeExcitation = negative;

    // Through a file written by the writer and read by the reader.
    QCOMPARE(load(panel, cr2200fp_setupFile::toJson(setupOf({ given }))), QString());
    QCOMPARE(describe(panel->currentSetup().channels.at(2)), describe(expected));
    QCOMPARE(rig.cell(2, sc4830fp_channelModel::Name), given.name);

    // The unit got what the page shows.
    sc4830sim_Channel unit {};
    QCOMPARE(sc4830sim_getChannel(3, &unit), 0);
    namespace items = sc4830fp_channelItems;
    QCOMPARE(int(unit.input), indexIn(items::inputs, items::inputCount, given.input));
    QCOMPARE(int(unit.mode), indexIn(items::modes, items::modeCount, given.mode));
    QCOMPARE(int(unit.coup), indexIn(items::couplings, items::couplingCount, given.coupling));
    QCOMPARE(double(unit.gain), given.gain);
    QCOMPARE(unit.posExc, positive);
    QCOMPARE(unit.negExc, negative);
    QCOMPARE(bool(unit.shunt), given.shunt);
    QVERIFY(!rig.page(2)->pbApply->isEnabled());

    // Saved after the load, the file holds the loaded values; read back into another
    // panel through the interface, they come back the same.
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("saved.json"));
    QString error;
    QVERIFY2(cr2200fp_setupFile::write(path, panel->currentSetup(), &error), qPrintable(error));
    cr2200fp_setup saved;
    QVERIFY2(cr2200fp_setupFile::read(path, &saved, &error), qPrintable(error));
    QCOMPARE(saved.channels.size(), 8);
    QCOMPARE(describe(saved.channels.at(2)), describe(expected));
    QCOMPARE(saved.information.value(QStringLiteral("model")).toString(), rig.panel->model());

    // Staged there, sending nothing, then applied as changed.
    PanelRig second(PanelRig::Attached, 8, PanelRig::NotPolling);
    sc4830sim_clearLog();
    QCOMPARE(setups(second)->stageSetup(saved).channels.size(), 8);
    QCOMPARE(simCallLog(configurationCalls), QStringList());
    QCOMPARE(describe(setups(second)->currentSetup().channels.at(2)), describe(expected));
    QVERIFY(qobject_cast<cr2200fp_overviewInterface *>(second.panel.data())
                ->applyChanged()
                .allApplied());
    QCOMPARE(boxes.seen.size(), 0);
}

// Keys left out keep the page's value, or take what the page itself sets with the mode.
void tst_Setup::leftOutKeysKeepTheirValues()
{
    PanelRig rig(PanelRig::Attached, 8, PanelRig::NotPolling);
    cr2200fp_setupInterface *panel = setups(rig);
    // A name the file leaves out stays; a file of version 1 has none to give.
    QCOMPARE(load(panel, withChannel3("{ \"channel\": 3, \"name\": \"kept\" }", '2')), QString());
    QCOMPARE(load(panel,
                 withChannel3("{ \"channel\": 3, \"coupling\": \"DC\", \"shunt\": true, "
                              "\"excitation\": { \"positive\": 4.5 }, "
                              "\"calibrations\": { \"autobalance\": true } }")),
        QString());
    QCOMPARE(describe(panel->currentSetup().channels.at(2)),
        describe(channelSetup(
            3, "Front Panel", "Full Bridge", "DC", 1, 4.5, 0.0, true, false, false, true, "kept")));

    // ICP alone: the page's own adjustments take the coupling, shunt and bridge choices.
    QCOMPARE(load(panel, withChannel3("{ \"channel\": 3, \"mode\": \"ICP\" }")), QString());
    QCOMPARE(describe(panel->currentSetup().channels.at(2)),
        describe(channelSetup(
            3, "Front Panel", "ICP", "AC", 1, 4.5, 0.0, false, false, false, false, "kept")));
    QCOMPARE(describe(panel->currentSetup().channels.at(0)),
        describe(channelSetup(1, "Front Panel", "Half Bridge", "AC", 10, 0.0, 0.0, false)));
}

void tst_Setup::badFiles_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("message");

    const QString modes = QStringLiteral(
        "\"Full Bridge\", \"Half Bridge\", \"Quarter Bridge 120\", \"Quarter Bridge 350\", "
        "\"Quarter Bridge User\", \"ICP\", \"Differential Voltage\", \"Single Ended Voltage\"");
    QTest::newRow("not JSON") << QByteArray("{ \"format\": \"sfp-setup\",\n  \"version\" 1 }")
                              << "bench.json: not JSON at line 2, column 14: ";
    QTest::newRow("not an object")
        << QByteArray("[ 1 ]") << "bench.json: not a setup file: the text is not a JSON object";
    QTest::newRow("another format")
        << QByteArray("{ \"format\": \"sfp-scenario\", \"version\": 1 }")
        << "bench.json: \"format\" is not \"sfp-setup\": not a setup file";
    QTest::newRow("unknown version")
        << QByteArray("{ \"format\": \"sfp-setup\", \"version\": 3, \"unit\": \"Orbisa 4830\", "
                      "\"channels\": [] }")
        << "bench.json: \"version\" 3 is not known to this build, which reads versions 1 to 2";
    for (const char *version : { "0", "1.5", "-1" })
        QTest::newRow(qPrintable(QStringLiteral("version %1").arg(version)))
            << QByteArray("{ \"format\": \"sfp-setup\", \"version\": ") + version
                + ", \"unit\": \"Orbisa 4830\", \"channels\": [] }"
            << QStringLiteral("bench.json: \"version\" %1 is not known to this build, which "
                              "reads versions 1 to 2")
                   .arg(version);
    QTest::newRow("version as text")
        << QByteArray("{ \"format\": \"sfp-setup\", \"version\": \"1\" }")
        << "bench.json: \"version\" missing or not a number is not known to this build, which "
           "reads versions 1 to 2";
    QTest::newRow("another unit") << QByteArray(
        "{ \"format\": \"sfp-setup\", \"version\": 1, \"unit\": \"Orbisa 4831\", "
        "\"channels\": [] }") << "bench.json: \"unit\" is \"Orbisa 4831\", not \"Orbisa 4830\"";
    QTest::newRow("no channels") << QByteArray(
        "{ \"format\": \"sfp-setup\", \"version\": 1, \"unit\": \"Orbisa 4830\" }")
                                 << "bench.json: \"channels\" is missing or not a list";
    QTest::newRow("mode not in its list")
        << withChannel3("{ \"channel\": 3, \"mode\": \"Quarter Bridge 351\" }")
        << "bench.json: channel 3, \"mode\": \"Quarter Bridge 351\" is not one of " + modes;
    QTest::newRow("input in another case")
        << withChannel3("{ \"channel\": 3, \"input\": \"front panel\" }")
        << "bench.json: channel 3, \"input\": \"front panel\" is not one of \"Front Panel\", "
           "\"Voltage Ref.\"";
    QTest::newRow("coupling with a space")
        << withChannel3("{ \"channel\": 3, \"coupling\": \"DC \" }")
        << "bench.json: channel 3, \"coupling\": \"DC \" is not one of \"AC\", \"DC\"";
    QTest::newRow("gain not in its list")
        << withChannel3("{ \"channel\": 3, \"gain\": 5 }")
        << "bench.json: channel 3, \"gain\": 5 is not one of 1, 10, 100, 1000";
    QTest::newRow("gain as text") << withChannel3("{ \"channel\": 3, \"gain\": \"100\" }")
                                  << "bench.json: channel 3, \"gain\" is not a number";
    QTest::newRow("channel 0") << withChannel3("{ \"channel\": 0 }")
                               << "bench.json: channel 0 is outside 1 to 16";
    QTest::newRow("channel 17") << withChannel3("{ \"channel\": 17 }")
                                << "bench.json: channel 17 is outside 1 to 16";
    QTest::newRow("channel not whole")
        << withChannel3("{ \"channel\": 2.5 }")
        << "bench.json: entry 2 of \"channels\", \"channel\" 2.5 is not a whole number";
    QTest::newRow("channel named twice") << withChannel3("{ \"channel\": 1, \"gain\": 100 }")
                                         << "bench.json: channel 1 is named twice";
    // The reader's own refusal, which no panel's range check comes before.
    QTest::newRow("channel beyond the unit named twice") << withChannel3(
        "{ \"channel\": 20 }, { \"channel\": 20 }") << "bench.json: channel 20 is named twice";
    QTest::newRow("positive excitation above its range")
        << withChannel3("{ \"channel\": 3, \"excitation\": { \"positive\": 10.0006 } }")
        << "bench.json: channel 3, \"excitation.positive\": 10.0006 V is outside 0.000 to "
           "10.000 V";
    QTest::newRow("negative excitation above its range")
        << withChannel3("{ \"channel\": 3, \"excitation\": { \"negative\": 0.5 } }")
        << "bench.json: channel 3, \"excitation.negative\": 0.5 V is outside -10.000 to 0.000 V";
    QTest::newRow("ICP with DC coupling")
        << withChannel3("{ \"channel\": 3, \"mode\": \"ICP\", \"coupling\": \"DC\" }")
        << "bench.json: channel 3, \"coupling\": \"DC\" is not offered in mode \"ICP\"";
    QTest::newRow("ICP with the shunt on")
        << withChannel3("{ \"channel\": 3, \"mode\": \"ICP\", \"shunt\": true }")
        << "bench.json: channel 3, \"shunt\": on is not offered in mode \"ICP\"";
    QTest::newRow("voltage mode with excitation calibration")
        << withChannel3("{ \"channel\": 3, \"mode\": \"Differential Voltage\", "
                        "\"calibrations\": { \"excitation\": true } }")
        << "bench.json: channel 3, \"calibrations.excitation\": not offered in mode "
           "\"Differential Voltage\"";
    QTest::newRow("autobalance with AC coupling")
        << withChannel3("{ \"channel\": 3, \"coupling\": \"AC\", "
                        "\"calibrations\": { \"autobalance\": true } }")
        << "bench.json: channel 3, \"calibrations.autobalance\": not offered with \"AC\" "
           "coupling";
    QTest::newRow("misspelt key") << withChannel3("{ \"channel\": 3, \"coupeling\": \"DC\" }")
                                  << "bench.json: channel 3, unknown key \"coupeling\"";
    QTest::newRow("misspelt key inside the excitation")
        << withChannel3("{ \"channel\": 3, \"excitation\": { \"postive\": 2 } }")
        << "bench.json: channel 3, unknown key \"excitation.postive\"";
    QTest::newRow("misspelt key inside the calibrations")
        << withChannel3("{ \"channel\": 3, \"calibrations\": { \"autobalence\": true } }")
        << "bench.json: channel 3, unknown key \"calibrations.autobalence\"";
    QTest::newRow("mode with a line break")
        << withChannel3("{ \"channel\": 3, \"mode\": \"Full\\nBridge\" }")
        << "bench.json: channel 3, \"mode\": \"Full\\u000aBridge\" is not one of " + modes;
    QTest::newRow("key given twice")
        << withChannel3("{ \"channel\": 3, \"coupling\": \"DC\",\n \"coupl\\u0069ng\": \"AC\" }")
        << "bench.json: key \"coupling\" given twice in one object at line 4, column 2";
    QTest::newRow("key given twice, the first an object")
        << withChannel3(
               "{ \"channel\": 3, \"excitation\": { \"positive\": 1 }, \"excitation\": 1 }")
        << "bench.json: key \"excitation\" given twice in one object at line 3, column 54";
    QTest::newRow("shunt as text") << withChannel3("{ \"channel\": 3, \"shunt\": \"ON\" }")
                                   << "bench.json: channel 3, \"shunt\" is not true or false";
    QTest::newRow("name in a version 1 file")
        << withChannel3("{ \"channel\": 3, \"name\": \"Mic\" }")
        << "bench.json: channel 3, unknown key \"name\"";
    QTest::newRow("name of 65 characters") << withChannel3(
        ("{ \"channel\": 3, \"name\": \"" + QByteArray(65, 'n') + "\" }").constData(), '2')
                                           << "bench.json: channel 3, \"name\": \""
            + QString(65, 'n') + "\" is longer than 64 characters";
    QTest::newRow("name with a tab")
        << withChannel3("{ \"channel\": 3, \"name\": \"left\\troot\" }", '2')
        << "bench.json: channel 3, \"name\": \"left\\u0009root\" holds a control character";
}

void tst_Setup::badFiles()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, message);
    ModalAnswerer boxes;
    PanelRig rig(PanelRig::Attached, 16, PanelRig::NotPolling);
    cr2200fp_setupInterface *panel = setups(rig);
    const QByteArray before = cr2200fp_setupFile::toJson(panel->currentSetup());

    const QString refusal = load(panel, text);
    // Where the text is not JSON, Qt's own words for the fault follow the position.
    if (message.endsWith(QLatin1String(": ")))
        QVERIFY2(
            refusal.startsWith(message) && refusal.size() > message.size(), qPrintable(refusal));
    else
        QCOMPARE(refusal, message);

    QCOMPARE(simCallLog(configurationCalls), QStringList());
    QCOMPARE(cr2200fp_setupFile::toJson(panel->currentSetup()), before);
    QCOMPARE(boxes.seen.size(), 0);
}

void tst_Setup::refusedAndSkippedChannels_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("refusing"); // each refuses channel 2's apply once
    QTest::addColumn<QString>("named"); // the call channel 2's outcome names
    QTest::addColumn<int>("twice"); // a channel the setup also names again; 0: none
    QTest::addColumn<int>("boxCount");
    const QStringList shunt { checked::shuntCal.function };
    QTest::newRow("unit error") << int(unitErrorStatus) << shunt << checked::shuntCal.text << 0
                                << 1;
    QTest::newRow("carrier's error")
        << int(carrierErrorStatus) << shunt << checked::shuntCal.text << 0 << 0;
    QTest::newRow("configuration and excitation refused: the first named")
        << int(unitErrorStatus)
        << QStringList { checked::channelConf.function, checked::excitation.function }
        << checked::channelConf.text << 0 << 2;
    // Built in code, not read from a file: the panel's own check refuses it whole.
    QTest::newRow("channel 5 named twice") << int(unitErrorStatus) << shunt << QString() << 5 << 0;
}

void tst_Setup::refusedAndSkippedChannels()
{
    QFETCH(int, status);
    QFETCH(QStringList, refusing);
    QFETCH(QString, named);
    QFETCH(int, twice);
    QFETCH(int, boxCount);
    ModalAnswerer boxes;
    PanelRig rig(PanelRig::Attached, 8, PanelRig::NotPolling);
    for (const QString &function : refusing)
        sc4830sim_injectStatus(qPrintable(function), status, 0);

    cr2200fp_channelSetup second;
    second.channel = 2;
    second.keys = cr2200fp_channelSetup::Gain;
    second.gain = 100;
    cr2200fp_channelSetup fifth = second;
    fifth.channel = 5;
    cr2200fp_channelSetup ninth = second;
    ninth.channel = 9;
    cr2200fp_channelSetup last = second;
    last.channel = 16;
    QVector<cr2200fp_channelSetup> entries { last, fifth, ninth, second };
    if (twice) {
        entries.append(second);
        entries.last().channel = twice;
    }
    const cr2200fp_setupResult result = setups(rig)->applySetup(setupOf(entries));

    if (twice) {
        QCOMPARE(result.error, QString("channel %1 is named twice").arg(twice));
        QCOMPARE(simCallLog(configurationCalls), QStringList());
        return;
    }
    QCOMPARE(result.error, QString());
    QVERIFY(!result.allApplied());
    QCOMPARE(result.channels.size(), 4);
    const QVector<int> channels { 2, 5, 9, 16 };
    const QVector<int> kinds { cr2200fp_channelOutcome::Refused, cr2200fp_channelOutcome::Applied,
        cr2200fp_channelOutcome::Skipped, cr2200fp_channelOutcome::Skipped };
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(result.channels.at(i).channel, channels.at(i));
        QCOMPARE(int(result.channels.at(i).kind), kinds.at(i));
    }
    QCOMPARE(result.channels.at(0).call, named);
    QCOMPARE(int(result.channels.at(0).status), status);
    QCOMPARE(result.channels.at(1).call, QString());
    // The refused channel stays marked as unsent; the unit took the other's gain.
    QVERIFY(rig.page(1)->pbApply->isEnabled());
    QVERIFY(!rig.page(4)->pbApply->isEnabled());
    sc4830sim_Channel unit {};
    sc4830sim_getChannel(5, &unit);
    QCOMPARE(int(unit.gain), 100);
    QCOMPARE(simCallLog(configurationCalls).size(), 6);
    QCOMPARE(boxes.seen.size(), boxCount);
}

void tst_Setup::applyChangedAndRevert_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("state");
    QTest::newRow("taken") << 0 << "Applied";
    QTest::newRow("unit error") << int(unitErrorStatus) << "Refused";
    QTest::newRow("carrier's error") << int(carrierErrorStatus) << "Refused";
}

// Only what changed goes out, each channel as its Apply sends it; a revert sends nothing.
void tst_Setup::applyChangedAndRevert()
{
    QFETCH(int, status);
    QFETCH(QString, state);
    using Model = sc4830fp_channelModel;
    ModalAnswerer boxes;
    PanelRig rig(PanelRig::Attached, 8, PanelRig::NotPolling);
    auto *overview = qobject_cast<cr2200fp_overviewInterface *>(rig.panel.data());
    QAbstractItemModel *table = overview->channelModel();
    QVERIFY(table->setData(table->index(2, Model::Gain), 100));
    QVERIFY(table->setData(table->index(5, Model::Mode), "ICP"));
    sc4830sim_injectStatus(checked::shuntCal.function, status, 0);

    const cr2200fp_setupResult result = overview->applyChanged();
    const QString unit = rig.unit();
    QCOMPARE(simCallLog({ "sc4830_setChannelConf" }),
        QStringList({ QString("sc4830_setChannelConf(%1, 3, 0, 100, 0, 0)").arg(unit),
            QString("sc4830_setChannelConf(%1, 6, 5, 1, 0, 0)").arg(unit) }));
    QCOMPARE(simCallLog(configurationCalls).size(), 6);
    QCOMPARE(result.channels.size(), 2);
    QCOMPARE(result.channels.at(0).channel, 3);
    QCOMPARE(int(result.channels.at(0).kind),
        int(status ? cr2200fp_channelOutcome::Refused : cr2200fp_channelOutcome::Applied));
    QCOMPARE(result.channels.at(0).call, QString(status ? checked::shuntCal.text : ""));
    QCOMPARE(int(result.channels.at(1).kind), int(cr2200fp_channelOutcome::Applied));
    const QString words = status ? "Settings not applied" : "";
    QCOMPARE(rig.cell(2, Model::State), state);
    QCOMPARE(rig.cell(2, Model::Attention), words);
    QCOMPARE(channelTab(rig.panel, 2), words);
    QCOMPARE(rig.cell(5, Model::State), QString("Applied"));

    // A refused channel keeps what it shows; a changed one takes back what the unit has.
    QVERIFY(table->setData(table->index(2, Model::Gain), "10"));
    QCOMPARE(table->index(2, Model::Gain).data(Qt::ToolTipRole).toString(),
        QString("Last applied: %1").arg(status ? 1 : 100));
    QVERIFY(table->setData(table->index(5, Model::Gain), "1000"));
    QCOMPARE(rig.cell(5, Model::State), QString("Changed"));
    QCOMPARE(
        table->index(5, Model::Gain).data(Qt::ToolTipRole).toString(), QString("Last applied: 1"));
    sc4830sim_clearLog();
    overview->revertChanged();
    QCOMPARE(simCallLog(), QStringList());
    QCOMPARE(rig.cell(2, Model::Gain), QString(status ? "10" : "100"));
    QCOMPARE(rig.cell(5, Model::Gain), QString("1"));
    QCOMPARE(rig.cell(5, Model::State), QString("Applied"));
    QVERIFY(!rig.page(5)->pbApply->isEnabled());
    const std::unique_ptr<QWidget> widget(overview->createOverview(nullptr));
    const auto *buttons = static_cast<sc4830fp_overview *>(widget.get());
    QCOMPARE(buttons->pbApplyChanged->isEnabled(), status != 0);
    QVERIFY(!buttons->pbRevertChanged->isEnabled()); // a refusal is no change to take back
    QCOMPARE(overview->applyChanged().channels.size(), status ? 1 : 0);
}

void tst_Setup::stageThenRevertOrApply_data()
{
    QTest::addColumn<int>("carrier"); // its channels
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("error");
    QTest::addColumn<Channels>("staged"); // the others the file names are skipped
    QTest::addColumn<Channels>("changed");

    QTest::newRow("some channels change")
        << 16 << withChannel3("{ \"channel\": 3, \"gain\": 100 }, { \"channel\": 5 }") << ""
        << Channels { 1, 3, 5 } << Channels { 1, 3 };
    QTest::newRow("none changes") << 16
                                  << cr2200fp_setupFile::toJson(setupOf({ channelSetup(2,
                                         "Front Panel", "Full Bridge", "AC", 1, 0.0, 0.0, false) }))
                                  << "" << Channels { 2 } << Channels {};
    QTest::newRow("refused whole")
        << 16 << withChannel3("{ \"channel\": 3, \"mode\": \"ICP\", \"coupling\": \"DC\" }")
        << "channel 3, \"coupling\": \"DC\" is not offered in mode \"ICP\"" << Channels {}
        << Channels {};
    QTest::newRow("8-channel carrier skips")
        << 8
        << withChannel3("{ \"channel\": 9, \"gain\": 100 }, { \"channel\": 4, \"gain\": 1000 }")
        << "" << Channels { 1, 4 } << Channels { 1, 4 };
}

// A staged file sends nothing; reverted, the unit's settings show again; applied, exactly
// the channels it changed go out.
void tst_Setup::stageThenRevertOrApply()
{
    QFETCH(int, carrier);
    QFETCH(QByteArray, text);
    QFETCH(QString, error);
    QFETCH(Channels, staged);
    QFETCH(Channels, changed);
    PanelRig rig(PanelRig::Attached, carrier, PanelRig::NotPolling);
    cr2200fp_setupInterface *panel = setups(rig);
    auto *overview = qobject_cast<cr2200fp_overviewInterface *>(rig.panel.data());
    cr2200fp_setup setup;
    QVERIFY(cr2200fp_setupFile::parse(text, fileName, &setup, &error));
    const QByteArray before = cr2200fp_setupFile::toJson(panel->currentSetup());
    sc4830sim_clearLog();
    for (const bool apply : { false, true }) {
        const cr2200fp_setupResult result = panel->stageSetup(setup);
        QCOMPARE(result.error, error);
        QCOMPARE(simCallLog(), QStringList());
        Channels stagedNow;
        for (const cr2200fp_channelOutcome &outcome : result.channels) {
            if (outcome.kind == cr2200fp_channelOutcome::Staged)
                stagedNow.append(outcome.channel);
        }
        QCOMPARE(stagedNow, staged);
        if (!apply) {
            overview->revertChanged();
            QCOMPARE(simCallLog(), QStringList());
            QCOMPARE(cr2200fp_setupFile::toJson(panel->currentSetup()), before);
            continue;
        }
        Channels sent;
        for (const cr2200fp_channelOutcome &outcome : overview->applyChanged().channels)
            sent.append(outcome.channel);
        QCOMPARE(sent, changed);
        QCOMPARE(simCallLog(configurationCalls).size(), 3 * changed.size());
    }
}

void tst_Setup::earlierSetups_data()
{
    QTest::addColumn<int>("way");
    QTest::newRow("a load") << 0;
    QTest::newRow("a page's Apply") << 1;
    QTest::newRow("Apply to all") << 2;
    QTest::newRow("applyChanged") << 3;
}

void tst_Setup::earlierSetups()
{
    QFETCH(int, way);
    using Model = sc4830fp_channelModel;
    ModalAnswerer boxes;
    PanelRig rig(PanelRig::Attached, 8, PanelRig::NotPolling);
    cr2200fp_setupInterface *panel = setups(rig);
    auto *overview = qobject_cast<cr2200fp_overviewInterface *>(rig.panel.data());
    QAbstractItemModel *table = overview->channelModel();
    QCOMPARE(panel->earlierSetups().size(), 0);
    QVERIFY(table->setData(table->index(1, Model::Name), "Mic"));
    const QByteArray before = cr2200fp_setupFile::toJson(panel->currentSetup());

    // Each way gives channel 2 the gain 100, and more.
    QVERIFY(table->setData(table->index(1, Model::Gain), "100"));
    if (way == 0)
        panel->applySetup(panel->currentSetup());
    else if (way == 1)
        rig.page(1)->applyAction();
    else if (way == 2)
        rig.page(1)->applyToAllAction();
    else
        overview->applyChanged();
    QVector<cr2200fp_setup> earlier = panel->earlierSetups();
    QCOMPARE(earlier.size(), 1);
    const QDateTime at = QDateTime::fromString(
        earlier[0].information.take(QStringLiteral("replacedAt")).toString(), Qt::ISODateWithMs);
    QVERIFY(qAbs(at.secsTo(QDateTime::currentDateTime())) < 60);
    QCOMPARE(cr2200fp_setupFile::toJson(earlier.at(0)), before);

    // An apply that changes nothing adds none; taking the entry back is an apply.
    rig.page(1)->applyAction();
    QCOMPARE(panel->earlierSetups().size(), 1);
    QCOMPARE(panel->stageSetup(earlier.at(0)).error, QString());
    QVERIFY(overview->applyChanged().allApplied());
    QCOMPARE(cr2200fp_setupFile::toJson(panel->currentSetup()), before);
    sc4830sim_Channel unit {};
    QCOMPARE(sc4830sim_getChannel(2, &unit), 0);
    QCOMPARE(int(unit.gain), 1);
    QCOMPARE(panel->earlierSetups().size(), 2);

    // Ten are kept: after eleven more applies, the first of them replaced what is oldest.
    for (int i = 1; i <= 11; ++i) {
        QVERIFY(table->setData(table->index(0, Model::PositiveExcitation), 0.5 * i));
        overview->applyChanged();
    }
    earlier = panel->earlierSetups();
    QCOMPARE(earlier.size(), 10);
    QCOMPARE(earlier.first().channels.at(0).positiveExcitation, 5.0);
    QCOMPARE(earlier.last().channels.at(0).positiveExcitation, 0.5);
    QCOMPARE(boxes.seen.size(), 0);
}

void tst_Setup::demonstrationSendsNothing()
{
    PanelRig rig(PanelRig::Demonstration, 8, PanelRig::NotPolling);
    sc4830sim_clearLog();
    const cr2200fp_setupResult result = setups(rig)->applySetup(setupOf({ channelSetup(
        4, "Front Panel", "Half Bridge", "DC", 1000, 1.5, -1.5, true, true, true, true) }));
    QVERIFY(result.allApplied());
    QCOMPARE(simCallLog(), QStringList());
    QCOMPARE(describe(setups(rig)->currentSetup().channels.at(3)),
        describe(channelSetup(
            4, "Front Panel", "Half Bridge", "DC", 1000, 1.5, -1.5, true, true, true, true)));
}

void tst_Setup::savingReportsFailureAndReplacesWhole()
{
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("setup.json"));
    const cr2200fp_setup setup
        = setupOf({ channelSetup(1, "Front Panel", "ICP", "AC", 10, 0.0, 0.0, false) });
    QString error;
    QVERIFY(cr2200fp_setupFile::write(path, setup, &error));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));

    // Saved again: a reader that had the file open still reads the first setup whole, and
    // the name gives the second; the new text takes the name only once it is complete.
    const cr2200fp_setup second
        = setupOf({ channelSetup(2, "Front Panel", "Full Bridge", "DC", 100, 5.0, -5.0, true) });
    QVERIFY(cr2200fp_setupFile::write(path, second, &error));
    QCOMPARE(file.readAll(), cr2200fp_setupFile::toJson(setup));
    QFile again(path);
    QVERIFY(again.open(QIODevice::ReadOnly));
    QCOMPARE(again.readAll(), cr2200fp_setupFile::toJson(second));

    // A folder in the file's place: nothing written, and the message says where.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("taken.json")));
    const QString taken = dir.filePath(QStringLiteral("taken.json"));
    QVERIFY(!cr2200fp_setupFile::write(taken, setup, &error));
    QVERIFY2(error.startsWith(taken + QStringLiteral(": cannot be written: ")), qPrintable(error));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList { QStringLiteral("setup.json") });
}

QTEST_MAIN(tst_Setup)
#include "tst_setup.moc"
