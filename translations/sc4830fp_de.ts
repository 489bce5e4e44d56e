<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>cr2200fp_app</name>
    <message>
        <source>&lt;html&gt;Starts the repetitive data acquisition (or continuous data acquisition, when file storage option is turned on)&lt;/html&gt;</source>
        <translation>&lt;html&gt;Startet die wiederholte Datenerfassung (oder die kontinuierliche Datenerfassung, wenn die Dateispeicherung eingeschaltet ist)&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>Aktiv</translation>
    </message>
    <message>
        <source>Green light means that the Soft Front Panel works
in Real (not Demo) mode.</source>
        <translation>Grünes Licht bedeutet, dass das Soft Front Panel
im Messbetrieb (nicht im Demobetrieb) arbeitet.</translation>
    </message>
    <message>
        <source>Working with a real unit</source>
        <translation>Messbetrieb mit angeschlossenem Gerät</translation>
    </message>
    <message>
        <source>Demonstration: no unit is attached</source>
        <translation>Demonstration: kein Gerät angeschlossen</translation>
    </message>
    <message>
        <source>Autoscale</source>
        <translation>Autoskalierung</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>EIN</translation>
    </message>
    <message>
        <source>Enables/disables plot autorescale feature</source>
        <translation>Schaltet die automatische Skalierung der Darstellung ein oder aus</translation>
    </message>
    <message>
        <source>Identify</source>
        <translation>Identifizieren</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>AUS</translation>
    </message>
    <message>
        <source>Enables/disables visual identification mechanism</source>
        <translation>Schaltet die optische Identifikation ein oder aus</translation>
    </message>
    <message>
        <source>Starts the single-shot data acquisition</source>
        <translation>Startet die Einzelerfassung</translation>
    </message>
    <message>
        <source>Single-shot acquisition</source>
        <translation>Einzelerfassung</translation>
    </message>
    <message>
        <source>Continuous acquisition</source>
        <translation>Kontinuierliche Erfassung</translation>
    </message>
    <message>
        <source>Reset Device</source>
        <translation>Gerät zurücksetzen</translation>
    </message>
    <message>
        <source>Reset the device to the default state</source>
        <translation>Setzt das Gerät in den Grundzustand zurück</translation>
    </message>
    <message>
        <source>What&apos;s This?</source>
        <translation>Direkthilfe</translation>
    </message>
    <message>
        <source>Show on-line help for Instrument Soft Front Panel components</source>
        <translation>Zeigt die Online-Hilfe zu den Teilen des Soft Front Panel</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Displays &quot;About&quot; panel</source>
        <translation>Zeigt das Fenster „Über“</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Close main panel and terminates program</source>
        <translation>Schließt das Hauptfenster und beendet das Programm</translation>
    </message>
    <message>
        <source>Breaks the Single-Shot Data Acquisition</source>
        <translation>Bricht die Einzelerfassung ab</translation>
    </message>
    <message>
        <source>Starts the Single-Shot Data Acquisition</source>
        <translation>Startet die Einzelerfassung</translation>
    </message>
    <message>
        <source>Stops the Data Acquisition process</source>
        <translation>Beendet die Datenerfassung</translation>
    </message>
    <message>
        <source>Orbisa </source>
        <translation>Orbisa </translation>
    </message>
    <message>
        <source> SFP</source>
        <translation> SFP</translation>
    </message>
    <message>
        <source>Do you really want to exit?</source>
        <translation>Wollen Sie das Programm wirklich beenden?</translation>
    </message>
</context>
<context>
    <name>cr2200fp_led</name>
    <message>
        <source>off</source>
        <translation>aus</translation>
    </message>
    <message>
        <source>third colour</source>
        <translation>dritte Farbe</translation>
    </message>
    <message>
        <source>on</source>
        <translation>ein</translation>
    </message>
</context>
<context>
    <name>cr2200fp_setupFile</name>
    <message>
        <source>line %1, column %2</source>
        <translation>Zeile %1, Spalte %2</translation>
    </message>
    <message>
        <source>%1 is not a text</source>
        <translation>%1 ist kein Text</translation>
    </message>
    <message>
        <source>%1 is not true or false</source>
        <translation>%1 ist weder true noch false</translation>
    </message>
    <message>
        <source>%1 is not a number</source>
        <translation>%1 ist keine Zahl</translation>
    </message>
    <message>
        <source>unknown key %1</source>
        <translation>unbekannter Schlüssel %1</translation>
    </message>
    <message>
        <source>&quot;excitation&quot; is not an object</source>
        <translation>&quot;excitation&quot; ist kein Objekt</translation>
    </message>
    <message>
        <source>&quot;calibrations&quot; is not an object</source>
        <translation>&quot;calibrations&quot; ist kein Objekt</translation>
    </message>
    <message>
        <source>&quot;channel&quot; is missing</source>
        <translation>&quot;channel&quot; fehlt</translation>
    </message>
    <message>
        <source>&quot;channel&quot; %1 is not a whole number</source>
        <translation>&quot;channel&quot; %1 ist keine ganze Zahl</translation>
    </message>
    <message>
        <source>entry %1 of &quot;channels&quot;</source>
        <translation>Eintrag %1 von &quot;channels&quot;</translation>
    </message>
    <message>
        <source>not an object</source>
        <translation>kein Objekt</translation>
    </message>
    <message>
        <source>channel %1</source>
        <translation>Kanal %1</translation>
    </message>
    <message>
        <source>&quot;format&quot; is not &quot;%1&quot;: not a setup file</source>
        <translation>&quot;format&quot; ist nicht &quot;%1&quot;: keine Setup-Datei</translation>
    </message>
    <message>
        <source>missing or not a number</source>
        <translation>fehlt oder ist keine Zahl</translation>
    </message>
    <message>
        <source>&quot;unit&quot; is missing</source>
        <translation>&quot;unit&quot; fehlt</translation>
    </message>
    <message>
        <source>key %1 given twice in one object at %2</source>
        <translation>Schlüssel %1 zweimal in einem Objekt angegeben, bei %2</translation>
    </message>
    <message>
        <source>not JSON at %1: %2</source>
        <translation>kein JSON bei %1: %2</translation>
    </message>
    <message>
        <source>not a setup file: the text is not a JSON object</source>
        <translation>keine Setup-Datei: der Text ist kein JSON-Objekt</translation>
    </message>
    <message>
        <source>&quot;channels&quot; is missing or not a list</source>
        <translation>&quot;channels&quot; fehlt oder ist keine Liste</translation>
    </message>
    <message>
        <source>channel %1 is named twice</source>
        <translation>Kanal %1 ist zweimal angegeben</translation>
    </message>
    <message>
        <source>cannot be read: %1</source>
        <translation>kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>too large for a setup file (more than %1 bytes)</source>
        <translation>zu groß für eine Setup-Datei (mehr als %1 Byte)</translation>
    </message>
    <message>
        <source>cannot be written: %1</source>
        <translation>kann nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>&quot;version&quot; %1 is not known to this build, which reads versions %2 to %3</source>
        <translation>&quot;version&quot; %1 ist diesem Programmstand unbekannt, er liest die Versionen %2 bis %3</translation>
    </message>
</context>
<context>
    <name>sc4830fp_calibrationDialog</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Terminating, please wait...</source>
        <translation>Wird beendet, bitte warten...</translation>
    </message>
    <message>
        <source>Calibration progress</source>
        <translation>Kalibrierfortschritt</translation>
    </message>
</context>
<context>
    <name>sc4830fp_chCfg</name>
    <message>
        <source>Channel %1 signal path calibration...</source>
        <translation>Kanal %1: Kalibrierung des Signalpfads...</translation>
    </message>
    <message>
        <source>The signal path calibration of channel %1 did not end and was stopped by force.
The unit&apos;s calibration state of channel %1 is unknown.</source>
        <translation>Die Kalibrierung des Signalpfads von Kanal %1 endete nicht und wurde zwangsweise abgebrochen.
Der Kalibrierzustand des Geräts für Kanal %1 ist unbekannt.</translation>
    </message>
    <message>
        <source>Channel %1 excitation calibration...</source>
        <translation>Kanal %1: Kalibrierung der Brückenspeisung...</translation>
    </message>
    <message>
        <source>The excitation calibration of channel %1 did not end and was stopped by force.
The unit&apos;s calibration state of channel %1 is unknown.</source>
        <translation>Die Kalibrierung der Brückenspeisung von Kanal %1 endete nicht und wurde zwangsweise abgebrochen.
Der Kalibrierzustand des Geräts für Kanal %1 ist unbekannt.</translation>
    </message>
    <message>
        <source>Channel %1 autobalance calibration...</source>
        <translation>Kanal %1: Nullabgleich...</translation>
    </message>
    <message>
        <source>The autobalance of channel %1 did not end and was stopped by force.
The unit&apos;s calibration state of channel %1 is unknown.</source>
        <translation>Der Nullabgleich von Kanal %1 endete nicht und wurde zwangsweise abgebrochen.
Der Kalibrierzustand des Geräts für Kanal %1 ist unbekannt.</translation>
    </message>
    <message>
        <source>Orbisa 4830 Calibration</source>
        <translation>Orbisa 4830 Kalibrierung</translation>
    </message>
    <message>
        <source>Please make sure that load is connected to channel %1,
otherwise out of range error may occur.</source>
        <translation>Bitte stellen Sie sicher, dass an Kanal %1 eine Last angeschlossen ist,
sonst kann eine Messbereichsüberschreitung gemeldet werden.</translation>
    </message>
    <message>
        <source>Please make sure that load is connected to all channels,
otherwise out of range error may occur.</source>
        <translation>Bitte stellen Sie sicher, dass an allen Kanälen eine Last angeschlossen ist,
sonst kann eine Messbereichsüberschreitung gemeldet werden.</translation>
    </message>
    <message>
        <source>Orbisa 4830 Warning</source>
        <translation>Orbisa 4830 Warnung</translation>
    </message>
    <message>
        <source>Volts</source>
        <translation>Volt</translation>
    </message>
    <message>
        <source>Identification on, the lamp blinks</source>
        <translation>Identifikation ein, die Lampe blinkt</translation>
    </message>
    <message>
        <source>Identification off</source>
        <translation>Identifikation aus</translation>
    </message>
    <message>
        <source>Front Panel</source>
        <translation>Frontplatte</translation>
    </message>
    <message>
        <source>Voltage Ref.</source>
        <translation>Referenzspannung</translation>
    </message>
    <message>
        <source>Channel %1 input source </source>
        <translation>Eingangsquelle von Kanal %1</translation>
    </message>
    <message>
        <source>Full Bridge</source>
        <translation>Vollbrücke</translation>
    </message>
    <message>
        <source>Half Bridge</source>
        <translation>Halbbrücke</translation>
    </message>
    <message>
        <source>Quarter Bridge 120</source>
        <translation>Viertelbrücke 120</translation>
    </message>
    <message>
        <source>Quarter Bridge 350</source>
        <translation>Viertelbrücke 350</translation>
    </message>
    <message>
        <source>Quarter Bridge User</source>
        <translation>Viertelbrücke benutzerdef.</translation>
    </message>
    <message>
        <source>ICP</source>
        <translation>ICP</translation>
    </message>
    <message>
        <source>Differential Voltage</source>
        <translation>Differenzspannung</translation>
    </message>
    <message>
        <source>Single Ended Voltage</source>
        <translation>Massebezogene Spannung</translation>
    </message>
    <message>
        <source>Channel %1 mode selection</source>
        <translation>Betriebsart von Kanal %1</translation>
    </message>
    <message>
        <source>AC</source>
        <translation>AC</translation>
    </message>
    <message>
        <source>DC</source>
        <translation>DC</translation>
    </message>
    <message>
        <source>Channel %1 coupling mode selection</source>
        <translation>Kopplung von Kanal %1</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>10</source>
        <translation>10</translation>
    </message>
    <message>
        <source>100</source>
        <translation>100</translation>
    </message>
    <message>
        <source>1000</source>
        <translation>1000</translation>
    </message>
    <message>
        <source>Channel %1 gain selection</source>
        <translation>Verstärkung von Kanal %1</translation>
    </message>
    <message>
        <source>Channel %1 positive excitation voltage [V]</source>
        <translation>Positive Brückenspeisespannung von Kanal %1 [V]</translation>
    </message>
    <message>
        <source>Channel %1 negative excitation voltage [V]</source>
        <translation>Negative Brückenspeisespannung von Kanal %1 [V]</translation>
    </message>
    <message>
        <source>Channel %1 shunt selection</source>
        <translation>Shunt-Kalibrierung von Kanal %1</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <source>Sets current channel&apos;s configuration</source>
        <translation>Überträgt die Konfiguration dieses Kanals zum Gerät</translation>
    </message>
    <message>
        <source>Apply to all</source>
        <translation>Für alle übernehmen</translation>
    </message>
    <message>
        <source>Sets current channel&apos;s configuration to others channels</source>
        <translation>Überträgt die Konfiguration dieses Kanals auf die anderen Kanäle</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Konfiguration</translation>
    </message>
    <message>
        <source>Input Source</source>
        <translation>Eingangsquelle</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Betriebsart</translation>
    </message>
    <message>
        <source>Coupling</source>
        <translation>Kopplung</translation>
    </message>
    <message>
        <source>Gain</source>
        <translation>Verstärkung</translation>
    </message>
    <message>
        <source>Pos. Exc.</source>
        <translation>Pos. Speisung</translation>
    </message>
    <message>
        <source>Neg. Exc.</source>
        <translation>Neg. Speisung</translation>
    </message>
    <message>
        <source>Shunt</source>
        <translation>Shunt</translation>
    </message>
    <message>
        <source>Signal Path</source>
        <translation>Signalpfad</translation>
    </message>
    <message>
        <source>Starts channel %1 signal path calibration</source>
        <translation>Startet die Kalibrierung des Signalpfads von Kanal %1</translation>
    </message>
    <message>
        <source>Excitation</source>
        <translation>Speisung</translation>
    </message>
    <message>
        <source>Starts channel %1 excitation calibration</source>
        <translation>Startet die Kalibrierung der Brückenspeisung von Kanal %1</translation>
    </message>
    <message>
        <source>Autobalance</source>
        <translation>Nullabgleich</translation>
    </message>
    <message>
        <source>Starts channel %1 autobalnce</source>
        <translation>Startet den Nullabgleich von Kanal %1</translation>
    </message>
    <message>
        <source>Calibrate</source>
        <translation>Kalibrieren</translation>
    </message>
    <message>
        <source>Starts selected calibrations on channel %1</source>
        <translation>Startet die gewählten Kalibrierungen von Kanal %1</translation>
    </message>
    <message>
        <source>Calibrate All</source>
        <translation>Alle kalibrieren</translation>
    </message>
    <message>
        <source>Starts selected calibrations on all channels</source>
        <translation>Startet die gewählten Kalibrierungen aller Kanäle</translation>
    </message>
    <message>
        <source>Calibration</source>
        <translation>Kalibrierung</translation>
    </message>
    <message>
        <source>Read Excitation Voltage</source>
        <translation>Speisespannung messen</translation>
    </message>
    <message>
        <source>Reads Excitation volatge on channel %1</source>
        <translation>Misst die Brückenspeisespannung von Kanal %1</translation>
    </message>
    <message>
        <source>Measured positive excitation voltage on channel %1</source>
        <translation>Gemessene positive Brückenspeisespannung von Kanal %1</translation>
    </message>
    <message>
        <source>Measured negative excitation voltage on channel %1</source>
        <translation>Gemessene negative Brückenspeisespannung von Kanal %1</translation>
    </message>
    <message>
        <source>Measured difference excitation voltage on channel %1</source>
        <translation>Gemessene Brückenspeisespannung von Kanal %1 (Differenz)</translation>
    </message>
    <message>
        <source>Positive</source>
        <translation>Positiv</translation>
    </message>
    <message>
        <source>Negative</source>
        <translation>Negativ</translation>
    </message>
    <message>
        <source>Difference</source>
        <translation>Differenz</translation>
    </message>
    <message>
        <source>Total path gain on channel %1</source>
        <translation>Gesamtverstärkung des Signalpfads von Kanal %1</translation>
    </message>
    <message>
        <source>Channel %1 imbalance</source>
        <translation>Brückenverstimmung von Kanal %1</translation>
    </message>
    <message>
        <source>Total Gain</source>
        <translation>Gesamtverstärkung</translation>
    </message>
    <message>
        <source>Imbalance</source>
        <translation>Verstimmung</translation>
    </message>
    <message>
        <source>Excitation Current Limit</source>
        <translation>Speisestrombegrenzung</translation>
    </message>
    <message>
        <source>Channel %1 excitation current limit status</source>
        <translation>Speisestrombegrenzung von Kanal %1</translation>
    </message>
    <message>
        <source>ICP Current</source>
        <translation>ICP-Strom</translation>
    </message>
    <message>
        <source>Channel %1 ICP current status</source>
        <translation>ICP-Strom von Kanal %1</translation>
    </message>
    <message>
        <source>Excitation current at its limit</source>
        <translation>Speisestrom an der Begrenzung</translation>
    </message>
    <message>
        <source>Excitation current within its limit</source>
        <translation>Speisestrom unterhalb der Begrenzung</translation>
    </message>
    <message>
        <source>ICP current in order</source>
        <translation>ICP-Strom in Ordnung</translation>
    </message>
    <message>
        <source>ICP current fault</source>
        <translation>ICP-Stromfehler</translation>
    </message>
    <message>
        <source>ICP current not monitored (not in ICP mode or not read yet)</source>
        <translation>ICP-Strom nicht überwacht (nicht in Betriebsart ICP oder noch nicht gelesen)</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Identification</source>
        <translation>Identifikation</translation>
    </message>
    <message>
        <source>Indicates channel %1 identification</source>
        <translation>Zeigt die Identifikation von Kanal %1 an</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>AUS</translation>
    </message>
    <message>
        <source>When checked enables channel %1 identification</source>
        <translation>Eingedrückt: Identifikation von Kanal %1 eingeschaltet</translation>
    </message>
    <message>
        <source>Channel %1 identification</source>
        <translation>Identifikation von Kanal %1</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Total system gain %1 is too high</source>
        <translation>Gesamtverstärkung des Systems %1 ist zu hoch</translation>
    </message>
    <message>
        <source>%1; last state read, status not monitored</source>
        <translation>%1; zuletzt gelesener Zustand, Status wird nicht überwacht</translation>
    </message>
    <message>
        <source>Identification on, the lamp stays lit: status not monitored</source>
        <translation>Identifikation ein, die Lampe leuchtet dauerhaft: Status wird nicht überwacht</translation>
    </message>
</context>
<context>
    <name>sc4830fp_channelMarks</name>
    <message>
        <source>ICP current fault</source>
        <translation>ICP-Stromfehler</translation>
    </message>
    <message>
        <source>Excitation current limit</source>
        <translation>Speisestrombegrenzung</translation>
    </message>
    <message>
        <source>Settings not applied</source>
        <translation>Einstellungen nicht übernommen</translation>
    </message>
    <message>
        <source>Identification on</source>
        <translation>Identifikation ein</translation>
    </message>
    <message>
        <source>Calibrating</source>
        <translation>Kalibrierung läuft</translation>
    </message>
    <message>
        <source>Status not monitored</source>
        <translation>Status wird nicht überwacht</translation>
    </message>
</context>
<context>
    <name>sc4830fp_channelModel</name>
    <message>
        <source>Channel</source>
        <translation>Kanal</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Attention</source>
        <translation>Hinweise</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Zustand</translation>
    </message>
    <message>
        <source>Last applied: %1</source>
        <translation>Zuletzt übernommen: %1</translation>
    </message>
    <message>
        <source>At limit</source>
        <translation>An der Grenze</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Fault</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Changed</source>
        <translation>Geändert</translation>
    </message>
    <message>
        <source>Refused</source>
        <translation>Abgelehnt</translation>
    </message>
    <message>
        <source>Not sent</source>
        <translation>Nicht gesendet</translation>
    </message>
    <message>
        <source>Applied</source>
        <translation>Übernommen</translation>
    </message>
</context>
<context>
    <name>sc4830fp_fp</name>
    <message>
        <source>Voltage Reference Monitor</source>
        <translation>Referenzspannungsmonitor</translation>
    </message>
    <message>
        <source>Ch %1</source>
        <translation>Kanal %1</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>EIN</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>AUS</translation>
    </message>
</context>
<context>
    <name>sc4830fp_overview</name>
    <message>
        <source>All channels</source>
        <translation>Alle Kanäle</translation>
    </message>
    <message>
        <source>Apply changed</source>
        <translation>Geänderte übernehmen</translation>
    </message>
    <message>
        <source>Revert changed</source>
        <translation>Geänderte zurücksetzen</translation>
    </message>
    <message>
        <source>Not set on %1: %2 %3 is not offered there.</source>
        <translation>Nicht gesetzt auf %1: %2 %3 wird dort nicht angeboten.</translation>
    </message>
    <message>
        <source>Refused by the unit: %1.</source>
        <translation>Vom Gerät abgelehnt: %1.</translation>
    </message>
</context>
<context>
    <name>sc4830fp_setup</name>
    <message>
        <source>channel %1, %2</source>
        <translation>Kanal %1, %2</translation>
    </message>
    <message>
        <source>%1: %2 is not one of %3</source>
        <translation>%1: %2 ist keiner der Werte %3</translation>
    </message>
    <message>
        <source>%1: %2 is not offered: the unit has no voltage reference</source>
        <translation>%1: %2 ist nicht verfügbar: das Gerät hat keine Referenzspannung</translation>
    </message>
    <message>
        <source>%1: %2 is not one of 1, 10, 100, 1000</source>
        <translation>%1: %2 ist keiner der Werte 1, 10, 100, 1000</translation>
    </message>
    <message>
        <source>%1: %2 V is outside %3 to %4 V</source>
        <translation>%1: %2 V liegt außerhalb von %3 bis %4 V</translation>
    </message>
    <message>
        <source>%1: not offered: the unit has no voltage reference</source>
        <translation>%1: nicht verfügbar: das Gerät hat keine Referenzspannung</translation>
    </message>
    <message>
        <source>%1: %2 is not offered in mode %3</source>
        <translation>%1: %2 ist in der Betriebsart %3 nicht verfügbar</translation>
    </message>
    <message>
        <source>%1: on is not offered in mode %2</source>
        <translation>%1: ein ist in der Betriebsart %2 nicht verfügbar</translation>
    </message>
    <message>
        <source>%1: not offered in mode %2</source>
        <translation>%1: in der Betriebsart %2 nicht verfügbar</translation>
    </message>
    <message>
        <source>%1: not offered with %2 coupling</source>
        <translation>%1: bei %2-Kopplung nicht verfügbar</translation>
    </message>
    <message>
        <source>&quot;unit&quot; is %1, not %2</source>
        <translation>&quot;unit&quot; ist %1, nicht %2</translation>
    </message>
    <message>
        <source>channel %1 is outside 1 to %2</source>
        <translation>Kanal %1 liegt außerhalb von 1 bis %2</translation>
    </message>
    <message>
        <source>channel %1 is named twice</source>
        <translation>Kanal %1 ist zweimal angegeben</translation>
    </message>
    <message>
        <source>%1: %2 is longer than %3 characters</source>
        <translation>%1: %2 ist länger als %3 Zeichen</translation>
    </message>
    <message>
        <source>%1: %2 holds a control character</source>
        <translation>%1: %2 enthält ein Steuerzeichen</translation>
    </message>
</context>
</TS>
