#ifndef SFP_SIMULATEDRESOURCES_H
#define SFP_SIMULATEDRESOURCES_H

#include <QString>
#include <QStringList>

// The VISA resource names under which sfp-host offers its simulated carrier, in the
// order the shared library's resourceLessThan gives them (TCPIP addresses by number, so
// 192.168.0.2 before 192.168.0.10; VXI and GPIB by board).
QStringList simulatedResources();

// The resource the host attaches to first.
QString defaultResource();

#endif // SFP_SIMULATEDRESOURCES_H
