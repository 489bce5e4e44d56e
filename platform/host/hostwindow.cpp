#include "hostwindow.h"

#include "benchconsole.h"
#include "hostlog.h"
#include "simulatedresources.h"

#include <cr2200fp_messages.h>
#include <cr2200fp_scuinterface.h>

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QMetaObject>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int logRows = 8;

} // namespace

HostWindow::HostWindow(SimulatedBench &bench)
    : bench(bench)
{
    setWindowTitle(tr("sfp-host"));
    setTitle(tr("Soft Front Panel Host"));
    setContentLayout(buildContent());
    connect(pbAbout, &QPushButton::clicked, this, &HostWindow::showAbout);
    connect(cbResource, &QComboBox::textActivated, this, &HostWindow::resourceChosen);
}

QLayout *HostWindow::buildContent()
{
    cbResource = new QComboBox;
    cbResource->addItems(simulatedResources());
    cbResource->setToolTip(tr("The simulated carrier to attach the panel to"));
    auto *resourceLabel = new QLabel(tr("Resource"));
    resourceLabel->setBuddy(cbResource);
    auto *resourceRow = new QHBoxLayout;
    resourceRow->addWidget(resourceLabel);
    resourceRow->addWidget(cbResource);
    resourceRow->addStretch();

    hostLog = new HostLog;
    hostLog->setMinimumHeight(hostLog->fontMetrics().height() * logRows);
    auto *logLabel = new QLabel(tr("Host log"));
    logLabel->setBuddy(hostLog);

    panelColumn = new QVBoxLayout;
    panelColumn->addLayout(resourceRow);
    panelColumn->addWidget(logLabel); // the panel goes above this caption
    panelColumn->addWidget(hostLog, 1);

    benchConsole = new BenchConsole(bench);
    auto *content = new QHBoxLayout;
    content->setContentsMargins(0, 0, 0, 0);
    content->addLayout(panelColumn, 1);
    content->addWidget(benchConsole);
    return content;
}

bool HostWindow::embedPanel(cr2200fp_scuInterface *panel)
{
    removePanel();
    currentPanel = panel;
    panelColumn->insertWidget(1, panel);
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
    if (!demo)
        cbResource->setCurrentText(resource);
    cbResource->setEnabled(!demo);
    // Message box titles read "Orbisa 4830 ..." from here on.
    sfpModelName = currentPanel->model().section(QLatin1Char('-'), 0, 0);
}

void HostWindow::report(const QString &line)
{
    hostLog->report(line);
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
