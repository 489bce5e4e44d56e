#include "hostsetups.h"

#include "hostlog.h"
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

} // namespace

HostSetups::HostSetups(QWidget &window, HostLog &log)
    : QObject(&window)
    , window(window)
    , log(log)
{
    // Tool buttons: no taller than the resource list beside them, so that the row keeps
    // the window within a laptop screen.
    saveButton = new QToolButton;
    saveButton->setText(tr("Save setup..."));
    saveButton->setToolTip(tr("Saves every channel's settings to a setup file"));
    loadButton = new QToolButton;
    loadButton->setText(tr("Load setup..."));
    loadButton->setToolTip(tr("Sets the channels a setup file names for review; nothing is sent "
                              "before \"Apply changed\""));
    connect(saveButton, &QToolButton::clicked, this, &HostSetups::save);
    panelChanged(nullptr);
}

void HostSetups::panelChanged(cr2200fp_scuInterface *now)
{
    panel = now;
    const bool offered = panelSetups() != nullptr;
    saveButton->setEnabled(offered);
    loadButton->setEnabled(offered);
}

cr2200fp_setupInterface *HostSetups::panelSetups() const
{
    return qobject_cast<cr2200fp_setupInterface *>(panel.data());
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

QString HostSetups::chooseFile()
{
    const QString path
        = QFileDialog::getOpenFileName(&window, tr("Load setup"), dialogFolder(), fileFilter());
    if (!path.isEmpty())
        remember(path);
    return path;
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
    log.report(QStringLiteral("setup saved: %1").arg(path));
    return true;
}

bool HostSetups::read(const QString &path, cr2200fp_setup *setup)
{
    QString error;
    if (cr2200fp_setupFile::read(path, setup, &error))
        return true;
    log.report(QStringLiteral("setup refused: %1").arg(refusalInEnglish(path)));
    tell(error, true);
    return false;
}

cr2200fp_setupResult HostSetups::stage(const QString &source, const cr2200fp_setup &setup)
{
    cr2200fp_setupInterface *setups = panelSetups();
    if (!setups)
        return cr2200fp_setupResult { tr("the panel offers no setups"), {} };
    const cr2200fp_setupResult result = setups->stageSetup(setup);
    if (result.refusedWhole()) {
        {
            // Refused whole, nothing was changed: asked again for the log's English.
            const SourceTexts english;
            log.report(
                QStringLiteral("setup refused: %1")
                    .arg(cr2200fp_setupFile::message(source, setups->stageSetup(setup).error)));
        }
        tell(cr2200fp_setupFile::message(source, result.error), true);
        return result;
    }
    log.report(QStringLiteral("setup staged for review: %1").arg(source));
    return result;
}

void HostSetups::summarise(const QString &source, const cr2200fp_setupResult &result)
{
    {
        const SourceTexts english; // the log's lines
        log.report(QStringLiteral("setup applied: %1").arg(source));
        for (const cr2200fp_channelOutcome &outcome : result.channels) {
            if (!problem(outcome).isEmpty())
                log.report(QStringLiteral("setup: %1").arg(problem(outcome)));
        }
    }
    tell(summary(source, result), !result.allApplied());
}

QString HostSetups::review(const QString &source, const cr2200fp_setupResult &staged,
    const QList<int> &notApplied, const QString &warning)
{
    QList<int> changing;
    int unchanged = 0;
    int skipped = 0;
    for (const cr2200fp_channelOutcome &outcome : staged.channels) {
        if (outcome.kind == cr2200fp_channelOutcome::Skipped)
            ++skipped;
        else if (notApplied.contains(outcome.channel))
            changing.append(outcome.channel);
        else
            ++unchanged;
    }
    QString text = tr("Reviewing %1, nothing sent yet. Channels that change: %2%3. "
                      "Unchanged: %4. Skipped: %5. \"Apply changed\" sends them, "
                      "\"Revert changed\" takes them back.")
                       .arg(QFileInfo(source).fileName(), QString::number(changing.size()),
                           changing.isEmpty() ? QString()
                                              : QStringLiteral(" (%1)").arg(channelList(changing)),
                           QString::number(unchanged), QString::number(skipped));
    if (!warning.isEmpty())
        text += QLatin1Char('\n') + warning;
    return text;
}

QString HostSetups::otherUnit(const cr2200fp_setup &setup) const
{
    const QString model = setup.information.value(QLatin1String("model")).toString();
    const QString serial = setup.information.value(QLatin1String("serialNumber")).toString();
    if (!panel
        || ((model.isEmpty() || model == panel->model())
            && (serial.isEmpty() || serial == panel->serialNumber())))
        return QString();
    return tr("Warning: the file was saved from %1, S/N %2; the attached unit is %3, S/N %4.")
        .arg(model.isEmpty() ? tr("an unnamed model") : model,
            serial.isEmpty() ? tr("unknown") : serial, panel->model(), panel->serialNumber());
}

QString HostSetups::channelList(const QList<int> &channels)
{
    QStringList numbers;
    for (int channel : channels)
        numbers.append(QString::number(channel));
    return numbers.join(QStringLiteral(", "));
}

QString HostSetups::problem(const cr2200fp_channelOutcome &outcome)
{
    switch (outcome.kind) {
    case cr2200fp_channelOutcome::Applied:
    case cr2200fp_channelOutcome::Staged:
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
