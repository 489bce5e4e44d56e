#ifndef CR2200FP_SCUINTERFACE_H
#define CR2200FP_SCUINTERFACE_H

#include <QObject>
#include <QString>
#include <QWidget>

#include <visa.h>

// The two interfaces that a host front-panel application and a signal conditioning unit
// plug-in share. The host calls the panel's operations through the virtual table and
// connects to its signals and slots by signature, so the order of the virtual operations
// below and the signatures and parameter names in the meta-objects are a binary contract:
// change nothing here without changing every host.

// A signal conditioning unit's front panel, created by the plug-in's factory and embedded
// by the host. Called on the host's GUI thread only.
class cr2200fp_scuInterface : public QWidget
{
    Q_OBJECT

public:
    // Stores the carrier's VISA session (0: none, the panel runs as a demonstration),
    // its model code and a further value. Call first.
    virtual void setMaster(ViSession masterVi, ViUInt16 carrierModel, ViUInt16 carrierAux) = 0;
    // True if the carrier model given by setMaster() can carry this unit.
    virtual bool isCarrierSupported() = 0;
    // Probes the carrier for the unit; true without a carrier session. No side effects.
    virtual bool detectUnit() = 0;
    // Attaches to the unit (once per panel). Always true; failures are reported.
    virtual bool initUnit() = 0;
    virtual bool isReady() { return true; }
    virtual QString description() = 0;
    virtual QString model() = 0;
    virtual QString serialNumber() = 0;
    virtual QString revision() = 0;
    virtual QString fileVersion() = 0;
    virtual QString productVersion() = 0;

signals:
    // The unit's gain (1, 10, 100 or 1000) of channel chIdx (0-based) has been applied.
    void gainChanged(int chIdx, ViReal64 gain);

public slots:
    // The host's own gain factor in front of channel chIdx (0-based).
    virtual void masterGainChanged(int chIdx, int gainValue) = 0;
    // Enables (non-zero) or disables channel chIdx's page (0-based).
    virtual void masterChannelEnabled(int chIdx, int enable) = 0;

protected:
    explicit cr2200fp_scuInterface(QWidget *parent = nullptr)
        : QWidget(parent)
    {
    }
};

// The plug-in's factory, reached through qt_plugin_instance() and a cast by the
// interface identifier below.
class cr2200fp_scuPluginInterface : public QObject
{
    Q_OBJECT

public:
    // A new panel without parent, owned by the caller; null if it cannot be allocated.
    virtual cr2200fp_scuInterface *createPanel() = 0;

protected:
    explicit cr2200fp_scuPluginInterface(QObject *parent = nullptr)
        : QObject(parent)
    {
    }
};

#define cr2200fp_scuPluginInterface_iid "com.tormel.Plugin.cr2200fp_scuPluginInterface/1.0"
Q_DECLARE_INTERFACE(cr2200fp_scuPluginInterface, cr2200fp_scuPluginInterface_iid)

#endif // CR2200FP_SCUINTERFACE_H
