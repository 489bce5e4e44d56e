#ifndef SC4830FP_CHANNELMODEL_H
#define SC4830FP_CHANNELMODEL_H

#include "sc4830fp_chcfg.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QString>
#include <QVector>

class sc4830fp_fp;

// Every channel of a panel as one row of a table: the channel, its name, the settings its
// page's controls show, its status lamps and fields, what its tab says and where it stands
// against the unit (sc4830fp_chCfg::State).
//
// An adapter over the pages: the settings live in the pages only. data() reads them as
// they are; edits (setData) set the page's control as the operator would, so that the
// page's own slots and rules run, and send nothing. refreshRow() compares a row with what
// it last announced and emits dataChanged only for the cells whose text, colour, mark or
// tooltip changed; the panel calls it whenever a page's conditions may have changed, and
// the model itself whenever a page's control or field does. The panel owns the model and
// deletes it before its pages. GUI thread only.
class sc4830fp_channelModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column {
        Channel,
        Name,
        Input,
        Mode,
        Coupling,
        Gain,
        PositiveExcitation,
        NegativeExcitation,
        Shunt,
        TotalGain,
        ExcitationLimit,
        IcpCurrent,
        Imbalance,
        Attention,
        State,
        ColumnCount
    };

    // data() of a list column in this role: the texts its control offers now (a
    // QStringList), which a unit without reference input, for one, offers fewer of.
    static constexpr int OfferedRole = Qt::UserRole;

    // Watches the panel's pages that exist now.
    explicit sc4830fp_channelModel(sc4830fp_fp *panel);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(
        int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // Name: a text sc4830fp_channelItems::isChannelName takes. Input, mode, coupling, gain
    // and shunt: an item's text as the column shows it ("100" or 100 for the gain).
    // Excitation: volts, as a number or a text ("2.5"). False, changing nothing, for a
    // value the control does not offer now (not in its list, out of its range, disabled).
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    // Around the panel's adding pages first..last (rows), which then count in chCount.
    void beginAddingPages(int first, int last);
    void endAddingPages();
    // Announces what changed in the row since it was last announced.
    void refreshRow(int row);

private:
    // One cell as announced: what a view shows of it.
    struct Cell
    {
        QString text;
        QColor colour; // the lamp's colour, invalid where none is shown
        bool marked = false; // differs from what the unit took, or the channel's not applied
        QString applied; // what the unit last took, where the cell differs from it

        bool operator==(const Cell &other) const
        {
            return text == other.text && colour == other.colour && marked == other.marked
                && applied == other.applied;
        }
    };
    using Row = QVector<Cell>;

    Cell cell(const sc4830fp_chCfg *page, sc4830fp_chCfg::State state, int column) const;
    Row rowCells(int row) const;
    QString text(const sc4830fp_chCfg *page, int column) const;
    QColor colour(const sc4830fp_chCfg *page, int column) const;
    QString appliedText(const sc4830fp_chCfg *page, int column) const;
    QWidget *control(const sc4830fp_chCfg *page, int column) const;
    bool setControl(sc4830fp_chCfg *page, int column, const QVariant &value);
    void watch(int row);

    sc4830fp_fp *panel;
    QVector<Row> announced;
    // The words the cells show, translated once: the poll reads every row.
    const QString stateWords[4]; // by sc4830fp_chCfg::State
    const QString atLimit, normal, fault, ok;
};

#endif // SC4830FP_CHANNELMODEL_H
