#ifndef SC4830FP_CHANNELDELEGATE_H
#define SC4830FP_CHANNELDELEGATE_H

#include <QStyledItemDelegate>

// The editors of the channel table (sc4830fp_channelModel): for the lists a combo box
// of what the row's page offers now (sc4830fp_channelModel::OfferedRole), for the
// excitation a spin box of the page's range and decimals, for the name a line of
// at most its length. The value chosen is not written into the model here: it is handed
// on by valueChosen, so that whoever owns the table can set it on several rows once the
// editor is closed. GUI thread only.
class sc4830fp_channelDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit sc4830fp_channelDelegate(QObject *parent = nullptr);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
        const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(
        QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;

signals:
    // The operator committed value (as sc4830fp_channelModel::setData takes it) in the cell
    // at row and column.
    void valueChosen(int row, int column, const QVariant &value);
};

#endif // SC4830FP_CHANNELDELEGATE_H
