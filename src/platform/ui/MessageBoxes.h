#pragma once

#include "platform/OperatorMessages.h"

class QWidget;

namespace vardex {

// Operator messages as modal message boxes with Czech buttons, captioned with
// the application's title.
class MessageBoxes final : public OperatorMessages
{
public:
    explicit MessageBoxes(QWidget *parent = nullptr) : m_parent(parent) {}

    void information(const QString &text) override;
    void warning(const QString &text) override;
    void error(const QString &text) override;
    Answer askYesNo(const QString &text) override;
    Answer askYesNoCancel(const QString &text) override;
    Answer askOkCancel(const QString &text) override;

private:
    QWidget *m_parent;
};

} // namespace vardex
