#include "hostwindow.h"

#include "earliersettingsdialog.h"
#include "hostlog.h"
#include "hostsetups.h"
#include "hostviews.h"
#include "simulatedresources.h"
#include "simulationconsole.h"

#include <cr2200fp_messages.h>
#include <cr2200fp_scuinterface.h>

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QMetaObject>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The log's least height; it takes whatever height the window has beyond the panel.
constexpr int logRows = 3;

} // namespace

HostWindow::HostWindow(Simulation &simulation)
    : simulation(simulation)
{
    setWindowTitle(tr("sfp-host"));
    setTitle(tr("Soft Front Panel Host"));
    setContentLayout(buildContent());
    connect(pbAbout, &QPushButton::clicked, this, &HostWindow::showAbout);
}

QLayout *HostWindow::buildContent()
{
    hostLog = new HostLog;
    hostLog->setMinimumHeight(hostLog->fontMetrics().height() * logRows);
    QLayout *resourceRow = buildResourceRow();
    hostViews = new HostViews;
    auto *logLabel = new QLabel(tr("Host log"));
    logLabel->setBuddy(hostLog);

    // The table takes the height the pages leave to the log.
    connect(hostViews, &HostViews::viewShown, this, [this](bool table) {
        panelColumn->setStretchFactor(hostViews, table ? 1 : 0);
        panelColumn->setStretchFactor(hostLog, table ? 0 : 1);
    });
    connect(hostViews, &HostViews::changesApplied, this, &HostWindow::reportChangesApplied);
    connect(hostViews, &HostViews::changesReverted, this, &HostWindow::reportChangesReverted);
    // Queued: the panel keeps what an apply replaced once the apply is over.
    connect(hostViews, &HostViews::statesChanged, this, &HostWindow::offerEarlierSettings,
        Qt::QueuedConnection);
    panelColumn = new QVBoxLayout;
    panelColumn->addLayout(resourceRow);
    panelColumn->addWidget(hostViews);
    panelColumn->addWidget(buildCaptionBar(logLabel));
    panelColumn->addWidget(hostLog, 1);

    simulationConsole = new SimulationConsole(simulation);
    auto *content = new QHBoxLayout;
    content->setContentsMargins(0, 0, 0, 0);
    content->addLayout(panelColumn, 1);
    content->addWidget(simulationConsole);
    connect(chkSimulation, &QCheckBox::toggled, this, &HostWindow::showSimulation);
    return content;
}

QWidget *HostWindow::buildCaptionBar(QLabel *logLabel)
{
    // The views' switch shares the log caption's row, no taller than the caption: a row of
    // its own would make the window taller than a laptop screen allows.
    auto *row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(logLabel);
    row->addStretch();
    pbEarlier = new QToolButton;
    pbEarlier->setText(tr("Earlier settings..."));
    auto *earlierKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_E), this);
    connect(pbEarlier, &QToolButton::clicked, this, &HostWindow::chooseEarlierSettings);
    connect(earlierKey, &QShortcut::activated, this, &HostWindow::chooseEarlierSettings);
    for (QToolButton *button :
        { hostViews->pagesButton, hostViews->tableButton, hostViews->applyButton, pbEarlier }) {
        button->setMaximumHeight(logLabel->sizeHint().height());
        row->addWidget(button);
    }
    offerEarlierSettings();
    auto *bar = new QWidget;
    bar->setLayout(row);
    // Spaced from the panel as the caption alone was.
    QSizePolicy caption = bar->sizePolicy();
    caption.setControlType(QSizePolicy::Label);
    bar->setSizePolicy(caption);
    return bar;
}

QLayout *HostWindow::buildResourceRow()
{
    cbResource = new QComboBox;
    cbResource->addItems(simulatedResources());
    cbResource->setToolTip(tr("The simulated carrier to attach the panel to"));
    auto *resourceLabel = new QLabel(tr("Resource"));
    resourceLabel->setBuddy(cbResource);
    // Attaching closes the unit's session and sends it every channel anew: an arrow key or
    // a turn of the wheel on the list must not do that, only this button.
    pbAttach = new QPushButton(tr("Attach"));
    pbAttach->setAccessibleName(tr("Attach to the chosen resource"));
    pbAttach->setToolTip(tr("Replaces the panel by a new one attached to the resource chosen "
                            "in the list"));
    pbAttach->setEnabled(false);
    // As tall as the list beside it: a push button is taller than a combo box in some
    // styles, and the row must not make the window taller than a laptop screen allows.
    pbAttach->setSizePolicy(pbAttach->sizePolicy().horizontalPolicy(), QSizePolicy::Ignored);
    chkSimulation = new QCheckBox(tr("Show simulation"));
    chkSimulation->setChecked(true);
    chkSimulation->setToolTip(tr("Shows the console that drives the simulated unit"));
    auto *resourceRow = new QHBoxLayout;
    resourceRow->addWidget(resourceLabel);
    resourceRow->addWidget(cbResource);
    resourceRow->addWidget(pbAttach);
    hostSetups = new HostSetups(*this, *hostLog);
    resourceRow->addWidget(hostSetups->saveButton);
    resourceRow->addWidget(hostSetups->loadButton);
    resourceRow->addStretch();
    resourceRow->addWidget(chkSimulation);

    // A closed combo box leaves Enter to its parent: here it confirms the choice. With the
    // list open, Enter only picks the item.
    for (const int key : { Qt::Key_Return, Qt::Key_Enter }) {
        auto *enter = new QShortcut(QKeySequence(key), cbResource);
        enter->setContext(Qt::WidgetShortcut);
        connect(enter, &QShortcut::activated, this, &HostWindow::confirmResource);
    }
    connect(pbAttach, &QPushButton::clicked, this, &HostWindow::confirmResource);
    connect(hostSetups->loadButton, &QToolButton::clicked, this, &HostWindow::chooseSetup);
    connect(cbResource, &QComboBox::currentTextChanged, this, &HostWindow::showResourceChoice);
    return resourceRow;
}

void HostWindow::confirmResource()
{
    if (pbAttach->isEnabled())
        emit resourceChosen(cbResource->currentText());
}

void HostWindow::showResourceChoice()
{
    pbAttach->setEnabled(!attachedResource.isEmpty() && cbResource->isEnabled()
        && cbResource->currentText() != attachedResource);
}

bool HostWindow::embedPanel(cr2200fp_scuInterface *panel)
{
    removePanel();
    currentPanel = panel;
    hostViews->setPanel(panel);
    hostSetups->panelChanged(panel);
    reviewSource.clear();
    offerEarlierSettings();
    // The host knows the panel by its interface alone: it connects by signature, as a
    // host built against another copy of the shared library would.
    const bool gain
        = connectPanel(SIGNAL(gainChanged(int, ViReal64)), SLOT(panelGainChanged(int, ViReal64)));
    const bool error = connectPanel(
        SIGNAL(masterError(int, const char *)), SLOT(panelMasterError(int, const char *)));
    return gain && error;
}

void HostWindow::removePanel()
{
    // Deleted now, not later: its unit session must be closed before the next panel
    // opens one.
    delete currentPanel;
    hostViews->setPanel(nullptr);
    hostSetups->panelChanged(nullptr);
    reviewSource.clear();
    offerEarlierSettings();
}

void HostWindow::showAttached(const QString &resource)
{
    if (!currentPanel)
        return;
    const bool demo = resource.isEmpty();
    setDemo(demo);
    setTitle(currentPanel->description());
    setWindowTitle(tr("sfp-host - %1").arg(currentPanel->windowTitle()));
    setStatusA(demo ? tr("Demonstration") : resource,
        tr("The simulated resource the panel is attached to"));
    setStatusB(tr("%1, S/N %2").arg(currentPanel->model(), currentPanel->serialNumber()),
        tr("The unit's model and serial number"));
    attachedResource = resource;
    if (!demo)
        cbResource->setCurrentText(resource);
    cbResource->setEnabled(!demo);
    showResourceChoice();
    defaults = PanelSnapshot(currentPanel);
    focusPanel();
}

bool HostWindow::mayDiscardSettings(const QString &question)
{
    if (!currentPanel || !defaults.differsFrom(currentPanel))
        return true;
    return showModalBox(QMessageBox::Question, tr("Orbisa %1 SFP").arg(sfpModelName), question,
               QMessageBox::Yes | QMessageBox::No, QMessageBox::No, this)
        == QMessageBox::Yes;
}

void HostWindow::chooseSetup()
{
    const QString path = hostSetups->chooseFile();
    if (!path.isEmpty())
        loadSetup(path);
}

void HostWindow::loadSetup(const QString &path)
{
    cr2200fp_setup setup;
    if (!hostSetups->read(path, &setup))
        return;
    const QPointer<HostWindow> alive(this);
    const bool replace = mayDiscardSettings(
        tr("Loading %1 replaces the settings of the channels it names.\nDo you want to load it?")
            .arg(QFileInfo(path).fileName()));
    if (!alive)
        return;
    if (!replace) {
        report(QStringLiteral("setup: %1 declined, the panel keeps its settings").arg(path));
        return;
    }
    stageForReview(path, setup);
}

void HostWindow::stageForReview(const QString &source, const cr2200fp_setup &setup)
{
    // The page's gain warning may run a box, in which the window may go.
    const QPointer<HostWindow> alive(this);
    const cr2200fp_setupResult staged = hostSetups->stage(source, setup);
    if (!alive || staged.refusedWhole())
        return;
    reviewSource = source;
    reviewSkipped.clear();
    for (const cr2200fp_channelOutcome &outcome : staged.channels) {
        if (outcome.kind == cr2200fp_channelOutcome::Skipped)
            reviewSkipped.append(outcome);
    }
    hostViews->setReview(HostSetups::review(
        source, staged, hostViews->channelsNotApplied(), hostSetups->otherUnit(setup)));
    hostViews->showTable(true);
}

void HostWindow::chooseEarlierSettings()
{
    cr2200fp_setupInterface *setups = hostSetups->panelSetups();
    const QVector<cr2200fp_setup> earlier
        = setups ? setups->earlierSetups() : QVector<cr2200fp_setup>();
    if (earlier.isEmpty())
        return;
    EarlierSettingsDialog dialog(earlier, setups->currentSetup(), this);
    const QPointer<HostWindow> alive(this);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    if (!alive || !accepted || dialog.chosen() < 0)
        return;
    const cr2200fp_setup &chosen = earlier.at(dialog.chosen());
    stageForReview(tr("settings before %1").arg(EarlierSettingsDialog::when(chosen)), chosen);
}

void HostWindow::offerEarlierSettings()
{
    cr2200fp_setupInterface *setups = hostSetups->panelSetups();
    const bool offered = setups && !setups->earlierSetups().isEmpty();
    pbEarlier->setEnabled(offered);
    pbEarlier->setToolTip(offered
            ? tr("Lists what the unit held before each of the last applies, to review one "
                 "(Ctrl+E)")
            : tr("None yet: the unit's settings are kept here from the first apply that "
                 "changes them (Ctrl+E)"));
}

void HostWindow::fitToScreen(const QRect &available)
{
    if (!fitted) {
        fitted = true;
        const int frameWidth = frameGeometry().width() - width();
        const QSignalBlocker blocker(chkSimulation);
        chkSimulation->setChecked(minimumSizeHint().width() + frameWidth <= available.width());
        simulationConsole->setVisible(chkSimulation->isChecked());
    }
    // The content area's hint changes with the console; the frame's layout learns of it
    // only on its next activation.
    contentWidget->updateGeometry();
    layout()->activate();
    const QSize frame = frameGeometry().size() - size();
    resize(sizeHint().boundedTo(available.size() - frame).expandedTo(minimumSize()));
    move(centredIn(size() + frame, available));
    fitArea = available;
    awaitingFrame = frame.isNull();
}

bool HostWindow::event(QEvent *event)
{
    const bool handled = cr2200fp_app::event(event);
    // A window manager frames the window only once it is shown, and then moves it: fitted
    // before, the window is fitted again with its frame.
    if (event->type() == QEvent::Move && awaitingFrame && frameGeometry().size() != size())
        fitToScreen(fitArea);
    return handled;
}

QPoint HostWindow::centredIn(const QSize &frame, const QRect &available)
{
    return available.topLeft()
        + QPoint(qMax(0, (available.width() - frame.width()) / 2),
            qMax(0, (available.height() - frame.height()) / 2));
}

void HostWindow::showSimulation(bool shown)
{
    fitted = true; // the operator's choice stands
    simulationConsole->setVisible(shown);
    fitToScreen(availableArea());
}

QRect HostWindow::availableArea() const
{
    const QScreen *where = screen();
    return where ? where->availableGeometry() : QRect(pos(), size());
}

void HostWindow::focusPanel()
{
    if (QWidget *control = HostViews::firstControl(currentPanel))
        control->setFocus(Qt::OtherFocusReason);
}

void HostWindow::report(const QString &line)
{
    hostLog->report(line);
}

void HostWindow::reportChangesReverted()
{
    report(QStringLiteral("changes reverted"));
    if (!reviewSource.isEmpty())
        report(QStringLiteral("setup not applied: %1").arg(reviewSource));
    endReview();
}

void HostWindow::endReview()
{
    reviewSource.clear();
    hostViews->setReview(QString());
}

void HostWindow::reportChangesApplied(const cr2200fp_setupResult &result)
{
    const QString reviewed = reviewSource;
    cr2200fp_setupResult summarised = result;
    summarised.channels += reviewSkipped;
    endReview();
    if (result.channels.isEmpty())
        report(QStringLiteral("changes applied: none were due"));
    for (const cr2200fp_channelOutcome &outcome : result.channels) {
        const QString problem = HostSetups::problem(outcome);
        report(QStringLiteral("changes applied: %1")
                   .arg(problem.isEmpty() ? QStringLiteral("channel %1").arg(outcome.channel)
                                          : problem));
    }
    // The box last: the window may go in it.
    if (!reviewed.isEmpty())
        hostSetups->summarise(reviewed, summarised);
}

void HostWindow::panelGainChanged(int chIdx, ViReal64 gain)
{
    report(QStringLiteral("gainChanged(%1, %2)").arg(chIdx).arg(gain));
}

void HostWindow::panelMasterError(int error, const char *fcall)
{
    const QString code
        = QString::number(uint(error), 16).toUpper().rightJustified(8, QLatin1Char('0'));
    report(QStringLiteral("masterError(0x%1, \"%2\")")
               .arg(code, fcall ? QString::fromLatin1(fcall) : QStringLiteral("(null)")));
}

void HostWindow::showAbout()
{
    QString text = tr("<p><b>sfp-host</b>: a host for soft front panel plug-ins, run against "
                      "a simulated carrier and unit.</p>");
    if (currentPanel) {
        text += tr("<p>%1<br>Model %2, serial number %3, revision %4<br>"
                   "File version %5, product version %6</p>")
                    .arg(currentPanel->description().toHtmlEscaped(),
                        currentPanel->model().toHtmlEscaped(),
                        currentPanel->serialNumber().toHtmlEscaped(),
                        currentPanel->revision().toHtmlEscaped(),
                        currentPanel->fileVersion().toHtmlEscaped(),
                        currentPanel->productVersion().toHtmlEscaped());
    }
    QMessageBox box(QMessageBox::NoIcon, tr("About sfp-host"), text, QMessageBox::Ok, this);
    box.setIconPixmap(QPixmap(QStringLiteral(":/about.png")));
    box.exec();
}

bool HostWindow::connectPanel(const char *signal, const char *slot)
{
    // SIGNAL() prefixes the code digit; the meta-object knows the bare signature.
    const QByteArray signature = QMetaObject::normalizedSignature(signal + 1);
    if (currentPanel->metaObject()->indexOfSignal(signature.constData()) < 0) {
        report(QStringLiteral("the panel has no signal %1").arg(QLatin1String(signature)));
        return false;
    }
    return connect(currentPanel, signal, this, slot) != QMetaObject::Connection();
}
