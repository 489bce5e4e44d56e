<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
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
        <source>Sets and applies the channels a setup file names</source>
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
        <source>Loading %1 replaces the settings of the channels it names.
Do you want to load it?</source>
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
