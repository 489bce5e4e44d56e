// The translatable texts: loads a pseudo-translation in which every text of the template
// is marked "[[...]]" and checks which texts the panel shows translated and which plain;
// checks that every catalogue that ships translates each text of its template; and finds
// the host, and Qt's dialogs in it, in German.
#include "modalanswerer.h"

#include <hostlanguage.h>
#include <hostsetups.h>
#include <hostwindow.h>
#include <simulation.h>
#include <sourcetexts.h>

#include <cr2200fp_setupfile.h>

#include <cr2200fp_led.h>
#include <sc4830fp_chcfg.h>
#include <sc4830fp_fp.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

#include <algorithm>

namespace {

bool marked(const QString &text)
{
    return text.startsWith(QLatin1String("[[")) && text.endsWith(QLatin1String("]]"));
}

struct Message
{
    QString translation;
    QString type; // "unfinished", "obsolete", "vanished"; empty when done
};

// The messages of a .ts file by context and source text ("context|source"); false when
// the file cannot be read or parsed.
bool readMessages(const QString &path, QMap<QString, Message> &messages)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QXmlStreamReader xml(&file);
    QString context;
    QString source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name"))
            context = xml.readElementText();
        else if (xml.name() == QLatin1String("source"))
            source = xml.readElementText();
        else if (xml.name() == QLatin1String("translation")) {
            Message &m = messages[context + QLatin1Char('|') + source];
            m.type = xml.attributes().value(QLatin1String("type")).toString();
            m.translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        }
    }
    return !xml.hasError();
}

// The placeholders a text fills with QString::arg (%1 to %99, also as %L1), sorted.
QStringList placeholders(const QString &text)
{
    QStringList found;
    QRegularExpressionMatchIterator it
        = QRegularExpression(QStringLiteral("%L?([1-9][0-9]?)")).globalMatch(text);
    while (it.hasNext())
        found.append(it.next().captured(1));
    std::sort(found.begin(), found.end());
    return found;
}

} // namespace

class tst_Translations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void panelTexts();
    void pageCaptionsAndTooltips();
    void plainTexts();
    void gainWarning();
    void catalogueIsComplete_data();
    void catalogueIsComplete();
    void hostSpeaksGerman();

private:
    QTranslator translator;
};

void tst_Translations::initTestCase()
{
    QVERIFY(translator.load(QStringLiteral(SFP_PSEUDO_QM)));
    QVERIFY(QCoreApplication::installTranslator(&translator));
}

void tst_Translations::cleanupTestCase()
{
    QCoreApplication::removeTranslator(&translator);
}

void tst_Translations::panelTexts()
{
    sc4830fp_fp panel;
    QCOMPARE(panel.twChannels->tabText(0), QStringLiteral("[[Ch 1]]"));
    QCOMPARE(panel.twChannels->tabText(7), QStringLiteral("[[Ch 8]]"));
    const QList<QLabel *> labels = panel.findChildren<QLabel *>();
    bool monitorLabel = false;
    for (QLabel *label : labels)
        monitorLabel |= label->text() == QLatin1String("[[Voltage Reference Monitor]]");
    QVERIFY(monitorLabel);
    // The button's first text is plain; the slot's texts go through tr().
    QCOMPARE(panel.pbVrefMonitor->text(), QStringLiteral("OFF"));
    panel.pbVrefMonitor->click();
    QCOMPARE(panel.pbVrefMonitor->text(), QStringLiteral("[[ON]]"));
    panel.pbVrefMonitor->click();
    QCOMPARE(panel.pbVrefMonitor->text(), QStringLiteral("[[OFF]]"));
    // A tab's words are the panel's own, translated like its captions.
    panel.chPages[2]->pbIdentify->click();
    QCOMPARE(panel.twChannels->tabToolTip(2), QStringLiteral("[[Identification on]]"));
}

void tst_Translations::pageCaptionsAndTooltips()
{
    sc4830fp_fp panel;
    sc4830fp_chCfg *page = panel.chPages[4];
    QCOMPARE(page->cbMode->itemText(5), QStringLiteral("[[ICP]]"));
    QCOMPARE(page->cbInput->itemText(1), QStringLiteral("[[Voltage Ref.]]"));
    QCOMPARE(page->cbInput->toolTip(), QStringLiteral("[[Channel 5 input source ]]"));
    QCOMPARE(page->cbInput->whatsThis(), page->cbInput->toolTip());
    QCOMPARE(page->pbApply->text(), QStringLiteral("[[Apply]]"));
    QCOMPARE(page->chkAutobalance->toolTip(), QStringLiteral("[[Starts channel 5 autobalnce]]"));
    QCOMPARE(page->gbExcitation->title(), QStringLiteral("[[Excitation]]"));
    QCOMPARE(page->ledIcp->getText(), QStringLiteral("[[ICP Current]]"));
    QCOMPARE(page->pbIdentify->text(), QStringLiteral("[[OFF]]"));

    // Every label, button, box and tooltip of the page is marked.
    for (QLabel *label : page->findChildren<QLabel *>())
        QVERIFY2(marked(label->text()), qPrintable(label->text()));
    for (QGroupBox *box : page->findChildren<QGroupBox *>())
        QVERIFY2(box->title().isEmpty() || marked(box->title()), qPrintable(box->title()));
    for (QAbstractButton *button : page->findChildren<QAbstractButton *>()) {
        QVERIFY2(marked(button->text()), qPrintable(button->text()));
        QVERIFY2(marked(button->toolTip()), qPrintable(button->toolTip()));
    }
}

void tst_Translations::plainTexts()
{
    sc4830fp_fp panel;
    sc4830fp_chCfg *page = panel.chPages[0];
    QCOMPARE(page->cbShCal->itemText(0), QStringLiteral("OFF"));
    QCOMPARE(page->cbShCal->itemText(1), QStringLiteral("ON"));
    QCOMPARE(page->lePosExc->text(), QStringLiteral("Not measured"));
    QCOMPARE(page->leDiffExc->text(), QStringLiteral("Not measured"));
    QCOMPARE(page->leImbalance->text(), QStringLiteral("Not balanced"));
    page->pbIdentify->click();
    QCOMPARE(page->pbIdentify->text(), QStringLiteral("ON"));
    page->pbIdentify->click();
    QCOMPARE(page->pbIdentify->text(), QStringLiteral("OFF"));
    QCOMPARE(
        panel.description(), QStringLiteral("Orbisa 4830 - 16 Channel Signal Conditioning Unit"));
    QCOMPARE(panel.windowTitle(), QStringLiteral("Orbisa 4830 SCU (DEMO)"));
}

void tst_Translations::gainWarning()
{
    sc4830fp_fp panel;
    ModalAnswerer boxes;
    panel.chPages[0]->cbGain->setCurrentIndex(3);
    panel.masterGainChanged(0, 11);
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen[0].title, QStringLiteral("[[Warning]]"));
    QCOMPARE(boxes.seen[0].text, QStringLiteral("[[Total system gain 11000 is too high]]"));
}

void tst_Translations::catalogueIsComplete_data()
{
    QTest::addColumn<QString>("catalogue");
    QTest::addColumn<QString>("source"); // its template
    const QString dir = QStringLiteral(SFP_TRANSLATIONS_DIR "/");
    QTest::newRow("German") << dir + QStringLiteral("sc4830fp_de.ts")
                            << dir + QStringLiteral("sc4830fp.ts");
    QTest::newRow("German, the host")
        << dir + QStringLiteral("sfp-host_de.ts") << dir + QStringLiteral("sfp-host.ts");
}

void tst_Translations::catalogueIsComplete()
{
    QFETCH(QString, catalogue);
    QFETCH(QString, source);
    QMap<QString, Message> texts;
    QMap<QString, Message> translated;
    QVERIFY(readMessages(source, texts));
    QVERIFY(readMessages(catalogue, translated));
    QVERIFY(texts.size() > 50);

    // `make translations` brings a catalogue up to the template; then every text needs a
    // finished translation that keeps every placeholder.
    QCOMPARE(translated.keys(), texts.keys());
    for (auto it = translated.cbegin(); it != translated.cend(); ++it) {
        QVERIFY2(it->type.isEmpty() && !it->translation.isEmpty(), qPrintable(it.key()));
        QVERIFY2(placeholders(it->translation) == placeholders(it.key()), qPrintable(it.key()));
    }
}

// The host in German: its own words, a setup's summary, Qt's buttons in a file dialog it
// opens; the setup file's refusals through the panel's catalogue (here the pseudo one);
// and its lines for standard output and error in English all the same.
void tst_Translations::hostSpeaksGerman()
{
    const HostLanguage language { QLocale(QLocale::German, QLocale::Germany) };
    QVERIFY(language.hostTranslated());
    QVERIFY2(language.qtTranslated(), qPrintable(HostLanguage::qtTranslationsPath()));
    Simulation simulation { SimulationShape() };
    HostWindow window(simulation);
    QStringList words;
    for (QLabel *label : window.findChildren<QLabel *>())
        words << label->text();
    for (QAbstractButton *button : window.findChildren<QAbstractButton *>())
        words << button->text();
    for (const char *word : { "Ressource", "Verbinden", "Setup speichern...", "Setup laden...",
             "Simulation anzeigen", "Host-Protokoll", "Funktion", "Fehlschlagen" })
        QVERIFY2(words.contains(QString::fromUtf8(word)), word);

    cr2200fp_setupResult result;
    result.channels = { { 2, cr2200fp_channelOutcome::Applied, QString(), 0 },
        { 9, cr2200fp_channelOutcome::Skipped, QString(), 0 } };
    QCOMPARE(HostSetups::summary(QStringLiteral("/lab/bench.json"), result),
        QStringLiteral("Setup bench.json geladen.\nÜbernommen: Kanal 2\n"
                       "Übersprungen, nicht auf diesem Träger: Kanal 9"));
    {
        const SourceTexts english;
        QCOMPARE(HostSetups::problem(result.channels.at(1)),
            QStringLiteral("channel 9: skipped, the carrier has no such channel"));
    }
    QCOMPARE(HostSetups::problem(result.channels.at(1)),
        QStringLiteral("Kanal 9: übersprungen, der Träger hat keinen solchen Kanal"));
    cr2200fp_setup setup;
    QString error;
    QVERIFY(!cr2200fp_setupFile::parse("[]", QStringLiteral("f.json"), &setup, &error));
    QCOMPARE(error, QStringLiteral("f.json: [[not a setup file: the text is not a JSON object]]"));

    QStringList buttons;
    QTimer poll;
    connect(&poll, &QTimer::timeout, [&buttons] {
        if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
            for (QPushButton *button : dialog->findChildren<QPushButton *>())
                buttons << button->text();
            dialog->reject();
        }
    });
    poll.start(10);
    window.setups()->save();
    QVERIFY2(buttons.contains(QStringLiteral("Abbrechen")), qPrintable(buttons.join(',')));
}

QTEST_MAIN(tst_Translations)
#include "tst_translations.moc"
