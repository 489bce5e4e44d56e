<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>cr2200fp_app</name>
    <message>
        <source>&lt;html&gt;Starts the repetitive data acquisition (or continuous data acquisition, when file storage option is turned on)&lt;/html&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Active</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Green light means that the Soft Front Panel works
in Real (not Demo) mode.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Autoscale</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ON</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enables/disables plot autorescale feature</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Identify</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OFF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enables/disables visual identification mechanism</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Starts the single-shot data acquisition</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset Device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset the device to the default state</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show on-line help for Instrument Soft Front Panel components</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Displays &quot;About&quot; panel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close main panel and terminates program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Breaks the Single-Shot Data Acquisition</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Starts the Single-Shot Data Acquisition</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stops the Data Acquisition process</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Orbisa </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> SFP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you really want to exit?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Working with a real unit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Demonstration: no unit is attached</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Single-shot acquisition</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Continuous acquisition</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>What&apos;s This?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>cr2200fp_led</name>
    <message>
        <source>off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>third colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>on</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>cr2200fp_setupFile</name>
    <message>
        <source>line %1, column %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not true or false</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown key %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;excitation&quot; is not an object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;calibrations&quot; is not an object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;channel&quot; is missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;channel&quot; %1 is not a whole number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>entry %1 of &quot;channels&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not an object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>channel %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;format&quot; is not &quot;%1&quot;: not a setup file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>missing or not a number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;unit&quot; is missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>key %1 given twice in one object at %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not JSON at %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not a setup file: the text is not a JSON object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;channels&quot; is missing or not a list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>channel %1 is named twice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot be read: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>too large for a setup file (more than %1 bytes)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot be written: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;version&quot; %1 is not known to this build, which reads versions %2 to %3</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>sc4830fp_calibrationDialog</name>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Terminating, please wait...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calibration progress</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>sc4830fp_chCfg</name>
    <message>
        <source>Warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Total system gain %1 is too high</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Orbisa 4830 Calibration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Orbisa 4830 Warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channel %1 signal path calibration...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channel %1 excitation calibration...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channel %1 autobalance calibration...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please make sure that load is connected to all channels,
otherwise out of range error may occur.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please make sure that load is connected to channel %1,
otherwise out of range error may occur.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Front Panel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Voltage Ref.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channel %1 input source </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Full Bridge</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Half Bridge</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quarter Bridge 120</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quarter Bridge 350</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quarter Bridge User</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ICP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Differential Voltage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Single Ended Voltage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channel %1 mode selection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channel %1 coupling mode selection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>10</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>100</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1000</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channel %1 gain selection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channel %1 positive excitation voltage [V]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channel %1 negative excitation voltage [V]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channel %1 shunt selection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sets current channel&apos;s configuration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apply to all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sets current channel&apos;s configuration to others channels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input Source</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Coupling</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gain</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pos. Exc.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Volts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Neg. Exc.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shunt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Signal Path</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Starts channel %1 signal path calibration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Excitation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Starts channel %1 excitation calibration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Autobalance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Starts channel %1 autobalnce</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calibrate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Starts selected calibrations on channel %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calibrate All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Starts selected calibrations on all channels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calibration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read Excitation Voltage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reads Excitation volatge on channel %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Measured positive excitation voltage on channel %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Measured negative excitation voltage on channel %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Measured difference excitation voltage on channel %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Positive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Negative</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Difference</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Total path gain on channel %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channel %1 imbalance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Total Gain</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Imbalance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Excitation Current Limit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channel %1 excitation current limit status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ICP Current</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channel %1 ICP current status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Identification</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Indicates channel %1 identification</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OFF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When checked enables channel %1 identification</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Identification on, the lamp blinks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Identification off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Excitation current at its limit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Excitation current within its limit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ICP current in order</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ICP current fault</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ICP current not monitored (not in ICP mode or not read yet)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channel %1 identification</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The signal path calibration of channel %1 did not end and was stopped by force.
The unit&apos;s calibration state of channel %1 is unknown.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The excitation calibration of channel %1 did not end and was stopped by force.
The unit&apos;s calibration state of channel %1 is unknown.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The autobalance of channel %1 did not end and was stopped by force.
The unit&apos;s calibration state of channel %1 is unknown.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1; last state read, status not monitored</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Identification on, the lamp stays lit: status not monitored</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>sc4830fp_channelMarks</name>
    <message>
        <source>ICP current fault</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Excitation current limit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings not applied</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Identification on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calibrating</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status not monitored</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>sc4830fp_channelModel</name>
    <message>
        <source>Channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Attention</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>State</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last applied: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>At limit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Normal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fault</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Changed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refused</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not sent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Applied</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>sc4830fp_fp</name>
    <message>
        <source>Voltage Reference Monitor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ch %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ON</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OFF</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>sc4830fp_overview</name>
    <message>
        <source>All channels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apply changed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Revert changed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not set on %1: %2 %3 is not offered there.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refused by the unit: %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>sc4830fp_setup</name>
    <message>
        <source>channel %1, %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2 is not one of %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2 is not offered: the unit has no voltage reference</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2 is not one of 1, 10, 100, 1000</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2 V is outside %3 to %4 V</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: not offered: the unit has no voltage reference</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2 is not offered in mode %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: on is not offered in mode %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: not offered in mode %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: not offered with %2 coupling</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;unit&quot; is %1, not %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>channel %1 is outside 1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>channel %1 is named twice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2 is longer than %3 characters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2 holds a control character</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
