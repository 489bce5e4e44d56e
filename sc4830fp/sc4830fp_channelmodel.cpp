#include "sc4830fp_channelmodel.h"

#include "sc4830fp_channelitems.h"
#include "sc4830fp_chcfg.h"
#include "sc4830fp_fp.h"

#include <cr2200fp_led.h>

#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFont>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QSignalBlocker>
#include <QStyle>

namespace {

namespace items = sc4830fp_channelItems;
using Model = sc4830fp_channelModel;

// The header texts; the page's captions keep the page's context, so that they read as
// the page's own in every language.
const struct
{
    const char *context;
    const char *text;
} headers[Model::ColumnCount] = {
    { "sc4830fp_channelModel", QT_TRANSLATE_NOOP("sc4830fp_channelModel", "Channel") },
    { "sc4830fp_channelModel", QT_TRANSLATE_NOOP("sc4830fp_channelModel", "Name") },
    { "sc4830fp_chCfg", QT_TRANSLATE_NOOP("sc4830fp_chCfg", "Input Source") },
    { "sc4830fp_chCfg", QT_TRANSLATE_NOOP("sc4830fp_chCfg", "Mode") },
    { "sc4830fp_chCfg", QT_TRANSLATE_NOOP("sc4830fp_chCfg", "Coupling") },
    { "sc4830fp_chCfg", QT_TRANSLATE_NOOP("sc4830fp_chCfg", "Gain") },
    { "sc4830fp_chCfg", QT_TRANSLATE_NOOP("sc4830fp_chCfg", "Pos. Exc.") },
    { "sc4830fp_chCfg", QT_TRANSLATE_NOOP("sc4830fp_chCfg", "Neg. Exc.") },
    { "sc4830fp_chCfg", QT_TRANSLATE_NOOP("sc4830fp_chCfg", "Shunt") },
    { "sc4830fp_chCfg", QT_TRANSLATE_NOOP("sc4830fp_chCfg", "Total Gain") },
    { "sc4830fp_chCfg", QT_TRANSLATE_NOOP("sc4830fp_chCfg", "Excitation Current Limit") },
    { "sc4830fp_chCfg", QT_TRANSLATE_NOOP("sc4830fp_chCfg", "ICP Current") },
    { "sc4830fp_chCfg", QT_TRANSLATE_NOOP("sc4830fp_chCfg", "Imbalance") },
    { "sc4830fp_channelModel", QT_TRANSLATE_NOOP("sc4830fp_channelModel", "Attention") },
    { "sc4830fp_channelModel", QT_TRANSLATE_NOOP("sc4830fp_channelModel", "State") },
};

bool isSetting(int column)
{
    return column >= Model::Input && column <= Model::Shunt;
}

// The page's handler of a list's change.
void (sc4830fp_chCfg::*handler(int column))(int)
{
    switch (column) {
    case Model::Input:
        return &sc4830fp_chCfg::inputChanged;
    case Model::Mode:
        return &sc4830fp_chCfg::modeChanged;
    case Model::Coupling:
        return &sc4830fp_chCfg::couplingChanged;
    case Model::Gain:
        return &sc4830fp_chCfg::gainChanged;
    default:
        break;
    }
    return &sc4830fp_chCfg::shCalChanged;
}

bool toVolts(const QVariant &value, double *volts)
{
    bool ok = false;
    *volts = value.toDouble(&ok);
    if (!ok)
        *volts = QLocale().toDouble(value.toString(), &ok);
    return ok && qIsFinite(*volts);
}

} // namespace

sc4830fp_channelModel::sc4830fp_channelModel(sc4830fp_fp *panel)
    : QAbstractTableModel(panel)
    , panel(panel)
    , stateWords { tr("Applied"), tr("Changed"), tr("Refused"), tr("Not sent") }
    , atLimit(tr("At limit"))
    , normal(tr("Normal"))
    , fault(tr("Fault"))
    , ok(tr("OK"))
{
    for (int row = 0; row < panel->chCount; ++row) {
        announced.append(rowCells(row));
        watch(row);
    }
}

int sc4830fp_channelModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : panel->chCount;
}

int sc4830fp_channelModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(ColumnCount);
}

QVariant sc4830fp_channelModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return QVariant();
    const sc4830fp_chCfg *page = panel->chPages[index.row()];
    const int column = index.column();
    const sc4830fp_chCfg::State state = page->state();
    switch (role) {
    case Qt::DisplayRole:
        return text(page, column);
    case Qt::EditRole:
        if (column == PositiveExcitation)
            return page->dsbPosExc->value();
        if (column == NegativeExcitation)
            return page->dsbNegExc->value();
        return text(page, column);
    case Qt::DecorationRole:
        if (column == State
            && (state == sc4830fp_chCfg::Refused || state == sc4830fp_chCfg::NotSent))
            return QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
        if (colour(page, column).isValid())
            return colour(page, column);
        return QVariant();
    case OfferedRole:
        if (const auto *combo = isSetting(column)
                ? qobject_cast<const QComboBox *>(control(page, column))
                : nullptr) {
            QStringList texts;
            for (int i = 0; i < combo->count(); ++i)
                texts.append(combo->itemText(i));
            return texts;
        }
        return QVariant();
    case Qt::FontRole:
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        break;
    default:
        return QVariant();
    }
    // What differs from the unit stands out by its font as well as by the State's words,
    // and says what the unit took.
    const Cell shown = cell(page, state, column);
    if (role == Qt::FontRole) {
        if (!shown.marked)
            return QVariant();
        QFont font;
        font.setBold(true);
        font.setItalic(true);
        return font;
    }
    if ((column == Name || column == Attention) && role == Qt::ToolTipRole && !shown.text.isEmpty())
        return shown.text; // a long name or two attentions are elided in the cell
    if (shown.applied.isEmpty())
        return QVariant();
    return tr("Last applied: %1").arg(shown.applied);
}

QVariant sc4830fp_channelModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0
        && section < ColumnCount)
        return QCoreApplication::translate(headers[section].context, headers[section].text);
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags sc4830fp_channelModel::flags(const QModelIndex &index) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return Qt::NoItemFlags;
    const Qt::ItemFlags shown = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const int column = index.column();
    const sc4830fp_chCfg *page = panel->chPages[index.row()];
    // The name is the panel's; a setting is editable where its control is.
    if ((column == Name && page->isEnabled())
        || (isSetting(column) && control(page, column)->isEnabled()))
        return shown | Qt::ItemIsEditable;
    return shown;
}

bool sc4830fp_channelModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const int row = index.row();
    if (index.column() == Name)
        return panel->setChannelName(row, value.toString());
    // The page's gain warning runs a box, in which the host may delete the panel and this
    // model with it.
    const QPointer<sc4830fp_channelModel> alive(this);
    const bool set = setControl(panel->chPages[row], index.column(), value);
    if (set && alive)
        refreshRow(row);
    return set;
}

void sc4830fp_channelModel::beginAddingPages(int first, int last)
{
    beginInsertRows(QModelIndex(), first, last);
}

void sc4830fp_channelModel::endAddingPages()
{
    for (int row = announced.size(); row < panel->chCount; ++row) {
        announced.append(rowCells(row));
        watch(row);
    }
    endInsertRows();
}

void sc4830fp_channelModel::refreshRow(int row)
{
    if (row < 0 || row >= announced.size())
        return;
    const Row before = announced.at(row);
    const Row now = rowCells(row);
    announced[row] = now;
    // Neighbouring cells that changed go out as one range.
    int first = -1;
    for (int column = 0; column <= ColumnCount; ++column) {
        const bool differs = column < ColumnCount && !(now.at(column) == before.at(column));
        if (differs && first < 0)
            first = column;
        if (!differs && first >= 0) {
            emit dataChanged(index(row, first), index(row, column - 1));
            first = -1;
        }
    }
}

sc4830fp_channelModel::Cell sc4830fp_channelModel::cell(
    const sc4830fp_chCfg *page, sc4830fp_chCfg::State state, int column) const
{
    Cell cell;
    cell.text = column == State ? stateWords[state] : text(page, column);
    cell.colour = colour(page, column);
    if (column == State)
        cell.marked = state != sc4830fp_chCfg::Applied;
    if (isSetting(column)
        && (state == sc4830fp_chCfg::Changed || state == sc4830fp_chCfg::Refused)) {
        const QString applied = appliedText(page, column);
        cell.marked = applied != cell.text;
        if (cell.marked)
            cell.applied = applied;
    }
    return cell;
}

sc4830fp_channelModel::Row sc4830fp_channelModel::rowCells(int row) const
{
    const sc4830fp_chCfg *page = panel->chPages[row];
    const sc4830fp_chCfg::State state = page->state();
    Row cells;
    cells.reserve(ColumnCount);
    // The channel's own cell never changes.
    cells.append(Cell());
    for (int column = Name; column < ColumnCount; ++column)
        cells.append(cell(page, state, column));
    return cells;
}

QString sc4830fp_channelModel::text(const sc4830fp_chCfg *page, int column) const
{
    switch (column) {
    case Channel:
        return sc4830fp_fp::tr("Ch %1").arg(page->ch + 1);
    case Name:
        return panel->channelName(page->ch);
    case PositiveExcitation:
    case NegativeExcitation:
        return static_cast<const QDoubleSpinBox *>(control(page, column))->text();
    case TotalGain:
        return page->leTotalGain->text();
    case ExcitationLimit:
        // The lamp is out of use, disabled, in the modes without excitation.
        if (!page->ledExcLimit->isEnabledTo(page))
            return QString();
        return page->atExcitationLimit() ? atLimit : normal;
    case IcpCurrent:
        if (!page->icpMode || page->ledIcp->getValue() == 0)
            return QString();
        return page->icpFault() ? fault : ok;
    case Imbalance:
        return page->leImbalance->text();
    case Attention:
        return panel->attentionWords(page->ch);
    case State:
        return stateWords[page->state()];
    default:
        break;
    }
    return static_cast<const QComboBox *>(control(page, column))->currentText();
}

QColor sc4830fp_channelModel::colour(const sc4830fp_chCfg *page, int column) const
{
    if (column == ExcitationLimit && !text(page, column).isEmpty())
        return page->atExcitationLimit() ? page->ledExcLimit->getOnColor()
                                         : page->ledExcLimit->getOffColor();
    if (column == IcpCurrent && !text(page, column).isEmpty())
        return page->ledIcp->getOnColor();
    return QColor();
}

QString sc4830fp_channelModel::appliedText(const sc4830fp_chCfg *page, int column) const
{
    const sc4830fp_chCfg::Settings applied = page->applied();
    switch (column) {
    case Input:
        return page->cbInput->itemText(applied.input);
    case Mode:
        return page->cbMode->itemText(applied.mode);
    case Coupling:
        return page->cbCoup->itemText(applied.coupling);
    case Gain:
        return page->cbGain->itemText(applied.gain);
    case PositiveExcitation:
        return page->dsbPosExc->textFromValue(applied.posExc);
    case NegativeExcitation:
        return page->dsbNegExc->textFromValue(applied.negExc);
    default:
        break;
    }
    return page->cbShCal->itemText(applied.shunt);
}

QWidget *sc4830fp_channelModel::control(const sc4830fp_chCfg *page, int column) const
{
    switch (column) {
    case Input:
        return page->cbInput;
    case Mode:
        return page->cbMode;
    case Coupling:
        return page->cbCoup;
    case Gain:
        return page->cbGain;
    case PositiveExcitation:
        return page->dsbPosExc;
    case NegativeExcitation:
        return page->dsbNegExc;
    default:
        break;
    }
    return page->cbShCal;
}

bool sc4830fp_channelModel::setControl(sc4830fp_chCfg *page, int column, const QVariant &value)
{
    QWidget *widget = control(page, column);
    if (auto *box = qobject_cast<QDoubleSpinBox *>(widget)) {
        double volts = 0.0;
        if (!toVolts(value, &volts))
            return false;
        volts = items::excitationAsTyped(volts);
        if (volts < box->minimum() || volts > box->maximum())
            return false;
        box->setValue(volts);
        return true;
    }
    auto *combo = static_cast<QComboBox *>(widget);
    const int item = combo->findText(value.toString(), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (item < 0)
        return false;
    if (item == combo->currentIndex())
        return true;
    // The page's handler runs as the list's signal would run it, but after the list is
    // done: the gain warning's box may see the host delete the panel, list and all, and
    // the list still reads itself once its signal has returned.
    {
        const QSignalBlocker quiet(combo);
        combo->setCurrentIndex(item);
    }
    (page->*handler(column))(item);
    return true;
}

void sc4830fp_channelModel::watch(int row)
{
    // Connected after the page's own handlers, which therefore have run when the row is
    // read.
    const sc4830fp_chCfg *page = panel->chPages[row];
    const auto refresh = [this, row] { refreshRow(row); };
    for (QComboBox *combo :
        { page->cbInput, page->cbMode, page->cbCoup, page->cbGain, page->cbShCal })
        connect(combo, QOverload<int>::of(&QComboBox::currentIndexChanged), this, refresh);
    for (QDoubleSpinBox *box : { page->dsbPosExc, page->dsbNegExc })
        connect(box, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, refresh);
    for (QLineEdit *field : { page->leTotalGain, page->leImbalance })
        connect(field, &QLineEdit::textChanged, this, refresh);
}
