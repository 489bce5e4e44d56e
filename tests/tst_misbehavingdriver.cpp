// A driver that misbehaves: texts without their terminating NUL, texts with printf
// directives, markup or bytes that are not UTF-8, read-backs that are no numbers, status
// codes nobody has seen, and calls that take their time. The panel shows what it got,
// literally, reads no byte beyond its buffers (the sanitizer build proves that part) and
// goes on working.
#include "checkedcall.h"
#include "mastererrorrecorder.h"
#include "modalanswerer.h"
#include "panelrig.h"
#include "simlog.h"
#include "simreset.h"

#include <sc4830fp_chcfg.h>
#include <sc4830fp_fp.h>

#include <cr2200fp_led.h>
#include <sc4830sim.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QTimer>
#include <QtTest>

#include <climits>
#include <limits>
#include <memory>

namespace {

// The decimal expansion of the largest double, as "%0.6f" writes it.
const char *const largestDouble
    = "17976931348623157081452742373170435679807056752584499659891747680315726078002853876"
      "05895586327668781715404589535143824642343213268894641827684675467035375169860499105"
      "76551282076245490090389328944075868508455133942304583236903222948165808559332123348"
      "274797826204144723168738177180919299881250404026184124858368.000000";

// Records, as each message box is shown, whether Qt would render its text as markup.
class BoxFormats : public QObject
{
public:
    BoxFormats() { qApp->installEventFilter(this); }
    ~BoxFormats() override { qApp->removeEventFilter(this); }

    QList<bool> markup;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            if (auto *box = qobject_cast<QMessageBox *>(watched)) {
                const Qt::TextFormat format = box->textFormat();
                markup.append(format == Qt::RichText
                    || (format == Qt::AutoText && Qt::mightBeRichText(box->text())));
            }
        }
        return false;
    }
};

// The places a misbehaving answer is met, and the checked call met there.
enum Site { Open, Apply, Identify, Poll, MonitorRead, Autobalance };
const CheckedCall callAt[] = { checked::open, checked::channelConf, checked::identify,
    checked::poll, checked::monitorRead, checked::autobalanceCal };

} // namespace

class tst_MisbehavingDriver : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void identityTexts_data();
    void identityTexts();
    void errorTextFilledToTheLastByte_data();
    void errorTextFilledToTheLastByte();
    void driverTextShownLiterally_data();
    void driverTextShownLiterally();
    void readBackThatIsNoNumber_data();
    void readBackThatIsNoNumber();
    void imbalanceThatIsNoNumber_data();
    void imbalanceThatIsNoNumber();
    void statusCodesNeverSeenBefore_data();
    void statusCodesNeverSeenBefore();
    void slowDriver();

private:
    void attach();
    // Gets the page ready for a calibration with autobalance on channel index 0.
    void selectAutobalance();
    void trigger(Site site);
    // The call met at the site answers status once; the operator answers No.
    void failAt(Site site, ViStatus status);

    std::unique_ptr<ModalAnswerer> boxes;
    std::unique_ptr<PanelRig> rig;
    sc4830fp_fp *panel = nullptr;
    std::unique_ptr<MasterErrorRecorder> hostErrors;
};

void tst_MisbehavingDriver::init()
{
    resetSimulators();
    boxes.reset(new ModalAnswerer);
    rig.reset(new PanelRig(PanelRig::Built));
    panel = rig->panel;
    hostErrors.reset(new MasterErrorRecorder(panel));
}

void tst_MisbehavingDriver::cleanup()
{
    hostErrors.reset();
    rig.reset();
    boxes.reset();
    QCOMPARE(sc4830sim_openSessionCount(), 0);
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_MisbehavingDriver::attach()
{
    QVERIFY(panel->initUnit());
    QVERIFY(panel->d_vi != 0);
    QCOMPARE(boxes->seen.size(), 0);
    sc4830sim_clearLog();
}

void tst_MisbehavingDriver::selectAutobalance()
{
    sc4830fp_chCfg *page = panel->chPages[0];
    page->cbInput->setCurrentIndex(1); // the reference: no load warning
    page->cbCoup->setCurrentIndex(1);
    page->applyAction();
    page->chkAutobalance->setChecked(true);
    QVERIFY(page->chkAutobalance->isEnabled());
}

void tst_MisbehavingDriver::trigger(Site site)
{
    switch (site) {
    case Open:
        QVERIFY(panel->initUnit());
        break;
    case Apply:
        panel->chPages[0]->applyAction();
        break;
    case Identify:
        panel->chPages[0]->pbIdentify->click();
        break;
    case Poll: {
        // One of two ticks reads; a failed read does not count its tick.
        const int reads = sc4830sim_callCount("sc4830_getStatus");
        panel->getStatus();
        if (sc4830sim_callCount("sc4830_getStatus") == reads)
            panel->getStatus();
        break;
    }
    case MonitorRead:
        panel->pbVrefMonitor->click();
        break;
    case Autobalance:
        panel->chPages[0]->pbCalibrate->click();
        break;
    }
}

void tst_MisbehavingDriver::failAt(Site site, ViStatus status)
{
    if (site != Open) {
        attach();
        if (site == Autobalance)
            selectAutobalance();
    }
    sc4830sim_injectStatus(callAt[site].function, status, 0);
    boxes->queue(QMessageBox::No);
    trigger(site);
}

// --- Texts ----------------------------------------------------------------------------

void tst_MisbehavingDriver::identityTexts_data()
{
    QTest::addColumn<bool>("unterminated");
    QTest::addColumn<QByteArray>("subModel");
    QTest::addColumn<QByteArray>("revision");
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("shownRevision");

    QTest::newRow("short texts repeated to the last byte")
        << true << QByteArray("XYZ") << QByteArray("9.8.7") << QString("4830-XYZXYZXY")
        << QString("9.8.79.8.79.8.79.8.79.8.79.8.79.");
    QTest::newRow("texts longer than the buffers, unterminated")
        << true << QByteArray("ABCDEFGHIJKL") << QByteArray("1234567890abcdefghijABCDEFGHIJ#$%&+-")
        << QString("4830-ABCDEFGH") << QString("1234567890abcdefghijABCDEFGHIJ#$");
    QTest::newRow("empty texts, unterminated")
        << true << QByteArray() << QByteArray() << QString("4830-########") << QString(32, '#');
    QTest::newRow("texts longer than the buffers, cut by the driver")
        << false << QByteArray("ABCDEFGHIJKL") << QByteArray(40, 'r') << QString("4830-ABCDEFG")
        << QString(31, 'r');
    // Shown as the bytes they are, one character each: nothing is expanded or decoded.
    QTest::newRow("directives, markup and high bytes")
        << false << QByteArray("%n%s\xff") << QByteArray("<b>%1</b>%s%n\xfe\x80")
        << QString("4830-%n%s") + QChar(0xff)
        << QString("<b>%1</b>%s%n") + QChar(0xfe) + QChar(0x80);
}

void tst_MisbehavingDriver::identityTexts()
{
    QFETCH(bool, unterminated);
    QFETCH(QByteArray, subModel);
    QFETCH(QByteArray, revision);
    QFETCH(QString, model);
    QFETCH(QString, shownRevision);
    sc4830sim_setIdentity(subModel.constData(), 0x0BADF00D, revision.constData(), nullptr);
    sc4830sim_setUnterminatedTexts(unterminated ? 1 : 0);

    attach();
    QCOMPARE(panel->model(), model);
    QCOMPARE(panel->revision(), shownRevision);
    QCOMPARE(panel->serialNumber(), QStringLiteral("0BADF00D"));
    QCOMPARE(panel->windowTitle(), QStringLiteral("Orbisa 4830 SCU"));
    QCOMPARE(hostErrors->count(), 0);
}

void tst_MisbehavingDriver::errorTextFilledToTheLastByte_data()
{
    QTest::addColumn<int>("site");
    QTest::addColumn<int>("status");

    QTest::newRow("failed open, no unit session") << int(Open) << int(unitErrorStatus);
    QTest::newRow("apply error") << int(Apply) << int(unitErrorStatus);
    QTest::newRow("identification warning") << int(Identify) << int(unitWarningStatus);
    QTest::newRow("poll error") << int(Poll) << int(unitErrorStatus);
    QTest::newRow("autobalance error") << int(Autobalance) << int(unitErrorStatus);
}

void tst_MisbehavingDriver::errorTextFilledToTheLastByte()
{
    QFETCH(int, site);
    QFETCH(int, status);
    sc4830sim_setErrorText("E!");
    sc4830sim_setUnterminatedTexts(1);
    failAt(Site(site), status);

    // The whole buffer of 1024 bytes, and not one byte more.
    const QString text = QStringLiteral("E!").repeated(512);
    QCOMPARE(boxes->seen.size(), 1);
    QCOMPARE(boxes->seen[0].face(),
        status < 0 ? errorBoxFace(callAt[site].text, text) : warningBoxFace(text));
    QVERIFY(!panel->calibrating);
}

void tst_MisbehavingDriver::driverTextShownLiterally_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("status");

    const QList<QPair<const char *, QByteArray>> texts {
        { "printf directives", QByteArray("%s%n%x%p%999999999d%%%-*.*s%c") },
        { "Qt placeholders", QByteArray("%1 %2 %L1 %3%4") },
        { "bytes that are not UTF-8",
            QByteArray("a\xff\xfe b\xc3\x28 c\xed\xa0\x80 d\xf8\x88\x80\x80") },
        { "control characters", QByteArray("tab\tcr\rbell\x07 esc\x1b[31m") },
        { "markup", QByteArray("<b>hot</b> &lt;probe&gt; <img src=\"missing.png\">") },
    };
    for (const auto &t : texts) {
        QTest::addRow("%s in an error", t.first) << t.second << int(unitErrorStatus);
        QTest::addRow("%s in a warning", t.first) << t.second << int(unitWarningStatus);
    }
}

void tst_MisbehavingDriver::driverTextShownLiterally()
{
    QFETCH(QByteArray, text);
    QFETCH(int, status);
    attach();
    sc4830sim_setErrorText(text.constData());
    sc4830sim_injectStatus(checked::channelConf.function, status, 0);
    boxes->queue(QMessageBox::No);
    BoxFormats formats;

    panel->chPages[0]->applyAction();

    // Decoded as UTF-8, whose invalid bytes become U+FFFD; nothing else is changed.
    const QString shown = QString::fromUtf8(text);
    QCOMPARE(boxes->seen.size(), 1);
    QCOMPARE(boxes->seen[0].face(),
        status < 0 ? errorBoxFace(checked::channelConf.text, shown) : warningBoxFace(shown));
    // Markup in a driver's text is shown as written, never rendered (an <img> would load
    // a file).
    QCOMPARE(formats.markup, QList<bool> { false });
    // The Apply went on with its other two calls.
    QCOMPARE(sc4830sim_callCount("sc4830_setShuntCal"), 1);
}

// --- Values that are no numbers -------------------------------------------------------

void tst_MisbehavingDriver::readBackThatIsNoNumber_data()
{
    QTest::addColumn<double>("pos");
    QTest::addColumn<double>("neg");
    QTest::addColumn<QStringList>("shown");

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const double largest = std::numeric_limits<double>::max();
    const double tiniest = std::numeric_limits<double>::denorm_min();
    const QString huge = QString::fromLatin1(largestDouble);
    QTest::newRow("NaN with its sign bit set")
        << -nan << 1.0 << QStringList { "nan", "1.000000", "nan" };
    QTest::newRow("both NaN") << nan << nan << QStringList { "nan", "nan", "nan" };
    QTest::newRow("both minus infinity") << -inf << -inf << QStringList { "-inf", "-inf", "nan" };
    QTest::newRow("largest doubles, difference overflows")
        << largest << -largest << QStringList { huge, "-" + huge, "inf" };
    QTest::newRow("smallest subnormals")
        << tiniest << -tiniest << QStringList { "0.000000", "-0.000000", "0.000000" };
}

void tst_MisbehavingDriver::readBackThatIsNoNumber()
{
    QFETCH(double, pos);
    QFETCH(double, neg);
    QFETCH(QStringList, shown);
    attach();
    sc4830fp_chCfg *page = panel->chPages[3];
    sc4830sim_setExcitationReadback(4, pos, neg);

    page->pbReadExc->click();
    QCOMPARE(
        QStringList({ page->lePosExc->text(), page->leNegExc->text(), page->leDiffExc->text() }),
        shown);
    QVERIFY(page->pbReadExc->isEnabled());

    // What was read is only shown: the next Apply sends the settings, not the read-back.
    page->dsbPosExc->setValue(1.25);
    page->pbApply->click();
    const QString unit = QString::number(panel->d_vi);
    QCOMPARE(simCallLog().filter("sc4830_setExcitation"),
        QStringList { QStringLiteral("sc4830_setExcitation(%1, 4, 1.25, 0)").arg(unit) });
    QCOMPARE(boxes->seen.size(), 0);
}

void tst_MisbehavingDriver::imbalanceThatIsNoNumber_data()
{
    QTest::addColumn<double>("imbalance");
    QTest::addColumn<QString>("shown");
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << QString("nan");
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << QString("inf");
    QTest::newRow("minus infinity") << -std::numeric_limits<double>::infinity() << QString("-inf");
    QTest::newRow("largest double")
        << std::numeric_limits<double>::max() << QString::fromLatin1(largestDouble);
}

void tst_MisbehavingDriver::imbalanceThatIsNoNumber()
{
    QFETCH(double, imbalance);
    QFETCH(QString, shown);
    attach();
    selectAutobalance();
    sc4830sim_setImbalance(1, imbalance);
    panel->chPages[0]->pbCalibrate->click();
    QCOMPARE(panel->chPages[0]->leImbalance->text(), shown);
    QVERIFY(!panel->calibrating);
    QCOMPARE(boxes->seen.size(), 0);
}

// --- Status codes ---------------------------------------------------------------------

void tst_MisbehavingDriver::statusCodesNeverSeenBefore_data()
{
    QTest::addColumn<int>("site");
    QTest::addColumn<int>("status");

    const QList<QPair<const char *, int>> codes { { "INT_MIN", INT_MIN }, { "INT_MAX", INT_MAX },
        { "1", 1 }, { "-1", -1 } };
    const QList<QPair<const char *, Site>> sites { { "open", Open }, { "apply", Apply },
        { "poll", Poll }, { "monitor read", MonitorRead }, { "autobalance", Autobalance } };
    for (const auto &site : sites) {
        for (const auto &code : codes)
            QTest::addRow("%s answers %s", site.first, code.first)
                << int(site.second) << code.second;
    }
}

void tst_MisbehavingDriver::statusCodesNeverSeenBefore()
{
    QFETCH(int, site);
    QFETCH(int, status);
    failAt(Site(site), status);

    // The sign alone decides: below 0 an error, above 0 a warning.
    const QString driverText = QStringLiteral("Unknown status (0x%1)")
                                   .arg(QString::number(quint32(status), 16)
                                            .toUpper()
                                            .rightJustified(8, QLatin1Char('0')));
    QCOMPARE(hostErrors->count(), 0);
    QCOMPARE(boxes->seen.size(), 1);
    QCOMPARE(boxes->seen[0].face(),
        status < 0 ? errorBoxFace(callAt[site].text, driverText) : warningBoxFace(driverText));

    // And the caller goes on as for any other code.
    switch (Site(site)) {
    case Open:
        QCOMPARE(panel->d_vi != 0, status > 0);
        QCOMPARE(sc4830sim_callCount("sc4830_serialNumber"), status > 0 ? 1 : 0);
        break;
    case Apply:
        QCOMPARE(sc4830sim_callCount("sc4830_setExcitation"), 1);
        QCOMPARE(sc4830sim_callCount("sc4830_setShuntCal"), 1);
        break;
    case Poll:
        QVERIFY(!panel->statusTimer->isActive());
        break;
    case MonitorRead:
        QCOMPARE(sc4830sim_callCount("sc4830_setVoltRefOutput"), status > 0 ? 1 : 0);
        break;
    case Autobalance:
        QCOMPARE(panel->chPages[0]->leImbalance->text(), QStringLiteral("0.000000"));
        QVERIFY(!panel->calibrating);
        break;
    default:
        break;
    }
    if (site != Poll)
        QVERIFY(panel->statusTimer->isActive());
}

// --- Time -----------------------------------------------------------------------------

void tst_MisbehavingDriver::slowDriver()
{
    attach();
    constexpr int latencyMs = 100;
    sc4830sim_setCallLatencyUs(latencyMs * 1000);
    sc4830fp_chCfg *page = panel->chPages[0];
    QElapsedTimer clock;

    // Apply: three slow calls, each made, the settings arrive.
    page->dsbPosExc->setValue(1.5);
    clock.start();
    page->pbApply->click();
    QVERIFY(clock.elapsed() >= 3 * latencyMs);
    sc4830sim_Channel unit;
    QCOMPARE(sc4830sim_getChannel(1, &unit), 0);
    QCOMPARE(unit.posExc, 1.5);
    QVERIFY(!page->pbApply->isEnabled());

    // A slow read-back still shows what it read.
    page->pbReadExc->click();
    QCOMPARE(page->lePosExc->text(), QStringLiteral("1.500000"));
    QVERIFY(page->pbReadExc->isEnabled());

    // The timer's slow reads still drive the lamps.
    sc4830sim_setStatusWords(0, 1);
    QTRY_COMPARE_WITH_TIMEOUT(page->ledExcLimit->getValue(), 1, 2000);
    QVERIFY(panel->statusTimer->isActive());

    // A slow calibration call leaves the event loop turning, and the poll waits for it.
    sc4830sim_setCalibrationDurationMs(300);
    page->chkExcitation->setChecked(true);
    int heartbeats = 0;
    QTimer heartbeat;
    connect(&heartbeat, &QTimer::timeout, this, [&heartbeats] { ++heartbeats; });
    heartbeat.start(10);
    sc4830sim_clearLog();
    clock.restart();
    page->pbCalibrate->click();
    const qint64 took = clock.elapsed();
    heartbeat.stop();
    QVERIFY2(took >= 300 + latencyMs, qPrintable(QString::number(took)));
    QVERIFY2(heartbeats >= int(took / 10) / 3, qPrintable(QString::number(heartbeats)));
    QCOMPARE(simCallLog().filter("sc4830_getStatus"), QStringList());
    QCOMPARE(sc4830sim_callCount("sc4830_excitCalibration"), 1);
    QVERIFY(!panel->calibrating);

    QCOMPARE(boxes->seen.size(), 0);
    QCOMPARE(hostErrors->count(), 0);
    sc4830sim_setCallLatencyUs(0);
}

QTEST_MAIN(tst_MisbehavingDriver)
#include "tst_misbehavingdriver.moc"
