#include "ui/value_controls.h"

#include <QComboBox>
#include <QHeaderView>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>

namespace quorvane {
namespace {

// Marks an item that setRingValue added for a value the ring does not offer.
constexpr int kForeignRole = Qt::UserRole + 1;

void dropForeignItems(QComboBox *ring) {
  for (int i = ring->count() - 1; i >= 0; --i)
    if (ring->itemData(i, kForeignRole).toBool()) ring->removeItem(i);
}

} // namespace

void fillRing(QComboBox *ring, std::initializer_list<RingItem> items) {
  const QSignalBlocker block(ring);
  ring->clear();
  for (const RingItem &item : items)
    ring->addItem(item.label, item.value);
}

std::uint16_t ringValue(const QComboBox *ring) {
  const QVariant v = ring->currentData();
  return v.isValid() ? static_cast<std::uint16_t>(v.toInt()) : 0;
}

void setRingValue(QComboBox *ring, std::uint16_t value) {
  dropForeignItems(ring);
  int index = ring->findData(int{value});
  if (index < 0) {
    ring->addItem(QString::number(value), int{value});
    index = ring->count() - 1;
    ring->setItemData(index, true, kForeignRole);
  }
  ring->setCurrentIndex(index);
}

bool isForeignItem(const QComboBox *ring, int index) {
  return ring->itemData(index, kForeignRole).toBool();
}

QStringList numberLabels(int first, int count) {
  QStringList labels;
  for (int i = 0; i < count; ++i)
    labels << QString::number(first + i);
  return labels;
}

void setUpValueTable(QTableWidget *table, int rows, int columns, const QStringList &headings,
                     const QStringList &rowLabels) {
  table->setRowCount(rows);
  table->setColumnCount(columns);
  table->setHorizontalHeaderLabels(headings);
  table->setVerticalHeaderLabels(rowLabels);
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) {
      auto *item = new QTableWidgetItem;
      item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      item->setBackground(Qt::white);
      if (c == columns - 1) {
        // The colour column only shows the row's indicator colour.
        item->setFlags(Qt::ItemIsEnabled);
      } else {
        item->setData(Qt::DisplayRole, 0);
      }
      table->setItem(r, c, item);
    }
  }
  table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
  table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
  table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
}

std::uint16_t cellValue(const QTableWidget *table, int row, int column) {
  const QTableWidgetItem *item = table->item(row, column);
  if (!item) return 0;
  bool ok = false;
  const int v = item->data(Qt::DisplayRole).toInt(&ok);
  return ok ? static_cast<std::uint16_t>(v) : 0;
}

void setCellValue(QTableWidget *table, int row, int column, std::uint16_t value) {
  QTableWidgetItem *item = table->item(row, column);
  if (!item) {
    item = new QTableWidgetItem;
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    table->setItem(row, column, item);
  }
  item->setData(Qt::DisplayRole, int{value});
}

void setCellBackground(QTableWidget *table, int row, int column, const QColor &colour) {
  if (QTableWidgetItem *item = table->item(row, column)) item->setBackground(colour);
}

QWidget *UInt16Delegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                      const QModelIndex &) const {
  auto *box = new QSpinBox(parent);
  box->setRange(0, 65535);
  box->setFrame(false);
  box->setButtonSymbols(QAbstractSpinBox::NoButtons);
  box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return box;
}

void UInt16Delegate::setEditorData(QWidget *editor, const QModelIndex &index) const {
  if (auto *box = qobject_cast<QSpinBox *>(editor)) box->setValue(index.data().toInt());
}

void UInt16Delegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                  const QModelIndex &index) const {
  auto *box = qobject_cast<QSpinBox *>(editor);
  if (!box) return;
  box->interpretText();
  const int before = index.data().toInt();
  model->setData(index, box->value(), Qt::DisplayRole);
  if (box->value() != before) Q_EMIT valueEdited(index.row(), index.column());
}

} // namespace quorvane
