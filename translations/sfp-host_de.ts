<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>EarlierSettingsDialog</name>
    <message>
        <source>Earlier settings</source>
        <translation>Frühere Einstellungen</translation>
    </message>
    <message>
        <source>Before the apply at %1: the same as now</source>
        <translation>Vor dem Übernehmen um %1: wie jetzt</translation>
    </message>
    <message>
        <source>Before the apply at %1: channel %2 differ from now</source>
        <translation>Vor dem Übernehmen um %1: Kanal %2 weicht von jetzt ab</translation>
    </message>
    <message>
        <source>What the unit held before each of the last applies, newest first. The one chosen is set for review; nothing is sent before &quot;Apply changed&quot;.</source>
        <translation>Was die Einheit vor jedem der letzten Übernahmen hielt, das neueste zuerst. Das gewählte wird zur Prüfung gesetzt; nichts wird vor &quot;Geänderte übernehmen&quot; gesendet.</translation>
    </message>
    <message>
        <source>Review</source>
        <translation>Prüfen</translation>
    </message>
</context>
<context>
    <name>HostLog</name>
    <message>
        <source>Host log</source>
        <translation>Host-Protokoll</translation>
    </message>
    <message>
        <source>What the host did and every signal the panel emitted</source>
        <translation>Was der Host getan hat und jedes Signal, das die Bedienoberfläche gesendet hat</translation>
    </message>
</context>
<context>
    <name>HostSession</name>
    <message>
        <source>Resetting the device discards the settings of every channel.
Do you want to reset it?</source>
        <translation>Das Zurücksetzen des Geräts verwirft die Einstellungen aller Kanäle.
Wollen Sie es zurücksetzen?</translation>
    </message>
    <message>
        <source>Attaching to %1 discards the settings of every channel.
Do you want to attach to it?</source>
        <translation>Das Verbinden mit %1 verwirft die Einstellungen aller Kanäle.
Wollen Sie sich damit verbinden?</translation>
    </message>
</context>
<context>
    <name>HostSetups</name>
    <message>
        <source>Setups (*.json)</source>
        <translation>Setups (*.json)</translation>
    </message>
    <message>
        <source>Save setup...</source>
        <translation>Setup speichern...</translation>
    </message>
    <message>
        <source>Saves every channel&apos;s settings to a setup file</source>
        <translation>Speichert die Einstellungen aller Kanäle in einer Setup-Datei</translation>
    </message>
    <message>
        <source>Load setup...</source>
        <translation>Setup laden...</translation>
    </message>
    <message>
        <source>Save setup</source>
        <translation>Setup speichern</translation>
    </message>
    <message>
        <source>Load setup</source>
        <translation>Setup laden</translation>
    </message>
    <message>
        <source>the panel offers no setups</source>
        <translation>die Bedienoberfläche bietet keine Setups an</translation>
    </message>
    <message>
        <source>channel %1: refused, %2 answered 0x%3</source>
        <translation>Kanal %1: abgelehnt, %2 antwortete 0x%3</translation>
    </message>
    <message>
        <source>channel %1: skipped, the carrier has no such channel</source>
        <translation>Kanal %1: übersprungen, der Träger hat keinen solchen Kanal</translation>
    </message>
    <message>
        <source>channel %1: not applied, the panel was closed first</source>
        <translation>Kanal %1: nicht übernommen, die Bedienoberfläche wurde vorher geschlossen</translation>
    </message>
    <message>
        <source>Setup %1 loaded.</source>
        <translation>Setup %1 geladen.</translation>
    </message>
    <message>
        <source>Applied: none</source>
        <translation>Übernommen: keiner</translation>
    </message>
    <message>
        <source>Applied: channel %1</source>
        <translation>Übernommen: Kanal %1</translation>
    </message>
    <message>
        <source>Refused by the unit:
%1</source>
        <translation>Vom Gerät abgelehnt:
%1</translation>
    </message>
    <message>
        <source>Skipped, not on this carrier: channel %1</source>
        <translation>Übersprungen, nicht auf diesem Träger: Kanal %1</translation>
    </message>
    <message>
        <source>Orbisa %1 SFP</source>
        <translation>Orbisa %1 SFP</translation>
    </message>
    <message>
        <source>Sets the channels a setup file names for review; nothing is sent before &quot;Apply changed&quot;</source>
        <translation>Setzt die Kanäle, die eine Setup-Datei nennt, zur Prüfung; nichts wird vor &quot;Geänderte übernehmen&quot; gesendet</translation>
    </message>
    <message>
        <source>Reviewing %1, nothing sent yet. Channels that change: %2%3. Unchanged: %4. Skipped: %5. &quot;Apply changed&quot; sends them, &quot;Revert changed&quot; takes them back.</source>
        <translation>Prüfung von %1, noch nichts gesendet. Kanäle, die sich ändern: %2%3. Unverändert: %4. Übersprungen: %5. &quot;Geänderte übernehmen&quot; sendet sie, &quot;Geänderte zurücksetzen&quot; nimmt sie zurück.</translation>
    </message>
    <message>
        <source>Warning: the file was saved from %1, S/N %2; the attached unit is %3, S/N %4.</source>
        <translation>Warnung: Die Datei wurde an %1, S/N %2 gespeichert; angeschlossen ist %3, S/N %4.</translation>
    </message>
    <message>
        <source>an unnamed model</source>
        <translation>einem unbenannten Modell</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>unbekannt</translation>
    </message>
</context>
<context>
    <name>HostViews</name>
    <message>
        <source>Channel pages</source>
        <translation>Kanalseiten</translation>
    </message>
    <message>
        <source>Shows the panel&apos;s pages, one channel at a time (Ctrl+T)</source>
        <translation>Zeigt die Seiten des Panels, einen Kanal nach dem anderen (Strg+T)</translation>
    </message>
    <message>
        <source>All channels</source>
        <translation>Alle Kanäle</translation>
    </message>
    <message>
        <source>Shows every channel as a row of one table (Ctrl+T)</source>
        <translation>Zeigt jeden Kanal als Zeile einer Tabelle (Strg+T)</translation>
    </message>
    <message>
        <source>Apply changed</source>
        <translation>Geänderte übernehmen</translation>
    </message>
    <message>
        <source>Applies every channel the table shows as changed or refused</source>
        <translation>Übernimmt jeden Kanal, den die Tabelle als geändert oder abgelehnt zeigt</translation>
    </message>
</context>
<context>
    <name>HostWindow</name>
    <message>
        <source>sfp-host</source>
        <translation>sfp-host</translation>
    </message>
    <message>
        <source>Soft Front Panel Host</source>
        <translation>Soft-Front-Panel-Host</translation>
    </message>
    <message>
        <source>Host log</source>
        <translation>Host-Protokoll</translation>
    </message>
    <message>
        <source>The simulated carrier to attach the panel to</source>
        <translation>Der simulierte Träger, mit dem die Bedienoberfläche verbunden wird</translation>
    </message>
    <message>
        <source>Resource</source>
        <translation>Ressource</translation>
    </message>
    <message>
        <source>Attach</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <source>Attach to the chosen resource</source>
        <translation>Mit der gewählten Ressource verbinden</translation>
    </message>
    <message>
        <source>Replaces the panel by a new one attached to the resource chosen in the list</source>
        <translation>Ersetzt die Bedienoberfläche durch eine neue, die mit der in der Liste gewählten Ressource verbunden ist</translation>
    </message>
    <message>
        <source>Show simulation</source>
        <translation>Simulation anzeigen</translation>
    </message>
    <message>
        <source>Shows the console that drives the simulated unit</source>
        <translation>Zeigt die Konsole, die das simulierte Gerät steuert</translation>
    </message>
    <message>
        <source>sfp-host - %1</source>
        <translation>sfp-host - %1</translation>
    </message>
    <message>
        <source>Demonstration</source>
        <translation>Demonstration</translation>
    </message>
    <message>
        <source>The simulated resource the panel is attached to</source>
        <translation>Die simulierte Ressource, mit der die Bedienoberfläche verbunden ist</translation>
    </message>
    <message>
        <source>%1, S/N %2</source>
        <translation>%1, S/N %2</translation>
    </message>
    <message>
        <source>The unit&apos;s model and serial number</source>
        <translation>Modell und Seriennummer des Geräts</translation>
    </message>
    <message>
        <source>Orbisa %1 SFP</source>
        <translation>Orbisa %1 SFP</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;b&gt;sfp-host&lt;/b&gt;: a host for soft front panel plug-ins, run against a simulated carrier and unit.&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;b&gt;sfp-host&lt;/b&gt;: ein Host für Soft-Front-Panel-Plug-ins, betrieben mit einem simulierten Träger und Gerät.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;%1&lt;br&gt;Model %2, serial number %3, revision %4&lt;br&gt;File version %5, product version %6&lt;/p&gt;</source>
        <translation>&lt;p&gt;%1&lt;br&gt;Modell %2, Seriennummer %3, Revision %4&lt;br&gt;Dateiversion %5, Produktversion %6&lt;/p&gt;</translation>
    </message>
    <message>
        <source>About sfp-host</source>
        <translation>Über sfp-host</translation>
    </message>
    <message>
        <source>Earlier settings...</source>
        <translation>Frühere Einstellungen...</translation>
    </message>
    <message>
        <source>Loading %1 replaces the settings of the channels it names.
Do you want to load it?</source>
        <translation>Das Laden von %1 ersetzt die Einstellungen der Kanäle, die es nennt.
Wollen Sie es laden?</translation>
    </message>
    <message>
        <source>settings before %1</source>
        <translation>Einstellungen vor %1</translation>
    </message>
    <message>
        <source>Lists what the unit held before each of the last applies, to review one (Ctrl+E)</source>
        <translation>Listet, was die Einheit vor jedem der letzten Übernahmen hielt, um eines zu prüfen (Strg+E)</translation>
    </message>
    <message>
        <source>None yet: the unit&apos;s settings are kept here from the first apply that changes them (Ctrl+E)</source>
        <translation>Noch keine: Die Einstellungen der Einheit werden ab dem ersten Übernehmen, das sie ändert, hier aufbewahrt (Strg+E)</translation>
    </message>
</context>
<context>
    <name>SimulationConsole</name>
    <message>
        <source>Simulation</source>
        <translation>Simulation</translation>
    </message>
    <message>
        <source>The simulated unit behind the panel: not part of the panel</source>
        <translation>Das simulierte Gerät hinter der Bedienoberfläche: nicht Teil der Bedienoberfläche</translation>
    </message>
    <message>
        <source>Ch</source>
        <translation>Kanal</translation>
    </message>
    <message>
        <source>ICP</source>
        <translation>ICP</translation>
    </message>
    <message>
        <source>Exc. limit</source>
        <translation>Speisegrenze</translation>
    </message>
    <message>
        <source>ICP Ch %1</source>
        <translation>ICP Kanal %1</translation>
    </message>
    <message>
        <source>ICP status bit %1 (Ch %2)</source>
        <translation>ICP-Statusbit %1 (Kanal %2)</translation>
    </message>
    <message>
        <source>Excitation limit Ch %1</source>
        <translation>Speisegrenze Kanal %1</translation>
    </message>
    <message>
        <source>Excitation current limit bit %1 (Ch %2)</source>
        <translation>Bit %1 der Speisestrombegrenzung (Kanal %2)</translation>
    </message>
    <message>
        <source>Status words</source>
        <translation>Statuswörter</translation>
    </message>
    <message>
        <source>Carrier error (0xBFFC0B12)</source>
        <translation>Trägerfehler (0xBFFC0B12)</translation>
    </message>
    <message>
        <source>Error (%1)</source>
        <translation>Fehler (%1)</translation>
    </message>
    <message>
        <source>Warning (%1)</source>
        <translation>Warnung (%1)</translation>
    </message>
    <message>
        <source>Always</source>
        <translation>Immer</translation>
    </message>
    <message>
        <source>Fail every call until cleared, not only the next one</source>
        <translation>Jeder Aufruf schlägt fehl, bis es aufgehoben wird, nicht nur der nächste</translation>
    </message>
    <message>
        <source>Fail</source>
        <translation>Fehlschlagen</translation>
    </message>
    <message>
        <source>Clear all</source>
        <translation>Alle aufheben</translation>
    </message>
    <message>
        <source>The code sc4830_getFCLastError gives after a carrier error</source>
        <translation>Der Code, den sc4830_getFCLastError nach einem Trägerfehler liefert</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>Setzen</translation>
    </message>
    <message>
        <source>Function</source>
        <translation>Funktion</translation>
    </message>
    <message>
        <source>Answer</source>
        <translation>Antwort</translation>
    </message>
    <message>
        <source>Carrier code</source>
        <translation>Trägercode</translation>
    </message>
    <message>
        <source>Failures</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source> ms</source>
        <translation> ms</translation>
    </message>
    <message>
        <source>Every driver call waits this long before it answers</source>
        <translation>Jeder Treiberaufruf wartet so lange, bevor er antwortet</translation>
    </message>
    <message>
        <source>Call latency</source>
        <translation>Aufrufverzögerung</translation>
    </message>
    <message>
        <source>Calibration time</source>
        <translation>Kalibrierdauer</translation>
    </message>
    <message>
        <source>Timing</source>
        <translation>Zeitverhalten</translation>
    </message>
    <message>
        <source>Calibrations hang</source>
        <translation>Kalibrierungen hängen</translation>
    </message>
    <message>
        <source>Calibration calls block until released, or for the time given</source>
        <translation>Kalibrieraufrufe blockieren bis zur Freigabe oder für die angegebene Zeit</translation>
    </message>
    <message>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <source>until released</source>
        <translation>bis zur Freigabe</translation>
    </message>
    <message>
        <source>A hanging calibration returns by itself after this time (while the panel&apos;s progress dialog keeps the console out of reach)</source>
        <translation>Eine hängende Kalibrierung kehrt nach dieser Zeit von selbst zurück (solange der Fortschrittsdialog der Bedienoberfläche die Konsole unerreichbar macht)</translation>
    </message>
    <message>
        <source>Release</source>
        <translation>Freigeben</translation>
    </message>
    <message>
        <source>Hang time</source>
        <translation>Hängezeit</translation>
    </message>
    <message>
        <source>Call log</source>
        <translation>Aufrufprotokoll</translation>
    </message>
    <message numerus="yes">
        <source>%n call(s)</source>
        <translation>
            <numerusform>%n Aufruf</numerusform>
            <numerusform>%n Aufrufe</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hanging</source>
        <translation>
            <numerusform>%n hängend</numerusform>
            <numerusform>%n hängend</numerusform>
        </translation>
    </message>
</context>
</TS>
