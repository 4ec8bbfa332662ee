#pragma once
// Small building blocks of the value pages (parameters, group/hold, teach table, teach
// assistants): rings whose items carry their values, and table cells that hold unsigned
// 16-bit numbers.
#include <QString>
#include <QStyledItemDelegate>

#include <cstdint>
#include <initializer_list>

class QComboBox;
class QTableWidget;
class QWidget;

namespace quorvane {

struct RingItem {
  QString label;
  int value;
};

// Replaces the ring's items.
void fillRing(QComboBox *ring, std::initializer_list<RingItem> items);
// The value of the selected item; 0 when the ring is empty.
[[nodiscard]] std::uint16_t ringValue(const QComboBox *ring);
// Selects the item with this value. A value the ring does not offer (a file edited by
// hand, a newer sensor) is shown as an extra item labelled with its number, so that it is
// sent back unchanged instead of being silently replaced; such an item is dropped again
// as soon as another value is set.
void setRingValue(QComboBox *ring, std::uint16_t value);
// Whether item `index` is such an extra item.
[[nodiscard]] bool isForeignItem(const QComboBox *ring, int index);

// Builds a table whose first column holds numbers and whose last column only shows a
// colour; `rowLabels` label the lines.
void setUpValueTable(QTableWidget *table, int rows, int columns, const QStringList &headings,
                     const QStringList &rowLabels);
[[nodiscard]] std::uint16_t cellValue(const QTableWidget *table, int row, int column);
void setCellValue(QTableWidget *table, int row, int column, std::uint16_t value);
void setCellBackground(QTableWidget *table, int row, int column, const QColor &colour);
[[nodiscard]] QStringList numberLabels(int first, int count);

// Edits a cell with a 0..65535 spin box. Reports each edit that changed a value, so that
// pages react to the operator and not to their own updates.
class UInt16Delegate : public QStyledItemDelegate {
  Q_OBJECT
public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                        const QModelIndex &index) const override;
  void setEditorData(QWidget *editor, const QModelIndex &index) const override;
  void setModelData(QWidget *editor, QAbstractItemModel *model,
                    const QModelIndex &index) const override;

Q_SIGNALS:
  void valueEdited(int row, int column) const;
};

} // namespace quorvane
