#ifndef CR2200FP_APP_H
#define CR2200FP_APP_H

#include <QString>
#include <QWidget>

class QCloseEvent;
class QLabel;
class QLayout;
class QPushButton;
class QVBoxLayout;
class cr2200fp_led;

// The window of a front panel that runs as a program of its own: a banner (maker's logo,
// title, interface logo), an empty content area for the instrument's own controls and a
// column of standard controls on the right (activity lamp with two status lines,
// autoscale and identification switches, single-shot and continuous acquisition buttons,
// reset, help, about, close).
//
// The frame turns the operator's presses into signals and leaves their meaning to the
// instrument's code, which fills the content area with setContentLayout() and shows the
// optional parts it supports. The widget members below are left public on purpose: the
// instrument's code connects pbAbout itself and may restyle any of them. They are owned
// through Qt parenthood.
//
// Constructing a frame switches the whole application to the Plastique style (Fusion
// under Qt 6, which has no Plastique). Closing it asks the operator first. GUI thread
// only.
class cr2200fp_app : public QWidget
{
    Q_OBJECT

public:
    cr2200fp_app();
    ~cr2200fp_app() override;

    // The style a frame switches the application to: "Plastique", or "Fusion" under Qt 6.
    static QString panelStyleName();

    // Installs the instrument's layout on the content area. During construction it
    // installs the frame's own main layout on the frame itself.
    void setContentLayout(QLayout *layout);
    // Banner title.
    void setTitle(const QString &title);
    // Demo mode puts the "Active" lamp out; real mode lights it.
    void setDemo(bool demo);
    // true shows the LXI logo on the right of the banner; false leaves the logo as it is.
    void setLxiLogo(bool lxi);
    // Takes the picture off the right of the banner.
    void clearRightLogo();
    // Status lines under the lamp. Each shows exactly while its text is not empty; an
    // empty help keeps the line's earlier What's This help.
    void setStatusA(const QString &text, const QString &help);
    void setStatusB(const QString &text, const QString &help);
    // Shows or hides the autoscale switch; showing it also resizes the frame to 800 x 600,
    // room for the plot it scales.
    void showAutoscale(bool show);
    // Shows or hides the identification switch.
    void showIdent(bool show);
    // Moves the frame, keeping its size, to the middle of the primary screen's available
    // area (taken as if it started at 0, 0).
    void centreOnScreen();

    QPushButton *pbWhatsThis = nullptr;
    QPushButton *pbAutoscale = nullptr;
    QPushButton *pbAbout = nullptr;
    QWidget *contentWidget = nullptr;
    bool layoutReady = false;
    QLabel *lblTitle = nullptr;
    QLabel *lblRightLogo = nullptr;
    QLabel *lblStatusA = nullptr;
    QLabel *lblStatusB = nullptr;
    cr2200fp_led *ledActive = nullptr;
    QPushButton *pbClose = nullptr;
    QLabel *lblAutoscale = nullptr;
    QVBoxLayout *buttonColumn = nullptr;
    QLabel *lblIdent = nullptr;
    QPushButton *pbIdent = nullptr;
    QPushButton *pbReset = nullptr;
    QPushButton *pbSingle = nullptr;
    QPushButton *pbCont = nullptr;

signals:
    // The autoscale switch changed; true means on.
    void autoscaleToggled(bool);
    // The identification switch changed; true means identify.
    void identToggled(bool);
    // The operator started a single-shot acquisition.
    void startSingle();
    // The operator broke a running single-shot acquisition (or userBreak() did).
    void breakSingle();
    // The operator started the continuous acquisition.
    void startCont();
    // The operator stopped the continuous acquisition (or userBreak() did).
    void stopCont();
    // "Reset Device" was clicked.
    void resetPressed();

public slots:
    // Enters Qt's What's This mode; the next click on a control shows its help.
    void enterWIT();
    // Ends whatever acquisition runs, as if the operator had pressed its stop button
    // (breakSingle() or stopCont() fire), then makes both start buttons usable again.
    void userBreak();
    // Makes both start buttons usable again once the instrument has finished stopping.
    void enableStart();

protected:
    // Asks "Do you really want to exit?" and closes only on Yes.
    void closeEvent(QCloseEvent *event) override;

private slots:
    void autoscaleToggledSlot(bool status);
    void identToggledSlot(bool status);
    void startToggledSlot(bool status);
    void startContToggledSlot(bool status);

private:
    void buildBanner(QLayout *banner);
    void buildButtonColumn(int h);
    void addActivityGroup(int h);
    void addAutoscale();
    void addIdent();
    void addAcquisition();
    void addReset();
    void addHelpAboutClose();
    static void setHelp(QWidget *widget, const QString &text);
    static void setStatus(QLabel *label, const QString &text, const QString &help);
};

// The directory of the VISA configuration: "<ALLUSERSPROFILE>\Tormel\tmvisa" when that
// environment variable is set (even to an empty value), else "c:\vxipnp". Any thread.
QString configDirectory();

// Orders VISA resource names for lists shown to the operator. Names of one interface type
// (the leading ASCII letters, any case) order by their numbers: TCPIP by board, then the
// four address numbers; VXI, GPIB, SOCKET, BACKPLANE, PXI and ASRL by board alone. Names
// of different types, and of any other type, order as plain strings.
//
// A number that cannot be read (a host name instead of an address, a missing part, no
// board number) reads as 0; reading stops at the first missing separator ("::" or "."),
// and what follows reads as 0. Numbers above 2147483647 read as 2147483647. Over
// well-formed names (type, board, "::", the rest) whose type letters are all written in
// one case it is a strict weak ordering, so std::sort may use it; for any two strings it
// is irreflexive and asymmetric. Any thread.
bool resourceLessThan(const QString &a, const QString &b);

#endif // CR2200FP_APP_H
