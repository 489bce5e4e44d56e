<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>EarlierSettingsDialog</name>
    <message>
        <source>Earlier settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Before the apply at %1: the same as now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Before the apply at %1: channel %2 differ from now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>What the unit held before each of the last applies, newest first. The one chosen is set for review; nothing is sent before &quot;Apply changed&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Review</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HostLog</name>
    <message>
        <source>Host log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>What the host did and every signal the panel emitted</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HostSession</name>
    <message>
        <source>Resetting the device discards the settings of every channel.
Do you want to reset it?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Attaching to %1 discards the settings of every channel.
Do you want to attach to it?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HostSetups</name>
    <message>
        <source>Setups (*.json)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save setup...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saves every channel&apos;s settings to a setup file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load setup...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save setup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load setup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the panel offers no setups</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>channel %1: refused, %2 answered 0x%3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>channel %1: skipped, the carrier has no such channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>channel %1: not applied, the panel was closed first</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Setup %1 loaded.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Applied: none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Applied: channel %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refused by the unit:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skipped, not on this carrier: channel %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Orbisa %1 SFP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sets the channels a setup file names for review; nothing is sent before &quot;Apply changed&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reviewing %1, nothing sent yet. Channels that change: %2%3. Unchanged: %4. Skipped: %5. &quot;Apply changed&quot; sends them, &quot;Revert changed&quot; takes them back.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning: the file was saved from %1, S/N %2; the attached unit is %3, S/N %4.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>an unnamed model</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HostViews</name>
    <message>
        <source>Channel pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shows the panel&apos;s pages, one channel at a time (Ctrl+T)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All channels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shows every channel as a row of one table (Ctrl+T)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apply changed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Applies every channel the table shows as changed or refused</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HostWindow</name>
    <message>
        <source>sfp-host</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Soft Front Panel Host</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Host log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The simulated carrier to attach the panel to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resource</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Attach</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Attach to the chosen resource</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replaces the panel by a new one attached to the resource chosen in the list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show simulation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shows the console that drives the simulated unit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sfp-host - %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Demonstration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The simulated resource the panel is attached to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, S/N %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The unit&apos;s model and serial number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Orbisa %1 SFP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;b&gt;sfp-host&lt;/b&gt;: a host for soft front panel plug-ins, run against a simulated carrier and unit.&lt;/p&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;p&gt;%1&lt;br&gt;Model %2, serial number %3, revision %4&lt;br&gt;File version %5, product version %6&lt;/p&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About sfp-host</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Earlier settings...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loading %1 replaces the settings of the channels it names.
Do you want to load it?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>settings before %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lists what the unit held before each of the last applies, to review one (Ctrl+E)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None yet: the unit&apos;s settings are kept here from the first apply that changes them (Ctrl+E)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SimulationConsole</name>
    <message>
        <source>Simulation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The simulated unit behind the panel: not part of the panel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ICP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exc. limit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ICP Ch %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ICP status bit %1 (Ch %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Excitation limit Ch %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Excitation current limit bit %1 (Ch %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status words</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Carrier error (0xBFFC0B12)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Always</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fail every call until cleared, not only the next one</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fail</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The code sc4830_getFCLastError gives after a carrier error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Function</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Answer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Carrier code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failures</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every driver call waits this long before it answers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Call latency</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calibration time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Timing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calibrations hang</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calibration calls block until released, or for the time given</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>until released</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A hanging calibration returns by itself after this time (while the panel&apos;s progress dialog keeps the console out of reach)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Release</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hang time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Call log</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n call(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hanging</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
</context>
</TS>
