#pragma once

#include <QStringList>
#include <QStyledItemDelegate>

namespace vardex {

// A grid cell edited through a drop-down list of values that still takes
// any typed text.
class PickListDelegate : public QStyledItemDelegate
{
public:
    PickListDelegate(QStringList values, QObject *parent = nullptr);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;

    const QStringList &values() const { return m_values; }

private:
    QStringList m_values;
};

} // namespace vardex
