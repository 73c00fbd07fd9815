#pragma once

#include "app/HelpTopics.h"

#include <QDialog>

class QTextBrowser;

namespace vardex {

class OperatorMessages;

// The built-in viewer of the HTML help, opened at a topic by its title. It
// stays open beside the program's windows and deletes itself when closed.
class HelpViewer : public QDialog
{
    Q_OBJECT
public:
    explicit HelpViewer(QWidget *parent = nullptr);

    // Loads the page of `topic` from the help folder; false (and the reason
    // in `error`) when the folder, its index or the page is missing.
    bool openTopic(const QString &helpDir, const QString &topic, QString *error = nullptr);

    QTextBrowser *browser() const { return m_browser; }

    // Shows the help at `topic`, reusing a viewer already open over
    // `parent`. When it cannot be shown, the operator gets the error box
    // "Nápověda není k dispozici: …" and nullptr is returned.
    static HelpViewer *showTopic(const QString &helpDir, const QString &topic,
                                 OperatorMessages &messages, QWidget *parent = nullptr);

    // The menu's "&Nápověda": the help folder next to the program (else
    // `fallbackDir`) at the topic "Postup zpracování".
    static HelpViewer *showHelp(OperatorMessages &messages, QWidget *parent = nullptr,
                                const QString &fallbackDir = {});

private:
    QTextBrowser *m_browser = nullptr;
};

} // namespace vardex
