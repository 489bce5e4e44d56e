// The channel page: its widgets and tables, the slots that keep it consistent, Apply and
// Apply to all, the total gain, the read-back, identification and every driver failure
// the page can meet, run against the simulated unit.
#include "accessiblecontrols.h"
#include "channeltab.h"
#include "checkedcall.h"
#include "mastererrorrecorder.h"
#include "modalanswerer.h"
#include "panelrig.h"
#include "simlog.h"
#include "simreset.h"

#include <cr2200fp_led.h>
#include <sc4830fp_channeldelegate.h>
#include <sc4830fp_channelmodel.h>
#include <sc4830fp_chcfg.h>
#include <sc4830fp_fp.h>
#include <sc4830fp_overview.h>
#include <sc4830sim.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <limits>

namespace {

// A panel as a host leaves it, with its status poll stopped so that the call log holds
// only what a test does.
PanelRig quietRig(PanelRig::Start start)
{
    return PanelRig(start, 8, PanelRig::NotPolling);
}

// What pages reported through scuGainChanged, in order.
struct GainReports
{
    void listen(sc4830fp_chCfg *page)
    {
        QObject::connect(
            page, &sc4830fp_chCfg::scuGainChanged, &context, [this](int chIdx, ViReal64 gain) {
                channels.append(chIdx);
                gains.append(gain);
            });
    }
    QObject context;
    QList<int> channels;
    QList<double> gains;
};

template<typename T> QList<T> repeated(int count, const T &value)
{
    QList<T> list;
    for (int i = 0; i < count; ++i)
        list.append(value);
    return list;
}

sc4830sim_Channel unitChannel(int channel)
{
    sc4830sim_Channel state {};
    sc4830sim_getChannel(ViUInt16(channel), &state);
    return state;
}

QStringList itemTexts(const QComboBox *combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts.append(combo->itemText(i));
    return texts;
}

QWidget *widgetNamed(sc4830fp_chCfg *page, const QString &name)
{
    const QMap<QString, QWidget *> widgets {
        { "cbInput", page->cbInput },
        { "cbMode", page->cbMode },
        { "cbCoup", page->cbCoup },
        { "cbGain", page->cbGain },
        { "dsbPosExc", page->dsbPosExc },
        { "dsbNegExc", page->dsbNegExc },
        { "cbShCal", page->cbShCal },
        { "pbApply", page->pbApply },
        { "pbApplyAll", page->pbApplyAll },
        { "chkSignalPath", page->chkSignalPath },
        { "chkExcitation", page->chkExcitation },
        { "chkAutobalance", page->chkAutobalance },
        { "pbCalibrate", page->pbCalibrate },
        { "pbCalibrateAll", page->pbCalibrateAll },
        { "ledExcLimit", page->ledExcLimit },
        { "ledIcp", page->ledIcp },
        { "pbReadExc", page->pbReadExc },
        { "lePosExc", page->lePosExc },
        { "leNegExc", page->leNegExc },
        { "leDiffExc", page->leDiffExc },
        { "leTotalGain", page->leTotalGain },
        { "leImbalance", page->leImbalance },
        { "ledIdentify", page->ledIdentify },
        { "pbIdentify", page->pbIdentify },
    };
    return name.isEmpty() ? nullptr : widgets.value(name);
}

QComboBox *comboNamed(sc4830fp_chCfg *page, const QString &name)
{
    return qobject_cast<QComboBox *>(widgetNamed(page, name));
}

// The mode items in the order of the driver's mode codes 0 to 7.
const QStringList modeNames { "Full Bridge", "Half Bridge", "Quarter Bridge 120",
    "Quarter Bridge 350", "Quarter Bridge User", "ICP", "Differential Voltage",
    "Single Ended Voltage" };

enum class ModeClass { Bridge, Icp, Voltage };

// Restores the default locale however a test ends.
struct DefaultLocale
{
    explicit DefaultLocale(const QLocale &locale) { QLocale::setDefault(locale); }
    ~DefaultLocale() { QLocale::setDefault(saved); }
    QLocale saved;
};

} // namespace

Q_DECLARE_METATYPE(ModeClass)

class tst_ChCfg : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void driverTables_data();
    void driverTables();
    void tooltipsNameTheirChannel();
    void accessibleNames_data();
    void accessibleNames();
    void everyControlIsNamed();
    void freshPage();
    void excitationRanges();
    void voltageReferenceRemoved();
    void imbalanceText();

    void modeTable_data();
    void modeTable();
    void icpThenBridge();
    void everyChangeMarksApply_data();
    void everyChangeMarksApply();
    void applyByCoupling_data();
    void applyByCoupling();
    void icpModeFollowsApply();

    void gainWarning_data();
    void gainWarning();

    void applyToAll();
    void applyToAllInDemonstration();
    void applyToAllReportsEveryPage();
    void tableSetsSelectedRowsByKeyboard();
    void tableKeepsChannelAndStateInView();

    void readBack_data();
    void readBack();
    void readBackShowsDisabledButton();
    void readBackInDemonstration();
    void identification_data();
    void identification();
    void lampWords_data();
    void lampWords();

    void decimalCommaLocale();

private:
    std::unique_ptr<ModalAnswerer> boxes;
};

void tst_ChCfg::initTestCase()
{
    qRegisterMetaType<ViReal64>("ViReal64");
}

void tst_ChCfg::init()
{
    resetSimulators();
    boxes.reset(new ModalAnswerer);
}

void tst_ChCfg::cleanup()
{
    boxes.reset();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

// --- Construction -------------------------------------------------------------------

void tst_ChCfg::driverTables_data()
{
    QTest::addColumn<QString>("combo");
    QTest::addColumn<QString>("item"); // as the operator picks it
    QTest::addColumn<QString>("sent"); // setChannelConf and setShuntCal arguments after ch
    QTest::addColumn<double>("reported");

    QTest::newRow("input Front Panel") << "cbInput"
                                       << "Front Panel"
                                       << "0, 1, 0, 0 / 0" << 1.0;
    QTest::newRow("input Voltage Ref.") << "cbInput"
                                        << "Voltage Ref."
                                        << "0, 1, 0, 1 / 0" << 1.0;
    for (int i = 0; i < modeNames.size(); ++i)
        QTest::addRow("mode %s", qPrintable(modeNames[i]))
            << "cbMode" << modeNames[i] << QString("%1, 1, 0, 0 / 0").arg(i) << 1.0;
    QTest::newRow("coupling AC") << "cbCoup"
                                 << "AC"
                                 << "0, 1, 0, 0 / 0" << 1.0;
    QTest::newRow("coupling DC") << "cbCoup"
                                 << "DC"
                                 << "0, 1, 1, 0 / 0" << 1.0;
    QTest::newRow("gain 1") << "cbGain"
                            << "1"
                            << "0, 1, 0, 0 / 0" << 1.0;
    QTest::newRow("gain 10") << "cbGain"
                             << "10"
                             << "0, 10, 0, 0 / 0" << 10.0;
    QTest::newRow("gain 100") << "cbGain"
                              << "100"
                              << "0, 100, 0, 0 / 0" << 100.0;
    QTest::newRow("gain 1000") << "cbGain"
                               << "1000"
                               << "0, 1000, 0, 0 / 0" << 1000.0;
    QTest::newRow("shunt OFF") << "cbShCal"
                               << "OFF"
                               << "0, 1, 0, 0 / 0" << 1.0;
    QTest::newRow("shunt ON") << "cbShCal"
                              << "ON"
                              << "0, 1, 0, 0 / 1" << 1.0;
}

void tst_ChCfg::driverTables()
{
    QFETCH(QString, combo);
    QFETCH(QString, item);
    QFETCH(QString, sent);
    QFETCH(double, reported);

    PanelRig rig = quietRig(PanelRig::Attached);
    QComboBox *box = comboNamed(rig.page(3), combo);
    sc4830fp_chCfg *page = rig.page(3);
    GainReports reports;
    reports.listen(page);
    QCOMPARE(box->currentIndex(), 0);
    const int index = box->findText(item);
    QVERIFY2(index >= 0, qPrintable(itemTexts(box).join(", ")));
    box->setCurrentIndex(index);
    sc4830sim_clearLog();
    page->applyAction();

    const QStringList parts = sent.split(" / ");
    const QString head = "(" + rig.unit() + ", 4, ";
    QCOMPARE(simCallLog(),
        QStringList({ "sc4830_setChannelConf" + head + parts[0] + ")",
            "sc4830_setExcitation" + head + "0, 0)",
            "sc4830_setShuntCal" + head + parts[1] + ")" }));
    QCOMPARE(reports.channels, QList<int> { 3 });
    QCOMPARE(reports.gains, QList<double> { reported });
    QCOMPARE(boxes->seen.size(), 0);
}

void tst_ChCfg::tooltipsNameTheirChannel()
{
    PanelRig rig = quietRig(PanelRig::Built);
    auto *last = new sc4830fp_chCfg(rig.panel, 15);
    // What This? tells what the tooltip tells; page 16's texts are page 1's for channel 16.
    const QRegularExpression channelOne(QStringLiteral("\\b([Cc]hannel) 1\\b"));
    for (const char *name :
        { "cbInput", "cbMode", "dsbPosExc", "cbShCal", "pbApply", "chkAutobalance",
            "pbCalibrateAll", "ledIcp", "pbReadExc", "leDiffExc", "leImbalance", "pbIdentify" }) {
        const QString first = widgetNamed(rig.page(0), name)->toolTip();
        QWidget *w = widgetNamed(last, name);
        QVERIFY2(!first.isEmpty(), name);
        QCOMPARE(w->toolTip(), QString(first).replace(channelOne, QStringLiteral("\\1 16")));
        QCOMPARE(w->whatsThis(), w->toolTip());
    }
}

void tst_ChCfg::accessibleNames_data()
{
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QString>("name"); // what a screen reader reads as the name
    QTest::addColumn<QString>("caption"); // the label it reads with it, if any

    // On Linux Qt names a combo box by its current item; its caption comes as the label.
    QTest::newRow("input source") << "cbInput"
                                  << "Front Panel"
                                  << "Input Source";
    QTest::newRow("mode") << "cbMode"
                          << "Full Bridge"
                          << "Mode";
    QTest::newRow("coupling") << "cbCoup"
                              << "AC"
                              << "Coupling";
    QTest::newRow("gain") << "cbGain"
                          << "1"
                          << "Gain";
    QTest::newRow("shunt") << "cbShCal"
                           << "OFF"
                           << "Shunt";
    QTest::newRow("positive excitation") << "dsbPosExc"
                                         << "Pos. Exc."
                                         << "Pos. Exc.";
    QTest::newRow("negative excitation") << "dsbNegExc"
                                         << "Neg. Exc."
                                         << "Neg. Exc.";
    QTest::newRow("measured positive") << "lePosExc"
                                       << "Positive"
                                       << "Positive";
    QTest::newRow("measured negative") << "leNegExc"
                                       << "Negative"
                                       << "Negative";
    QTest::newRow("measured difference") << "leDiffExc"
                                         << "Difference"
                                         << "Difference";
    QTest::newRow("total gain") << "leTotalGain"
                                << "Total Gain"
                                << "Total Gain";
    QTest::newRow("imbalance") << "leImbalance"
                               << "Imbalance"
                               << "Imbalance";
    // Buttons and check boxes by their captions, lamps by theirs.
    QTest::newRow("apply") << "pbApply"
                           << "Apply"
                           << "";
    QTest::newRow("apply to all") << "pbApplyAll"
                                  << "Apply to all"
                                  << "";
    QTest::newRow("signal path") << "chkSignalPath"
                                 << "Signal Path"
                                 << "";
    QTest::newRow("excitation") << "chkExcitation"
                                << "Excitation"
                                << "";
    QTest::newRow("autobalance") << "chkAutobalance"
                                 << "Autobalance"
                                 << "";
    QTest::newRow("calibrate") << "pbCalibrate"
                               << "Calibrate"
                               << "";
    QTest::newRow("calibrate all") << "pbCalibrateAll"
                                   << "Calibrate All"
                                   << "";
    QTest::newRow("read-back") << "pbReadExc"
                               << "Read Excitation Voltage"
                               << "";
    QTest::newRow("current limit lamp") << "ledExcLimit"
                                        << "Excitation Current Limit"
                                        << "";
    QTest::newRow("ICP lamp") << "ledIcp"
                              << "ICP Current"
                              << "";
    QTest::newRow("identification lamp") << "ledIdentify"
                                         << "Identification"
                                         << "";
    // The ON/OFF switches are named after what they switch.
    QTest::newRow("identification switch") << "pbIdentify"
                                           << "Channel 3 identification"
                                           << "";
    QTest::newRow("panel's reference monitor switch") << ""
                                                      << "Voltage Reference Monitor"
                                                      << "Voltage Reference Monitor";
}

void tst_ChCfg::accessibleNames()
{
    QFETCH(QString, widget);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    PanelRig rig = quietRig(PanelRig::Built);
    QWidget *w = widget.isEmpty() ? rig.panel->pbVrefMonitor : widgetNamed(rig.page(2), widget);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
    QVERIFY(iface);
    QCOMPARE(iface->text(QAccessible::Name), name);
    if (!caption.isEmpty())
        QVERIFY2(accessibleLabels(w).contains(caption), qPrintable(accessibleLabels(w).join(", ")));
}

void tst_ChCfg::everyControlIsNamed()
{
    PanelRig rig = quietRig(PanelRig::Demonstration);
    // The walk reaches into every page: 24 controls each, the reference monitor switch and
    // the tab bar's scroll buttons besides.
    QCOMPARE(accessibleControls(rig.panel).size(), 8 * 24 + 3);
    QCOMPARE(unnamedControls(rig.panel), QStringList());
}

void tst_ChCfg::freshPage()
{
    PanelRig rig = quietRig(PanelRig::Attached);
    QVERIFY(rig.panel->d_vi != 0);
    // A page built while a unit is attached still talks to nobody and runs no slot.
    auto *page = new sc4830fp_chCfg(rig.panel, 5);
    QCOMPARE(sc4830sim_logCount(), 0);
    QCOMPARE(boxes->seen.size(), 0);
    QVERIFY(page->leTotalGain->text().isEmpty());

    QCOMPARE(page->scuFp, rig.panel.data());
    QCOMPARE(page->ch, 5);
    QCOMPARE(page->parentWidget(), static_cast<QWidget *>(rig.panel));
    QCOMPARE(page->cbInput->currentIndex(), 0);
    QCOMPARE(page->cbMode->currentIndex(), 0);
    QCOMPARE(page->cbCoup->currentIndex(), 0);
    QCOMPARE(page->cbGain->currentIndex(), 0);
    QCOMPARE(page->cbShCal->currentIndex(), 0);
    QCOMPARE(page->dsbPosExc->value(), 0.0);
    QCOMPARE(page->dsbNegExc->value(), 0.0);
    QVERIFY(!page->chkSignalPath->isChecked());
    QVERIFY(!page->chkExcitation->isChecked());
    QVERIFY(!page->chkAutobalance->isChecked());
    QVERIFY(!page->pbIdentify->isChecked());
    QCOMPARE(page->pbIdentify->text(), QString("OFF"));
    for (cr2200fp_led *led : { page->ledExcLimit, page->ledIcp, page->ledIdentify })
        QCOMPARE(led->getValue(), 0);
    for (QLineEdit *edit : { page->lePosExc, page->leNegExc, page->leDiffExc })
        QCOMPARE(edit->text(), QString("Not measured"));
    QCOMPARE(page->leImbalance->text(), QString("Not balanced"));
    // What the unit measured is shown, never typed in.
    for (QLineEdit *edit :
        { page->lePosExc, page->leNegExc, page->leDiffExc, page->leTotalGain, page->leImbalance })
        QVERIFY(edit->isReadOnly());
    QCOMPARE(page->masterGain, 1);
    QVERIFY(!page->identifyOn);
    QVERIFY(!page->icpMode);

    const QList<QWidget *> widgets = page->findChildren<QWidget *>();
    for (QWidget *w : widgets)
        QVERIFY2(w->isEnabled(), w->metaObject()->className());

    // The panel's own pages are just as fresh until it attaches.
    PanelRig fresh = quietRig(PanelRig::Built);
    for (int i = 0; i < fresh.panel->chCount; ++i)
        QVERIFY(fresh.page(i)->leTotalGain->text().isEmpty());
}

void tst_ChCfg::excitationRanges()
{
    PanelRig rig = quietRig(PanelRig::Built);
    QDoubleSpinBox *pos = rig.page(0)->dsbPosExc;
    QDoubleSpinBox *neg = rig.page(0)->dsbNegExc;
    QCOMPARE(pos->decimals(), 3);
    QCOMPARE(neg->decimals(), 3);
    QCOMPARE(pos->singleStep(), 0.001);
    QCOMPARE(neg->singleStep(), 0.001);

    pos->setValue(12.5);
    QCOMPARE(pos->value(), 10.0);
    pos->setValue(-1.0);
    QCOMPARE(pos->value(), 0.0);
    neg->setValue(-10.5);
    QCOMPARE(neg->value(), -10.0);
    neg->setValue(2.0);
    QCOMPARE(neg->value(), 0.0);

    // The ranges outlive any mode.
    rig.page(0)->cbMode->setCurrentIndex(5);
    rig.page(0)->cbMode->setCurrentIndex(6);
    pos->setValue(12.5);
    neg->setValue(-10.5);
    QCOMPARE(pos->value(), 10.0);
    QCOMPARE(neg->value(), -10.0);
}

void tst_ChCfg::voltageReferenceRemoved()
{
    PanelRig rig = quietRig(PanelRig::Built);
    sc4830fp_chCfg *page = rig.page(1);
    page->cbInput->setCurrentIndex(1);
    page->chkSignalPath->setChecked(true);

    page->disableVoltageRefInput();
    page->disableVoltageRefInput();
    QCOMPARE(itemTexts(page->cbInput), QStringList { "Front Panel" });
    QCOMPARE(page->cbInput->currentIndex(), 0);
    QVERIFY(!page->chkSignalPath->isChecked());
    QVERIFY(!page->chkSignalPath->isEnabled());

    // Apply to all from a page that still offers the reference cannot push a missing
    // item onto this one.
    rig.page(0)->cbInput->setCurrentIndex(1);
    rig.page(0)->applyToAllAction();
    QCOMPARE(page->cbInput->currentIndex(), 0);

    // Nor does the table offer it on that row.
    const QModelIndex input = rig.table()->index(1, sc4830fp_channelModel::Input);
    sc4830fp_channelDelegate delegate;
    std::unique_ptr<QWidget> editor(delegate.createEditor(nullptr, {}, input));
    auto *combo = qobject_cast<QComboBox *>(editor.get());
    QVERIFY(combo);
    QCOMPARE(itemTexts(combo), QStringList { "Front Panel" });
}

void tst_ChCfg::imbalanceText()
{
    PanelRig rig = quietRig(PanelRig::Built);
    sc4830fp_chCfg *page = rig.page(0);
    page->setImbalance(0.0123456789);
    QCOMPARE(page->leImbalance->text(), QString("0.012346"));
    page->setImbalance(-1.5);
    QCOMPARE(page->leImbalance->text(), QString("-1.500000"));
}

// --- Settings slots -----------------------------------------------------------------

void tst_ChCfg::modeTable_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("coupling");
    QTest::addColumn<ModeClass>("kind");

    const ModeClass kinds[8]
        = { ModeClass::Bridge, ModeClass::Bridge, ModeClass::Bridge, ModeClass::Bridge,
              ModeClass::Bridge, ModeClass::Icp, ModeClass::Voltage, ModeClass::Voltage };
    for (int i = 0; i < 8; ++i)
        QTest::addRow("%s on DC", qPrintable(modeNames[i])) << i << 1 << kinds[i];
    QTest::newRow("Full Bridge on AC") << 0 << 0 << ModeClass::Bridge;
    QTest::newRow("Quarter Bridge User on AC") << 4 << 0 << ModeClass::Bridge;
    QTest::newRow("Single Ended Voltage on AC") << 7 << 0 << ModeClass::Voltage;
}

void tst_ChCfg::modeTable()
{
    QFETCH(int, mode);
    QFETCH(int, coupling);
    QFETCH(ModeClass, kind);

    PanelRig rig = quietRig(PanelRig::Built);
    sc4830fp_chCfg *page = rig.page(2);
    page->cbMode->setCurrentIndex(mode == 0 ? 1 : 0);
    page->cbCoup->setCurrentIndex(coupling);
    page->cbShCal->setCurrentIndex(1);
    page->chkAutobalance->setChecked(true);
    page->chkExcitation->setChecked(true);
    page->ledExcLimit->setValue(1);
    page->ledIcp->setValue(1);
    page->dsbPosExc->setValue(3.0);
    page->dsbNegExc->setValue(-2.0);
    page->pbApply->setEnabled(false);

    page->cbMode->setCurrentIndex(mode);

    const bool bridge = kind == ModeClass::Bridge;
    const bool icp = kind == ModeClass::Icp;
    QCOMPARE(page->dsbPosExc->isEnabled(), bridge);
    QCOMPARE(page->dsbNegExc->isEnabled(), bridge);
    QCOMPARE(page->chkAutobalance->isEnabled(), bridge && coupling == 1);
    QCOMPARE(page->chkAutobalance->isChecked(), bridge);
    QCOMPARE(page->chkExcitation->isEnabled(), bridge);
    QCOMPARE(page->chkExcitation->isChecked(), bridge);
    QCOMPARE(page->cbShCal->isEnabled(), bridge);
    QCOMPARE(page->cbShCal->currentIndex(), bridge ? 1 : 0);
    QCOMPARE(page->ledExcLimit->isEnabled(), bridge);
    QCOMPARE(page->ledExcLimit->getValue(), bridge ? 1 : 0);
    QCOMPARE(page->gbExcitation->isEnabled(), bridge);
    QCOMPARE(page->leImbalance->isEnabled(), bridge);
    QCOMPARE(page->ledIcp->isEnabled(), icp);
    QCOMPARE(page->ledIcp->getValue(), icp ? 1 : 0);
    QCOMPARE(page->cbCoup->isEnabled(), !icp);
    QCOMPARE(page->cbCoup->currentIndex(), icp ? 0 : coupling);
    QVERIFY(page->pbApply->isEnabled());

    // The voltages outlive any mode.
    QCOMPARE(page->dsbPosExc->value(), 3.0);
    QCOMPARE(page->dsbNegExc->value(), -2.0);
    QVERIFY(!page->icpMode);
    QCOMPARE(boxes->seen.size(), 0);
}

void tst_ChCfg::icpThenBridge()
{
    PanelRig rig = quietRig(PanelRig::Built);
    sc4830fp_chCfg *page = rig.page(0);
    page->cbCoup->setCurrentIndex(1);
    page->cbShCal->setCurrentIndex(1);
    page->chkAutobalance->setChecked(true);
    page->chkExcitation->setChecked(true);

    page->cbMode->setCurrentIndex(5);
    page->cbMode->setCurrentIndex(3);

    QCOMPARE(page->cbCoup->currentIndex(), 0);
    QVERIFY(page->cbCoup->isEnabled());
    QCOMPARE(page->cbShCal->currentIndex(), 0);
    QVERIFY(page->cbShCal->isEnabled());
    QVERIFY(!page->chkExcitation->isChecked());
    QVERIFY(page->chkExcitation->isEnabled());
    QVERIFY(!page->chkAutobalance->isChecked());
    QVERIFY(!page->chkAutobalance->isEnabled()); // coupling is AC again
    QVERIFY(page->dsbPosExc->isEnabled() && page->dsbNegExc->isEnabled());
    QVERIFY(page->gbExcitation->isEnabled() && page->leImbalance->isEnabled());
    QVERIFY(page->ledExcLimit->isEnabled());
    QVERIFY(!page->ledIcp->isEnabled());

    // A coupling change alone leaves the autobalance selection to the next Apply.
    page->cbCoup->setCurrentIndex(1);
    QVERIFY(!page->chkAutobalance->isEnabled());
    page->applyAction();
    QVERIFY(page->chkAutobalance->isEnabled());
}

void tst_ChCfg::everyChangeMarksApply_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("column"); // in the table of all channels
    QTest::addColumn<QVariant>("value"); // as the table takes it: the same change
    QTest::addColumn<QVariant>("refused"); // what the control does not offer
    using Model = sc4830fp_channelModel;
    const struct
    {
        const char *control;
        int column;
        QVariant value;
        QVariant refused;
    } edits[] = { { "input", Model::Input, "Voltage Ref.", "Voltage ref." },
        { "mode", Model::Mode, "Quarter Bridge 120", "Quarter Bridge" },
        { "coupling", Model::Coupling, "DC", "DC " }, { "gain", Model::Gain, 10, "5" },
        { "positive excitation", Model::PositiveExcitation, "0.001", -0.001 },
        { "negative excitation", Model::NegativeExcitation, -0.001, "0.5" },
        { "shunt", Model::Shunt, "ON", "On" } };
    for (const auto &edit : edits) {
        QTest::newRow(edit.control) << QString(edit.control) << -1 << edit.value << edit.refused;
        QTest::addRow("%s through the table", edit.control)
            << QString(edit.control) << edit.column << edit.value << edit.refused;
    }
}

void tst_ChCfg::everyChangeMarksApply()
{
    QFETCH(QString, control);
    QFETCH(int, column);
    QFETCH(QVariant, value);
    QFETCH(QVariant, refused);
    PanelRig rig = quietRig(PanelRig::Demonstration);
    sc4830fp_chCfg *page = rig.page(4);
    QVERIFY(!page->pbApply->isEnabled()); // the attach applied every page
    const bool autobalance = page->chkAutobalance->isEnabled();
    const int state = sc4830fp_channelModel::State;
    QCOMPARE(rig.cell(4, state), QString("Applied"));

    QAbstractItemModel *table = rig.table();
    QSignalSpy changes(table, &QAbstractItemModel::dataChanged);
    if (column >= 0) {
        QVERIFY(!table->setData(table->index(4, column), refused));
        QVERIFY(!page->pbApply->isEnabled());
        QVERIFY(table->setData(table->index(4, column), value));
    } else if (control == "input")
        page->cbInput->setCurrentIndex(1);
    else if (control == "mode")
        page->cbMode->setCurrentIndex(2);
    else if (control == "coupling")
        page->cbCoup->setCurrentIndex(1);
    else if (control == "gain")
        page->cbGain->setCurrentIndex(1);
    else if (control == "positive excitation")
        page->dsbPosExc->setValue(0.001);
    else if (control == "negative excitation")
        page->dsbNegExc->setValue(-0.001);
    else
        page->cbShCal->setCurrentIndex(1);

    QVERIFY(page->pbApply->isEnabled());
    QCOMPARE(page->chkAutobalance->isEnabled(), autobalance);
    QCOMPARE(page->leTotalGain->text(), QString(control == "gain" ? "10" : "1"));
    QCOMPARE(rig.cell(4, state), QString("Changed"));
    QVERIFY(std::any_of(changes.cbegin(), changes.cend(),
        [&](const QVariantList &range) { return range.at(1) == table->index(4, state); }));
    QCOMPARE(sc4830sim_logCount(), 0);
}

void tst_ChCfg::applyByCoupling_data()
{
    QTest::addColumn<bool>("attached");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("coupling");

    for (bool attached : { false, true }) {
        const char *where = attached ? "attached" : "demonstration";
        QTest::addRow("%s bridge AC", where) << attached << 0 << 0;
        QTest::addRow("%s bridge DC", where) << attached << 1 << 1;
        QTest::addRow("%s ICP", where) << attached << 5 << 0;
        QTest::addRow("%s differential AC", where) << attached << 6 << 0;
        QTest::addRow("%s single ended DC", where) << attached << 7 << 1;
    }
}

void tst_ChCfg::applyByCoupling()
{
    QFETCH(bool, attached);
    QFETCH(int, mode);
    QFETCH(int, coupling);

    PanelRig rig = quietRig(attached ? PanelRig::Attached : PanelRig::Demonstration);
    sc4830fp_chCfg *page = rig.page(6);
    GainReports reports;
    reports.listen(page);
    page->dsbPosExc->setValue(4.25);
    page->dsbNegExc->setValue(-3.5);
    page->cbGain->setCurrentIndex(2);
    page->cbMode->setCurrentIndex(mode);
    page->cbCoup->setCurrentIndex(coupling);
    page->chkAutobalance->setChecked(true);
    sc4830sim_clearLog();

    page->pbApply->click();

    const bool dc = page->cbCoup->currentIndex() == 1;
    QCOMPARE(page->chkAutobalance->isEnabled(), dc);
    QCOMPARE(page->chkAutobalance->isChecked(), dc);
    QCOMPARE(page->leImbalance->isEnabled(), dc);
    QVERIFY(!page->pbApply->isEnabled());
    QCOMPARE(page->icpMode, mode == 5);
    QCOMPARE(reports.channels, QList<int> { 6 });
    QCOMPARE(reports.gains, QList<double> { 100.0 });

    if (!attached) {
        QCOMPARE(sc4830sim_logCount(), 0);
        return;
    }
    // Modes without excitation still send what the locked spin boxes hold.
    const QString head = "(" + rig.unit() + ", 7, ";
    QCOMPARE(simCallLog(),
        QStringList({ QString("sc4830_setChannelConf%1%2, 100, %3, 0)")
                          .arg(head)
                          .arg(mode)
                          .arg(page->cbCoup->currentIndex()),
            "sc4830_setExcitation" + head + "4.25, -3.5)", "sc4830_setShuntCal" + head + "0)" }));
    QCOMPARE(boxes->seen.size(), 0);
}

void tst_ChCfg::icpModeFollowsApply()
{
    PanelRig rig = quietRig(PanelRig::Demonstration);
    sc4830fp_chCfg *page = rig.page(0);
    page->cbMode->setCurrentIndex(5);
    QVERIFY(!page->icpMode);
    QVERIFY(page->ledIcp->isEnabled());
    page->applyAction();
    QVERIFY(page->icpMode);
    page->cbMode->setCurrentIndex(6);
    QVERIFY(page->icpMode);
    page->applyAction();
    QVERIFY(!page->icpMode);
}

// --- Total gain ---------------------------------------------------------------------

void tst_ChCfg::gainWarning_data()
{
    QTest::addColumn<int>("gainIndex");
    QTest::addColumn<int>("host");
    QTest::addColumn<QString>("total");
    QTest::addColumn<bool>("warns");

    // The operator's gain step times the host's factor, as the step is chosen.
    QTest::newRow("1000 x 10 is the limit, quiet") << 3 << 10 << "10000" << false;
    QTest::newRow("1000 x 11 warns") << 3 << 11 << "11000" << true;
    QTest::newRow("10 x 1001 warns") << 1 << 1001 << "10010" << true;
    QTest::newRow("1000 x a factor that wraps 32 bits to 704")
        << 3 << 4294968 << "4294968000" << true;
    QTest::newRow("1000 x -11 is quiet") << 3 << -11 << "-11000" << false;
    QTest::newRow("100 x 0") << 2 << 0 << "0" << false;
}

void tst_ChCfg::gainWarning()
{
    QFETCH(int, gainIndex);
    QFETCH(int, host);
    QFETCH(QString, total);
    QFETCH(bool, warns);

    PanelRig rig = quietRig(PanelRig::Attached);
    sc4830fp_chCfg *page = rig.page(1);
    page->masterGain = host;
    page->pbApply->setEnabled(false);
    GainReports reports;
    reports.listen(page);

    page->cbGain->setCurrentIndex(gainIndex);

    QCOMPARE(page->leTotalGain->text(), total);
    QCOMPARE(page->cbGain->currentIndex(), gainIndex);
    QVERIFY(page->pbApply->isEnabled());
    QCOMPARE(boxes->seen.size(), warns ? 1 : 0);
    if (warns) {
        QCOMPARE(boxes->seen[0].face(),
            QStringList(
                { "Warning", "Warning", "Total system gain " + total + " is too high", "Ok" }));
        QCOMPARE(boxes->seen[0].parent.data(), static_cast<QWidget *>(page));
    }
    QCOMPARE(sc4830sim_logCount(), 0);
    QVERIFY(reports.channels.isEmpty());
}

// --- Apply to all -------------------------------------------------------------------

void tst_ChCfg::applyToAll()
{
    PanelRig rig = quietRig(PanelRig::Attached);
    sc4830fp_chCfg *source = rig.page(2);

    // A target that already holds the source's settings; its host gain would make any
    // run of its gain check warn.
    sc4830fp_chCfg *same = rig.page(5);
    same->masterGain = 20;
    // A target in ICP: its mode change must not win over the copied coupling and shunt.
    sc4830fp_chCfg *icp = rig.page(7);
    icp->cbMode->setCurrentIndex(5);
    // A target whose gain change does warn, once.
    rig.page(6)->masterGain = 11;
    for (sc4830fp_chCfg *page : { source, same }) {
        page->cbInput->setCurrentIndex(1);
        page->cbMode->setCurrentIndex(3);
        page->cbCoup->setCurrentIndex(1);
        page->cbGain->setCurrentIndex(3);
        page->dsbPosExc->setValue(2.5);
        page->dsbNegExc->setValue(-1.25);
        page->cbShCal->setCurrentIndex(1);
    }
    source->chkExcitation->setChecked(true);
    source->masterGain = 5;
    same->leTotalGain->setText("untouched");
    QCOMPARE(boxes->seen.size(), 1); // page 5's own gain change above
    boxes->seen.clear();

    GainReports reports;
    QSignalSpy sameModeChanges(same->cbMode, QOverload<int>::of(&QComboBox::currentIndexChanged));
    QSignalSpy sameCouplingChanges(
        same->cbCoup, QOverload<int>::of(&QComboBox::currentIndexChanged));
    for (int i = 0; i < rig.panel->chCount; ++i)
        reports.listen(rig.page(i));
    sc4830sim_clearLog();

    source->pbApplyAll->click();

    QStringList expected;
    for (int i = 0; i < 8; ++i) {
        const QString head = "(" + rig.unit() + ", " + QString::number(i + 1) + ", ";
        expected << "sc4830_setChannelConf" + head + "3, 1000, 1, 1)"
                 << "sc4830_setExcitation" + head + "2.5, -1.25)"
                 << "sc4830_setShuntCal" + head + "1)";
    }
    QCOMPARE(simCallLog(), expected);
    QCOMPARE(reports.channels, QList<int>({ 0, 1, 2, 3, 4, 5, 6, 7 }));
    QCOMPARE(reports.gains, repeated(8, 1000.0));

    QCOMPARE(boxes->seen.size(), 1);
    QCOMPARE(boxes->seen[0].text, QString("Total system gain 11000 is too high"));
    QCOMPARE(boxes->seen[0].parent.data(), static_cast<QWidget *>(rig.page(6)));
    QCOMPARE(same->leTotalGain->text(), QString("untouched"));
    QCOMPARE(sameModeChanges.count(), 0);
    QCOMPARE(sameCouplingChanges.count(), 0);

    QCOMPARE(icp->cbCoup->currentIndex(), 1);
    QVERIFY(icp->cbCoup->isEnabled());
    QCOMPARE(icp->cbShCal->currentIndex(), 1);
    QVERIFY(icp->chkAutobalance->isEnabled());
    QVERIFY(!icp->icpMode);

    for (int i = 0; i < 8; ++i) {
        sc4830fp_chCfg *page = rig.page(i);
        QVERIFY(!page->pbApply->isEnabled());
        QCOMPARE(page->dsbPosExc->value(), 2.5);
        QCOMPARE(page->dsbNegExc->value(), -1.25);
        if (page != source) // neither calibration selections nor host gains travel
            QVERIFY(!page->chkExcitation->isChecked());
    }
    QCOMPARE(rig.page(6)->masterGain, 11);
    QCOMPARE(rig.page(6)->leTotalGain->text(), QString("11000"));
    QCOMPARE(rig.page(4)->leTotalGain->text(), QString("1000"));
    QCOMPARE(unitChannel(8).gain, ViUInt16(1000));
}

void tst_ChCfg::applyToAllInDemonstration()
{
    PanelRig rig = quietRig(PanelRig::Demonstration);
    GainReports reports;
    for (int i = 0; i < rig.panel->chCount; ++i)
        reports.listen(rig.page(i));
    rig.page(7)->cbGain->setCurrentIndex(1);
    rig.page(7)->applyToAllAction();
    QCOMPARE(sc4830sim_logCount(), 0);
    QCOMPARE(reports.gains, repeated(8, 10.0));
}

void tst_ChCfg::applyToAllReportsEveryPage()
{
    PanelRig rig = quietRig(PanelRig::Attached);
    MasterErrorRecorder host(rig.panel);
    sc4830sim_setFCLastError(carrierErrorCode);
    sc4830sim_injectStatus(checked::shuntCal.function, carrierErrorStatus, 1);

    rig.page(0)->applyToAllAction();

    QCOMPARE(host.codes(), repeated(8, int(carrierErrorCode)));
    QCOMPARE(host.texts(), repeated(8, QByteArray(checked::shuntCal.text)));
    QCOMPARE(sc4830sim_callCount("sc4830_setChannelConf"), 8);
    QCOMPARE(sc4830sim_callCount("sc4830_setExcitation"), 8);
    QCOMPARE(boxes->seen.size(), 0);
}

// --- Read-back and identification ---------------------------------------------------

// Many channels at once through the table, by keyboard alone: a value edited in one cell
// goes to every selected row that offers it.
void tst_ChCfg::tableSetsSelectedRowsByKeyboard()
{
    using Model = sc4830fp_channelModel;
    PanelRig rig = quietRig(PanelRig::Attached);
    QAbstractItemModel *table = rig.table();
    QVERIFY(table->setData(table->index(2, Model::Mode), "ICP")); // locks its coupling
    std::unique_ptr<QWidget> widget(
        qobject_cast<cr2200fp_overviewInterface *>(rig.panel.data())->createOverview(nullptr));
    auto *overview = qobject_cast<sc4830fp_overview *>(widget.get());
    QSignalSpy pages(overview, SIGNAL(pageShown(int)));
    overview->show();
    QVERIFY(QTest::qWaitForWindowActive(overview));
    QTableView *view = overview->table;
    QCOMPARE(view->accessibleName(), QString("All channels"));
    view->setFocus();
    view->setCurrentIndex(table->index(0, Model::Coupling));
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(view, Qt::Key_Down, Qt::ShiftModifier);
    const auto edit = [view](Qt::Key key) {
        QTest::keyClick(view, Qt::Key_F2);
        auto *editor = view->viewport()->findChild<QComboBox *>();
        QVERIFY(editor);
        QTest::keyClick(editor, Qt::Key_Down);
        QTest::keyClick(editor, key);
    };
    edit(Qt::Key_Escape);
    QTest::qWait(20);
    QCOMPARE(rig.cell(0, Model::Coupling), QString("AC"));
    edit(Qt::Key_Return);
    QTRY_COMPARE(rig.cell(0, Model::Coupling), QString("DC"));
    QCOMPARE(rig.cell(1, Model::Coupling), QString("DC"));
    QCOMPARE(rig.cell(2, Model::Coupling), QString("AC"));
    QCOMPARE(rig.cell(3, Model::Coupling), QString("DC"));
    QCOMPARE(rig.cell(4, Model::Coupling), QString("AC"));
    QCOMPARE(overview->note->text(), QString("Not set on Ch 3: Coupling DC is not offered there."));
    // A cell edited outside the selection is an edit of its own row.
    emit static_cast<sc4830fp_channelDelegate *>(view->itemDelegate())
        ->valueChosen(6, Model::Coupling, QString("DC"));
    QTRY_COMPARE(rig.cell(6, Model::Coupling), QString("DC"));
    QCOMPARE(overview->note->text(), QString());
    QCOMPARE(sc4830sim_logCount(), 0);

    // Enter on a channel shows its page, and tells the host; on another cell it does not.
    view->setCurrentIndex(table->index(4, Model::TotalGain));
    QTest::keyClick(view, Qt::Key_Return);
    view->setCurrentIndex(table->index(5, Model::Channel));
    QTest::keyClick(view, Qt::Key_Return);
    QCOMPARE(rig.panel->twChannels->currentIndex(), 5);
    QCOMPARE(pages.count(), 1);
    QCOMPARE(pages.at(0).at(0).toInt(), 5);
}

// A window too narrow for every column: the columns that say which channel and what is
// wrong stay in view while the others scroll beneath them, and are edited where they show.
void tst_ChCfg::tableKeepsChannelAndStateInView()
{
    using Model = sc4830fp_channelModel;
    PanelRig rig = quietRig(PanelRig::Attached);
    QAbstractItemModel *table = rig.table();
    std::unique_ptr<QWidget> widget(
        qobject_cast<cr2200fp_overviewInterface *>(rig.panel.data())->createOverview(nullptr));
    auto *overview = qobject_cast<sc4830fp_overview *>(widget.get());
    overview->resize(700, 400);
    overview->show();
    QVERIFY(QTest::qWaitForWindowActive(overview));
    QTableView *view = overview->table;
    auto *kept = view->findChild<QTableView *>("keptColumns");
    QVERIFY(kept);
    view->setFocus();
    view->setCurrentIndex(table->index(3, Model::Channel));
    QTest::keyClick(view, Qt::Key_End);
    const QModelIndex last = table->index(3, Model::Imbalance);
    QCOMPARE(view->currentIndex(), last);
    QVERIFY(view->horizontalScrollBar()->value() > 0);
    QVERIFY(view->visualRect(last).left() >= kept->width());
    QVERIFY(view->viewport()->rect().contains(view->visualRect(last)));
    for (int column : { Model::Channel, Model::Name, Model::Mode, Model::Attention, Model::State })
        QVERIFY(kept->viewport()->rect().contains(kept->visualRect(table->index(3, column))));

    // Back by arrows to the name, which is typed where it shows; the keyboard stays with the
    // table afterwards.
    while (view->currentIndex().column() != Model::Name) {
        QTest::keyClick(view, Qt::Key_Left);
        if (kept->isColumnHidden(view->currentIndex().column()))
            QVERIFY(view->visualRect(view->currentIndex()).left() >= kept->width());
    }
    QTest::keyClicks(view, "L");
    auto *editor = kept->viewport()->findChild<QLineEdit *>();
    QVERIFY(editor);
    QTest::keyClicks(editor, "eft arm");
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(rig.cell(3, Model::Name), QString("Left arm"));
    QTRY_COMPARE(QApplication::focusWidget(), view);
    QCOMPARE(sc4830sim_logCount(), 0);
}

void tst_ChCfg::readBack_data()
{
    QTest::addColumn<double>("pos");
    QTest::addColumn<double>("neg");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("then"); // after the read: "", "Apply", "Apply to all", "attach"
    QTest::addColumn<int>("applyStatus"); // what the unit answers the apply's excitation
    QTest::addColumn<QStringList>("shown");

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const QStringList read { "5.500000", "-5.500000", "11.000000" };
    const QStringList notMeasured = repeated(3, QString("Not measured"));
    QTest::newRow("plus and minus 5 V")
        << 5.0 << -5.0 << 0 << "" << 0 << QStringList { "5.000000", "-5.000000", "10.000000" };
    QTest::newRow("six decimals, rounded") << 1.23456789 << -0.0000004 << 0 << "" << 0
                                           << QStringList { "1.234568", "-0.000000", "1.234568" };
    QTest::newRow("failed read is no measurement")
        << 2.0 << -1.0 << int(unitErrorStatus) << "" << 0 << notMeasured;
    QTest::newRow("read failed by the carrier is no measurement")
        << 2.5 << 0.0 << int(carrierErrorStatus) << "" << 0 << notMeasured;
    QTest::newRow("warning still shows the values")
        << 0.5 << -0.25 << int(unitWarningStatus) << "" << 0
        << QStringList { "0.500000", "-0.250000", "0.750000" };
    QTest::newRow("NaN") << nan << -1.0 << 0 << "" << 0
                         << QStringList { "nan", "-1.000000", "nan" };
    QTest::newRow("infinities") << inf << -inf << 0 << "" << 0
                                << QStringList { "inf", "-inf", "inf" };
    QTest::newRow("equal infinities")
        << inf << inf << 0 << "" << 0 << QStringList { "inf", "inf", "nan" };
    // A reading measured the settings of its time; settings the unit took since void it.
    QTest::newRow("Apply voids the reading") << 5.5 << -5.5 << 0 << "Apply" << 0 << notMeasured;
    QTest::newRow("Apply the unit warns about voids it")
        << 5.5 << -5.5 << 0 << "Apply" << int(unitWarningStatus) << notMeasured;
    QTest::newRow("refused Apply keeps the reading")
        << 5.5 << -5.5 << 0 << "Apply" << int(unitErrorStatus) << read;
    QTest::newRow("Apply to all from another page voids it")
        << 5.5 << -5.5 << 0 << "Apply to all" << 0 << notMeasured;
    QTest::newRow("the attach voids it") << 5.5 << -5.5 << 0 << "attach" << 0 << notMeasured;
}

void tst_ChCfg::readBack()
{
    QFETCH(double, pos);
    QFETCH(double, neg);
    QFETCH(int, status);
    QFETCH(QString, then);
    QFETCH(int, applyStatus);
    QFETCH(QStringList, shown);

    PanelRig rig = quietRig(PanelRig::Attached);
    MasterErrorRecorder host(rig.panel);
    sc4830sim_setExcitationReadback(5, pos, neg);
    sc4830fp_chCfg *page = rig.page(4);
    if (status)
        sc4830sim_injectStatus(checked::readBack.function, status, 0);
    boxes->queue(QMessageBox::No);
    boxes->queue(QMessageBox::No);

    page->pbReadExc->click();
    if (applyStatus)
        sc4830sim_injectStatus(checked::excitation.function, applyStatus, 0);
    if (then == "Apply") {
        page->cbGain->setCurrentIndex(1);
        page->pbApply->click();
    } else if (then == "Apply to all")
        rig.page(1)->pbApplyAll->click();
    else if (then == "attach")
        rig.panel->initUnit();

    QCOMPARE(simCallLog().filter("sc4830_getExcitation"),
        QStringList { "sc4830_getExcitation(" + rig.unit() + ", 5, ptr, ptr)" });
    QCOMPARE(
        QStringList({ page->lePosExc->text(), page->leNegExc->text(), page->leDiffExc->text() }),
        shown);
    QVERIFY(page->pbReadExc->isEnabled());
    // Each failure reported once, to the host or in a box, as always.
    QCOMPARE(host.count() + boxes->seen.size(), (status ? 1 : 0) + (applyStatus ? 1 : 0));
}

void tst_ChCfg::readBackShowsDisabledButton()
{
    PanelRig rig = quietRig(PanelRig::Attached);
    sc4830fp_chCfg *page = rig.page(0);
    // Posted before the click, run by the slot's one pass through the event loop.
    bool enabledDuringRead = true;
    QTimer::singleShot(0, page, [&] { enabledDuringRead = page->pbReadExc->isEnabled(); });
    page->readExcAction();
    QVERIFY(!enabledDuringRead);
    QVERIFY(page->pbReadExc->isEnabled());
}

void tst_ChCfg::readBackInDemonstration()
{
    PanelRig rig = quietRig(PanelRig::Demonstration);
    sc4830fp_chCfg *page = rig.page(0);
    page->pbReadExc->click();
    QVERIFY(page->pbReadExc->isEnabled());
    QCOMPARE(page->lePosExc->text(), QString("Not measured"));
    QCOMPARE(page->leDiffExc->text(), QString("Not measured"));
    QCOMPARE(sc4830sim_logCount(), 0);
}

void tst_ChCfg::identification_data()
{
    QTest::addColumn<bool>("attached");
    QTest::newRow("demonstration") << false;
    QTest::newRow("attached") << true;
}

void tst_ChCfg::identification()
{
    QFETCH(bool, attached);
    PanelRig rig = quietRig(attached ? PanelRig::Attached : PanelRig::Demonstration);
    sc4830fp_chCfg *page = rig.page(2);

    page->pbIdentify->click();
    QVERIFY(page->identifyOn);
    QCOMPARE(page->pbIdentify->text(), QString("ON"));
    QCOMPARE(unitChannel(3).identify, ViUInt16(attached ? 1 : 0));
    QCOMPARE(channelTab(rig.panel, 2), QString("Identification on"));
    QCOMPARE(channelTab(rig.panel, 1), QString());
    page->pbIdentify->click();
    QVERIFY(!page->identifyOn);
    QCOMPARE(page->pbIdentify->text(), QString("OFF"));
    QCOMPARE(channelTab(rig.panel, 2), QString());
    QCOMPARE(unitChannel(3).identify, ViUInt16(0));
    QCOMPARE(page->ledIdentify->getValue(), 0); // the panel's timer blinks it, not the slot

    const QString head = "sc4830_channelIdentify(" + rig.unit() + ", 3, ";
    QCOMPARE(simCallLog(), attached ? QStringList({ head + "1)", head + "0)" }) : QStringList());
}

void tst_ChCfg::lampWords_data()
{
    QTest::addColumn<QString>("lamp");
    QTest::addColumn<bool>("icpMode"); // ICP applied first
    QTest::addColumn<int>("icpErr"); // -1: the first status read fails, the poll stops
    QTest::addColumn<int>("excErr");
    QTest::addColumn<int>("identify"); // 0 off, 1 switched on, -1 on, then off for the last tick
    QTest::addColumn<int>("ticks"); // status poll ticks; the unit is read on every second one
    QTest::addColumn<QString>("shown"); // "green", "red" or "dark"
    QTest::addColumn<QString>("description");

    // Page 2 is channel 3: bit 2 of the status words. The identification lamp is lit on
    // every second tick while identification is on.
    const QString notMonitored = "ICP current not monitored (not in ICP mode or not read yet)";
    QTest::newRow("ICP current in order") << "ledIcp" << true << 0x0004 << 0 << 0 << 2 << "green"
                                          << "ICP current in order";
    QTest::newRow("ICP current fault") << "ledIcp" << true << 0x7FFB << 0 << 0 << 2 << "red"
                                       << "ICP current fault";
    QTest::newRow("ICP mode, not read yet")
        << "ledIcp" << true << 0x0004 << 0 << 0 << 1 << "dark" << notMonitored;
    QTest::newRow("ICP lamp out of ICP mode")
        << "ledIcp" << false << 0x7FFF << 0 << 0 << 2 << "dark" << notMonitored;
    QTest::newRow("excitation current at its limit")
        << "ledExcLimit" << false << 0 << 0x0004 << 0 << 2 << "red"
        << "Excitation current at its limit";
    QTest::newRow("excitation current within its limit")
        << "ledExcLimit" << false << 0 << 0x7FFB << 0 << 2 << "dark"
        << "Excitation current within its limit";
    QTest::newRow("identification on, lamp lit")
        << "ledIdentify" << false << 0 << 0 << 1 << 2 << "green"
        << "Identification on, the lamp blinks";
    QTest::newRow("identification on, lamp dark")
        << "ledIdentify" << false << 0 << 0 << 1 << 3 << "dark"
        << "Identification on, the lamp blinks";
    QTest::newRow("identification off") << "ledIdentify" << false << 0 << 0 << 0 << 2 << "dark"
                                        << "Identification off";
    QTest::newRow("identification on, poll stopped")
        << "ledIdentify" << false << -1 << 0 << 1 << 3 << "green"
        << "Identification on, the lamp stays lit: status not monitored";
    QTest::newRow("identification switched off while lit")
        << "ledIdentify" << false << 0 << 0 << -1 << 3 << "dark"
        << "Identification off";
}

void tst_ChCfg::lampWords()
{
    QFETCH(QString, lamp);
    QFETCH(bool, icpMode);
    QFETCH(int, icpErr);
    QFETCH(int, excErr);
    QFETCH(int, identify);
    QFETCH(int, ticks);
    QFETCH(QString, shown);
    QFETCH(QString, description);
    PanelRig rig = quietRig(PanelRig::Attached);
    auto *led = qobject_cast<cr2200fp_led *>(widgetNamed(rig.page(2), lamp));
    sc4830fp_chCfg *page = rig.page(2);
    QVERIFY(led);

    if (icpMode) {
        page->cbMode->setCurrentIndex(5);
        page->applyAction();
    }
    if (icpErr < 0)
        sc4830sim_injectStatus(checked::poll.function, unitErrorStatus, 0);
    else
        sc4830sim_setStatusWords(ViInt16(icpErr), ViInt16(excErr));
    if (identify != 0)
        page->pbIdentify->click();
    for (int tick = 1; tick <= ticks; ++tick) {
        if (identify < 0 && tick == ticks)
            page->pbIdentify->click();
        rig.panel->getStatus();
    }

    const QColor colour = led->getValue() == 0 ? QColor() : led->getOnColor();
    const QString seen = colour == QColor(Qt::green) ? "green"
        : colour == QColor(Qt::red)                  ? "red"
        : colour.isValid()                           ? colour.name()
                                                     : "dark";
    QCOMPARE(seen, shown);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(led);
    QCOMPARE(iface->text(QAccessible::Name), led->getText());
    QCOMPARE(iface->text(QAccessible::Description), description);
}

// --- Locale -------------------------------------------------------------------------

void tst_ChCfg::decimalCommaLocale()
{
    DefaultLocale german { QLocale(QLocale::German, QLocale::Germany) };
    PanelRig rig = quietRig(PanelRig::Attached);
    sc4830fp_chCfg *page = rig.page(0);
    page->dsbPosExc->setValue(1.5);
    page->dsbNegExc->setValue(-2.25);
    QCOMPARE(page->dsbPosExc->text(), QString("1,500"));

    page->applyAction();
    QCOMPARE(unitChannel(1).posExc, 1.5);
    QCOMPARE(unitChannel(1).negExc, -2.25);

    // What is sent is what is shown: three decimals.
    page->dsbPosExc->setValue(1.23456);
    page->dsbNegExc->setValue(-0.0004);
    QCOMPARE(page->dsbPosExc->text(), QString("1,235"));
    page->applyAction();
    QCOMPARE(unitChannel(1).posExc, 1.235);
    QCOMPARE(unitChannel(1).negExc, 0.0);
    QCOMPARE(boxes->seen.size(), 0);
}

QTEST_MAIN(tst_ChCfg)
#include "tst_chcfg.moc"
