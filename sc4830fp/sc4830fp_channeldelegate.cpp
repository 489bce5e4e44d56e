#include "sc4830fp_channeldelegate.h"

#include "sc4830fp_channelitems.h"
#include "sc4830fp_channelmodel.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>

namespace {

namespace items = sc4830fp_channelItems;
using Model = sc4830fp_channelModel;

QDoubleSpinBox *voltsEditor(QWidget *parent, double minimum, double maximum)
{
    auto *box = new QDoubleSpinBox(parent);
    box->setDecimals(items::excitationDecimals);
    box->setRange(minimum, maximum);
    box->setSingleStep(0.001);
    return box;
}

} // namespace

sc4830fp_channelDelegate::sc4830fp_channelDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{
}

QWidget *sc4830fp_channelDelegate::createEditor(
    QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    // A list offers what the row's page offers now (no reference input without one).
    const QStringList offered = index.data(Model::OfferedRole).toStringList();
    if (!offered.isEmpty()) {
        auto *combo = new QComboBox(parent);
        combo->addItems(offered);
        return combo;
    }
    switch (index.column()) {
    case Model::Name: {
        auto *line = new QLineEdit(parent);
        line->setMaxLength(items::maxNameLength);
        return line;
    }
    case Model::PositiveExcitation:
        return voltsEditor(parent, items::positiveExcitationMin, items::positiveExcitationMax);
    case Model::NegativeExcitation:
        return voltsEditor(parent, items::negativeExcitationMin, items::negativeExcitationMax);
    default:
        break;
    }
    return QStyledItemDelegate::createEditor(parent, option, index);
}

void sc4830fp_channelDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *combo = qobject_cast<QComboBox *>(editor))
        combo->setCurrentIndex(combo->findText(index.data().toString()));
    else if (auto *box = qobject_cast<QDoubleSpinBox *>(editor))
        box->setValue(index.data(Qt::EditRole).toDouble());
    else
        QStyledItemDelegate::setEditorData(editor, index);
}

void sc4830fp_channelDelegate::setModelData(
    QWidget *editor, QAbstractItemModel *, const QModelIndex &index) const
{
    QVariant value;
    if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        value = combo->currentText();
    } else if (auto *box = qobject_cast<QDoubleSpinBox *>(editor)) {
        box->interpretText();
        value = box->value();
    } else if (auto *line = qobject_cast<QLineEdit *>(editor)) {
        value = line->text();
    } else {
        return;
    }
    // Emitting is no change of the delegate's own state.
    emit const_cast<sc4830fp_channelDelegate *>(this)->valueChosen(
        index.row(), index.column(), value);
}
