// The channel page: its widgets and tables, the slots that keep it consistent, Apply and
// Apply to all, the total gain, the read-back, identification and every driver failure
// the page can meet, run against the simulated unit.
#include "accessiblecontrols.h"
#include "modalanswerer.h"
#include "simlog.h"

#include <cr2200fp_led.h>
#include <sc4830fp_chcfg.h>
#include <sc4830fp_fp.h>
#include <sc4830sim.h>
#include <simcarrier.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest>

#include <functional>
#include <limits>
#include <memory>
#include <tuple>

namespace {

enum class Start { Fresh, Demo, Attached };

// A panel as a host leaves it: fresh from construction, after initUnit() in
// demonstration, or attached to the simulated 8-channel carrier. The status poll is
// stopped so that the call log holds only what a test does.
class Rig
{
public:
    explicit Rig(Start start)
        : panel(new sc4830fp_fp)
    {
        panel->statusTimer->stop();
        if (start == Start::Attached) {
            carrier = simcarrier_open(SIMCARRIER_MODEL_8CH);
            panel->setMaster(carrier, SIMCARRIER_MODEL_8CH, 0);
        }
        if (start != Start::Fresh)
            panel->initUnit();
        sc4830sim_clearLog();
    }
    ~Rig()
    {
        panel.reset();
        if (carrier)
            simcarrier_close(carrier);
    }

    sc4830fp_chCfg *page(int i) const { return panel->chPages[i]; }
    QString vi() const { return QString::number(panel->d_vi); }

    std::unique_ptr<sc4830fp_fp> panel;
    ViSession carrier = 0;
};

// What the host heard through masterError: the code and the call text.
struct HostErrors
{
    explicit HostErrors(sc4830fp_fp *panel)
    {
        QObject::connect(
            panel, &sc4830fp_fp::masterError, &context, [this](int error, const char *fcall) {
                codes.append(error);
                texts.append(QByteArray(fcall));
            });
    }
    QObject context; // ends the connection with the record
    QList<int> codes;
    QList<QByteArray> texts;
};

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
    return widgets.value(name);
}

QComboBox *comboNamed(sc4830fp_chCfg *page, const QString &name)
{
    return qobject_cast<QComboBox *>(widgetNamed(page, name));
}

const char *const confCall = "sc4830_setChannelConf(scuFp->d_vi, ch, mode[cbMode->currentIndex()], "
                             "gain[cbGain->currentIndex()], coup[cbCoup->currentIndex()], "
                             "input[cbInput->currentIndex()])";
const char *const excCall = "sc4830_setExcitation(scuFp->d_vi, ch, "
                            "(ViReal64)dsbPosExc->text().toDouble(), "
                            "(ViReal64)dsbNegExc->text().toDouble())";
const char *const shuntCall
    = "sc4830_setShuntCal (scuFp->d_vi, ch, (cbShCal->currentIndex())?VI_TRUE:VI_FALSE)";
const char *const readCall = "sc4830_getExcitation(scuFp->d_vi, ch, &posExc, &negExc)";
const char *const identifyCall = "sc4830_channelIdentify(scuFp->d_vi, ch, "
                                 "(pbIdentify->isChecked())?sc4830_ON:sc4830_OFF)";

enum class ModeClass { Bridge, Icp, Voltage };

// Restores the default locale however a test ends.
struct DefaultLocale
{
    explicit DefaultLocale(const QLocale &locale) { QLocale::setDefault(locale); }
    ~DefaultLocale() { QLocale::setDefault(saved); }
    QLocale saved;
};

} // namespace

// Something the unit or the operator does to a panel and one of its pages.
using PageAction = std::function<void(sc4830fp_fp *, sc4830fp_chCfg *)>;

Q_DECLARE_METATYPE(ModeClass)
Q_DECLARE_METATYPE(PageAction)

class tst_ChCfg : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void itemLists_data();
    void itemLists();
    void driverTables_data();
    void driverTables();
    void tooltips_data();
    void tooltips();
    void captionsAndLayout();
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

    void gainProducts_data();
    void gainProducts();
    void gainComboRunsCheck();

    void applyToAll();
    void applyToAllInDemonstration();
    void applyToAllReportsEveryPage();

    void readBack_data();
    void readBack();
    void readBackShowsDisabledButton();
    void readBackInDemonstration();
    void identification_data();
    void identification();
    void lampWords_data();
    void lampWords();

    void driverFailures_data();
    void driverFailures();

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
    sc4830sim_reset();
    simcarrier_reset();
    boxes.reset(new ModalAnswerer);
}

void tst_ChCfg::cleanup()
{
    boxes.reset();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

// --- Construction -------------------------------------------------------------------

void tst_ChCfg::itemLists_data()
{
    QTest::addColumn<QString>("combo");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("input sources") << "cbInput" << QStringList { "Front Panel", "Voltage Ref." };
    QTest::newRow("modes") << "cbMode"
                           << QStringList { "Full Bridge", "Half Bridge", "Quarter Bridge 120",
                                  "Quarter Bridge 350", "Quarter Bridge User", "ICP",
                                  "Differential Voltage", "Single Ended Voltage" };
    QTest::newRow("couplings") << "cbCoup" << QStringList { "AC", "DC" };
    QTest::newRow("gains") << "cbGain" << QStringList { "1", "10", "100", "1000" };
    QTest::newRow("shunt") << "cbShCal" << QStringList { "OFF", "ON" };
}

void tst_ChCfg::itemLists()
{
    QFETCH(QString, combo);
    QFETCH(QStringList, texts);
    Rig rig(Start::Fresh);
    QComboBox *box = comboNamed(rig.page(0), combo);
    QCOMPARE(itemTexts(box), texts);
    QCOMPARE(box->currentIndex(), 0);
    // Only the mode items carry data: the page tells mode classes apart by it.
    for (int i = 0; i < box->count(); ++i) {
        const QVariant data = box->itemData(i);
        if (combo == "cbMode")
            QCOMPARE(data, QVariant(i));
        else
            QVERIFY2(!data.isValid(), qPrintable(box->itemText(i)));
    }
}

void tst_ChCfg::driverTables_data()
{
    QTest::addColumn<QString>("combo");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("sent"); // setChannelConf and setShuntCal arguments after ch
    QTest::addColumn<double>("reported");

    QTest::newRow("input Front Panel sends 0") << "cbInput" << 0 << "0, 1, 0, 0 / 0" << 1.0;
    QTest::newRow("input Voltage Ref. sends 1") << "cbInput" << 1 << "0, 1, 0, 1 / 0" << 1.0;
    const char *const modes[8]
        = { "Full Bridge", "Half Bridge", "Quarter Bridge 120", "Quarter Bridge 350",
              "Quarter Bridge User", "ICP", "Differential Voltage", "Single Ended Voltage" };
    for (int i = 0; i < 8; ++i)
        QTest::addRow("mode %s sends %d", modes[i], i)
            << "cbMode" << i << QString("%1, 1, 0, 0 / 0").arg(i) << 1.0;
    QTest::newRow("coupling AC sends 0") << "cbCoup" << 0 << "0, 1, 0, 0 / 0" << 1.0;
    QTest::newRow("coupling DC sends 1") << "cbCoup" << 1 << "0, 1, 1, 0 / 0" << 1.0;
    QTest::newRow("gain 1 sends 1") << "cbGain" << 0 << "0, 1, 0, 0 / 0" << 1.0;
    QTest::newRow("gain 10 sends 10") << "cbGain" << 1 << "0, 10, 0, 0 / 0" << 10.0;
    QTest::newRow("gain 100 sends 100") << "cbGain" << 2 << "0, 100, 0, 0 / 0" << 100.0;
    QTest::newRow("gain 1000 sends 1000") << "cbGain" << 3 << "0, 1000, 0, 0 / 0" << 1000.0;
    QTest::newRow("shunt OFF sends false") << "cbShCal" << 0 << "0, 1, 0, 0 / 0" << 1.0;
    QTest::newRow("shunt ON sends true") << "cbShCal" << 1 << "0, 1, 0, 0 / 1" << 1.0;
}

void tst_ChCfg::driverTables()
{
    QFETCH(QString, combo);
    QFETCH(int, index);
    QFETCH(QString, sent);
    QFETCH(double, reported);

    Rig rig(Start::Attached);
    sc4830fp_chCfg *page = rig.page(3);
    GainReports reports;
    reports.listen(page);
    comboNamed(page, combo)->setCurrentIndex(index);
    sc4830sim_clearLog();
    page->applyAction();

    const QStringList parts = sent.split(" / ");
    const QString head = "(" + rig.vi() + ", 4, ";
    QCOMPARE(simCallLog(),
        QStringList({ "sc4830_setChannelConf" + head + parts[0] + ")",
            "sc4830_setExcitation" + head + "0, 0)",
            "sc4830_setShuntCal" + head + parts[1] + ")" }));
    QCOMPARE(reports.channels, QList<int> { 3 });
    QCOMPARE(reports.gains, QList<double> { reported });
    QCOMPARE(boxes->seen.size(), 0);
}

void tst_ChCfg::tooltips_data()
{
    QTest::addColumn<int>("ch");
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QString>("tip");

    const QList<QPair<QString, QString>> tips {
        { "cbInput", "Channel %1 input source " },
        { "cbMode", "Channel %1 mode selection" },
        { "cbCoup", "Channel %1 coupling mode selection" },
        { "cbGain", "Channel %1 gain selection" },
        { "dsbPosExc", "Channel %1 positive excitation voltage [V]" },
        { "dsbNegExc", "Channel %1 negative excitation voltage [V]" },
        { "cbShCal", "Channel %1 shunt selection" },
        { "pbApply", "Sets current channel's configuration" },
        { "pbApplyAll", "Sets current channel's configuration to others channels" },
        { "chkSignalPath", "Starts channel %1 signal path calibration" },
        { "chkExcitation", "Starts channel %1 excitation calibration" },
        { "chkAutobalance", "Starts channel %1 autobalnce" },
        { "pbCalibrate", "Starts selected calibrations on channel %1" },
        { "pbCalibrateAll", "Starts selected calibrations on all channels" },
        { "ledExcLimit", "Channel %1 excitation current limit status" },
        { "ledIcp", "Channel %1 ICP current status" },
        { "pbReadExc", "Reads Excitation volatge on channel %1" },
        { "lePosExc", "Measured positive excitation voltage on channel %1" },
        { "leNegExc", "Measured negative excitation voltage on channel %1" },
        { "leDiffExc", "Measured difference excitation voltage on channel %1" },
        { "leTotalGain", "Total path gain on channel %1" },
        { "leImbalance", "Channel %1 imbalance" },
        { "ledIdentify", "Indicates channel %1 identification" },
        { "pbIdentify", "When checked enables channel %1 identification" },
    };
    for (int ch : { 0, 15 }) {
        for (const auto &tip : tips) {
            QString text = tip.second;
            text.replace("%1", QString::number(ch + 1));
            QTest::addRow("page %d %s", ch + 1, qPrintable(tip.first)) << ch << tip.first << text;
        }
    }
}

void tst_ChCfg::tooltips()
{
    QFETCH(int, ch);
    QFETCH(QString, widget);
    QFETCH(QString, tip);
    Rig rig(Start::Fresh);
    auto *page = new sc4830fp_chCfg(rig.panel.get(), ch);
    QWidget *w = widgetNamed(page, widget);
    QVERIFY(w);
    QCOMPARE(w->toolTip(), tip);
    QCOMPARE(w->whatsThis(), tip);
    if (widget == "cbInput")
        QVERIFY(w->toolTip().endsWith(QString::number(ch + 1) + " input source "));
}

void tst_ChCfg::captionsAndLayout()
{
    Rig rig(Start::Fresh);
    sc4830fp_chCfg *page = rig.page(0);

    // Page: a row of three group boxes between stretches, then the identification row.
    auto *pageLayout = qobject_cast<QVBoxLayout *>(page->layout());
    QVERIFY(pageLayout);
    QCOMPARE(pageLayout->count(), 2);
    auto *groups = qobject_cast<QHBoxLayout *>(pageLayout->itemAt(0)->layout());
    QVERIFY(groups);
    QCOMPARE(groups->count(), 5);
    QVERIFY(groups->itemAt(0)->spacerItem() && groups->itemAt(4)->spacerItem());
    QStringList titles;
    for (int i = 1; i < 4; ++i)
        titles.append(qobject_cast<QGroupBox *>(groups->itemAt(i)->widget())->title());
    QCOMPARE(titles, QStringList({ "Configuration", "Calibration", "Status" }));
    QWidget *identification = pageLayout->itemAt(1)->widget();
    QVERIFY(identification);
    QCOMPARE(page->pbIdentify->parentWidget(), identification);
    QCOMPARE(page->ledIdentify->parentWidget(), identification);

    QCOMPARE(page->gbExcitation->title(), QString("Excitation"));
    QCOMPARE(page->gbExcitation->sizePolicy().horizontalPolicy(), QSizePolicy::Fixed);
    QCOMPARE(page->gbExcitation->sizePolicy().verticalPolicy(), QSizePolicy::Fixed);
    QWidget *gainBox = page->leTotalGain->parentWidget();
    QCOMPARE(gainBox->sizePolicy().horizontalPolicy(), QSizePolicy::Fixed);
    QCOMPARE(gainBox->sizePolicy().verticalPolicy(), QSizePolicy::Fixed);
    QCOMPARE(gainBox->parentWidget()->parentWidget(), static_cast<QWidget *>(page));

    const QList<QPair<QAbstractButton *, QString>> captions {
        { page->pbApply, "Apply" },
        { page->pbApplyAll, "Apply to all" },
        { page->chkSignalPath, "Signal Path" },
        { page->chkExcitation, "Excitation" },
        { page->chkAutobalance, "Autobalance" },
        { page->pbCalibrate, "Calibrate" },
        { page->pbCalibrateAll, "Calibrate All" },
        { page->pbReadExc, "Read Excitation Voltage" },
        { page->pbIdentify, "OFF" },
    };
    for (const auto &caption : captions)
        QCOMPARE(caption.first->text(), caption.second);
    QVERIFY(page->pbIdentify->isCheckable());

    const QColor window = page->palette().color(QPalette::Window);
    const QList<std::tuple<cr2200fp_led *, QString, QColor>> leds {
        { page->ledExcLimit, "Excitation Current Limit", Qt::red },
        { page->ledIcp, "ICP Current", Qt::green },
        { page->ledIdentify, "Identification", Qt::green },
    };
    for (const auto &led : leds) {
        QCOMPARE(std::get<0>(led)->getText(), std::get<1>(led));
        QCOMPARE(std::get<0>(led)->getOnColor(), std::get<2>(led));
        QCOMPARE(std::get<0>(led)->getOffColor(), window);
    }

    QStringList labels;
    const QList<QLabel *> all = page->findChildren<QLabel *>();
    for (QLabel *label : all) {
        QCOMPARE(label->alignment(), Qt::AlignRight | Qt::AlignVCenter);
        labels.append(label->text());
    }
    labels.sort();
    QStringList expected { "Input Source", "Mode", "Coupling", "Gain", "Pos. Exc.", "Volts",
        "Neg. Exc.", "Volts", "Shunt", "Positive", "Volts", "Negative", "Volts", "Difference",
        "Volts", "Total Gain", "Imbalance", "Volts" };
    expected.sort();
    QCOMPARE(labels, expected);

    for (QLineEdit *edit :
        { page->lePosExc, page->leNegExc, page->leDiffExc, page->leTotalGain, page->leImbalance })
        QVERIFY(edit->isReadOnly());
}

void tst_ChCfg::accessibleNames_data()
{
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QString>("name"); // what a screen reader reads as the name
    QTest::addColumn<QString>("caption"); // the label it reads with it, if any
    const auto row
        = [](const char *tag, const char *widget, const char *name, const char *caption) {
              QTest::newRow(tag) << QString(widget) << QString(name) << QString(caption);
          };

    // On Linux Qt names a combo box by its current item; its caption comes as the label.
    row("input source", "cbInput", "Front Panel", "Input Source");
    row("mode", "cbMode", "Full Bridge", "Mode");
    row("coupling", "cbCoup", "AC", "Coupling");
    row("gain", "cbGain", "1", "Gain");
    row("shunt", "cbShCal", "OFF", "Shunt");
    row("positive excitation", "dsbPosExc", "Pos. Exc.", "Pos. Exc.");
    row("negative excitation", "dsbNegExc", "Neg. Exc.", "Neg. Exc.");
    row("measured positive", "lePosExc", "Positive", "Positive");
    row("measured negative", "leNegExc", "Negative", "Negative");
    row("measured difference", "leDiffExc", "Difference", "Difference");
    row("total gain", "leTotalGain", "Total Gain", "Total Gain");
    row("imbalance", "leImbalance", "Imbalance", "Imbalance");
    // The ON/OFF switches are named after what they switch.
    row("identification switch", "pbIdentify", "Channel 3 identification", "");
    row("panel's reference monitor switch", "pbVrefMonitor", "Voltage Reference Monitor",
        "Voltage Reference Monitor");
}

void tst_ChCfg::accessibleNames()
{
    QFETCH(QString, widget);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    Rig rig(Start::Fresh);
    QWidget *w
        = widget == "pbVrefMonitor" ? rig.panel->pbVrefMonitor : widgetNamed(rig.page(2), widget);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
    QVERIFY(iface);
    QCOMPARE(iface->text(QAccessible::Name), name);
    if (!caption.isEmpty())
        QVERIFY2(accessibleLabels(w).contains(caption), qPrintable(accessibleLabels(w).join(", ")));
}

void tst_ChCfg::everyControlIsNamed()
{
    Rig rig(Start::Demo);
    // The walk reaches into every page: 24 controls each, the reference monitor switch and
    // the tab bar's scroll buttons besides.
    QCOMPARE(accessibleControls(rig.panel.get()).size(), 8 * 24 + 3);
    QCOMPARE(unnamedControls(rig.panel.get()), QStringList());
}

void tst_ChCfg::freshPage()
{
    Rig rig(Start::Attached);
    QVERIFY(rig.panel->d_vi != 0);
    // A page built while a unit is attached still talks to nobody and runs no slot.
    auto *page = new sc4830fp_chCfg(rig.panel.get(), 5);
    QCOMPARE(sc4830sim_logCount(), 0);
    QCOMPARE(boxes->seen.size(), 0);
    QVERIFY(page->leTotalGain->text().isEmpty());

    QCOMPARE(page->scuFp, rig.panel.get());
    QCOMPARE(page->ch, 5);
    QCOMPARE(page->parentWidget(), static_cast<QWidget *>(rig.panel.get()));
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
    for (cr2200fp_led *led : { page->ledExcLimit, page->ledIcp, page->ledIdentify })
        QCOMPARE(led->getValue(), 0);
    for (QLineEdit *edit : { page->lePosExc, page->leNegExc, page->leDiffExc })
        QCOMPARE(edit->text(), QString("Not measured"));
    QCOMPARE(page->leImbalance->text(), QString("Not balanced"));
    QCOMPARE(page->masterGain, 1);
    QVERIFY(!page->identifyOn);
    QVERIFY(!page->icpMode);

    const QList<QWidget *> widgets = page->findChildren<QWidget *>();
    for (QWidget *w : widgets)
        QVERIFY2(w->isEnabled(), w->metaObject()->className());

    // The panel's own pages are just as fresh until it attaches.
    Rig fresh(Start::Fresh);
    for (int i = 0; i < fresh.panel->chCount; ++i)
        QVERIFY(fresh.page(i)->leTotalGain->text().isEmpty());
}

void tst_ChCfg::excitationRanges()
{
    Rig rig(Start::Fresh);
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
}

void tst_ChCfg::voltageReferenceRemoved()
{
    Rig rig(Start::Fresh);
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
}

void tst_ChCfg::imbalanceText()
{
    Rig rig(Start::Fresh);
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

    const char *const names[8]
        = { "Full Bridge", "Half Bridge", "Quarter Bridge 120", "Quarter Bridge 350",
              "Quarter Bridge User", "ICP", "Differential Voltage", "Single Ended Voltage" };
    const ModeClass kinds[8]
        = { ModeClass::Bridge, ModeClass::Bridge, ModeClass::Bridge, ModeClass::Bridge,
              ModeClass::Bridge, ModeClass::Icp, ModeClass::Voltage, ModeClass::Voltage };
    for (int i = 0; i < 8; ++i)
        QTest::addRow("%s on DC", names[i]) << i << 1 << kinds[i];
    QTest::newRow("Full Bridge on AC") << 0 << 0 << ModeClass::Bridge;
    QTest::newRow("Quarter Bridge User on AC") << 4 << 0 << ModeClass::Bridge;
    QTest::newRow("Single Ended Voltage on AC") << 7 << 0 << ModeClass::Voltage;
}

void tst_ChCfg::modeTable()
{
    QFETCH(int, mode);
    QFETCH(int, coupling);
    QFETCH(ModeClass, kind);

    Rig rig(Start::Fresh);
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

    // The voltages and their ranges outlive any mode.
    QCOMPARE(page->dsbPosExc->value(), 3.0);
    QCOMPARE(page->dsbNegExc->value(), -2.0);
    QCOMPARE(page->dsbPosExc->minimum(), 0.0);
    QCOMPARE(page->dsbPosExc->maximum(), 10.0);
    QCOMPARE(page->dsbNegExc->minimum(), -10.0);
    QCOMPARE(page->dsbNegExc->maximum(), 0.0);
    QVERIFY(!page->icpMode);
    QCOMPARE(boxes->seen.size(), 0);
}

void tst_ChCfg::icpThenBridge()
{
    Rig rig(Start::Fresh);
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
    for (const char *control : { "input", "mode", "coupling", "gain", "positive excitation",
             "negative excitation", "shunt" })
        QTest::newRow(control) << QString(control);
}

void tst_ChCfg::everyChangeMarksApply()
{
    QFETCH(QString, control);
    Rig rig(Start::Demo);
    sc4830fp_chCfg *page = rig.page(4);
    QVERIFY(!page->pbApply->isEnabled()); // the attach applied every page
    const bool autobalance = page->chkAutobalance->isEnabled();

    if (control == "input")
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

    Rig rig(attached ? Start::Attached : Start::Demo);
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
    const QString head = "(" + rig.vi() + ", 7, ";
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
    Rig rig(Start::Demo);
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

void tst_ChCfg::gainProducts_data()
{
    QTest::addColumn<int>("gainIndex");
    QTest::addColumn<int>("host");
    QTest::addColumn<qint64>("total");
    QTest::addColumn<bool>("warns");

    QTest::newRow("gain 1 host 1") << 0 << 1 << qint64(1) << false;
    QTest::newRow("gain 1 host 0") << 0 << 0 << qint64(0) << false;
    QTest::newRow("gain 1000 host 10 is 10000 and quiet") << 3 << 10 << qint64(10000) << false;
    QTest::newRow("gain 1000 host 11 warns") << 3 << 11 << qint64(11000) << true;
    QTest::newRow("gain 10 host 1000 is 10000 and quiet") << 1 << 1000 << qint64(10000) << false;
    QTest::newRow("gain 10 host 1001 warns") << 1 << 1001 << qint64(10010) << true;
    QTest::newRow("gain 1 host 10001 warns") << 0 << 10001 << qint64(10001) << true;
    QTest::newRow("gain 100 host 101 warns") << 2 << 101 << qint64(10100) << true;
    QTest::newRow("gain 1000 host that wraps 32 bits to 704")
        << 3 << 4294968 << qint64(4294968000) << true;
    QTest::newRow("gain 1000 host INT_MAX")
        << 3 << std::numeric_limits<int>::max() << qint64(2147483647000) << true;
    QTest::newRow("gain 1000 host -11 is quiet") << 3 << -11 << qint64(-11000) << false;
}

void tst_ChCfg::gainProducts()
{
    QFETCH(int, gainIndex);
    QFETCH(int, host);
    QFETCH(qint64, total);
    QFETCH(bool, warns);

    Rig rig(Start::Attached);
    sc4830fp_chCfg *page = rig.page(1);
    GainReports reports;
    reports.listen(page);
    page->masterGain = host;
    page->pbApply->setEnabled(false);

    page->gainChanged(gainIndex);

    QCOMPARE(page->leTotalGain->text(), QString::number(total));
    QVERIFY(page->pbApply->isEnabled());
    QCOMPARE(boxes->seen.size(), warns ? 1 : 0);
    if (warns) {
        const SeenBox &box = boxes->seen.first();
        QCOMPARE(box.icon, QMessageBox::Warning);
        QCOMPARE(box.title, QString("Warning"));
        QCOMPARE(box.text, QString("Total system gain %1 is too high").arg(total));
        QCOMPARE(box.buttons, QStringList { "Ok" });
        QCOMPARE(box.parent.data(), static_cast<QWidget *>(page));
    }
    QCOMPARE(sc4830sim_logCount(), 0);
    QVERIFY(reports.channels.isEmpty());
}

void tst_ChCfg::gainComboRunsCheck()
{
    Rig rig(Start::Fresh);
    sc4830fp_chCfg *page = rig.page(0);
    page->masterGain = 20;
    page->cbGain->setCurrentIndex(2);
    QCOMPARE(page->leTotalGain->text(), QString("2000"));
    QCOMPARE(boxes->seen.size(), 0);
    page->cbGain->setCurrentIndex(3);
    QCOMPARE(page->leTotalGain->text(), QString("20000"));
    QCOMPARE(boxes->seen.size(), 1);
    QCOMPARE(boxes->seen[0].text, QString("Total system gain 20000 is too high"));
    QCOMPARE(page->cbGain->currentIndex(), 3);
}

// --- Apply to all -------------------------------------------------------------------

void tst_ChCfg::applyToAll()
{
    Rig rig(Start::Attached);
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
        const QString head = "(" + rig.vi() + ", " + QString::number(i + 1) + ", ";
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
    Rig rig(Start::Demo);
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
    Rig rig(Start::Attached);
    HostErrors host(rig.panel.get());
    sc4830sim_setFCLastError(-17);
    sc4830sim_injectStatus("sc4830_setShuntCal", sc4830_ERROR_FC, 1);

    rig.page(0)->applyToAllAction();

    QCOMPARE(host.codes, repeated(8, -17));
    QCOMPARE(host.texts, repeated(8, QByteArray(shuntCall)));
    QCOMPARE(sc4830sim_callCount("sc4830_setChannelConf"), 8);
    QCOMPARE(sc4830sim_callCount("sc4830_setExcitation"), 8);
    QCOMPARE(boxes->seen.size(), 0);
}

// --- Read-back and identification ---------------------------------------------------

void tst_ChCfg::readBack_data()
{
    QTest::addColumn<double>("pos");
    QTest::addColumn<double>("neg");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("shown");

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("plus and minus 5 V")
        << 5.0 << -5.0 << 0 << QStringList { "5.000000", "-5.000000", "10.000000" };
    QTest::newRow("six decimals, rounded")
        << 1.23456789 << -0.0000004 << 0 << QStringList { "1.234568", "-0.000000", "1.234568" };
    QTest::newRow("failed read shows what the driver left")
        << 2.0 << -1.0 << -1 << QStringList { "2.000000", "-1.000000", "3.000000" };
    QTest::newRow("warning still shows the values")
        << 0.5 << -0.25 << 7 << QStringList { "0.500000", "-0.250000", "0.750000" };
    QTest::newRow("NaN") << nan << -1.0 << 0 << QStringList { "nan", "-1.000000", "nan" };
    QTest::newRow("infinities") << inf << -inf << 0 << QStringList { "inf", "-inf", "inf" };
    QTest::newRow("equal infinities") << inf << inf << 0 << QStringList { "inf", "inf", "nan" };
}

void tst_ChCfg::readBack()
{
    QFETCH(double, pos);
    QFETCH(double, neg);
    QFETCH(int, status);
    QFETCH(QStringList, shown);

    Rig rig(Start::Attached);
    sc4830fp_chCfg *page = rig.page(4);
    sc4830sim_setExcitationReadback(5, pos, neg);
    if (status)
        sc4830sim_injectStatus("sc4830_getExcitation", status, 0);
    boxes->queue(QMessageBox::No);

    page->pbReadExc->click();

    QCOMPARE(simCallLog().filter("sc4830_getExcitation"),
        QStringList { "sc4830_getExcitation(" + rig.vi() + ", 5, ptr, ptr)" });
    QCOMPARE(
        QStringList({ page->lePosExc->text(), page->leNegExc->text(), page->leDiffExc->text() }),
        shown);
    QVERIFY(page->pbReadExc->isEnabled());
    QCOMPARE(boxes->seen.size(), status ? 1 : 0);
}

void tst_ChCfg::readBackShowsDisabledButton()
{
    Rig rig(Start::Attached);
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
    Rig rig(Start::Demo);
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
    Rig rig(attached ? Start::Attached : Start::Demo);
    sc4830fp_chCfg *page = rig.page(2);

    page->pbIdentify->click();
    QVERIFY(page->identifyOn);
    QCOMPARE(page->pbIdentify->text(), QString("ON"));
    QCOMPARE(unitChannel(3).identify, ViUInt16(attached ? 1 : 0));
    page->pbIdentify->click();
    QVERIFY(!page->identifyOn);
    QCOMPARE(page->pbIdentify->text(), QString("OFF"));
    QCOMPARE(unitChannel(3).identify, ViUInt16(0));
    QCOMPARE(page->ledIdentify->getValue(), 0); // the panel's timer blinks it, not the slot

    const QString head = "sc4830_channelIdentify(" + rig.vi() + ", 3, ";
    QCOMPARE(simCallLog(), attached ? QStringList({ head + "1)", head + "0)" }) : QStringList());
}

void tst_ChCfg::lampWords_data()
{
    QTest::addColumn<QString>("lamp");
    QTest::addColumn<PageAction>("action");
    QTest::addColumn<QString>("shown"); // "green", "red" or "dark"
    QTest::addColumn<QString>("description");

    // Status poll ticks: the unit is read on every second one, and the identification
    // lamp is lit on every second one while identification is on.
    const auto ticks = [](sc4830fp_fp *panel, int count) {
        for (int i = 0; i < count; ++i)
            panel->getStatus();
    };
    const auto applyIcp = [](sc4830fp_chCfg *page) {
        page->cbMode->setCurrentIndex(5);
        page->applyAction();
    };
    // Page 2 is channel 3: bit 2 of the status words.
    QTest::newRow("ICP current in order")
        << "ledIcp" << PageAction([=](sc4830fp_fp *panel, sc4830fp_chCfg *page) {
               applyIcp(page);
               sc4830sim_setStatusWords(0x0004, 0);
               ticks(panel, 2);
           })
        << "green"
        << "ICP current in order";
    QTest::newRow("ICP current fault")
        << "ledIcp" << PageAction([=](sc4830fp_fp *panel, sc4830fp_chCfg *page) {
               applyIcp(page);
               sc4830sim_setStatusWords(0x7FFB, 0);
               ticks(panel, 2);
           })
        << "red"
        << "ICP current fault";
    QTest::newRow("ICP mode, not read yet")
        << "ledIcp" << PageAction([=](sc4830fp_fp *panel, sc4830fp_chCfg *page) {
               applyIcp(page);
               sc4830sim_setStatusWords(0x0004, 0);
               ticks(panel, 1);
           })
        << "dark"
        << "ICP current not monitored (not in ICP mode or not read yet)";
    QTest::newRow("ICP lamp out of ICP mode")
        << "ledIcp" << PageAction([=](sc4830fp_fp *panel, sc4830fp_chCfg *) {
               sc4830sim_setStatusWords(0x7FFF, 0);
               ticks(panel, 2);
           })
        << "dark"
        << "ICP current not monitored (not in ICP mode or not read yet)";
    QTest::newRow("excitation current at its limit")
        << "ledExcLimit" << PageAction([=](sc4830fp_fp *panel, sc4830fp_chCfg *) {
               sc4830sim_setStatusWords(0, 0x0004);
               ticks(panel, 2);
           })
        << "red"
        << "Excitation current at its limit";
    QTest::newRow("excitation current within its limit")
        << "ledExcLimit" << PageAction([=](sc4830fp_fp *panel, sc4830fp_chCfg *) {
               sc4830sim_setStatusWords(0, 0x7FFB);
               ticks(panel, 2);
           })
        << "dark"
        << "Excitation current within its limit";
    QTest::newRow("identification on, lamp lit")
        << "ledIdentify" << PageAction([=](sc4830fp_fp *panel, sc4830fp_chCfg *page) {
               page->pbIdentify->click();
               ticks(panel, 2);
           })
        << "green"
        << "Identification on, the lamp blinks";
    QTest::newRow("identification on, lamp dark")
        << "ledIdentify" << PageAction([=](sc4830fp_fp *panel, sc4830fp_chCfg *page) {
               page->pbIdentify->click();
               ticks(panel, 3);
           })
        << "dark"
        << "Identification on, the lamp blinks";
    QTest::newRow("identification off")
        << "ledIdentify"
        << PageAction([=](sc4830fp_fp *panel, sc4830fp_chCfg *) { ticks(panel, 2); }) << "dark"
        << "Identification off";
    QTest::newRow("identification switched off while lit")
        << "ledIdentify" << PageAction([=](sc4830fp_fp *panel, sc4830fp_chCfg *page) {
               page->pbIdentify->click();
               ticks(panel, 2);
               page->pbIdentify->click();
               ticks(panel, 1);
           })
        << "dark"
        << "Identification off";
}

void tst_ChCfg::lampWords()
{
    QFETCH(QString, lamp);
    QFETCH(PageAction, action);
    QFETCH(QString, shown);
    QFETCH(QString, description);
    Rig rig(Start::Attached);
    sc4830fp_chCfg *page = rig.page(2);
    auto *led = qobject_cast<cr2200fp_led *>(widgetNamed(page, lamp));
    QVERIFY(led);

    action(rig.panel.get(), page);
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

// --- Driver failures ----------------------------------------------------------------

void tst_ChCfg::driverFailures_data()
{
    QTest::addColumn<QString>("function");
    QTest::addColumn<QByteArray>("callText");
    QTest::addColumn<int>("status");

    const QList<QPair<QString, const char *>> calls {
        { "sc4830_setChannelConf", confCall },
        { "sc4830_setExcitation", excCall },
        { "sc4830_setShuntCal", shuntCall },
        { "sc4830_getExcitation", readCall },
        { "sc4830_channelIdentify", identifyCall },
    };
    for (const auto &call : calls) {
        const QByteArray function = call.first.toLatin1();
        const char *name = function.constData();
        QTest::addRow("%s carrier error", name)
            << call.first << QByteArray(call.second) << int(sc4830_ERROR_FC);
        QTest::addRow("%s error", name) << call.first << QByteArray(call.second) << int(0xBFFF0015);
        QTest::addRow("%s warning", name)
            << call.first << QByteArray(call.second) << int(0x3FFC0801);
    }
}

void tst_ChCfg::driverFailures()
{
    QFETCH(QString, function);
    QFETCH(QByteArray, callText);
    QFETCH(int, status);

    Rig rig(Start::Attached);
    sc4830fp_chCfg *page = rig.page(2);
    HostErrors host(rig.panel.get());
    GainReports reports;
    reports.listen(page);
    sc4830sim_setFCLastError(-1073807343);
    sc4830sim_setErrorText("channel 3 refused");
    sc4830sim_setExcitationReadback(3, 1.0, -1.0);
    sc4830sim_injectStatus(function.toLatin1().constData(), status, 0);
    boxes->queue(QMessageBox::No);

    const bool apply = function.startsWith("sc4830_set");
    if (apply)
        page->applyAction();
    else if (function == "sc4830_getExcitation")
        page->readExcAction();
    else
        page->pbIdentify->click();

    if (status == int(sc4830_ERROR_FC)) {
        QCOMPARE(boxes->seen.size(), 0);
        QCOMPARE(host.codes, QList<int> { -1073807343 });
        QCOMPARE(host.texts, QList<QByteArray> { callText });
    } else {
        QVERIFY(host.codes.isEmpty());
        QCOMPARE(boxes->seen.size(), 1);
        const SeenBox &box = boxes->seen.first();
        if (status < 0) {
            QCOMPARE(box.icon, QMessageBox::Critical);
            QCOMPARE(box.title, QString("Orbisa  SFP Error message"));
            QCOMPARE(box.text,
                QString::fromLatin1(callText)
                    + " failed due to [channel 3 refused]\nDo you want to exit?");
            QCOMPARE(box.buttons, QStringList({ "Yes", "No" }));
        } else {
            QCOMPARE(box.icon, QMessageBox::Warning);
            QCOMPARE(box.title, QString("Orbisa  SFP Warning message"));
            QCOMPARE(box.text, QString("Warning: [channel 3 refused]"));
            QCOMPARE(box.buttons, QStringList { "Ok" });
        }
    }

    // The slot goes on after the report. A refused setting (error or carrier status, not
    // a warning) stays unsent, and a refused gain is not reported to the host, which
    // would scale the channel by a gain the unit does not have; pressing Apply again
    // sends it all once more.
    if (apply) {
        QCOMPARE(sc4830sim_callCount("sc4830_setChannelConf"), 1);
        QCOMPARE(sc4830sim_callCount("sc4830_setExcitation"), 1);
        QCOMPARE(sc4830sim_callCount("sc4830_setShuntCal"), 1);
        const bool refused = status < 0;
        const bool gainRefused = refused && function == "sc4830_setChannelConf";
        QCOMPARE(page->pbApply->isEnabled(), refused);
        QCOMPARE(reports.channels, (gainRefused ? QList<int> {} : QList<int> { 2 }));
        if (refused) {
            page->pbApply->click();
            QVERIFY(!page->pbApply->isEnabled());
            QCOMPARE(reports.channels, (gainRefused ? QList<int> { 2 } : QList<int> { 2, 2 }));
            QCOMPARE(sc4830sim_callCount("sc4830_setChannelConf"), 2);
        }
    } else if (function == "sc4830_getExcitation") {
        QVERIFY(page->pbReadExc->isEnabled());
        QCOMPARE(page->leDiffExc->text(), QString("2.000000"));
    } else {
        QVERIFY(page->identifyOn);
        QCOMPARE(page->pbIdentify->text(), QString("ON"));
    }
}

// --- Locale -------------------------------------------------------------------------

void tst_ChCfg::decimalCommaLocale()
{
    DefaultLocale german { QLocale(QLocale::German, QLocale::Germany) };
    Rig rig(Start::Attached);
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
