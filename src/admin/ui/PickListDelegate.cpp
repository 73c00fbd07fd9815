#include "admin/ui/PickListDelegate.h"

#include <QComboBox>
#include <QLineEdit>

namespace vardex {

PickListDelegate::PickListDelegate(QStringList values, QObject *parent)
    : QStyledItemDelegate(parent), m_values(std::move(values))
{
}

QWidget *PickListDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                        const QModelIndex &) const
{
    auto *box = new QComboBox(parent);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(m_values);
    return box;
}

void PickListDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *box = static_cast<QComboBox *>(editor);
    const QString text = index.data(Qt::EditRole).toString();
    const int at = box->findText(text);
    box->setCurrentIndex(at);
    box->setEditText(text);
}

void PickListDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                    const QModelIndex &index) const
{
    const auto *box = static_cast<QComboBox *>(editor);
    const QString text = box->currentText();
    if (text != index.data(Qt::EditRole).toString())
        model->setData(index, text, Qt::EditRole);
}

} // namespace vardex
