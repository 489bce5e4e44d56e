#include "simulationconsole.h"

#include "scenario.h"
#include "scrollfollower.h"
#include "simulation.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <limits>

namespace {

constexpr int maxLatencyMs = 10000;
constexpr int maxCalibrationMs = 600000;

QString hexText(quint32 value, int digits)
{
    return QStringLiteral("0x")
        + QString::number(value, 16).toUpper().rightJustified(digits, QLatin1Char('0'));
}

QGroupBox *group(const QString &title, QLayout *layout)
{
    auto *box = new QGroupBox(title);
    box->setLayout(layout);
    return box;
}

// A caption that names its field for a screen reader: through the buddy (the Label
// relation) and as the field's accessible name, which Qt does not take from a buddy
// everywhere. Both must end up in the same parent widget.
QLabel *caption(const QString &text, QWidget *field)
{
    auto *label = new QLabel(text);
    label->setBuddy(field);
    field->setAccessibleName(text);
    return label;
}

} // namespace

SimulationConsole::SimulationConsole(Simulation &simulation, QWidget *parent)
    : QGroupBox(tr("Simulation"), parent)
    , simulation(simulation)
{
    setObjectName(QStringLiteral("simulation"));
    setToolTip(tr("The simulated unit behind the panel: not part of the panel"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildStatusWords());
    layout->addWidget(buildFailures());
    layout->addWidget(buildTiming());
    layout->addWidget(buildCallLog(), 1);

    connect(&simulation, &Simulation::changed, this, &SimulationConsole::showSimulation);
    connect(&refreshTimer, &QTimer::timeout, this, &SimulationConsole::refresh);
    refreshTimer.start(refreshMs);
    showSimulation();
    refresh();
}

QWidget *SimulationConsole::buildStatusWords()
{
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(2);
    grid->addWidget(new QLabel(tr("Ch")), 0, 0);
    grid->addWidget(new QLabel(tr("ICP")), 1, 0);
    grid->addWidget(new QLabel(tr("Exc. limit")), 2, 0);
    // Each column as wide as its two-digit number and a gap, so that "10" to "16" stand
    // apart, each over its own boxes.
    const int columnWidth = fontMetrics().horizontalAdvance(QStringLiteral("16 "));
    for (int i = 0; i < channels; ++i) {
        auto *number = new QLabel(QString::number(i + 1));
        number->setAlignment(Qt::AlignCenter);
        grid->setColumnMinimumWidth(i + 1, columnWidth);
        grid->addWidget(number, 0, i + 1);
        // Without text of their own, the boxes are named by what their bit means: a screen
        // reader meets 32 of them in a row.
        chkIcp[i] = new QCheckBox;
        chkIcp[i]->setAccessibleName(tr("ICP Ch %1").arg(i + 1));
        chkIcp[i]->setToolTip(tr("ICP status bit %1 (Ch %2)").arg(i).arg(i + 1));
        chkExc[i] = new QCheckBox;
        chkExc[i]->setAccessibleName(tr("Excitation limit Ch %1").arg(i + 1));
        chkExc[i]->setToolTip(tr("Excitation current limit bit %1 (Ch %2)").arg(i).arg(i + 1));
        grid->addWidget(chkIcp[i], 1, i + 1, Qt::AlignHCenter);
        grid->addWidget(chkExc[i], 2, i + 1, Qt::AlignHCenter);
        connect(chkIcp[i], &QCheckBox::toggled, this, &SimulationConsole::statusBoxToggled);
        connect(chkExc[i], &QCheckBox::toggled, this, &SimulationConsole::statusBoxToggled);
    }
    return group(tr("Status words"), grid);
}

QWidget *SimulationConsole::buildFailures()
{
    cbFunction = new QComboBox;
    cbFunction->addItems(Simulation::driverFunctions());
    cbFunction->setCurrentText(QStringLiteral("sc4830_getStatus"));
    cbFailure = new QComboBox;
    cbFailure->addItem(tr("Carrier error (0xBFFC0B12)"), Simulation::carrierErrorStatus);
    cbFailure->addItem(tr("Error (%1)").arg(hexText(quint32(Simulation::errorStatus), 8)),
        Simulation::errorStatus);
    cbFailure->addItem(tr("Warning (%1)").arg(hexText(quint32(Simulation::warningStatus), 8)),
        Simulation::warningStatus);
    chkAlways = new QCheckBox(tr("Always"));
    chkAlways->setToolTip(tr("Fail every call until cleared, not only the next one"));
    pbInject = new QPushButton(tr("Fail"));
    pbClearFailures = new QPushButton(tr("Clear all"));
    leCarrierCode = new QLineEdit;
    leCarrierCode->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("0[xX][0-9A-Fa-f]{1,8}|-?[0-9]{1,10}")), leCarrierCode));
    leCarrierCode->setToolTip(tr("The code sc4830_getFCLastError gives after a carrier error"));
    pbCarrierCode = new QPushButton(tr("Set"));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(chkAlways);
    buttons->addStretch();
    buttons->addWidget(pbInject);
    buttons->addWidget(pbClearFailures);
    auto *code = new QHBoxLayout;
    code->addWidget(leCarrierCode, 1);
    code->addWidget(pbCarrierCode);
    auto *form = new QFormLayout;
    form->addRow(tr("Function"), cbFunction);
    form->addRow(tr("Answer"), cbFailure);
    form->addRow(buttons);
    form->addRow(caption(tr("Carrier code"), leCarrierCode), code);

    connect(pbInject, &QPushButton::clicked, this, &SimulationConsole::injectFailure);
    connect(pbClearFailures, &QPushButton::clicked, &simulation, &Simulation::clearFailures);
    connect(pbCarrierCode, &QPushButton::clicked, this, &SimulationConsole::setCarrierCode);
    connect(leCarrierCode, &QLineEdit::returnPressed, this, &SimulationConsole::setCarrierCode);
    return group(tr("Failures"), form);
}

QWidget *SimulationConsole::buildTiming()
{
    sbLatency = new QSpinBox;
    sbLatency->setRange(0, maxLatencyMs);
    sbLatency->setSuffix(tr(" ms"));
    sbLatency->setToolTip(tr("Every driver call waits this long before it answers"));
    sbCalibrationTime = new QSpinBox;
    sbCalibrationTime->setRange(0, maxCalibrationMs);
    sbCalibrationTime->setSuffix(tr(" ms"));
    auto *form = new QFormLayout;
    form->addRow(tr("Call latency"), sbLatency);
    form->addRow(tr("Calibration time"), sbCalibrationTime);
    buildHang(form);

    // editingFinished, not valueChanged: typing 250 must not pass through 2 and 25. It also
    // comes when focus merely passes through: only a value other than the one shown is
    // set (compared in the box's unit, so that a scenario's 250 us stays).
    connect(sbLatency, &QSpinBox::editingFinished, this, [this] {
        if (sbLatency->value() != simulation.callLatencyUs() / 1000)
            simulation.setCallLatencyUs(sbLatency->value() * 1000);
    });
    connect(sbCalibrationTime, &QSpinBox::editingFinished, this, [this] {
        if (sbCalibrationTime->value() != simulation.calibrationTimeMs())
            simulation.setCalibrationTimeMs(sbCalibrationTime->value());
    });
    return group(tr("Timing"), form);
}

void SimulationConsole::buildHang(QFormLayout *form)
{
    chkHang = new QCheckBox(tr("Calibrations hang"));
    chkHang->setToolTip(tr("Calibration calls block until released, or for the time given"));
    sbHangTimeout = new QSpinBox;
    sbHangTimeout->setRange(0, maxHangSeconds);
    sbHangTimeout->setSuffix(tr(" s"));
    sbHangTimeout->setSpecialValueText(tr("until released"));
    sbHangTimeout->setToolTip(tr("A hanging calibration returns by itself after this time "
                                 "(while the panel's progress dialog keeps the console "
                                 "out of reach)"));
    pbRelease = new QPushButton(tr("Release"));
    lblHanging = new QLabel;

    auto *hang = new QHBoxLayout;
    hang->addWidget(sbHangTimeout);
    hang->addWidget(pbRelease);
    hang->addWidget(lblHanging, 1);
    // Only as wide as its text, so that a click beside it toggles nothing.
    auto *hangSwitch = new QHBoxLayout;
    hangSwitch->addWidget(chkHang);
    hangSwitch->addStretch();
    form->addRow(hangSwitch);
    form->addRow(caption(tr("Hang time"), sbHangTimeout), hang);

    connect(chkHang, &QCheckBox::toggled, &simulation, &Simulation::setCalibrationHang);
    connect(sbHangTimeout, &QSpinBox::editingFinished, this, [this] {
        if (sbHangTimeout->value() != simulation.calibrationHangTimeoutMs() / 1000)
            simulation.setCalibrationHangTimeoutMs(sbHangTimeout->value() * 1000);
    });
    connect(pbRelease, &QPushButton::clicked, &simulation, &Simulation::releaseCalibrations);
}

QWidget *SimulationConsole::buildCallLog()
{
    teCallLog = new QPlainTextEdit;
    teCallLog->setAccessibleName(tr("Call log"));
    teCallLog->setReadOnly(true);
    teCallLog->setMaximumBlockCount(maxLogLines);
    teCallLog->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    teCallLog->setLineWrapMode(QPlainTextEdit::NoWrap);
    new ScrollFollower(teCallLog);
    lblCallCount = new QLabel;
    auto *layout = new QVBoxLayout;
    layout->addWidget(teCallLog, 1);
    layout->addWidget(lblCallCount);
    return group(tr("Call log"), layout);
}

void SimulationConsole::showSimulation()
{
    for (int i = 0; i < channels; ++i) {
        const QSignalBlocker icp(chkIcp[i]);
        const QSignalBlocker exc(chkExc[i]);
        chkIcp[i]->setChecked(simulation.icpStatus() & (1u << i));
        chkExc[i]->setChecked(simulation.excStatus() & (1u << i));
    }
    const QSignalBlocker latency(sbLatency);
    const QSignalBlocker calibration(sbCalibrationTime);
    const QSignalBlocker hang(chkHang);
    const QSignalBlocker hangTimeout(sbHangTimeout);
    sbLatency->setValue(simulation.callLatencyUs() / 1000);
    sbCalibrationTime->setValue(simulation.calibrationTimeMs());
    chkHang->setChecked(simulation.calibrationHang());
    sbHangTimeout->setValue(simulation.calibrationHangTimeoutMs() / 1000);
    if (!leCarrierCode->hasFocus())
        leCarrierCode->setText(hexText(quint32(simulation.carrierErrorCode()), 8));
}

void SimulationConsole::refresh()
{
    const int count = Simulation::callLogCount();
    if (count < callsShown) {
        // The log was cleared under us: start again from its beginning.
        teCallLog->clear();
        callsShown = 0;
    }
    if (count > callsShown) {
        teCallLog->appendPlainText(Simulation::callLog(callsShown).join(QLatin1Char('\n')));
        callsShown = count;
    }
    lblCallCount->setText(tr("%n call(s)", nullptr, count));
    lblHanging->setText(tr("%n hanging", nullptr, Simulation::hangingCalibrations()));
}

void SimulationConsole::statusBoxToggled()
{
    ViUInt16 icp = 0;
    ViUInt16 exc = 0;
    for (int i = 0; i < channels; ++i) {
        if (chkIcp[i]->isChecked())
            icp |= ViUInt16(1u << i);
        if (chkExc[i]->isChecked())
            exc |= ViUInt16(1u << i);
    }
    simulation.setStatusWords(icp, exc);
}

void SimulationConsole::injectFailure()
{
    simulation.injectFailure(cbFunction->currentText(), ViStatus(cbFailure->currentData().toInt()),
        chkAlways->isChecked());
}

void SimulationConsole::setCarrierCode()
{
    qint64 code = 0;
    if (!Scenario::parseNumber(leCarrierCode->text(), &code)
        || code < std::numeric_limits<qint32>::min() || code > std::numeric_limits<qint32>::max())
        return;
    simulation.setCarrierErrorCode(ViInt32(code));
}
