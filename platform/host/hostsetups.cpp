#include "hostsetups.h"

#include "hostwindow.h"
#include "sourcetexts.h"

#include <cr2200fp_messages.h>
#include <cr2200fp_setupfile.h>

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QToolButton>

namespace {

QString fileFilter()
{
    return HostSetups::tr("Setups (*.json)");
}

// Why path was refused, in English, as every line on standard output is worded.
QString refusalInEnglish(const QString &path)
{
    const SourceTexts english;
    cr2200fp_setup unused;
    QString error;
    cr2200fp_setupFile::read(path, &unused, &error);
    return error;
}

QString channelList(const QList<int> &channels)
{
    QStringList numbers;
    for (int channel : channels)
        numbers.append(QString::number(channel));
    return numbers.join(QStringLiteral(", "));
}

} // namespace

HostSetups::HostSetups(HostWindow &window)
    : QObject(&window)
    , window(window)
{
    // Tool buttons: no taller than the resource list beside them, so that the row keeps
    // the window within a laptop screen.
    saveButton = new QToolButton;
    saveButton->setText(tr("Save setup..."));
    saveButton->setToolTip(tr("Saves every channel's settings to a setup file"));
    loadButton = new QToolButton;
    loadButton->setText(tr("Load setup..."));
    loadButton->setToolTip(tr("Sets and applies the channels a setup file names"));
    connect(saveButton, &QToolButton::clicked, this, &HostSetups::save);
    connect(loadButton, &QToolButton::clicked, this, &HostSetups::load);
    panelChanged();
}

void HostSetups::panelChanged()
{
    const bool offered = panelSetups() != nullptr;
    saveButton->setEnabled(offered);
    loadButton->setEnabled(offered);
}

cr2200fp_setupInterface *HostSetups::panelSetups() const
{
    return qobject_cast<cr2200fp_setupInterface *>(window.panel());
}

void HostSetups::save()
{
    QString path
        = QFileDialog::getSaveFileName(&window, tr("Save setup"), dialogFolder(), fileFilter());
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".json");
    remember(path);
    QString error;
    if (!saveTo(path, &error))
        tell(error, true);
}

void HostSetups::load()
{
    const QString path
        = QFileDialog::getOpenFileName(&window, tr("Load setup"), dialogFolder(), fileFilter());
    if (path.isEmpty())
        return;
    remember(path);
    loadFrom(path);
}

bool HostSetups::saveTo(const QString &path, QString *error)
{
    cr2200fp_setupInterface *setups = panelSetups();
    if (!setups) {
        *error = tr("the panel offers no setups");
        return false;
    }
    if (!cr2200fp_setupFile::write(path, setups->currentSetup(), error))
        return false;
    window.report(QStringLiteral("setup saved: %1").arg(path));
    return true;
}

void HostSetups::loadFrom(const QString &path)
{
    cr2200fp_setup setup;
    QString error;
    if (!cr2200fp_setupFile::read(path, &setup, &error)) {
        window.report(QStringLiteral("setup refused: %1").arg(refusalInEnglish(path)));
        tell(error, true);
        return;
    }
    if (!window.mayDiscardSettings(tr("Loading %1 replaces the settings of the channels it "
                                      "names.\nDo you want to load it?")
                                       .arg(QFileInfo(path).fileName()))) {
        window.report(QStringLiteral("setup: %1 declined, the panel keeps its settings").arg(path));
        return;
    }
    cr2200fp_setupInterface *setups = panelSetups();
    if (!setups)
        return;
    // The panel's reports run message boxes, in which the window may lose its panel.
    const QPointer<HostWindow> alive(&window);
    const cr2200fp_setupResult result = setups->applySetup(setup);
    if (!alive)
        return;
    if (result.refusedWhole()) {
        {
            // Refused whole, nothing was changed: asked again for the log's English.
            const SourceTexts english;
            window.report(
                QStringLiteral("setup refused: %1")
                    .arg(cr2200fp_setupFile::message(path, setups->applySetup(setup).error)));
        }
        tell(cr2200fp_setupFile::message(path, result.error), true);
        return;
    }
    {
        const SourceTexts english; // the log's lines
        window.report(QStringLiteral("setup loaded: %1").arg(path));
        for (const cr2200fp_channelOutcome &outcome : result.channels) {
            if (!problem(outcome).isEmpty())
                window.report(QStringLiteral("setup: %1").arg(problem(outcome)));
        }
    }
    tell(summary(path, result), !result.allApplied());
}

QString HostSetups::problem(const cr2200fp_channelOutcome &outcome)
{
    switch (outcome.kind) {
    case cr2200fp_channelOutcome::Applied:
        break;
    case cr2200fp_channelOutcome::Refused:
        return tr("channel %1: refused, %2 answered 0x%3")
            .arg(outcome.channel)
            .arg(outcome.call,
                QString::number(quint32(outcome.status), 16)
                    .toUpper()
                    .rightJustified(8, QLatin1Char('0')));
    case cr2200fp_channelOutcome::Skipped:
        return tr("channel %1: skipped, the carrier has no such channel").arg(outcome.channel);
    case cr2200fp_channelOutcome::NotReached:
        return tr("channel %1: not applied, the panel was closed first").arg(outcome.channel);
    }
    return QString();
}

QString HostSetups::summary(const QString &path, const cr2200fp_setupResult &result)
{
    QList<int> applied;
    QList<int> skipped;
    QStringList refused;
    for (const cr2200fp_channelOutcome &outcome : result.channels) {
        if (outcome.kind == cr2200fp_channelOutcome::Applied)
            applied.append(outcome.channel);
        else if (outcome.kind == cr2200fp_channelOutcome::Skipped)
            skipped.append(outcome.channel);
        else
            refused.append(problem(outcome));
    }
    QStringList lines { tr("Setup %1 loaded.").arg(QFileInfo(path).fileName()) };
    lines.append(applied.isEmpty() ? tr("Applied: none")
                                   : tr("Applied: channel %1").arg(channelList(applied)));
    if (!refused.isEmpty())
        lines.append(tr("Refused by the unit:\n%1").arg(refused.join(QLatin1Char('\n'))));
    if (!skipped.isEmpty())
        lines.append(tr("Skipped, not on this carrier: channel %1").arg(channelList(skipped)));
    return lines.join(QLatin1Char('\n'));
}

QString HostSetups::dialogFolder() const
{
    return lastFolder.isEmpty() ? QDir::currentPath() : lastFolder;
}

void HostSetups::remember(const QString &path)
{
    lastFolder = QFileInfo(path).absolutePath();
}

void HostSetups::tell(const QString &text, bool failed)
{
    showModalBox(failed ? QMessageBox::Warning : QMessageBox::Information,
        tr("Orbisa %1 SFP").arg(sfpModelName), text, QMessageBox::Ok, QMessageBox::Ok, &window);
}
